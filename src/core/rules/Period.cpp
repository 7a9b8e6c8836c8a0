#include "rules/Period.h"

#include <algorithm>

namespace sorami {

namespace {

constexpr int kMaxMoves = 30;

int directionOf(int holidayRule) {
  if (holidayRule == HR_BEFORE) return -1;
  if (holidayRule == HR_AFTER) return 1;
  return 0;
}

// The same-week rule: a closing date early in the week (Sunday to Wednesday) first looks back
// within its week, one late in the week (Thursday to Saturday) first looks forward. When that
// search reaches the week's edge, the date is moved the other way instead. Returns the direction
// for the general move; `day` may have been moved already.
int sameWeekDirection(Day& day, int direction, const PeriodSettings& settings,
                      const HolidayCalendar& holidays) {
  const int w = weekdayOf(day) + 1;  // 1 Sunday to 7 Saturday
  const int inward = w <= 4 ? -1 : 1;
  const int count = w <= 4 ? w : 8 - w;
  if (count <= 1) return -inward;
  for (int counter = 1; isNonWorkingDay(day, settings, holidays);) {
    day = addDays(day, inward);
    if (++counter >= count) return -inward;
  }
  return direction;
}

}  // namespace

bool isNonWorkingDay(Day day, const PeriodSettings& settings, const HolidayCalendar& holidays) {
  const int weekday = weekdayOf(day);
  if (weekday >= 0 && (settings.restDays >> weekday & 1u) != 0) return true;
  return settings.holidayRule != HR_STAY && holidays.kindOfDay(day) != 0;
}

Day moveOffRestDays(Day day, const PeriodSettings& settings, const HolidayCalendar& holidays) {
  day = clampToUserDays(day);
  int direction = directionOf(settings.holidayRule);
  if (settings.sameWeek) direction = sameWeekDirection(day, direction, settings, holidays);
  for (int i = 0; i < kMaxMoves && isNonWorkingDay(day, settings, holidays); ++i) {
    day = addDays(day, direction);
  }
  return day;
}

Day closingDate(int year, int month, const PeriodSettings& settings,
                const HolidayCalendar& holidays) {
  // A month before the calendar closes on MinDay, so the first period starts on the first day a
  // user can reach.
  const YearMonth ym = addMonths({year, month}, 0);  // month 13 is January of the next year
  if (ym.year < 100) return MinDay;
  const int length = daysInMonth(ym.year, ym.month);
  const int closingDay =
      settings.closingDay <= 0 || settings.closingDay >= length ? length : settings.closingDay;
  Day day = moveOffRestDays(clampDay(ym.year, ym.month, closingDay), settings, holidays);
  if (settings.dayBefore) day = addDays(day, -1);
  return day;
}

Day closingDate(int year, int month, int closingDay, unsigned restDays, int holidayRule,
                bool sameWeek, bool dayBefore, const HolidayCalendar& holidays) {
  PeriodSettings settings;
  settings.closingDay = closingDay;
  settings.restDays = restDays;
  settings.holidayRule = holidayRule;
  settings.sameWeek = sameWeek;
  settings.dayBefore = dayBefore;
  return closingDate(year, month, settings, holidays);
}

Period monthBounds(YearMonth ym, bool fixed, const PeriodSettings& settings,
                   const HolidayCalendar& holidays) {
  const Day naming = firstDayOfMonth(ym.year, ym.month);
  if (fixed) return {settings.fixedStart, settings.fixedEnd, naming};
  const YearMonth before = settings.namedByStart ? ym : previousMonth(ym);
  const YearMonth closing = settings.namedByStart ? nextMonth(ym) : ym;
  return {addDays(closingDate(before.year, before.month, settings, holidays), 1),
          closingDate(closing.year, closing.month, settings, holidays), naming};
}

Period periodOf(Day day, bool fixed, const PeriodSettings& settings,
                const HolidayCalendar& holidays) {
  if (fixed) {
    const Ymd end = ymdFromDay(clampToUserDays(settings.fixedEnd));
    return {settings.fixedStart, settings.fixedEnd, firstDayOfMonth(end.year, end.month)};
  }
  day = clampToUserDays(day);
  const Ymd d = ymdFromDay(day);
  // A closing date is normally moved by a few days at most, so a day belongs to the period that
  // closes in the month before it, in its own month or in the month after. Long runs of rest
  // days can move closing dates by up to 30 days, so the search goes two months further either
  // way before it gives up.
  YearMonth naming = previousMonth({d.year, d.month});
  const YearMonth twoBefore = previousMonth(naming);
  Day start = addDays(closingDate(twoBefore.year, twoBefore.month, settings, holidays), 1);
  Day end = closingDate(naming.year, naming.month, settings, holidays);
  for (int step = 0; step < 2 && day < start; ++step) {
    naming = previousMonth(naming);
    end = addDays(start, -1);
    const YearMonth before = previousMonth(naming);
    start = addDays(closingDate(before.year, before.month, settings, holidays), 1);
  }
  for (int step = 0; step < 5 && day > end; ++step) {
    naming = nextMonth(naming);
    start = addDays(end, 1);
    end = closingDate(naming.year, naming.month, settings, holidays);
  }
  if (settings.namedByStart) naming = previousMonth(naming);
  return {start, end, firstDayOfMonth(naming.year, naming.month)};
}

Period spanOfMonths(YearMonth ym, int n, const PeriodSettings& settings,
                    const HolidayCalendar& holidays) {
  const Period first = monthBounds(addMonths(ym, -(std::max(n, 1) - 1)), false, settings, holidays);
  const Period last = monthBounds(ym, false, settings, holidays);
  return {first.first, last.last, periodOf(first.first, false, settings, holidays).naming};
}

}  // namespace sorami
