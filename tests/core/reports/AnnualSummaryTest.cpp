#include "reports/AnnualSummary.h"

#include <gtest/gtest.h>

#include "core/ledger/LedgerFixture.h"

namespace sorami::test {
namespace {

class AnnualSummaryTest : public ::testing::Test {
 protected:
  AnnualSummary build(YearMonth last, int n, SummaryOptions options = {}) {
    return buildAnnualSummary(f.store, last, n, settings, holidays, options);
  }
  // The column of the grid that shows a month of the span, or the total.
  static size_t at(int column) { return static_cast<size_t>(column); }

  LedgerFixture f{10000};
  PeriodSettings settings;
  NoHolidays holidays;
};

TEST_F(AnnualSummaryTest, LinesGoToTheAccountingMonthOfTheirDay) {
  settings.closingDay = 25;
  f.add(dayFromYmd(2024, 1, 25), kFood, 100);  // the closing day: January
  f.add(dayFromYmd(2024, 1, 26), kFood, 200);  // the day after: February
  f.add(dayFromYmd(2024, 3, 26), kFood, 999);  // after the span: not read
  const AnnualSummary s = build({2024, 3}, 3);
  EXPECT_EQ(s.first, dayFromYmd(2023, 12, 26));
  EXPECT_EQ(s.row(kFood)[1], 100);
  EXPECT_EQ(s.row(kFood)[2], 200);
  EXPECT_EQ(s.row(kFood)[0], 300);
  // Named by the month they start in, the same lines are a month earlier.
  settings.namedByStart = true;
  const AnnualSummary byStart = build({2024, 2}, 3);
  EXPECT_EQ(byStart.firstMonth, (YearMonth{2023, 12}));
  EXPECT_EQ(byStart.row(kFood)[1], 100);
  EXPECT_EQ(byStart.row(kFood)[2], 200);
}

TEST_F(AnnualSummaryTest, BalancesStartFromTheLinesBeforeTheSpan) {
  f.account(u"A", 5000);
  f.loan(u"L", 2000);
  f.add(dayFromYmd(2023, 12, 5), kFood, 1000);              // before: cash 9,000
  f.add(dayFromYmd(2023, 12, 6), kIntoAccount, 500, u"A");  // before: cash 8,500, A 5,500
  f.add(dayFromYmd(2024, 1, 10), kSalary, 3000);
  f.add(dayFromYmd(2024, 1, 11), kIntoAccount, 700, u"A");
  f.store.noAutoDefinition = true;
  f.add(dayFromYmd(2024, 1, 12), kIntoAccount, 40, u"nobody");  // no account of that name
  f.add(dayFromYmd(2024, 2, 3), kRepayLoan, 300, u"L");
  f.add(dayFromYmd(2024, 2, 4), kOutOfAccount, 100, u"A");
  const AnnualSummary s = build({2024, 3}, 3);
  const size_t items = s.items.size();
  auto derived = [&](DerivedRow r) { return s.row(items + r); };
  // The unregistered account counts in its item and in cash, not in the savings balance.
  EXPECT_EQ(s.row(kIntoAccount)[1], 740);
  EXPECT_EQ(derived(DR_CASH)[1], 8500 + 3000 - 740);
  EXPECT_EQ(derived(DR_ACCOUNTS)[1], 5500 + 700);
  EXPECT_EQ(derived(DR_LOANS)[2], 1700);
  EXPECT_EQ(derived(DR_CASH)[2], 10760 - 300 + 100);
  // A month without lines carries the balances forward; the total column holds the end.
  EXPECT_EQ(derived(DR_CASH)[3], derived(DR_CASH)[2]);
  EXPECT_EQ(derived(DR_TOTAL_ASSETS)[0], 10560 + 6100 - 1700);
  EXPECT_EQ(derived(DR_SAVINGS)[1], 740);
  EXPECT_EQ(derived(DR_SAVINGS)[0], 640);
  EXPECT_EQ(s.matrix.lastColumn, 2);
  // Transfers count in the income and expense totals only as the file says.
  EXPECT_EQ(derived(DR_EXPENSE)[0], 0);
  EXPECT_EQ(derived(DR_INCOME)[0], 3000);
  const AnnualSummary counted = build({2024, 3}, 3, {true, true});
  EXPECT_EQ(counted.row(items + DR_EXPENSE)[0], 740 + 300);
  EXPECT_EQ(counted.row(items + DR_INCOME)[0], 3000 + 100);
}

TEST_F(AnnualSummaryTest, CellsCarryCodesLabelsAndWholeFigures) {
  f.add(dayFromYmd(2023, 11, 3), kFood, -150000);
  // Three salaries pass what 32 bits hold.
  for (int m = 11; m <= 13; ++m) {
    f.add(dayFromYmd(2023 + m / 13, (m - 1) % 12 + 1, 20), kSalary, 1'000'000'000);
  }
  const AnnualSummary s = build({2024, 1}, 3);
  const AnnualSummaryTable t(s, 2);
  EXPECT_EQ(t.columnCount(), 5);
  EXPECT_EQ(t.rowCount(), 1 + 7 + 7);
  const std::u16string header[] = {u"CCB総集計表", u"CCN2023/11", u"CCN2023/12", u"CCN2024/1",
                                   u"CCB総 計"};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(t.cellText(0, c), header[c]);
  EXPECT_EQ(t.cellText(1, 0), u"LCN-食費");
  EXPECT_EQ(t.cellText(1, 1), u"rCR-1,500.00");
  EXPECT_EQ(t.cellText(1, 1, true), u"rCR-1500.00");
  EXPECT_EQ(t.cellText(5, 0), u"LCN+給料");
  EXPECT_EQ(t.cellText(5, 4), u"rCN30,000,000.00");
  EXPECT_EQ(t.cellText(5, 4, true), u"rCN30000000.00");
  EXPECT_EQ(t.cellText(8, 0), u"LCN 収入合計");
  EXPECT_EQ(t.cellText(8, 4), u"rCG30,000,000.00");
  EXPECT_EQ(t.cellText(14, 0), u"LCN 総資産");
  EXPECT_EQ(t.cellText(15, 1), u"CCN ");
}

TEST_F(AnnualSummaryTest, OneMonthShowsItTwice) {
  f.add(dayFromYmd(2024, 3, 3), kFood, 50);
  const AnnualSummary s = build({2024, 3}, 1);
  const AnnualSummaryTable t(s, 0);
  EXPECT_EQ(t.cellText(1, 1), t.cellText(1, 2));
  EXPECT_EQ(t.cellText(11, 1), u"rCG9,950");
  EXPECT_EQ(t.cellText(11, 2), u"rCG9,950");
}

}  // namespace
}  // namespace sorami::test
