// Builds a ledger of a million entries, writes it and reads it back, and prints the entries per
// second of each and the bytes the store holds per entry.

#include <malloc.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "archive/Archive.h"
#include "ledger/HinmeiList.h"

using namespace sorami;

namespace {

constexpr size_t kEntries = 1000000;

size_t heapInUse() {
  const struct mallinfo2 mi = mallinfo2();
  return mi.uordblks + mi.hblkhd;
}

// About the names and memos a household writes: mostly short, some long, few memos.
void build(CHinmeiList& list) {
  const std::array<std::u16string, 8> names = {
      u"パン",     u"牛乳", u"ガソリン", u"電気代",
      u"コンビニ", u"給料", u"昼食",     u"スーパーマーケット特売日"};
  const std::array<std::u16string, 4> memos = {u"", u"", u"", u"特売"};
  list.addAtEnd({MinDay, ITEM_HEADER, EF_ITEM, u"", u"config", 100000});
  for (uint16_t i = 0; i < 19; ++i) list.addAtEnd({MinDay, i, 0x8100, u"食費", u"3", 0});
  const Day first = dayFromYmd(1990, 1, 1);
  for (size_t i = list.size(); i + 1 < kEntries; ++i) {
    const uint16_t item = static_cast<uint16_t>(i % 17);
    list.addAtEnd({first + static_cast<Day>(i / 80), item, item == 5 ? EF_INCOME : EF_EXPENSE,
                   names[i % names.size()], memos[i % memos.size()],
                   static_cast<int32_t>(100 + i % 5000)});
  }
  list.addAtEnd({MaxDay, 0, 0, u"Last Mark", u"", 0});
}

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  const size_t before = heapInUse();
  auto list = std::make_unique<CHinmeiList>();
  build(*list);
  // The nodes of the entries live in the store's own blocks, beside the heap.
  const size_t held = heapInUse() - before + list->nodeBytes();
  std::printf("bytes held per entry: %.1f\n", static_cast<double>(held) / kEntries);

  VectorSink sink;
  sink.bytes.reserve(40 * kEntries);
  auto start = std::chrono::steady_clock::now();
  {
    Archive out(sink);
    list->write(out);
    out.flush();
  }
  std::printf("write: %.2f million entries/s (%zu bytes)\n", kEntries / seconds(start) / 1e6,
              sink.bytes.size());
  list.reset();

  CHinmeiList back;
  start = std::chrono::steady_clock::now();
  Archive in(sink.bytes);
  back.serialize(in);
  std::printf("read: %.2f million entries/s (%zu entries)\n", kEntries / seconds(start) / 1e6,
              back.size());
  return back.size() == kEntries ? 0 : 1;
}
