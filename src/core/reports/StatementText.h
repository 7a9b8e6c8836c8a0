#pragma once
// The fields of a bank or card statement as their writers spell them: dates in the Western or
// the Japanese era calendar, amounts with separators, yen signs and full-width digits, and
// product names in half-width katakana or full-width letters.

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/Day.h"

namespace sorami {

// Which spellings of a date a statement uses.
enum class DateForm {
  Auto,       // any of the forms below but the two-digit year
  Ymd,        // 2024/04/01, 2024-4-1, 2024.04.01, 2024年4月1日
  Compact,    // 20240401
  ShortYear,  // 24/04/01 or 240401: years 2000 to 2099
  Era,        // R6.4.1, 令和6年4月1日, H31.4.30, 令和元年5月1日
};

struct StatementDate {
  enum class Status { Ok, Unreadable, BeforeEra } status = Status::Unreadable;
  Day day = InvalidDay;
};

// A date of a statement; a weekday in brackets ("(月)") or a time of day after it is passed
// over. An era year counts on past the era's end, as systems not yet changed to the new era
// printed it (H31.5.1 is 2019-05-01), but a day before the era began is refused.
StatementDate parseStatementDate(std::u16string_view text, DateForm form);

struct StatementAmount {
  enum class Status { Ok, Empty, Unreadable, TooManyDecimals, OutOfRange } status = Status::Empty;
  int64_t value = 0;  // in the smallest unit, negative for "-", "△", "▲" or brackets
};

// An amount of a statement: "1,234", "-1,234", "△1,234", "(1,234)", "¥1,234", "1,234円",
// "１，２３４" and decimals up to the file's places (trailing zeros beyond them are fine). A
// separator stands only between digits. Out of range beyond what a line holds (32 bits).
StatementAmount parseStatementAmount(std::u16string_view text, int decimalPlaces);

// A product name in the one spelling that patterns are compared in: full-width letters, digits
// and signs as ASCII, half-width katakana as full-width (voiced marks joined), the ideographic
// space as a space; with `foldCase` lower-case letters as capitals.
std::u16string matchForm(std::u16string_view text, bool foldCase);

}  // namespace sorami
