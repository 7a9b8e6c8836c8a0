// A card statement of 10,000 lines (Shift-JIS, era dates, separators, half-width names) brought
// into a ledger of a million entries: the preview (reading, items by rule and by use, the
// duplicate search), the import of every line as a card purchase, and the preview of the same
// statement again, when every line is found in the ledger.

#include <cstdio>
#include <string>

#include "Timing.h"
#include "config/Config.h"
#include "config/DefaultData.h"
#include "ledger/HinmeiList.h"
#include "ledger/SampleHousehold.h"
#include "platform/TextCodec.h"
#include "reports/StatementImport.h"
#include "rules/AmountText.h"

using namespace sorami;

namespace {

constexpr uint64_t kLedgerEntries = 1'000'000;
constexpr int kStatementLines = 10'000;

const char* const kProfile =
    "encoding = shift-jis\n"
    "skip-lines = 1\n"
    "date-column = 1\n"
    "name-column = 2\n"
    "amount-column = 3\n"
    "memo-column = 5\n"
    "sign = expense-positive\n"
    "money = loan:クレジットカード\n"
    "default-expense-item = その他支出\n"
    "default-income-item = 雑収入\n"
    "[rule]\ncontains = ｾﾌﾞﾝ\nitem = 食費\n"
    "[rule]\nregex = ^(ENEOS|出光)\nitem = 旅費、交通\nname = ガソリン\n"
    "[rule]\ncontains = 書店\nitem = 書籍、情報\n";

// The last quarter of the sample's last year, in the era calendar.
std::string statementText() {
  const char16_t* shops[] = {u"ｾﾌﾞﾝｲﾚﾌﾞﾝ", u"ENEOS 新宿", u"駅前書店",     u"スーパー",
                             u"昼食",      u"ﾄﾞﾗｯｸﾞｽﾄｱ",  u"AMAZON.CO.JP", u"映画"};
  std::u16string text = u"ご利用日,ご利用店名,ご利用金額,支払区分,備考\r\n";
  const Day first = dayFromYmd(2025, 10, 1);
  for (int i = 0; i < kStatementLines; ++i) {
    const Ymd d = ymdFromDay(first + i * 92 / kStatementLines);
    const int amount = 100 + (i * 7919) % 30000;
    text += u"R7." + u16(std::to_string(d.month)) + u"." + u16(std::to_string(d.day)) + u"," +
            shops[i % 8] + u",\"" + formatAmount(amount, true, 0) + u"\",1回," +
            (i % 5 == 0 ? u"ポイント" : u"") + u"\r\n";
  }
  return toShiftJis(text);
}

}  // namespace

int main() {
  CConfig config;
  NewLedger ledger = buildNewLedger(config, {14, 5, 10000, true});
  CHinmeiList& store = *ledger.entries;
  fillSampleHousehold(store, {kLedgerEntries, 1, 0});
  store.context().today = kSampleLastDay;
  store.context().window.currentDay = kSampleLastDay;
  store.computeToDay(kSampleLastDay, true);
  const StatementProfile profile = *readStatementProfile(kProfile).profile;
  MoneyTarget money = profile.money;
  if (resolveMoneyTarget(store, money)) return 1;
  const std::string bytes = statementText();
  std::printf("ledger: %zu entries; statement: %d lines, %zu bytes\n", store.size(),
              kStatementLines, bytes.size());

  StatementPreview preview;
  const double previewUs =
      bench::microseconds([&] { preview = previewStatement(bytes, profile, store, money, 0); }, 5);
  std::printf("preview: %.1f ms (goal 300 ms); %zu new, %zu duplicates, %zu refused\n",
              previewUs / 1000, preview.count(LineStatus::New),
              preview.count(LineStatus::Duplicate), preview.count(LineStatus::Refused));

  StatementOutcome outcome;
  const double importUs =
      bench::microseconds([&] { outcome = importStatement(store, preview, false); });
  std::printf("import: %.1f ms (goal 200 ms); %zu lines added, ledger now %zu entries\n",
              importUs / 1000, outcome.added, store.size());

  StatementPreview again;
  const double againUs =
      bench::microseconds([&] { again = previewStatement(bytes, profile, store, money, 0); }, 5);
  std::printf("preview again: %.1f ms; %zu duplicates\n", againUs / 1000,
              again.count(LineStatus::Duplicate));
  return outcome.added == static_cast<size_t>(kStatementLines) &&
                 again.count(LineStatus::Duplicate) == static_cast<size_t>(kStatementLines)
             ? 0
             : 1;
}
