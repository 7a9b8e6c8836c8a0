#include <gtest/gtest.h>

#include "LedgerFixture.h"
#include "ledger/BudgetList.h"

namespace sorami::test {
namespace {

TEST(Balances, AnEmptyLedgerHoldsItsInitialCashOnEveryDay) {
  LedgerFixture f(10000);
  for (Day d : {day(1), day(400), MaxDay}) {
    f.showDay(d);
    EXPECT_EQ(f.store.cashBalance(), 10000);
    EXPECT_EQ(f.row(ITEM_TOTAL_ASSETS), 10000);
    EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000);
  }
}

TEST(Balances, ADepositMovesCashIntoTheAccountAndLeavesTheAssets) {
  LedgerFixture f(10000);
  f.account(u"A", 5000);
  f.add(day(2), kIntoAccount, 3000, u"A");
  f.showDay(day(3));
  EXPECT_EQ(f.store.cashBalance(), 7000);
  EXPECT_EQ(f.store.findAccount(u"A")->balance, 8000);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 8000);
  EXPECT_EQ(f.row(ITEM_TOTAL_ASSETS), 15000);
}

TEST(Balances, BorrowingInsideTheWindowAndALoanOutsideTheAssets) {
  struct Case {
    bool outside;
    int64_t loans, assets;
  };
  for (const Case& c : {Case{false, 2000, 10000}, Case{true, 0, 12000}}) {
    LedgerFixture f(10000);
    f.loan(u"L", 0, c.outside);
    f.add(day(1), kBorrow, 2000, u"L");
    f.showDay(day(1));
    EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 12000);
    EXPECT_EQ(f.row(ITEM_LOAN_BALANCE), c.loans);
    EXPECT_EQ(f.row(ITEM_TOTAL_ASSETS), c.assets);
    // The running computation counts every loan in the assets.
    f.showDay(day(2));
    EXPECT_EQ(f.row(ITEM_LOAN_BALANCE), 2000);
    EXPECT_EQ(f.row(ITEM_TOTAL_ASSETS), 10000);
  }
}

TEST(Balances, TransfersCountInTheTotalsOnlyWhenTheOptionSaysSo) {
  for (bool savings : {false, true}) {
    LedgerFixture f(10000);
    f.store.context().options.savingsInTotals = savings;
    f.account(u"A", 0);
    f.add(day(1), kIntoAccount, 700, u"A");
    f.showDay(day(1));
    EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 9300);
    EXPECT_EQ(f.row(ITEM_EXPENSE_TOTAL), savings ? 700 : 0);
    EXPECT_EQ(f.row(ITEM_INCOME_TOTAL), 0);
    EXPECT_EQ(f.store.itemTotal(kIntoAccount), 700);
  }
}

TEST(Balances, APairBetweenTwoAccountsAddsToNoTotalUnderThePairOption) {
  for (bool pairOption : {true, false}) {
    LedgerFixture f(10000);
    f.store.context().options.pairOption = pairOption;
    f.store.context().options.savingsInTotals = true;
    f.account(u"A", 1000);
    f.account(u"B", 0);
    f.addPair(LedgerFixture::line(day(1), kOutOfAccount, 400, u"A"),
              LedgerFixture::line(day(1), kIntoAccount, 400, u"B"));
    const int64_t expected = pairOption ? 0 : 400;
    const auto check = [&] {
      EXPECT_EQ(f.store.itemTotal(kOutOfAccount), expected);
      EXPECT_EQ(f.store.itemTotal(kIntoAccount), expected);
      EXPECT_EQ(f.row(ITEM_INCOME_TOTAL), expected);
      EXPECT_EQ(f.row(ITEM_EXPENSE_TOTAL), expected);
      EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000);
      EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 1000);
    };
    check();  // kept current while inserting
    f.showDay(day(1), true);
    check();  // and computed afresh
    f.store.removeWithTotals(f.store.firstDated());
    EXPECT_EQ(f.row(ITEM_INCOME_TOTAL), 0);
    EXPECT_EQ(f.row(ITEM_EXPENSE_TOTAL), 0);
    EXPECT_EQ(f.store.itemTotal(kIntoAccount), 0);
  }
}

