#include "reports/ItemFigure.h"

#include <gtest/gtest.h>

#include "ledger/Hinmei.h"

namespace sorami {
namespace {

constexpr uint16_t kExpense = EF_EXPENSE | EF_ITEM;
constexpr uint16_t kIncome = EF_INCOME | EF_ITEM;
constexpr uint16_t kSavings = EF_EXPENSE | EF_ACCOUNT | EF_ITEM;

struct FigureCase {
  const char* what;
  ItemRow row;
  int column;
  int64_t remainingDays;
  std::u16string text;
  bool red;
};

class ItemFigureCases : public testing::TestWithParam<FigureCase> {};

TEST_P(ItemFigureCases, ShowsTheFigureOfTheColumn) {
  const FigureCase& c = GetParam();
  const ItemFigure f = itemFigure(c.row, c.column, c.remainingDays);
  EXPECT_EQ(itemFigureText(f, 0), c.text) << c.what;
  EXPECT_EQ(f.red, c.red) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ItemFigureCases,
    testing::Values(
        FigureCase{"no budget: budget", {kExpense, 1, 5000, 0}, IC_BUDGET, 9, u"0", false},
        FigureCase{"no budget: guide", {kExpense, 1, 5000, 0}, IC_DAILY_GUIDE, 9, u"0", false},
        FigureCase{"no budget: rate", {kExpense, 1, 5000, 0}, IC_CONSUMPTION_RATE, 9, u"", false},
        FigureCase{
            "no budget: rest", {kExpense, 1, 5000, 0}, IC_REMAINING_BUDGET, 9, u"-5,000", true},
        FigureCase{"guide", {kExpense, 1, 12000, 30000}, IC_DAILY_GUIDE, 9, u"1,800", false},
        FigureCase{"rest", {kExpense, 1, 12000, 30000}, IC_REMAINING_BUDGET, 9, u"18,000", false},
        FigureCase{"rate", {kExpense, 1, 12000, 30000}, IC_CONSUMPTION_RATE, 9, u"40", false},
        FigureCase{
            "overspent rate", {kExpense, 1, 45000, 30000}, IC_CONSUMPTION_RATE, 9, u"150", true},
        FigureCase{"overspent rest",
                   {kExpense, 1, 45000, 30000},
                   IC_REMAINING_BUDGET,
                   9,
                   u"-15,000",
                   true},
        FigureCase{
            "income rate", {kIncome, 16, 150000, 200000}, IC_CONSUMPTION_RATE, 9, u"75", true},
        FigureCase{
            "income rest", {kIncome, 16, 150000, 200000}, IC_REMAINING_BUDGET, 9, u"-50,000", true},
        FigureCase{
            "last day divides by 1", {kExpense, 1, 1000, 4000}, IC_DAILY_GUIDE, 0, u"3,000", false},
        FigureCase{"past a fixed period's end",
                   {kExpense, 1, 1000, 4000},
                   IC_DAILY_GUIDE,
                   -1,
                   u"0",
                   false},
        FigureCase{"far past a fixed period's end",
                   {kExpense, 1, 1000, 4000},
                   IC_DAILY_GUIDE,
                   -9,
                   u"0",
                   false},
        FigureCase{"savings total", {kSavings, 12, 3000, 0}, IC_PERIOD_TOTAL, 9, u"3,000", false},
        FigureCase{"savings budget", {kSavings, 12, 3000, 7000}, IC_BUDGET, 9, u"", false},
        FigureCase{"savings guide", {kSavings, 12, 3000, 7000}, IC_DAILY_GUIDE, 9, u"", false},
        FigureCase{"savings rate", {kSavings, 12, 3000, 7000}, IC_CONSUMPTION_RATE, 9, u"", false},
        FigureCase{"savings rest", {kSavings, 12, 3000, 7000}, IC_REMAINING_BUDGET, 9, u"", false},
        FigureCase{"summary row keeps its total",
                   {EF_EXPENSE, ITEM_CASH_BALANCE, -2500, 9},
                   IC_BUDGET,
                   9,
                   u"-2,500",
                   true},
        FigureCase{"wide sum",
                   {kExpense, 1, 5000000000, 0},
                   IC_PERIOD_TOTAL,
                   9,
                   u"5,000,000,000",
                   false}));

TEST(ConsumptionRate, IsAWholePercentTruncatedTowardZero) {
  const struct {
    int64_t amount;
    int64_t work;
    std::u16string text;
  } cases[] = {
      {23, 5, u"460"},       // a quotient in double precision gave 459
      {29, 100, u"29"},      // 0.29 × 100 is 28.999... in double precision
      {57, 100, u"57"},      // likewise
      {999, 1000, u"99"},    // just below the whole budget
      {1000, 1000, u"100"},  // exactly the budget
      {1001, 1000, u"100"},  // just above it
      {1, 3, u"33"},
      {-23, 5, u"-460"},                 // a refund larger than the spending
      {-1, 3, u"-33"},                   // toward zero, not down
      {5000000000, 1, u"500000000000"},  // a total beyond 32 bits
  };
  for (const auto& c : cases) {
    const ItemFigure f = itemFigure({kExpense, 1, c.amount, c.work}, IC_CONSUMPTION_RATE, 9);
    EXPECT_EQ(itemFigureText(f, 0), c.text) << c.amount << " of " << c.work;
  }
}

TEST(ConsumptionRate, RedAtTheBudgetsEdge) {
  // An expense item turns red above 100 %, an income item at 100 % or below.
  EXPECT_FALSE(itemFigure({kExpense, 1, 1000, 1000}, IC_CONSUMPTION_RATE, 9).red);
  EXPECT_FALSE(itemFigure({kExpense, 1, 1009, 1000}, IC_CONSUMPTION_RATE, 9).red);  // 100
  EXPECT_TRUE(itemFigure({kExpense, 1, 1010, 1000}, IC_CONSUMPTION_RATE, 9).red);   // 101
  EXPECT_TRUE(itemFigure({kIncome, 16, 1009, 1000}, IC_CONSUMPTION_RATE, 9).red);
  EXPECT_FALSE(itemFigure({kIncome, 16, 1010, 1000}, IC_CONSUMPTION_RATE, 9).red);
}

TEST(ItemHeader, NamesTheColumnInSummaryModeOnly) {
  EXPECT_EQ(itemHeaderText(0, 3), u"A  M\t 項目名\t　日集計");
  EXPECT_EQ(itemHeaderText(2, 1), u"A  M\t 項目名\t　日集計");
  EXPECT_EQ(itemHeaderText(1, 0), u"A  M\t 項目名\t期間集計");
  EXPECT_EQ(itemHeaderText(1, 1), u"A  M\t 項目名\t期間集計");
  EXPECT_EQ(itemHeaderText(1, 3), u"A  M\t 項目名\t1日消費目安");
  EXPECT_EQ(itemHeaderText(1, 5), u"A  M\t 項目名\t予算残金");
}

}  // namespace
}  // namespace sorami
