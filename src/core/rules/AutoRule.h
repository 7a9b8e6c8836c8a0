#pragma once
// An automatic-entry rule (自動記入の設定): a recurring ledger line from a source (cash, or an
// item with a name) to a destination item and name, with its amounts, its schedule and its
// execution state. A rule lives only as text in the memo of its holder entry; this is the record
// that text is read into, its text form, the description of its schedule and its due dates.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/Calendar.h"
#include "rules/Day.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

// Schedule codes besides 1 to 31 (every month on that day).
inline constexpr int kScheduleNthWeekday = 111;        // every month on the n-th weekday
inline constexpr int kScheduleOddMonths = 112;         // 隔月(奇数月) on a day
inline constexpr int kScheduleEvenMonths = 113;        // 隔月(偶数月) on a day
inline constexpr int kScheduleYearly = 121;            // 毎年 on a month and day
inline constexpr int kScheduleYearlyNthWeekday = 122;  // 毎年 on the n-th weekday of a month
inline constexpr int kScheduleFixedDate = 150;         // 固定: once, on one date
// A schedule week of this or more is the last weekday of its kind in the month (最終).
inline constexpr int kLastWeek = 5;

enum class ScheduleKind {
  MonthlyDay,
  MonthlyWeekday,
  OddMonths,
  EvenMonths,
  Yearly,
  YearlyWeekday,
  FixedDate,
  Unknown
};
ScheduleKind scheduleKind(int code);

// Limits the settings dialogs keep.
inline constexpr int32_t kRuleAmountLimit = 9'999'999;
inline constexpr int32_t kMaxPlannedCount = 999;
inline constexpr size_t kMaxRuleSourceName = 20;

// The kinds of a rule's holiday rule, as the list shows them.
inline constexpr std::array<std::u16string_view, 3> kRuleHolidayRuleNames = {u"当日", u"休日前",
                                                                             u"休日後"};

class CAutoRule {
 public:
  // How many numbers the text holds after the two names.
  static constexpr size_t kFieldCount = 33;

  // A new rule for `today` (the day the user works on).
  static CAutoRule makeDefault(Day today);

  // Reads a rule text; what the text lacks keeps the values of a new rule for `today`.
  // `numbersRead`, when given, receives how many of the numbers were there.
  static CAutoRule fromText(std::u16string_view text, Day today, size_t* numbersRead = nullptr);
  // "source\ndestination\n" and the 33 numbers separated by ",".
  std::u16string toText() const;

  // The schedule as the list shows it ("毎月25日", "毎月第 2金曜日", ...). A code of no known
  // kind reads as day 1 of every month.
  std::u16string describe() const;

  // Written as often as planned; a planned count of 0 never ends.
  bool hasEnded() const { return plannedCount != 0 && executedCount >= plannedCount; }
  bool isFinished() const { return deleteAfterLast != 0 && hasEnded(); }

  // What makes the rule impossible to run, named as the settings dialog names the field
  // ("実施日", "開始年月", ...); nothing when every field makes sense. A rule from a damaged or
  // foreign file is kept but not run while this says something.
  std::optional<std::u16string> fault() const;

  // The execution state of a rule that has written nothing yet: the last ordinary and special
  // executions in the month before the start, the count 0.
  void startAsNew();
  // Takes the execution state (last executions and count) of `other`.
  void keepStateOf(const CAutoRule& other);

  // The 33 numbers in text order, for code that goes through all of them.
  int32_t& field(size_t index);
  int32_t field(size_t index) const;

  friend bool operator==(const CAutoRule&, const CAutoRule&) = default;

  std::u16string sourceName;       // an account or loan name, or "現金"
  std::u16string destinationName;  // the product name, or the account or loan name
  int32_t sourceItem = -1;         // 1: -1 is cash
  int32_t destinationItem = 0;     // 2
  int32_t startYear = 0;           // 3
  int32_t startMonth = 0;          // 4
  int32_t scheduleCode = 0;        // 5: 1-31, or one of the kScheduleX codes
  int32_t plannedCount = 0;        // 6: 0 without end; special entries count too
  int32_t holidayRule = 0;         // 7: 0 当日, 1 休日前, 2 休日後
  int32_t baseAmount = 0;          // 8: 基本額
  int32_t firstAmount = 0;         // 9: 初回額
  int32_t lastAmount = 0;          // 10: 最終額
  int32_t specialAmount = 0;       // 11: 特別額
  int32_t specialMonth1 = 0;       // 12
  int32_t specialMonth2 = 0;       // 13
  int32_t specialDay1 = 0;         // 14
  int32_t specialDay2 = 0;         // 15
  int32_t lastYear = 0;            // 16: the last ordinary entry written
  int32_t lastMonth = 0;           // 17
  int32_t lastDay = 0;             // 18
  int32_t executedCount = 0;       // 19
  int32_t skipBase = 1;            // 20: no ordinary entry in a month with a special one
  int32_t lastSpecialYear = 0;     // 21: the last special entry written
  int32_t lastSpecialMonth = 0;    // 22
  int32_t lastSpecialDay = 0;      // 23
  int32_t scheduleMonth = 0;       // 24: yearly and fixed-date kinds
  int32_t scheduleDay = 0;         // 25: odd-month, even-month, yearly and fixed-date kinds
  int32_t scheduleWeek = 1;        // 26: 1-4, 5 and above for the last
  int32_t scheduleWeekday = 0;     // 27: 0 Sunday to 6 Saturday
  int32_t sameWeek = 0;            // 28: "土>金,日>月"
  int32_t scheduleYear = 0;        // 29: fixed-date kind
  int32_t deleteAfterLast = 0;     // 30: removed once the planned count is reached
  int32_t reserveFlag = 0;         // 31: carried unchanged
  int32_t endYear = 0;             // 32: carried unchanged
  int32_t endMonth = 0;            // 33: carried unchanged
};

// The date on which a rule writes in (year, month) with the schedule `code` (the rule's own, or a
// special day 1 to 31 for its special entries), moved off the weekly rest days `restDays` by the
// rule's holiday and same-week rules. The day is lowered to the length of the month it falls in.
// InvalidDay when the schedule names no real day (a day 0, a month outside the calendar).
Day ruleDueDate(const CAutoRule& rule, int year, int month, int code, unsigned restDays,
                const HolidayCalendar& holidays);

// "毎月第 2金曜日" and friends share the weekday text: "金曜日"; empty for no weekday.
std::u16string ruleWeekdayText(int weekday);

}  // namespace sorami
