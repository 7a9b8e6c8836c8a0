#include "rules/Day.h"

#include <gtest/gtest.h>

namespace sorami {
namespace {

TEST(Day, KnownDays) {
  struct Case {
    int y, m, d;
    Day day;
    int weekday;
  };
  const Case cases[] = {
      {1899, 12, 30, 0, 6},    {1970, 1, 1, 25569, 4},     {2002, 10, 12, 37541, 6},
      {100, 1, 1, -657434, 5}, {9999, 12, 31, 2958465, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dayFromYmd(c.y, c.m, c.d), c.day);
    EXPECT_EQ(ymdFromDay(c.day), (Ymd{c.y, c.m, c.d}));
    EXPECT_EQ(weekdayOf(c.day), c.weekday);
  }
}

TEST(Day, InvalidDates) {
  EXPECT_EQ(dayFromYmd(2023, 2, 29), InvalidDay);
  EXPECT_EQ(dayFromYmd(99, 12, 31), InvalidDay);
  EXPECT_EQ(dayFromYmd(10000, 1, 1), InvalidDay);
  EXPECT_EQ(ymdFromDay(MaxDay + 1), (Ymd{-1, -1, -1}));
  EXPECT_EQ(parseIsoDate("2024-02-30"), InvalidDay);
  EXPECT_EQ(parseIsoDate("2024-02-29"), dayFromYmd(2024, 2, 29));
  EXPECT_EQ(isoDate(dayFromYmd(2026, 9, 22)), "2026-09-22");
}

}  // namespace
}  // namespace sorami
