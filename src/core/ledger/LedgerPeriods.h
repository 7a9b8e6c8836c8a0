#pragma once
// The accounting months the store's figures are asked for, from the closing settings.

#include <vector>

#include "ledger/Budget.h"
#include "ledger/HinmeiList.h"
#include "rules/Period.h"

namespace sorami {

// The n accounting months (1 to 60) that end with the one named `last`, oldest first: the
// columns of the monthly matrix and of the monthly totals of a name.
std::vector<DaySpan> matrixMonths(YearMonth last, int n, const PeriodSettings& settings,
                                  const HolidayCalendar& holidays);

// The month whose budget the window shows: the naming month of the current day's accounting
// period, or the month after it when periods are named by the month they start in.
BudgetMonth budgetMonthOf(Day currentDay, bool fixed, const PeriodSettings& settings,
                          const HolidayCalendar& holidays);

}  // namespace sorami
