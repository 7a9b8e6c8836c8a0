#pragma once
// Accounting months: the closing date (締日) of a calendar month, moved off rest days and
// holidays, and the span of days that ends on it.

#include "rules/Calendar.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

enum HolidayRule : int {
  HR_STAY = 0,    // closing dates stay on rest days and holidays
  HR_BEFORE = 1,  // 休日前: move to the working day before
  HR_AFTER = 2,   // 休日後: move to the working day after
};

// The closing settings of a data file; the defaults are those of a new file.
struct PeriodSettings {
  int closingDay = 31;        // 1 to 31; 0 or less, or past the month's length: the month's end
  unsigned restDays = 0x41;   // bit n: weekday n (0 Sunday) is a weekly rest day
  int holidayRule = HR_STAY;  // HolidayRule
  bool sameWeek = false;      // keep the closing date inside its own week
  bool dayBefore = false;     // the month ends the day before the closing date
  bool namedByStart = false;  // a period is named by the month it starts in, not the one it ends
  Day fixedStart = MinDay;    // the fixed period used instead of accounting months on request
  Day fixedEnd = MaxDay;
};

// An inclusive range of days with the month that names it (its first day).
struct Period {
  Day first = MinDay;
  Day last = MaxDay;
  Day naming = MinDay;
  bool contains(Day day) const { return day >= first && day <= last; }
  friend bool operator==(const Period&, const Period&) = default;
};

// True when the day is a weekly rest day or, unless closing dates stay on holidays, a holiday.
bool isNonWorkingDay(Day day, const PeriodSettings& settings, const HolidayCalendar& holidays);
// Moves a closing date off rest days and holidays by the holiday rule and the same-week rule;
// at most 30 days, so a longer run of rest days leaves it on one.
Day moveOffRestDays(Day day, const PeriodSettings& settings, const HolidayCalendar& holidays);

// The last day of the accounting month that closes in (year, month).
Day closingDate(int year, int month, const PeriodSettings& settings,
                const HolidayCalendar& holidays);
// The same with the closing settings given one by one, as automatic-entry rules keep their own.
Day closingDate(int year, int month, int closingDay, unsigned restDays, int holidayRule,
                bool sameWeek, bool dayBefore, const HolidayCalendar& holidays);

// The accounting month named (year, month), or the fixed period when asked for.
Period monthBounds(YearMonth ym, bool fixed, const PeriodSettings& settings,
                   const HolidayCalendar& holidays);
// The accounting month that contains the day, or the fixed period when asked for (named by the
// month of its end).
Period periodOf(Day day, bool fixed, const PeriodSettings& settings,
                const HolidayCalendar& holidays);
// The n accounting months that end with the one named (year, month) as one range, named by its
// first month. n below 1 counts as 1.
Period spanOfMonths(YearMonth ym, int n, const PeriodSettings& settings,
                    const HolidayCalendar& holidays);

}  // namespace sorami
