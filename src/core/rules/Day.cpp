#include "rules/Day.h"

#include <charconv>
#include <cstdio>

namespace sorami {

namespace {
constexpr std::chrono::sys_days kEpoch = std::chrono::year{1899} / std::chrono::December / 30;
}

bool isValidYmd(int y, int m, int d) {
  if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  using namespace std::chrono;
  return year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}
      .ok();
}

Day dayFromYmd(int y, int m, int d) {
  if (!isValidYmd(y, m, d)) return InvalidDay;
  return dayFromYmdUnchecked(y, m, d);
}

bool isValidDay(Day day) {
  return day >= MinDay && day <= MaxDay;
}

Ymd ymdFromDay(Day day) {
  if (!isValidDay(day)) return {};
  using namespace std::chrono;
  const year_month_day ymd{kEpoch + days{day}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int weekdayOf(Day day) {
  if (!isValidDay(day)) return -1;
  using namespace std::chrono;
  return static_cast<int>(weekday{kEpoch + days{day}}.c_encoding());
}

std::string isoDate(Day day) {
  const Ymd ymd = ymdFromDay(day);
  if (ymd.year < 0) return "invalid";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", ymd.year, ymd.month, ymd.day);
  return buf;
}

Day parseIsoDate(std::string_view text) {
  int parts[3] = {0, 0, 0};
  const char* p = text.data();
  const char* end = text.data() + text.size();
  for (int i = 0; i < 3; ++i) {
    auto [next, ec] = std::from_chars(p, end, parts[i]);
    if (ec != std::errc{} || next == p) return InvalidDay;
    p = next;
    if (i < 2) {
      if (p == end || (*p != '-' && *p != '/')) return InvalidDay;
      ++p;
    }
  }
  if (p != end) return InvalidDay;
  return dayFromYmd(parts[0], parts[1], parts[2]);
}

}  // namespace sorami
