#include "rules/Calendar.h"

#include <gtest/gtest.h>

namespace sorami {
namespace {

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

TEST(Calendar, MonthLengths) {
  struct Case {
    int year, month, days;
  };
  const Case cases[] = {{2024, 2, 29}, {2023, 2, 28},  {1900, 2, 28}, {2000, 2, 29},
                        {2023, 4, 30}, {2023, 12, 31}, {2023, 13, 0}, {2023, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(daysInMonth(c.year, c.month), c.days) << c.year;
  EXPECT_EQ(lastDayOfMonth(2024, 2), ymd(2024, 2, 29));
  EXPECT_EQ(clampDay(2023, 2, 31), ymd(2023, 2, 28));
  EXPECT_EQ(clampDay(2023, 2, 0), ymd(2023, 2, 1));
  EXPECT_EQ(clampDay(10000, 1, 1), LastUserDay);
  EXPECT_EQ(clampDay(99, 12, 31), FirstUserDay);
}

TEST(Calendar, StepsMonths) {
  EXPECT_EQ(nextMonth({2024, 12}), (YearMonth{2025, 1}));
  EXPECT_EQ(previousMonth({2024, 1}), (YearMonth{2023, 12}));
  EXPECT_EQ(addMonths({2024, 1}, -13), (YearMonth{2022, 12}));
  EXPECT_EQ(addMonths({2024, 11}, 26), (YearMonth{2027, 1}));

  struct Case {
    Day from, next, previous;
  };
  const Case cases[] = {
      {ymd(2024, 1, 31), ymd(2024, 2, 29), ymd(2023, 12, 31)},
      {ymd(2024, 3, 31), ymd(2024, 4, 30), ymd(2024, 2, 29)},
      {ymd(2023, 3, 31), ymd(2023, 4, 30), ymd(2023, 2, 28)},
      {ymd(2024, 12, 15), ymd(2025, 1, 15), ymd(2024, 11, 15)},
      // Up to 1970 the previous month is the date's own month.
      {ymd(1970, 3, 31), ymd(1970, 4, 30), ymd(1970, 3, 31)},
      {ymd(1971, 1, 31), ymd(1971, 2, 28), ymd(1970, 12, 31)},
      // Stepping never reaches the end marker or the definitions' day.
      {ymd(9999, 12, 15), LastUserDay, ymd(9999, 11, 15)},
      {MaxDay, LastUserDay, ymd(9999, 11, 30)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sameDayNextMonth(c.from), c.next) << isoDate(c.from);
    EXPECT_EQ(sameDayPreviousMonth(c.from), c.previous) << isoDate(c.from);
  }
}

TEST(Calendar, AddsAnyNumberOfDays) {
  struct Case {
    Day from;
    int64_t n;
    Day result;
  };
  const Case cases[] = {
      {ymd(2024, 12, 31), 1, ymd(2025, 1, 1)},
      {ymd(2024, 3, 1), -1, ymd(2024, 2, 29)},
      {ymd(2024, 1, 31), 31, ymd(2024, 3, 2)},
      {ymd(2000, 1, 1), 3653, ymd(2010, 1, 1)},
      {ymd(2010, 1, 1), -3653, ymd(2000, 1, 1)},
      {ymd(2000, 1, 1), 1000000, ymd(4737, 11, 28)},
      {ymd(2000, 1, 1), -700000, FirstUserDay},
      {ymd(9999, 12, 1), 40, LastUserDay},
      {MinDay, 0, FirstUserDay},
      {ymd(2000, 1, 1), INT64_MAX, LastUserDay},
      {ymd(2000, 1, 1), INT64_MIN, FirstUserDay},
  };
  for (const Case& c : cases) EXPECT_EQ(addDays(c.from, c.n), c.result) << c.n;
}

class FixedClock : public Clock {
 public:
  explicit FixedClock(std::chrono::system_clock::time_point t) : t_(t) {}
  std::chrono::system_clock::time_point now() const override { return t_; }

 private:
  std::chrono::system_clock::time_point t_;
};

TEST(Calendar, TodayAppliesTheHourOffset) {
  using namespace std::chrono;
  // 02:00 on 5 March 2026 in Tokyo, nine hours ahead of UTC.
  const FixedClock clock{sys_days{year{2026} / March / 4} + hours{17}};
  struct Case {
    int offset;
    Day today;
  };
  const Case cases[] = {{0, ymd(2026, 3, 5)},  {-3, ymd(2026, 3, 4)},  {-2, ymd(2026, 3, 5)},
                        {22, ymd(2026, 3, 6)}, {-24, ymd(2026, 3, 4)}, {-99, ymd(2026, 3, 4)},
                        {99, ymd(2026, 3, 6)}};
  for (const Case& c : cases) EXPECT_EQ(today(clock, c.offset), c.today) << c.offset;
}

TEST(Calendar, TodayStaysInsideTheCalendar) {
  std::tm past9999{};
  past9999.tm_year = 12000 - 1900;
  past9999.tm_mon = 5;
  past9999.tm_mday = 1;
  EXPECT_EQ(todayFromLocalTime(past9999, 0), LastUserDay);
  EXPECT_EQ(todayFromLocalTime(past9999, -24), LastUserDay);

  std::tm lastDay{};
  lastDay.tm_year = 9999 - 1900;
  lastDay.tm_mon = 11;
  lastDay.tm_mday = 31;
  lastDay.tm_hour = 12;
  EXPECT_EQ(todayFromLocalTime(lastDay, 0), LastUserDay);

  std::tm early{};
  early.tm_year = 50 - 1900;
  early.tm_mday = 1;
  EXPECT_EQ(todayFromLocalTime(early, 0), FirstUserDay);
}

TEST(Calendar, FillsMissingDateParts) {
  int y = 0, m = 5, d = 40;
  fillDateParts(ymd(2024, 3, 7), &y, &m, &d);
  EXPECT_EQ(y, 2024);
  EXPECT_EQ(m, 5);
  EXPECT_EQ(d, 7);
  int m2 = 13;
  fillDateParts(ymd(2024, 3, 7), nullptr, &m2, nullptr);
  EXPECT_EQ(m2, 3);
}

TEST(Calendar, WeekdayCharacters) {
  EXPECT_EQ(weekdayChar(ymd(2025, 3, 1)), u'土');
  EXPECT_EQ(weekdayChar(ymd(2025, 3, 2)), u'日');
  EXPECT_EQ(weekdayChar(ymd(2025, 3, 5)), u'水');
  EXPECT_EQ(weekdayChar(InvalidDay), u' ');
}

TEST(Calendar, ListDateLabelPrintsOnlyChanges) {
  ListDateLabel labels;
  struct Step {
    Day day;
    bool withWeekday;
    std::u16string label;
  };
  const Step steps[] = {
      {ymd(2024, 3, 5), true, u"24/03/05(火)"}, {ymd(2024, 3, 5), true, u"         "},
      {ymd(2024, 3, 6), false, u"   03/06 "},   {ymd(2024, 12, 31), true, u"   12/31(火)"},
      {ymd(2025, 1, 1), false, u"25/01/01 "},   {ymd(2005, 1, 1), true, u"05/01/01(土)"},
      {ymd(2105, 1, 1), true, u"05/01/01(木)"},
  };
  for (const Step& s : steps) EXPECT_EQ(labels.label(s.day, s.withWeekday), s.label);
  labels.reset();
  EXPECT_EQ(labels.label(ymd(2105, 1, 1), false), u"05/01/01 ");
}

}  // namespace
}  // namespace sorami