TEST(Balances, TheWatchRecordsTheFirstFutureShortfallWithinItsDays) {
  LedgerFixture f(100000);
  f.prompts.newAccounts.push_back(NewAccount{u"A", 5000, 1000, 7});
  f.store.registerAccount(u"A", kKindAccount, -1, kAskInitialBalance);
  f.store.context().today = day(10);
  f.add(day(5), kOutOfAccount, 4500, u"A");   // 500: below, but in the past
  f.add(day(11), kIntoAccount, 2000, u"A");   // 2500
  f.add(day(13), kOutOfAccount, 1950, u"A");  // 550: the one
  f.add(day(14), kOutOfAccount, 50, u"A");    // later ones are not kept
  f.add(day(30), kOutOfAccount, 10, u"A");    // beyond the watch days
  f.store.computeToDay(MaxDay, true, true);
  const Shortfall& s = f.store.findAccount(u"A")->shortfall;
  EXPECT_EQ(s.date, day(13));
  EXPECT_EQ(s.amount, 1950);
  EXPECT_EQ(s.balance, 550);
  EXPECT_EQ(s.itemName, u"口座から");
  EXPECT_EQ(s.productName, u"A");
}

TEST(Balances, SumsBeyondThirtyTwoBitsStayExact) {
  LedgerFixture f(0);
  for (int i = 1; i <= 30; ++i) f.add(day(i), kSalary, 2'000'000'000);
  f.showPeriod(day(1), day(31));
  const int64_t total = int64_t{30} * 2'000'000'000;
  EXPECT_EQ(f.row(ITEM_INCOME_TOTAL), total);
  EXPECT_EQ(f.store.itemTotal(kSalary), total);
  EXPECT_EQ(f.store.summaryRow(ITEM_INCOME_TOTAL).amount, INT32_MAX);  // held, not wrapped
  EXPECT_EQ(f.store.itemByNumber(kSalary)->amount, INT32_MAX);
  f.showDay(day(40));
  EXPECT_EQ(f.store.cashBalance(), total);
  const auto totals = f.store.totalsByItem(day(1), day(40));
  EXPECT_EQ(totals[kSalary], total);
}

TEST(Balances, TheWindowCarriesTheBudgetOfItsMonth) {
  LedgerFixture f;
  CBudgetList budgets = CBudgetList::withStandardBudget();
  budgets.budgetFor(2024, 1).amounts[kFood] = 30000;
  f.store.context().budgets = &budgets;
  f.store.context().window.budgetMonth = {2024, 1};
  f.showDay(day(3));
  EXPECT_EQ(f.store.itemByNumber(kFood)->work, 30000);
  f.store.context().window.budgetMonth = {2024, 2};
  f.showDay(day(3));
  EXPECT_EQ(f.store.itemByNumber(kFood)->work, 0);
}

TEST(Balances, EditingAnEntryMovesItsFiguresAndItsPartnerFollows) {
  LedgerFixture f(10000);
  f.account(u"A", 0);
  f.add(day(1), kFood, 300);
  const auto p = f.addPair(LedgerFixture::line(day(1), kIntoAccount, 500, u"A"),
                           LedgerFixture::line(day(1), kSalary, 500, u"s"));
  EXPECT_EQ(f.store.editEntry(p, {EntryEdit::Action::Ok, u"A", 800, u"memo"}),
            EditOutcome::Changed);
  EXPECT_EQ(std::next(p)->amount, 800);
  EXPECT_EQ(p->visibleMemo(), u"memo");
  EXPECT_EQ(f.store.itemTotal(kIntoAccount), 800);
  EXPECT_EQ(f.store.itemTotal(kSalary), 800);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000 - 300);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 800);
  // Deleting asks first when the option says so, and removes the pair.
  f.store.context().options.confirmDeletion = true;
  f.prompts.answers = {Answer::No, Answer::Yes};
  EXPECT_EQ(f.store.editEntry(p, {EntryEdit::Action::Delete, u"A", 0, {}}), EditOutcome::Cancelled);
  EXPECT_EQ(f.store.editEntry(p, {EntryEdit::Action::Delete, u"A", 0, {}}), EditOutcome::Removed);
  EXPECT_EQ(f.prompts.shown.back().text, u"ﾃﾞｰﾀ（A）を削除してよろしいですか？");
  EXPECT_EQ(f.store.itemTotal(kSalary), 0);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 0);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000 - 300);
}

