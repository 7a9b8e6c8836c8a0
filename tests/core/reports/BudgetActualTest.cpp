#include "reports/BudgetActual.h"

#include <gtest/gtest.h>

#include "core/ledger/LedgerFixture.h"
#include "ledger/BudgetList.h"

namespace sorami::test {
namespace {

// April 2024 of the store fixture with budgets; every item is a budget target.
class BudgetSheetTest : public ::testing::Test {
 protected:
  BudgetSheetTest() {
    f.account(u"A", 0);
    f.loan(u"L", 0);
    f.add(dayFromYmd(2024, 3, 31), kFood, 9999);  // the month before
    f.add(dayFromYmd(2024, 4, 1), kFood, 1500);
    f.add(dayFromYmd(2024, 4, 2), kGoods, 29);
    f.add(dayFromYmd(2024, 4, 3), kRepayLoan, 400, u"L");
    f.add(dayFromYmd(2024, 4, 5), kSalary, 150000);
    f.add(dayFromYmd(2024, 4, 6), kIntoAccount, 3000, u"A");
    f.add(dayFromYmd(2024, 4, 7), kOutOfAccount, 1000, u"A");
    f.add(dayFromYmd(2024, 5, 1), kFood, 7777);  // the month after
    CBudget& april = budgets.budgetFor(2024, 4);
    april.amounts[kFood] = 1000;
    april.amounts[kGoods] = 100;
    april.amounts[kSalary] = 200000;
    april.amounts[kIntoAccount] = 5000;
    budgets.setModified(false);
  }

  BudgetSheet sheet(int decimals = 0) {
    BudgetSheet s(f.store, budgets, settings, false, holidays, decimals);
    s.showMonth({2024, 4});
    return s;
  }

