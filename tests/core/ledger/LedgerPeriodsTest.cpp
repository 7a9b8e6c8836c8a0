#include "ledger/LedgerPeriods.h"

#include <gtest/gtest.h>

namespace sorami {
namespace {

TEST(LedgerPeriods, MatrixMonthsTileTheSpanEndingWithTheNamedMonth) {
  PeriodSettings settings;
  settings.closingDay = 25;
  const NoHolidays holidays;
  const std::vector<DaySpan> months = matrixMonths({2024, 3}, 3, settings, holidays);
  ASSERT_EQ(months.size(), 3u);
  EXPECT_EQ(months[0].first, dayFromYmd(2023, 12, 26));
  EXPECT_EQ(months[2].last, dayFromYmd(2024, 3, 25));
  for (size_t i = 1; i < months.size(); ++i) EXPECT_EQ(months[i].first, months[i - 1].last + 1);
  EXPECT_EQ(matrixMonths({2024, 3}, 99, settings, holidays).size(), kMaxMatrixMonths);
}

TEST(LedgerPeriods, TheBudgetMonthFollowsThePeriodNaming) {
  PeriodSettings settings;
  settings.closingDay = 25;
  const NoHolidays holidays;
  EXPECT_EQ(budgetMonthOf(dayFromYmd(2024, 1, 26), false, settings, holidays),
            (BudgetMonth{2024, 2}));
  settings.namedByStart = true;
  EXPECT_EQ(budgetMonthOf(dayFromYmd(2024, 1, 26), false, settings, holidays),
            (BudgetMonth{2024, 2}));
  EXPECT_EQ(budgetMonthOf(dayFromYmd(2024, 12, 26), false, settings, holidays),
            (BudgetMonth{2025, 1}));
}

}  // namespace
}  // namespace sorami