TEST(Balances, AnEditThatWouldTakeThePartnerOutOfRangeIsRefused) {
  LedgerFixture f;
  const auto p =
      f.addPair(LedgerFixture::line(day(1), kFood, 500), LedgerFixture::line(day(1), kSalary, 100));
  for (int64_t amount : {int64_t{-2'147'483'600}, int64_t{3'000'000'000}}) {
    EXPECT_EQ(f.store.editEntry(p, {EntryEdit::Action::Ok, u"x", amount, {}}),
              EditOutcome::Refused);
  }
  EXPECT_EQ(f.prompts.shown.size(), 2u);
  EXPECT_TRUE(f.prompts.wasShown(MessageId::AmountOutOfRange));
  EXPECT_EQ(p->amount, 500);
  EXPECT_EQ(std::next(p)->amount, 100);
}

TEST(Balances, ADefinitionLineIsEditedAsItsAccount) {
  LedgerFixture f;
  f.account(u"A", 0);
  const CHinmei& item = *f.store.itemByNumber(kIntoAccount);
  EXPECT_EQ(f.store.editDefinitionLine(item, u"A", {EntryEdit::Action::Delete, u"A", 0, {}}),
            EditOutcome::Refused);
  EXPECT_TRUE(f.prompts.wasShown(MessageId::NotRealData));
  EXPECT_EQ(f.store.editDefinitionLine(item, u"A", {EntryEdit::Action::Ok, u"B", 250, u"m"}),
            EditOutcome::Changed);
  const auto def = f.store.definitionByName(u"B", EF_ACCOUNT);
  ASSERT_TRUE(def);
  EXPECT_EQ((*def)->visibleMemo(), u"m");
  EXPECT_EQ(f.store.firstDated()->name, u"B");
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 250);
}

TEST(Balances, TheMonthlyMatrixCarriesBalancesThroughItsMonths) {
  LedgerFixture f(1000);
  f.account(u"A", 500);
  f.add(day(1), kFood, 100);                 // before the span
  f.add(day(1), kIntoAccount, 200, u"A");    // before the span
  f.add(day(40), kSalary, 3000);             // February
  f.add(day(70), kFood, 50);                 // March
  f.add(day(75), kIntoAccount, 1000, u"A");  // March
  f.add(day(100), kFood, 7);                 // after the span
  const std::vector<DaySpan> months = {{dayFromYmd(2024, 2, 1), dayFromYmd(2024, 2, 29)},
                                       {dayFromYmd(2024, 3, 1), dayFromYmd(2024, 3, 31)}};
  const MonthlyMatrix m = f.store.monthlyMatrix(months);
  EXPECT_EQ(m.cells[kSalary][1], 3000);
  EXPECT_EQ(m.cells[kFood][2], 50);
  EXPECT_EQ(m.cells[kFood][0], 50);
  EXPECT_EQ(m.cells[kRowCash][1], 1000 - 300 + 3000);
  EXPECT_EQ(m.cells[kRowCash][2], 3700 - 1050);
  EXPECT_EQ(m.cells[kRowAccounts][2], 1700);
  EXPECT_EQ(m.cells[kRowAssets][0], 2650 + 1700);
  EXPECT_EQ(m.last, dayFromYmd(2024, 3, 31));
  EXPECT_EQ(m.lastColumn, 2);
  // Monthly totals of a name count each line once across the calls that share what they counted,
  // and leave the stored flags alone.
  std::vector<int64_t> row;
  CountedLines counted;
  f.store.monthlyTotalsOfName(kFood, u"", false, months, row, &counted);
  EXPECT_EQ(row, (std::vector<int64_t>{50, 0, 50}));
  row.assign(3, 0);
  f.store.monthlyTotalsOfName(kFood, u"", false, months, row, &counted);
  EXPECT_EQ(row[0], 0);
  f.store.monthlyTotalsOfName(kFood, u"", false, months, row);
  EXPECT_EQ(row[0], 50);
  for (const CHinmei& e : f.store.entries()) EXPECT_EQ(e.flags & EF_MARK, 0);
}

}  // namespace
}  // namespace sorami::test
