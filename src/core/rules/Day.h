#pragma once
// Whole days as the data file counts them: day 0 is 1899-12-30, the automation-date epoch.

#include <chrono>
#include <cstdint>
#include <string>

namespace sorami {

using Day = int32_t;

struct Ymd {
  int year = -1;
  int month = -1;
  int day = -1;
  friend bool operator==(const Ymd&, const Ymd&) = default;
};

constexpr Day dayFromYmdUnchecked(int y, int m, int d) {
  using namespace std::chrono;
  constexpr sys_days epoch = year{1899} / December / 30;
  const sys_days sd = year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)};
  return static_cast<Day>((sd - epoch).count());
}

// The first day of the calendar (dates every definition) and the last (dates the end marker).
constexpr Day MinDay = dayFromYmdUnchecked(100, 1, 1);
constexpr Day MaxDay = dayFromYmdUnchecked(9999, 12, 31);
// Day 25569 is 1970-01-01, the start of the seconds-since-1970 times of old files.
constexpr Day UnixEpochDay = dayFromYmdUnchecked(1970, 1, 1);
// Stands for "no valid date"; converts to -1 for year, month and day.
constexpr Day InvalidDay = INT32_MIN;

static_assert(MinDay == -657434);
static_assert(MaxDay == 2958465);
static_assert(UnixEpochDay == 25569);

bool isValidYmd(int y, int m, int d);
// The day of a calendar date, or InvalidDay when the date does not exist or lies outside
// 0100-01-01 to 9999-12-31.
Day dayFromYmd(int y, int m, int d);
// Year, month and day of a day; all -1 for a day outside the calendar.
Ymd ymdFromDay(Day day);
// 0 Sunday to 6 Saturday; -1 for a day outside the calendar.
int weekdayOf(Day day);
bool isValidDay(Day day);
// "YYYY-MM-DD" for exports and the command line.
std::string isoDate(Day day);
// Parses "YYYY-MM-DD" (also "YYYY/MM/DD"); InvalidDay when it is not a date.
Day parseIsoDate(std::string_view text);

}  // namespace sorami
