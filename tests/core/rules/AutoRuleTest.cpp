#include "rules/AutoRule.h"

#include <gtest/gtest.h>

#include "rules/Holidays.h"

namespace sorami {
namespace {

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

TEST(AutoRule, TextListsTheNamesThenTheThirtyThreeNumbers) {
  CAutoRule r = CAutoRule::makeDefault(ymd(2024, 3, 15));
  r.sourceName = u"現金";
  r.destinationName = u"家賃";
  r.destinationItem = 1;
  const std::u16string text =
      u"現金\n家賃\n-1,1,2024,3,15,0,0,0,0,0,0,0,0,0,0,2024,3,15,0,1,2024,3,15,3,15,3,5,0,2024,0,"
      u"0,0,0";
  EXPECT_EQ(r.toText(), text);
  size_t read = 0;
  EXPECT_EQ(CAutoRule::fromText(text, ymd(2000, 1, 1), &read), r);
  EXPECT_EQ(read, CAutoRule::kFieldCount);
}

TEST(AutoRule, NumbersWrittenUnsignedComeBackWithTheirSign) {
  CAutoRule r = CAutoRule::makeDefault(ymd(2024, 3, 15));
  r.holidayRule = -1;  // field 7 is written unsigned
  r.baseAmount = -2500;
  const std::u16string text = r.toText();
  EXPECT_NE(text.find(u",4294967295,"), std::u16string::npos);
  EXPECT_EQ(CAutoRule::fromText(text, ymd(2024, 3, 15)), r);
}

TEST(AutoRule, AShortTextKeepsTheNewRuleValuesForWhatItLacks) {
  const Day today = ymd(2024, 6, 10);
  const CAutoRule fresh = CAutoRule::makeDefault(today);
  // No line break: nothing is read.
  EXPECT_EQ(CAutoRule::fromText(u"現金", today), fresh);
  // Names and five numbers: the rest are a new rule's, and the reserve flag says it was short.
  CAutoRule r = CAutoRule::fromText(u"A\nB\n-1,3,2023,4,25", today);
  EXPECT_EQ(r.sourceName, u"A");
  EXPECT_EQ(r.destinationName, u"B");
  EXPECT_EQ(r.destinationItem, 3);
  EXPECT_EQ(r.scheduleCode, 25);
  EXPECT_EQ(r.plannedCount, 0);
  EXPECT_EQ(r.lastYear, 2024);
  EXPECT_EQ(r.reserveFlag, 1);
  // An empty number ends the reading there.
  EXPECT_EQ(CAutoRule::fromText(u"A\nB\n-1,,2023", today).startYear, 2024);
}

TEST(AutoRule, ReadingMendsTheLastSpecialDayAndTheReserveFlag) {
  CAutoRule r = CAutoRule::makeDefault(ymd(2024, 6, 10));
  r.lastDay = 12;
  r.lastSpecialDay = 111;  // a schedule code where a day belongs
  r.reserveFlag = 7;
  const CAutoRule read = CAutoRule::fromText(r.toText(), ymd(2024, 6, 10));
  EXPECT_EQ(read.lastSpecialDay, 12);
  EXPECT_EQ(read.reserveFlag, 0);
}

TEST(AutoRule, EveryScheduleKindHasItsDescription) {
  struct Case {
    int code, week, weekday, month, day, year;
    std::u16string text;
  };
  const Case cases[] = {
      {25, 1, 0, 1, 1, 2024, u"毎月25日"},
      {5, 1, 0, 1, 1, 2024, u"毎月 5日"},
      {kScheduleNthWeekday, 4, 5, 1, 1, 2024, u"毎月第 4金曜日"},
      {kScheduleNthWeekday, 5, 1, 1, 1, 2024, u"毎月最終月曜日"},
      {kScheduleNthWeekday, 7, 1, 1, 1, 2024, u"毎月最終月曜日"},
      {kScheduleOddMonths, 1, 0, 1, 10, 2024, u"奇数月10日"},
      {kScheduleEvenMonths, 1, 0, 1, 3, 2024, u"偶数月 3日"},
      {kScheduleYearly, 1, 0, 7, 31, 2024, u"毎年 7月31日"},
      {kScheduleYearlyNthWeekday, 2, 0, 12, 1, 2024, u"12月第 2日曜日"},
      {kScheduleYearlyNthWeekday, 5, 6, 3, 1, 2024, u" 3月最終土曜日"},
      {kScheduleFixedDate, 1, 0, 3, 31, 2025, u"2025年3月31日"},
      {77, 1, 0, 1, 1, 2024, u"毎月 1日"},
  };
  for (const Case& c : cases) {
    CAutoRule r;
    r.scheduleCode = c.code;
    r.scheduleWeek = c.week;
    r.scheduleWeekday = c.weekday;
    r.scheduleMonth = c.month;
    r.scheduleDay = c.day;
    r.scheduleYear = c.year;
    EXPECT_EQ(r.describe(), c.text) << c.code;
  }
}

struct DueCase {
  const char* what;
  int code, year, month;
  int holidayRule = 0;
  bool sameWeek = false;
  int week = 1, weekday = 0, scheduleMonth = 1, scheduleDay = 1, scheduleYear = 2024;
  Day expected = InvalidDay;
};

TEST(AutoRule, DueDatesAcrossMonthEndsWeekdaysAndDaysOff) {
  const CHoliday holidays;  // the holiday law and the default table with its bank holidays
  const unsigned satSun = 0x41;
  const DueCase cases[] = {
      {.what = "31 in April", .code = 31, .year = 2024, .month = 4, .expected = ymd(2024, 4, 30)},
      {.what = "30 in a leap February",
       .code = 30,
       .year = 2024,
       .month = 2,
       .expected = ymd(2024, 2, 29)},
      {.what = "30 in February",
       .code = 30,
       .year = 2023,
       .month = 2,
       .expected = ymd(2023, 2, 28)},
      {.what = "last Friday of a month ending on Friday",
       .code = kScheduleNthWeekday,
       .year = 2024,
       .month = 5,
       .week = 5,
       .weekday = 5,
       .expected = ymd(2024, 5, 31)},
      {.what = "first Sunday of a month starting on Sunday",
       .code = kScheduleNthWeekday,
       .year = 2024,
       .month = 9,
       .week = 1,
       .weekday = 0,
       .expected = ymd(2024, 9, 1)},
      {.what = "odd months asked for December",
       .code = kScheduleOddMonths,
       .year = 2024,
       .month = 12,
       .scheduleDay = 10,
       .expected = ymd(2025, 1, 10)},
      {.what = "even months asked for November",
       .code = kScheduleEvenMonths,
       .year = 2024,
       .month = 11,
       .scheduleDay = 10,
       .expected = ymd(2024, 12, 10)},
      {.what = "even months: the 31st lands in February's length",
       .code = kScheduleEvenMonths,
       .year = 2024,
       .month = 1,
       .scheduleDay = 31,
       .expected = ymd(2024, 2, 29)},
      {.what = "yearly on 29 February in a common year",
       .code = kScheduleYearly,
       .year = 2023,
       .month = 2,
       .scheduleMonth = 2,
       .scheduleDay = 29,
       .expected = ymd(2023, 2, 28)},
      {.what = "fourth Thursday of November",
       .code = kScheduleYearlyNthWeekday,
       .year = 2024,
       .month = 11,
       .week = 4,
       .weekday = 4,
       .scheduleMonth = 11,
       .expected = ymd(2024, 11, 28)},
      {.what = "fixed date, asked in another month",
       .code = kScheduleFixedDate,
       .year = 2025,
       .month = 7,
       .scheduleMonth = 3,
       .scheduleDay = 31,
       .scheduleYear = 2025,
       .expected = ymd(2025, 3, 31)},
      {.what = "Saturday stays on the day",
       .code = 14,
       .year = 2024,
       .month = 9,
       .expected = ymd(2024, 9, 14)},
      {.what = "Saturday moves after, past the Monday holiday",
       .code = 14,
       .year = 2024,
       .month = 9,
       .holidayRule = 2,
       .expected = ymd(2024, 9, 17)},
      {.what = "Saturday before a Monday holiday (海の日)",
       .code = 13,
       .year = 2024,
       .month = 7,
       .holidayRule = 2,
       .expected = ymd(2024, 7, 16)},
      {.what = "Saturday moves before",
       .code = 14,
       .year = 2024,
       .month = 9,
       .holidayRule = 1,
       .expected = ymd(2024, 9, 13)},
      {.what = "same week: Saturday to Friday",
       .code = 14,
       .year = 2024,
       .month = 9,
       .sameWeek = true,
       .expected = ymd(2024, 9, 13)},
      {.what = "same week: Sunday to Monday",
       .code = 15,
       .year = 2024,
       .month = 9,
       .sameWeek = true,
       .expected = ymd(2024, 9, 16)},
      {.what = "New Year's bank holidays, after",
       .code = 1,
       .year = 2024,
       .month = 1,
       .holidayRule = 2,
       .expected = ymd(2024, 1, 4)},
      {.what = "New Year's bank holidays, before",
       .code = 1,
       .year = 2025,
       .month = 1,
       .holidayRule = 1,
       .expected = ymd(2024, 12, 30)},
      {.what = "day 0 is no day", .code = 0, .year = 2024, .month = 1},
  };
  for (const DueCase& c : cases) {
    CAutoRule r;
    r.holidayRule = c.holidayRule;
    r.sameWeek = c.sameWeek;
    r.scheduleWeek = c.week;
    r.scheduleWeekday = c.weekday;
    r.scheduleMonth = c.scheduleMonth;
    r.scheduleDay = c.scheduleDay;
    r.scheduleYear = c.scheduleYear;
    EXPECT_EQ(ruleDueDate(r, c.year, c.month, c.code, satSun, holidays), c.expected) << c.what;
  }
}

TEST(AutoRule, FieldsThatMakeNoSenseAreNamed) {
  const CAutoRule good = CAutoRule::makeDefault(ymd(2024, 6, 10));
  EXPECT_FALSE(good.fault());
  struct Case {
    void (*spoil)(CAutoRule&);
    std::u16string field;
  };
  const Case cases[] = {
      {[](CAutoRule& r) { r.scheduleCode = 0; }, u"実施日"},
      {[](CAutoRule& r) { r.scheduleCode = 64; }, u"実施日"},
      {[](CAutoRule& r) {
         r.scheduleCode = kScheduleNthWeekday;
         r.scheduleWeekday = 9;
       },
       u"実施日"},
      {[](CAutoRule& r) {
         r.scheduleCode = kScheduleNthWeekday;
         r.scheduleWeek = 0;
       },
       u"実施日"},
      {[](CAutoRule& r) {
         r.scheduleCode = kScheduleYearly;
         r.scheduleMonth = 13;
       },
       u"実施日"},
      {[](CAutoRule& r) {
         r.scheduleCode = kScheduleFixedDate;
         r.scheduleYear = 0;
       },
       u"実施日"},
      {[](CAutoRule& r) { r.startMonth = 0; }, u"開始年月"},
      {[](CAutoRule& r) { r.startYear = 12000; }, u"開始年月"},
      {[](CAutoRule& r) { r.plannedCount = -3; }, u"予定記入回数"},
      {[](CAutoRule& r) { r.holidayRule = 5; }, u"休祝日の対応"},
      {[](CAutoRule& r) { r.specialMonth2 = 14; }, u"特別月,日"},
      {[](CAutoRule& r) {
         r.executedCount = 2;
         r.lastMonth = 0;
       },
       u"実行済年月(回数)"},
  };
  for (const Case& c : cases) {
    CAutoRule r = good;
    c.spoil(r);
    EXPECT_EQ(r.fault(), c.field) << r.toText().size();
  }
}

TEST(AutoRule, ANewRuleStartingInJanuaryLastRanInDecember) {
  CAutoRule r = CAutoRule::makeDefault(ymd(2024, 6, 10));
  r.startYear = 2025;
  r.startMonth = 1;
  r.scheduleCode = 27;
  r.executedCount = 4;
  r.startAsNew();
  EXPECT_EQ(r.lastYear, 2024);
  EXPECT_EQ(r.lastMonth, 12);
  EXPECT_EQ(r.lastDay, 27);
  EXPECT_EQ(r.lastSpecialYear, 2024);
  EXPECT_EQ(r.lastSpecialMonth, 12);
  EXPECT_EQ(r.executedCount, 0);
}

}  // namespace
}  // namespace sorami
