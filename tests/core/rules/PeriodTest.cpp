#include "rules/Period.h"

#include <gtest/gtest.h>

#include <set>

namespace sorami {
namespace {

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

class FakeHolidays : public HolidayCalendar {
 public:
  FakeHolidays(std::initializer_list<Day> days) : days_(days) {}
  static FakeHolidays range(Day first, Day last) {
    FakeHolidays holidays{};
    for (Day d = first; d <= last; ++d) holidays.days_.insert(d);
    return holidays;
  }
  int kindOfDay(Day day) const override { return days_.count(day) != 0 ? 1 : 0; }

 private:
  std::set<Day> days_;
};

PeriodSettings closingOn(int closingDay, int holidayRule = HR_STAY, bool sameWeek = false) {
  PeriodSettings s;
  s.closingDay = closingDay;
  s.holidayRule = holidayRule;
  s.sameWeek = sameWeek;
  return s;
}

TEST(Period, ClosingDayBeyondTheMonthIsItsLastDay) {
  const NoHolidays none;
  EXPECT_EQ(closingDate(2024, 2, closingOn(31), none), ymd(2024, 2, 29));
  EXPECT_EQ(closingDate(2023, 2, closingOn(30), none), ymd(2023, 2, 28));
  EXPECT_EQ(closingDate(2023, 4, closingOn(25), none), ymd(2023, 4, 25));
  EXPECT_EQ(closingDate(2023, 13, closingOn(25), none), ymd(2024, 1, 25));
  for (int closingDay : {0, -5, 99}) {
    for (int month = 1; month <= 12; ++month) {
      EXPECT_EQ(closingDate(2024, month, closingOn(closingDay), none), lastDayOfMonth(2024, month))
          << closingDay << " in month " << month;
    }
  }
}

TEST(Period, ClosingDateMovesOffRestDaysAndHolidays) {
  const NoHolidays none;
  const FakeHolidays mondayOff{ymd(2025, 3, 3)};
  // 1 March 2025 is a Saturday.
  EXPECT_EQ(closingDate(2025, 3, closingOn(1, HR_AFTER), none), ymd(2025, 3, 3));
  EXPECT_EQ(closingDate(2025, 3, closingOn(1, HR_AFTER), mondayOff), ymd(2025, 3, 4));
  EXPECT_EQ(closingDate(2025, 3, closingOn(1, HR_BEFORE), none), ymd(2025, 2, 28));
  // Rule 0 leaves it on the Saturday, and on the holiday.
  EXPECT_EQ(closingDate(2025, 3, closingOn(1, HR_STAY), none), ymd(2025, 3, 1));
  EXPECT_EQ(closingDate(2025, 3, closingOn(3, HR_STAY), mondayOff), ymd(2025, 3, 3));
  // The month ends the day before the moved closing date.
  EXPECT_EQ(closingDate(2025, 3, 1, 0x41, HR_AFTER, false, true, none), ymd(2025, 3, 2));
  EXPECT_EQ(closingDate(2025, 3, 1, 0x41, HR_AFTER, false, false, mondayOff), ymd(2025, 3, 4));
}

TEST(Period, MoveStopsAfterThirtyDays) {
  const FakeHolidays spring = FakeHolidays::range(ymd(2025, 3, 1), ymd(2025, 5, 31));
  PeriodSettings s = closingOn(10, HR_AFTER);
  s.restDays = 0;
  EXPECT_EQ(closingDate(2025, 3, s, spring), ymd(2025, 4, 9));
  // Every weekday a rest day, and rest-day bits that name no weekday.
  const NoHolidays none;
  s.restDays = 0x7F;
  s.holidayRule = HR_BEFORE;
  EXPECT_EQ(closingDate(2025, 3, s, none), ymd(2025, 2, 8));
  s.restDays = 0xFFFFFF80u;
  EXPECT_EQ(closingDate(2025, 3, s, none), ymd(2025, 3, 10));
}

TEST(Period, SameWeekRuleKeepsTheClosingDateInItsWeek) {
  // The week of Sunday 2 to Saturday 8 March 2025.
  struct Case {
    int closingDay;
    int holidayRule;
    std::initializer_list<Day> holidays;
    int movedTo;
  };
  const Case cases[] = {
      {8, HR_STAY, {}, 7},                                    // Saturday to Friday
      {2, HR_STAY, {}, 3},                                    // Sunday to Monday
      {4, HR_AFTER, {}, 4},                                   // a working Tuesday stays
      {5, HR_AFTER, {ymd(2025, 3, 5)}, 4},                    // Wednesday looks back first
      {3, HR_AFTER, {ymd(2025, 3, 3)}, 4},                    // Monday: back is Sunday, so on
      {6, HR_BEFORE, {ymd(2025, 3, 6)}, 7},                   // Thursday looks forward first
      {7, HR_AFTER, {ymd(2025, 3, 7)}, 6},                    // Friday: forward is Saturday
      {4, HR_BEFORE, {ymd(2025, 3, 3), ymd(2025, 3, 4)}, 5},  // back reaches Sunday: forward
  };
  for (const Case& c : cases) {
    const FakeHolidays holidays{c.holidays};
    EXPECT_EQ(closingDate(2025, 3, closingOn(c.closingDay, c.holidayRule, true), holidays),
              ymd(2025, 3, c.movedTo))
        << "closing day " << c.closingDay;
  }
}

TEST(Period, ClosingDay25PeriodsAndTheirNames) {
  const NoHolidays none;
  PeriodSettings s = closingOn(25);
  const Period january{ymd(2024, 12, 26), ymd(2025, 1, 25), ymd(2025, 1, 1)};
  const Period february{ymd(2025, 1, 26), ymd(2025, 2, 25), ymd(2025, 2, 1)};
  EXPECT_EQ(periodOf(ymd(2025, 1, 25), false, s, none), january);
  EXPECT_EQ(periodOf(ymd(2025, 1, 26), false, s, none), february);
  EXPECT_EQ(monthBounds({2025, 1}, false, s, none), january);
  EXPECT_EQ(spanOfMonths({2025, 3}, 3, s, none),
            (Period{ymd(2024, 12, 26), ymd(2025, 3, 25), ymd(2025, 1, 1)}));
  EXPECT_EQ(spanOfMonths({2025, 1}, 0, s, none), january);

  s.namedByStart = true;
  EXPECT_EQ(periodOf(ymd(2025, 1, 25), false, s, none).naming, ymd(2024, 12, 1));
  EXPECT_EQ(periodOf(ymd(2025, 1, 26), false, s, none).naming, ymd(2025, 1, 1));
  EXPECT_EQ(monthBounds({2025, 1}, false, s, none),
            (Period{ymd(2025, 1, 26), ymd(2025, 2, 25), ymd(2025, 1, 1)}));
  EXPECT_EQ(spanOfMonths({2025, 3}, 3, s, none),
            (Period{ymd(2025, 1, 26), ymd(2025, 4, 25), ymd(2025, 1, 1)}));
}

TEST(Period, FixedPeriodIsNamedByItsEnd) {
  const NoHolidays none;
  PeriodSettings s;
  s.fixedStart = ymd(2025, 4, 1);
  s.fixedEnd = ymd(2026, 3, 31);
  const Period fixed{ymd(2025, 4, 1), ymd(2026, 3, 31), ymd(2026, 3, 1)};
  EXPECT_EQ(periodOf(ymd(2020, 1, 1), true, s, none), fixed);
  EXPECT_EQ(monthBounds({2025, 6}, true, s, none).first, s.fixedStart);
  EXPECT_EQ(monthBounds({2025, 6}, true, s, none).last, s.fixedEnd);
}

// Every day belongs to exactly one accounting month, and that month is the one its name gives,
// also where closing dates are moved across month ends.
TEST(Period, PeriodsTileTheCalendar) {
  const FakeHolidays holidays{ymd(2025, 1, 1), ymd(2025, 5, 5), ymd(2025, 12, 31)};
  PeriodSettings settings[7];
  settings[1] = closingOn(31, HR_AFTER);
  settings[2] = closingOn(1, HR_BEFORE);
  settings[3] = closingOn(10, HR_AFTER, true);
  settings[3].dayBefore = true;
  settings[4] = closingOn(25, HR_BEFORE, true);
  settings[4].namedByStart = true;
  settings[5] = closingOn(0, HR_AFTER);
  settings[5].restDays = 0x7F;
  settings[6] = closingOn(1, HR_BEFORE);
  settings[6].restDays = 0x7F;
  for (const PeriodSettings& s : settings) {
    Period previous = periodOf(ymd(2024, 6, 1), false, s, holidays);
    for (Day d = ymd(2024, 6, 1); d <= ymd(2026, 6, 1); ++d) {
      const Period p = periodOf(d, false, s, holidays);
      ASSERT_TRUE(p.contains(d)) << isoDate(d) << " closing day " << s.closingDay;
      if (p != previous) {
        ASSERT_EQ(p.first, previous.last + 1) << isoDate(d) << " closing day " << s.closingDay;
      }
      const Ymd name = ymdFromDay(p.naming);
      ASSERT_EQ(monthBounds({name.year, name.month}, false, s, holidays), p) << isoDate(d);
      previous = p;
    }
  }
}

TEST(Period, EdgesOfTheCalendar) {
  const NoHolidays none;
  const PeriodSettings s = closingOn(25, HR_AFTER);
  const Period first = periodOf(MinDay, false, s, none);
  EXPECT_EQ(first.first, FirstUserDay);
  EXPECT_TRUE(first.contains(FirstUserDay));
  const Period last = periodOf(MaxDay, false, s, none);
  EXPECT_TRUE(last.contains(LastUserDay));
  EXPECT_LE(last.last, LastUserDay);
}

}  // namespace
}  // namespace sorami
