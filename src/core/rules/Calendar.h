#pragma once
// Calendar arithmetic on whole days: month lengths, stepping by days and months, today, and the
// short labels of dates. A day stands for the whole of that day, from its first to its last
// moment, so "start of day" and "end of day" are the day itself and a span of days is an
// inclusive range.

#include <ctime>
#include <string>

#include "platform/Clock.h"
#include "rules/Day.h"

namespace sorami {

// The days a user can reach. MinDay dates every definition and MaxDay the end marker, so no
// ledger line may fall on them: stepping and "today" stay inside these bounds.
constexpr Day FirstUserDay = MinDay + 1;
constexpr Day LastUserDay = MaxDay - 1;

struct YearMonth {
  int year = 0;
  int month = 0;
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};

Day clampToUserDays(Day day);

bool isLeapYear(int year);
// 28 to 31; 0 for a month outside 1 to 12.
int daysInMonth(int year, int month);
YearMonth nextMonth(YearMonth ym);
YearMonth previousMonth(YearMonth ym);
// Steps n months forwards (n > 0) or backwards (n < 0).
YearMonth addMonths(YearMonth ym, int n);

// The day (year, month, day) with day lowered to the month's length, and raised to 1; a year or
// month outside the calendar is brought to its nearest end. Always a day a user can reach.
Day clampDay(int year, int month, int day);
Day lastDayOfMonth(int year, int month);
Day firstDayOfMonth(int year, int month);

// The same day in the next month, lowered to that month's length (31 January gives the end of
// February).
Day sameDayNextMonth(Day day);
// The same day in the previous month, lowered to that month's length. Days in 1970 or earlier
// stay in their own month: times of old files count seconds from 1970 and cannot go back past it.
Day sameDayPreviousMonth(Day day);
// Exact for any number of days; the result stays between FirstUserDay and LastUserDay.
Day addDays(Day day, int64_t n);

// Today's day from a broken-down local time: a year above 9999 counts as 9999-12-31, and the
// hour offset (−24 to 24, the clock's difference to the user's day) is added before the time is
// cut to its day: with −3, 02:00 on the 5th is still the 4th.
Day todayFromLocalTime(const std::tm& local, int hourOffset);
Day today(const Clock& clock, int hourOffset);

// For each part given: a year outside 100 to 9999, a month outside 1 to 12 or a day outside 1
// to 31 is replaced by that part of the day. Lets a caller take "this year" or "this month" by
// leaving a part out of range.
void fillDateParts(Day day, int* year, int* month, int* dayOfMonth);

// One of 日月火水木金土; a space for a day outside the calendar.
char16_t weekdayChar(Day day);

// The date column of the detail lists, printed only where the date changes: "24/03/05(火)" for a
// new year, "   03/05(火)" for a new day of the same year, nine spaces for the same day.
class ListDateLabel {
 public:
  std::u16string label(Day day, bool withWeekday);
  void reset() { previous_ = InvalidDay; }

 private:
  Day previous_ = InvalidDay;
};

}  // namespace sorami
