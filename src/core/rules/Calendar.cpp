#include "rules/Calendar.h"

#include <algorithm>
#include <cstdio>

namespace sorami {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t floorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

Day clampToUserDays(Day day) {
  return std::clamp(day, FirstUserDay, LastUserDay);
}

bool isLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month) {
  static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kLengths[month - 1];
}

YearMonth addMonths(YearMonth ym, int n) {
  const int64_t index = int64_t{ym.year} * 12 + (ym.month - 1) + n;
  return {static_cast<int>(floorDiv(index, 12)),
          static_cast<int>(index - floorDiv(index, 12) * 12) + 1};
}

YearMonth nextMonth(YearMonth ym) {
  return addMonths(ym, 1);
}
YearMonth previousMonth(YearMonth ym) {
  return addMonths(ym, -1);
}

Day clampDay(int year, int month, int day) {
  if (year < 100) return FirstUserDay;
  if (year > 9999) return LastUserDay;
  month = std::clamp(month, 1, 12);
  day = std::clamp(day, 1, daysInMonth(year, month));
  return clampToUserDays(dayFromYmdUnchecked(year, month, day));
}

Day lastDayOfMonth(int year, int month) {
  return clampDay(year, month, 31);
}
Day firstDayOfMonth(int year, int month) {
  return clampDay(year, month, 1);
}

Day sameDayNextMonth(Day day) {
  const Ymd d = ymdFromDay(clampToUserDays(day));
  const YearMonth next = nextMonth({d.year, d.month});
  return clampDay(next.year, next.month, d.day);
}

Day sameDayPreviousMonth(Day day) {
  const Ymd d = ymdFromDay(clampToUserDays(day));
  if (d.year <= 1970) return clampDay(d.year, d.month, d.day);
  const YearMonth previous = previousMonth({d.year, d.month});
  return clampDay(previous.year, previous.month, d.day);
}

Day addDays(Day day, int64_t n) {
  const int64_t sum = int64_t{day} + std::clamp<int64_t>(n, INT32_MIN, INT32_MAX);
  return static_cast<Day>(std::clamp<int64_t>(sum, FirstUserDay, LastUserDay));
}

Day todayFromLocalTime(const std::tm& local, int hourOffset) {
  const int64_t year = int64_t{local.tm_year} + 1900;
  Day day;
  int64_t seconds = 0;
  if (year > 9999) {
    day = MaxDay;
  } else if (year < 100) {
    day = MinDay;
  } else {
    day = clampDay(static_cast<int>(year), local.tm_mon + 1, local.tm_mday);
    seconds = int64_t{local.tm_hour} * 3600 + int64_t{local.tm_min} * 60 + local.tm_sec;
  }
  seconds += int64_t{std::clamp(hourOffset, -24, 24)} * 3600;
  return addDays(day, floorDiv(seconds, kSecondsPerDay));
}

Day today(const Clock& clock, int hourOffset) {
  const std::time_t now = std::chrono::system_clock::to_time_t(clock.now());
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return LastUserDay;  // beyond what the C library holds
  return todayFromLocalTime(local, hourOffset);
}

void fillDateParts(Day day, int* year, int* month, int* dayOfMonth) {
  const Ymd d = ymdFromDay(day);
  if (year != nullptr && (*year < 100 || *year > 9999)) *year = d.year;
  if (month != nullptr && (*month < 1 || *month > 12)) *month = d.month;
  if (dayOfMonth != nullptr && (*dayOfMonth < 1 || *dayOfMonth > 31)) *dayOfMonth = d.day;
}

char16_t weekdayChar(Day day) {
  static constexpr char16_t kNames[] = u"日月火水木金土";
  const int weekday = weekdayOf(day);
  return weekday < 0 ? u' ' : kNames[weekday];
}

std::u16string ListDateLabel::label(Day day, bool withWeekday) {
  const Ymd d = ymdFromDay(day);
  if (d.year < 0) return std::u16string(9, u' ');
  const Ymd before = ymdFromDay(previous_);
  previous_ = day;
  if (d == before) return std::u16string(9, u' ');
  char text[16];
  if (d.year == before.year) {
    std::snprintf(text, sizeof text, "   %2.2d/%2.2d", d.month, d.day);
  } else {
    std::snprintf(text, sizeof text, "%2.2d/%2.2d/%2.2d", d.year % 100, d.month, d.day);
  }
  std::u16string result(text, text + std::char_traits<char>::length(text));
  if (withWeekday) {
    result += u'(';
    result += weekdayChar(day);
    result += u')';
  } else {
    result += u' ';
  }
  return result;
}

}  // namespace sorami
