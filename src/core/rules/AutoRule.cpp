#include "rules/AutoRule.h"

#include <algorithm>
#include <limits>

#include "rules/Period.h"

namespace sorami {

namespace {

using Field = int32_t CAutoRule::*;

// The numbers of the text in their order.
constexpr std::array<Field, CAutoRule::kFieldCount> kFields = {
    &CAutoRule::sourceItem,       &CAutoRule::destinationItem, &CAutoRule::startYear,
    &CAutoRule::startMonth,       &CAutoRule::scheduleCode,    &CAutoRule::plannedCount,
    &CAutoRule::holidayRule,      &CAutoRule::baseAmount,      &CAutoRule::firstAmount,
    &CAutoRule::lastAmount,       &CAutoRule::specialAmount,   &CAutoRule::specialMonth1,
    &CAutoRule::specialMonth2,    &CAutoRule::specialDay1,     &CAutoRule::specialDay2,
    &CAutoRule::lastYear,         &CAutoRule::lastMonth,       &CAutoRule::lastDay,
    &CAutoRule::executedCount,    &CAutoRule::skipBase,        &CAutoRule::lastSpecialYear,
    &CAutoRule::lastSpecialMonth, &CAutoRule::lastSpecialDay,  &CAutoRule::scheduleMonth,
    &CAutoRule::scheduleDay,      &CAutoRule::scheduleWeek,    &CAutoRule::scheduleWeekday,
    &CAutoRule::sameWeek,         &CAutoRule::scheduleYear,    &CAutoRule::deleteAfterLast,
    &CAutoRule::reserveFlag,      &CAutoRule::endYear,         &CAutoRule::endMonth,
};

// Items, amounts, the executed count and the three carried values are written with their sign;
// the others as unsigned numbers, as files have always held them.
constexpr bool isSignedField(size_t index) {
  const size_t n = index + 1;
  return n <= 2 || (n >= 8 && n <= 11) || n == 19 || n >= 31;
}

// Field 23 and the number of fields read when the text had it.
constexpr size_t kLastSpecialDayIndex = 22;
constexpr int kFirstScheduleCode = kScheduleNthWeekday;

bool isSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\u3000';
}

bool isBlank(std::u16string_view token) {
  return std::all_of(token.begin(), token.end(), isSpace);
}

// A decimal number with an optional sign after leading spaces; what follows the digits is
// ignored, no digits read as 0. Numbers written unsigned come back to their 32-bit value
// (4294967295 is -1); beyond 32 bits they stay at the edge of the range.
int32_t readNumber(std::u16string_view token) {
  size_t i = 0;
  while (i < token.size() && isSpace(token[i])) ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == u'-' || token[i] == u'+')) negative = token[i++] == u'-';
  constexpr int64_t kCap = int64_t{1} << 40;
  int64_t value = 0;
  for (; i < token.size() && token[i] >= u'0' && token[i] <= u'9'; ++i) {
    value = std::min(kCap, value * 10 + (token[i] - u'0'));
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::u16string ascii(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

// printf's "%2d" and "%2s": right-aligned in two places.
std::u16string padded(std::u16string text) {
  if (text.size() < 2) text.insert(0, 2 - text.size(), u' ');
  return text;
}
std::u16string padded(int value) {
  return padded(ascii(std::to_string(value)));
}

bool inRange(int32_t value, int32_t low, int32_t high) {
  return value >= low && value <= high;
}

bool isCalendarYear(int32_t year) {
  return inRange(year, 100, 9999);
}

// Day of the week-th weekday W of a month; the last one for week 5 and above. A weekday of a day
// outside the calendar counts as -1, as the schedule always did.
int nthWeekday(int year, int month, int week, int weekday) {
  const int n = daysInMonth(year, month);
  const auto mod7 = [](int x) { return ((x % 7) + 7) % 7; };
  if (week >= kLastWeek) {
    const int w = weekdayOf(dayFromYmd(year, month, n));
    return n - mod7(w - weekday);
  }
  const int w1 = weekdayOf(dayFromYmd(year, month, 1));
  return 1 + mod7(weekday - w1) + 7 * (week - 1);
}

}  // namespace

ScheduleKind scheduleKind(int code) {
  if (code >= 1 && code <= 31) return ScheduleKind::MonthlyDay;
  switch (code) {
    case kScheduleNthWeekday:
      return ScheduleKind::MonthlyWeekday;
    case kScheduleOddMonths:
      return ScheduleKind::OddMonths;
    case kScheduleEvenMonths:
      return ScheduleKind::EvenMonths;
    case kScheduleYearly:
      return ScheduleKind::Yearly;
    case kScheduleYearlyNthWeekday:
      return ScheduleKind::YearlyWeekday;
    case kScheduleFixedDate:
      return ScheduleKind::FixedDate;
    default:
      return ScheduleKind::Unknown;
  }
}

int32_t& CAutoRule::field(size_t index) {
  return this->*kFields[index];
}

int32_t CAutoRule::field(size_t index) const {
  return this->*kFields[index];
}

CAutoRule CAutoRule::makeDefault(Day today) {
  const Ymd d = ymdFromDay(today);
  CAutoRule r;
  r.startYear = r.lastYear = r.lastSpecialYear = r.scheduleYear = d.year;
  r.startMonth = r.lastMonth = r.lastSpecialMonth = r.scheduleMonth = d.month;
  r.scheduleCode = r.lastDay = r.lastSpecialDay = r.scheduleDay = d.day;
  r.scheduleWeek = (d.day - 1) / 7 + 1;
  r.scheduleWeekday = std::max(0, weekdayOf(today));
  return r;
}

CAutoRule CAutoRule::fromText(std::u16string_view text, Day today, size_t* numbersRead) {
  CAutoRule r = makeDefault(today);
  size_t read = 0;
  if (numbersRead != nullptr) *numbersRead = 0;
  const size_t first = text.find(u'\n');
  if (first == std::u16string_view::npos) return r;
  r.sourceName = std::u16string(text.substr(0, first));
  const size_t second = text.find(u'\n', first + 1);
  if (second == std::u16string_view::npos) return r;
  r.destinationName = std::u16string(text.substr(first + 1, second - first - 1));
  std::u16string_view numbers = text.substr(second + 1);
  while (read < kFieldCount) {
    const size_t comma = numbers.find(u',');
    const std::u16string_view token = numbers.substr(0, comma);
    if (isBlank(token)) break;
    r.field(read++) = readNumber(token);
    if (comma == std::u16string_view::npos) break;
    numbers.remove_prefix(comma + 1);
  }
  if (numbersRead != nullptr) *numbersRead = read;
  if (read < kFieldCount) r.reserveFlag = 1;
  if (read > kLastSpecialDayIndex && r.lastSpecialDay >= kFirstScheduleCode) {
    r.lastSpecialDay = r.lastDay;
  }
  if (read == kFieldCount && r.reserveFlag != 0 && r.reserveFlag != 1) r.reserveFlag = 0;
  return r;
}

std::u16string CAutoRule::toText() const {
  std::u16string out = sourceName + u"\n" + destinationName + u"\n";
  for (size_t i = 0; i < kFieldCount; ++i) {
    if (i > 0) out.push_back(u',');
    const int32_t v = field(i);
    out += isSignedField(i) ? ascii(std::to_string(v))
                            : ascii(std::to_string(static_cast<uint32_t>(v)));
  }
  return out;
}

std::u16string ruleWeekdayText(int weekday) {
  static constexpr char16_t kNames[] = u"日月火水木金土";
  if (weekday < 0 || weekday > 6) return {};
  return std::u16string(1, kNames[weekday]) + u"曜日";
}

std::u16string CAutoRule::describe() const {
  const std::u16string weekday = padded(ruleWeekdayText(scheduleWeekday));
  const bool last = scheduleWeek >= kLastWeek;
  switch (scheduleKind(scheduleCode)) {
    case ScheduleKind::MonthlyDay:
      return u"毎月" + padded(scheduleCode) + u"日";
    case ScheduleKind::MonthlyWeekday:
      return last ? u"毎月最終" + weekday : u"毎月第" + padded(scheduleWeek) + weekday;
    case ScheduleKind::OddMonths:
      return u"奇数月" + padded(scheduleDay) + u"日";
    case ScheduleKind::EvenMonths:
      return u"偶数月" + padded(scheduleDay) + u"日";
    case ScheduleKind::Yearly:
      return u"毎年" + padded(scheduleMonth) + u"月" + padded(scheduleDay) + u"日";
    case ScheduleKind::YearlyWeekday:
      return padded(scheduleMonth) +
             (last ? u"月最終" + weekday : u"月第" + padded(scheduleWeek) + weekday);
    case ScheduleKind::FixedDate:
      return ascii(std::to_string(scheduleYear)) + u"年" + ascii(std::to_string(scheduleMonth)) +
             u"月" + ascii(std::to_string(scheduleDay)) + u"日";
    case ScheduleKind::Unknown:
      break;
  }
  return u"毎月" + padded(1) + u"日";
}

std::optional<std::u16string> CAutoRule::fault() const {
  const ScheduleKind kind = scheduleKind(scheduleCode);
  const bool byWeekday =
      kind == ScheduleKind::MonthlyWeekday || kind == ScheduleKind::YearlyWeekday;
  const bool byDay = kind == ScheduleKind::OddMonths || kind == ScheduleKind::EvenMonths ||
                     kind == ScheduleKind::Yearly || kind == ScheduleKind::FixedDate;
  const bool byMonth = kind == ScheduleKind::Yearly || kind == ScheduleKind::YearlyWeekday ||
                       kind == ScheduleKind::FixedDate;
  if (kind == ScheduleKind::Unknown ||
      (byWeekday && (scheduleWeek < 1 || !inRange(scheduleWeekday, 0, 6))) ||
      (byDay && !inRange(scheduleDay, 1, 31)) || (byMonth && !inRange(scheduleMonth, 1, 12)) ||
      (kind == ScheduleKind::FixedDate && !isCalendarYear(scheduleYear))) {
    return u"実施日";
  }
  if (!isCalendarYear(startYear) || !inRange(startMonth, 1, 12)) return u"開始年月";
  if (plannedCount < 0) return u"予定記入回数";
  if (!inRange(holidayRule, 0, 2)) return u"休祝日の対応";
  if (!inRange(specialMonth1, 0, 12) || !inRange(specialMonth2, 0, 12) ||
      !inRange(specialDay1, 0, 31) || !inRange(specialDay2, 0, 31)) {
    return u"特別月,日";
  }
  if (executedCount < 0 ||
      (executedCount > 0 &&
       (!isCalendarYear(lastYear) || !inRange(lastMonth, 1, 12) ||
        !isCalendarYear(lastSpecialYear) || !inRange(lastSpecialMonth, 1, 12)))) {
    return u"実行済年月(回数)";
  }
  return std::nullopt;
}

void CAutoRule::startAsNew() {
  const YearMonth before = previousMonth({startYear, startMonth});
  lastYear = lastSpecialYear = before.year;
  lastMonth = lastSpecialMonth = before.month;
  lastDay = lastSpecialDay = scheduleCode;
  executedCount = 0;
}

void CAutoRule::keepStateOf(const CAutoRule& other) {
  lastYear = other.lastYear;
  lastMonth = other.lastMonth;
  lastDay = other.lastDay;
  executedCount = other.executedCount;
  lastSpecialYear = other.lastSpecialYear;
  lastSpecialMonth = other.lastSpecialMonth;
  lastSpecialDay = other.lastSpecialDay;
}

Day ruleDueDate(const CAutoRule& rule, int year, int month, int code, unsigned restDays,
                const HolidayCalendar& holidays) {
  int y = year;
  int m = month;
  int d = code;
  switch (scheduleKind(code)) {
    case ScheduleKind::MonthlyDay:
    case ScheduleKind::Unknown:
      break;
    case ScheduleKind::MonthlyWeekday:
      d = nthWeekday(y, m, rule.scheduleWeek, rule.scheduleWeekday);
      break;
    case ScheduleKind::OddMonths:
      d = rule.scheduleDay;
      m = 2 * (month / 2) + 1;
      if (m > 12) {
        m = 1;
        ++y;
      }
      break;
    case ScheduleKind::EvenMonths:
      d = rule.scheduleDay;
      m = 2 * ((month + 1) / 2);
      break;
    case ScheduleKind::Yearly:
      d = rule.scheduleDay;
      m = rule.scheduleMonth;
      break;
    case ScheduleKind::YearlyWeekday:
      m = rule.scheduleMonth;
      d = nthWeekday(y, m, rule.scheduleWeek, rule.scheduleWeekday);
      break;
    case ScheduleKind::FixedDate:
      d = rule.scheduleDay;
      m = rule.scheduleMonth;
      y = rule.scheduleYear;
      break;
  }
  if (!isCalendarYear(y) || !inRange(m, 1, 12)) return InvalidDay;
  // Lowered to the length of the month the date falls in, so no schedule names 30 February.
  d = std::min(d, daysInMonth(y, m));
  const Day due = dayFromYmd(y, m, d);
  if (due == InvalidDay || due <= MinDay || due >= MaxDay) return InvalidDay;
  PeriodSettings settings;
  settings.restDays = restDays;
  settings.holidayRule = rule.holidayRule;
  settings.sameWeek = rule.sameWeek != 0;
  return moveOffRestDays(due, settings, holidays);
}

}  // namespace sorami