  LedgerFixture f;
  CBudgetList budgets = CBudgetList::withStandardBudget();
  PeriodSettings settings;
  NoHolidays holidays;
};

TEST_F(BudgetSheetTest, RowsShowRateAndWhatIsLeftOnEachSide) {
  BudgetSheet s = sheet();
  // Expense side: savings transfers are no rows; loan repayments are.
  ASSERT_EQ(s.rowCount(), 5);
  struct Row {
    int row;
    std::u16string name, budget, actual, rate, rest;
  };
  const Row expense[] = {
      {1, u"LCN-食費", u"rCN1,000", u"rCN1,500", u"rCN150", u"rCR-500"},  // over budget: red
      {2, u"LCN-日用品", u"rCN100", u"rCN29", u"rCN29", u"rCN71"},        // 29 of 100 is 29, not 28
      {3, u"LCN-借入返済", u"rCN0", u"rCN400", u"rCN ", u"rCR-400"},      // no budget: no rate
      {4, u"CCB合 計", u"rCN1,100", u"rCN1,929", u"rCN175", u"rCR-829"},
  };
  for (const Row& r : expense) {
    EXPECT_EQ(s.cellText(r.row, 0), r.name);
    EXPECT_EQ(s.cellText(r.row, 1), r.budget) << r.row;
    EXPECT_EQ(s.cellText(r.row, 2), r.actual) << r.row;
    EXPECT_EQ(s.cellText(r.row, 3), r.rate) << r.row;
    EXPECT_EQ(s.cellText(r.row, 4), r.rest) << r.row;
  }
  EXPECT_EQ(s.cellText(0, 0), u"CCB2024年 4月");
  EXPECT_EQ(s.cellText(0, 3), u"CCN消化率％");
  EXPECT_EQ(s.cellText(9, 1), u"CCN ");
  s.setSide(BudgetSide::Income);
  EXPECT_EQ(s.cellText(0, 4), u"CCN余剰金");
  ASSERT_EQ(s.rowCount(), 4);  // 給料, 借入から and the total
  EXPECT_EQ(s.cellText(1, 0), u"LCN+給料");
  EXPECT_EQ(s.cellText(1, 3), u"rCN75");
  EXPECT_EQ(s.cellText(1, 4), u"rCR-50,000");  // under the income budget: red
  EXPECT_EQ(s.cellText(3, 4), u"rCR-50,000");
  EXPECT_EQ(s.checkBoxCount(), 3);
}

TEST_F(BudgetSheetTest, SummaryLinesCountTargetsAndSavings) {
  BudgetSheet s = sheet();
  EXPECT_EQ(s.summary().savingsActual, 2000);
  EXPECT_EQ(s.summary().plannedBalance, 200000 - 1100);
  EXPECT_EQ(s.summary().actualBalance, 150000 - 1929);
  EXPECT_EQ(s.summaryLines()[0], u"貯蓄実績：       2,000");
  EXPECT_EQ(s.summaryLines()[1], u"収支目標：     198,900 = 200,000(収入) - 1,100(支出)");
  // A cleared check box takes the item out of the sums; its row keeps its name.
  ASSERT_TRUE(s.setTarget(1, false));
  EXPECT_EQ(f.store.itemByNumber(kFood)->itemOption(1), 0);
  EXPECT_TRUE(f.store.isModified());
  EXPECT_EQ(s.cellText(1, 0), u"LCN-食費");
  EXPECT_EQ(s.cellText(1, 1), u"CCN");
  EXPECT_EQ(s.cellText(4, 2), u"rCN429");
  EXPECT_EQ(s.summary().actualBalance, 150000 - 429);
  EXPECT_FALSE(s.setTarget(1, false));
}

TEST_F(BudgetSheetTest, NoFigureIsCutToItsField) {
  budgets.budgetFor(2024, 4).amounts[kFood] = -1234567890;
  BudgetSheet s = sheet();
  EXPECT_EQ(s.summaryLines()[1], u"収支目標：1,234,767,790 = 200,000(収入) - -1,234,567,790(支出)");
  EXPECT_EQ(padLeft(u"-1,234,567,890", 12), u"-1,234,567,890");
}

TEST_F(BudgetSheetTest, ABudgetIsEditedAsItsAmount) {
  budgets.budgetFor(2024, 4).amounts[kFood] = 150000;
  BudgetSheet s = sheet(2);
  EXPECT_EQ(s.editText(1), u"1500.00");
  // Taking the text back unchanged changes nothing.
  EXPECT_FALSE(s.setBudgetText(1, s.editText(1)).changed);
  EXPECT_FALSE(budgets.isModified());
  EXPECT_TRUE(s.setBudgetText(1, u"１，２００").changed);  // as an input method types it
  EXPECT_EQ(budgets.find({2024, 4})->amounts[kFood], 120000);
  EXPECT_TRUE(budgets.isModified());
  EXPECT_EQ(s.cellText(1, 1), u"rCN1,200.00");
  EXPECT_EQ(s.setBudgetText(1, u"abc").refused, MessageId::AmountNotANumber);
  EXPECT_EQ(s.setBudgetText(1, u"99999999999").refused, MessageId::AmountOutOfRange);
  EXPECT_EQ(budgets.find({2024, 4})->amounts[kFood], 120000);
  s.setTarget(1, false);
  EXPECT_FALSE(s.isEditable(1, 1));
  EXPECT_FALSE(s.setBudgetText(1, u"5").changed);
}

TEST_F(BudgetSheetTest, StandardBudgetCopiesTouchOnlyTheShownSide) {
  BudgetSheet s = sheet();
  s.copyToStandard();
  CBudget& standard = budgets.budgetFor(1, 1);
  EXPECT_EQ(standard.amounts[kFood], 1000);
  EXPECT_EQ(standard.amounts[kSalary], 0);
  standard.amounts[kFood] = 7;
  standard.amounts[kSalary] = 8;
  s.copyFromStandard();
  EXPECT_EQ(budgets.find({2024, 4})->amounts[kFood], 7);
  EXPECT_EQ(budgets.find({2024, 4})->amounts[kSalary], 200000);
  // A month without a budget starts from the standard one.
  s.nextMonth();
  EXPECT_EQ(s.rows()[0].budget, 7);
  EXPECT_EQ(s.caption(), u"予算/実績 2024年5月期(2024/5/1～2024/5/31)");
}

TEST_F(BudgetSheetTest, ClosingDay25WithBothNamings) {
  settings.closingDay = 25;
  BudgetSheet s(f.store, budgets, settings, false, holidays, 0);
  s.showMonthOf(dayFromYmd(2024, 4, 25));
  EXPECT_EQ(s.shownMonth(), (YearMonth{2024, 4}));
  EXPECT_EQ(s.bounds().first, dayFromYmd(2024, 3, 26));
  EXPECT_EQ(s.budgetMonth(), (BudgetMonth{2024, 4}));
  EXPECT_EQ(s.rows()[0].actual, 9999 + 1500);  // 31 March is in April's period
  s.showMonthOf(dayFromYmd(2024, 4, 26));
  EXPECT_EQ(s.shownMonth(), (YearMonth{2024, 5}));
  // Named by the month they start in, the period that holds 25 April is March's, and it uses
  // the budget of April.
  settings.namedByStart = true;
  BudgetSheet byStart(f.store, budgets, settings, false, holidays, 0);
  byStart.showMonthOf(dayFromYmd(2024, 4, 25));
  EXPECT_EQ(byStart.shownMonth(), (YearMonth{2024, 3}));
  EXPECT_EQ(byStart.bounds().last, dayFromYmd(2024, 4, 25));
  EXPECT_EQ(byStart.budgetMonth(), (BudgetMonth{2024, 4}));
  EXPECT_EQ(byStart.rows()[0].budget, 1000);
  EXPECT_EQ(byStart.caption(), u"予算/実績 2024年3月期(2024/3/26～2024/4/25)");
}

TEST(BudgetPercent, IsExactAndTruncated) {
  EXPECT_EQ(percentOf(29, 100), 29);
  EXPECT_EQ(percentOf(2, 3), 66);
  EXPECT_EQ(percentOf(-2, 3), -66);
  EXPECT_EQ(percentOf(1500, 1000), 150);
  EXPECT_EQ(percentOf(5, 0), std::nullopt);
  EXPECT_EQ(percentOf(int64_t{60} * INT32_MAX, INT32_MAX), 6000);
}

}  // namespace
}  // namespace sorami::test
