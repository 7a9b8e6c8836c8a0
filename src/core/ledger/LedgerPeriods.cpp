#include "ledger/LedgerPeriods.h"

#include <algorithm>

namespace sorami {

std::vector<DaySpan> matrixMonths(YearMonth last, int n, const PeriodSettings& settings,
                                  const HolidayCalendar& holidays) {
  n = std::clamp(n, 1, static_cast<int>(kMaxMatrixMonths));
  std::vector<DaySpan> months;
  months.reserve(static_cast<size_t>(n));
  for (int i = n - 1; i >= 0; --i) {
    const Period p = monthBounds(addMonths(last, -i), false, settings, holidays);
    months.push_back({p.first, p.last});
  }
  return months;
}

BudgetMonth budgetMonthOf(Day currentDay, bool fixed, const PeriodSettings& settings,
                          const HolidayCalendar& holidays) {
  const Ymd naming = ymdFromDay(periodOf(currentDay, fixed, settings, holidays).naming);
  YearMonth ym{naming.year, naming.month};
  if (settings.namedByStart) ym = nextMonth(ym);
  return {static_cast<uint16_t>(ym.year), static_cast<uint16_t>(ym.month)};
}

}  // namespace sorami
