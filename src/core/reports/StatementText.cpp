#include "reports/StatementText.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include "ledger/EntryInput.h"

namespace sorami {

namespace {

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool isSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\u3000' || c == u'\u00A0';
}

std::u16string_view trimmed(std::u16string_view t) {
  while (!t.empty() && isSpace(t.front())) t.remove_prefix(1);
  while (!t.empty() && isSpace(t.back())) t.remove_suffix(1);
  return t;
}

// ---- Dates.

// A cursor over the narrowed text of a date.
struct DateScan {
  std::u16string_view rest;

  // Up to `most` digits, at least `least`; nothing otherwise.
  std::optional<int> number(size_t least, size_t most) {
    size_t n = 0;
    int value = 0;
    while (n < rest.size() && n < most && isDigit(rest[n])) value = value * 10 + (rest[n++] - u'0');
    if (n < least || (n < rest.size() && isDigit(rest[n]))) return std::nullopt;
    rest.remove_prefix(n);
    return value;
  }
  bool take(char16_t c) {
    if (rest.empty() || rest.front() != c) return false;
    rest.remove_prefix(1);
    return true;
  }
  bool takeAny(std::u16string_view chars) {
    if (rest.empty() || chars.find(rest.front()) == std::u16string_view::npos) return false;
    rest.remove_prefix(1);
    return true;
  }
  bool take(std::u16string_view word) {
    if (rest.substr(0, word.size()) != word) return false;
    rest.remove_prefix(word.size());
    return true;
  }
};

constexpr std::u16string_view kDateSeparators = u"/-.";

// "m/d" after a year written with the same separator (0 for "m月d日" after "年").
std::optional<Ymd> monthAndDay(DateScan& s, int year, char16_t separator) {
  const bool kanji = separator == 0;
  const std::optional<int> month = s.number(1, 2);
  if (!month) return std::nullopt;
  if (!s.take(kanji ? u'月' : separator)) return std::nullopt;
  const std::optional<int> day = s.number(1, 2);
  if (!day) return std::nullopt;
  if (kanji) s.take(u'日');
  if (!s.rest.empty()) return std::nullopt;
  return Ymd{year, *month, *day};
}

// After the year: its separator decides the rest.
std::optional<Ymd> afterYear(DateScan& s, int year) {
  if (s.take(u'年')) return monthAndDay(s, year, 0);
  const char16_t separator = s.rest.empty() ? 0 : s.rest.front();
  if (!s.takeAny(kDateSeparators)) return std::nullopt;
  return monthAndDay(s, year, separator);
}

std::optional<Ymd> westernDate(std::u16string_view text) {
  DateScan s{text};
  const std::optional<int> year = s.number(4, 4);
  if (!year) return std::nullopt;
  return afterYear(s, *year);
}

std::optional<Ymd> digitsDate(std::u16string_view text, size_t yearDigits, int century) {
  if (text.size() != yearDigits + 4) return std::nullopt;
  for (const char16_t c : text) {
    if (!isDigit(c)) return std::nullopt;
  }
  int v[3] = {0, 0, 0};
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t field = i < yearDigits ? 0 : (i < yearDigits + 2 ? 1 : 2);
    v[field] = v[field] * 10 + (text[i] - u'0');
  }
  return Ymd{century + v[0], v[1], v[2]};
}

std::optional<Ymd> shortYearDate(std::u16string_view text) {
  if (std::optional<Ymd> d = digitsDate(text, 2, 2000)) return d;
  DateScan s{text};
  const std::optional<int> year = s.number(2, 2);
  if (!year) return std::nullopt;
  return afterYear(s, 2000 + *year);
}

struct Era {
  char16_t letter;
  std::u16string_view name;
  Ymd first;   // the era's first day
  int offset;  // Western year = era year + offset
};

constexpr std::array<Era, 5> kEras = {{
    {u'R', u"令和", {2019, 5, 1}, 2018},
    {u'H', u"平成", {1989, 1, 8}, 1988},
    {u'S', u"昭和", {1926, 12, 25}, 1925},
    {u'T', u"大正", {1912, 7, 30}, 1911},
    {u'M', u"明治", {1868, 10, 23}, 1867},
}};

const Era* takeEra(DateScan& s) {
  for (const Era& era : kEras) {
    if (s.take(era.letter) || s.take(static_cast<char16_t>(era.letter + 0x20)) ||
        s.take(era.name) || s.take(era.name.substr(0, 1))) {
      return &era;
    }
  }
  return nullptr;
}

StatementDate eraDate(std::u16string_view text) {
  DateScan s{text};
  const Era* era = takeEra(s);
  if (era == nullptr) return {};
  while (s.take(u' ')) {
  }
  std::optional<int> year = s.take(u'元') ? std::optional<int>(1) : s.number(1, 2);
  if (!year || *year == 0) return {};
  const std::optional<Ymd> ymd = afterYear(s, *year + era->offset);
  if (!ymd) return {};
  const Day day = dayFromYmd(ymd->year, ymd->month, ymd->day);
  if (day == InvalidDay) return {};
  if (day < dayFromYmd(era->first.year, era->first.month, era->first.day)) {
    return {StatementDate::Status::BeforeEra, InvalidDay};
  }
  return {StatementDate::Status::Ok, day};
}

// What follows the date proper: a weekday in brackets or a time of day.
std::u16string_view withoutWeekdayAndTime(std::u16string_view t) {
  const size_t space = t.find_first_of(u" T");
  if (space != std::u16string_view::npos && space > 0 && space + 1 < t.size() &&
      isDigit(t[space + 1]) && t.find(u':', space) != std::u16string_view::npos) {
    t = trimmed(t.substr(0, space));
  }
  if (!t.empty() && t.back() == u')') {
    const size_t open = t.rfind(u'(');
    if (open != std::u16string_view::npos && t.size() - open <= 6) t = trimmed(t.substr(0, open));
  }
  return t;
}

StatementDate fromYmd(std::optional<Ymd> ymd) {
  if (!ymd) return {};
  const Day day = dayFromYmd(ymd->year, ymd->month, ymd->day);
  if (day == InvalidDay || day <= MinDay || day >= MaxDay) return {};
  return {StatementDate::Status::Ok, day};
}

// ---- Amounts.

bool takePrefix(std::u16string_view& t, std::u16string_view chars) {
  if (t.empty() || chars.find(t.front()) == std::u16string_view::npos) return false;
  t = trimmed(t.substr(1));
  return true;
}

constexpr std::u16string_view kYenSigns = u"¥\\\uFFE5";
constexpr std::u16string_view kMinusSigns = u"-△▲";

// ---- Names.

// Half-width katakana U+FF61 to U+FF9F as their full-width forms.
constexpr char16_t kFullKana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};
static_assert(sizeof kFullKana / sizeof kFullKana[0] == 0xFF9F - 0xFF61 + 1);

// The kana with a voiced mark joined, when there is one.
char16_t voiced(char16_t kana, bool semi) {
  const bool kaToDo = kana >= u'カ' && kana <= u'ド' && kana != u'ッ';
  if (!semi && kaToDo) {
    // カ to ヂ go in steps of two; after the small ッ, ツ テ ト do too.
    const int step = kana < u'ッ' ? (kana - u'カ') % 2 : (kana - u'ツ') % 2;
    if (step == 0) return static_cast<char16_t>(kana + 1);
  }
  if (kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0) {
    return static_cast<char16_t>(kana + (semi ? 2 : 1));
  }
  if (!semi && kana == u'ウ') return u'ヴ';
  return 0;
}

}  // namespace

StatementDate parseStatementDate(std::u16string_view text, DateForm form) {
  const std::u16string narrow = narrowFigures(text);
  const std::u16string_view t = withoutWeekdayAndTime(trimmed(narrow));
  if (t.empty()) return {};
  switch (form) {
    case DateForm::Ymd:
      return fromYmd(westernDate(t));
    case DateForm::Compact:
      return fromYmd(digitsDate(t, 4, 0));
    case DateForm::ShortYear:
      return fromYmd(shortYearDate(t));
    case DateForm::Era:
      return eraDate(t);
    case DateForm::Auto:
      break;
  }
  if (isDigit(t.front())) {
    const StatementDate western = fromYmd(westernDate(t));
    return western.status == StatementDate::Status::Ok ? western : fromYmd(digitsDate(t, 4, 0));
  }
  return eraDate(t);
}

StatementAmount parseStatementAmount(std::u16string_view text, int decimalPlaces) {
  using Status = StatementAmount::Status;
  const std::u16string narrow = narrowFigures(text);
  std::u16string_view t = trimmed(narrow);
  if (t.empty()) return {};
  bool negative = false;
  takePrefix(t, kYenSigns);
  if (takePrefix(t, kMinusSigns)) {
    negative = true;
  } else if (!takePrefix(t, u"+") && t.size() > 2 && t.front() == u'(' && t.back() == u')') {
    negative = true;
    t = trimmed(t.substr(1, t.size() - 2));
  }
  takePrefix(t, kYenSigns);
  if (!t.empty() && t.back() == u'円') t = trimmed(t.substr(0, t.size() - 1));
  if (t.empty() || !isDigit(t.front())) return {Status::Unreadable, 0};

  decimalPlaces = std::clamp(decimalPlaces, 0, 3);
  int64_t value = 0;
  size_t i = 0;
  bool overflow = false;
  for (; i < t.size(); ++i) {
    const char16_t c = t[i];
    if (c == u',') {
      if (i + 1 >= t.size() || !isDigit(t[i + 1])) return {Status::Unreadable, 0};
      continue;
    }
    if (!isDigit(c)) break;
    if (value > std::numeric_limits<int64_t>::max() / 100) overflow = true;
    if (!overflow) value = value * 10 + (c - u'0');
  }
  int decimals = 0;
  if (i < t.size() && t[i] == u'.') {
    if (++i >= t.size()) return {Status::Unreadable, 0};
    for (; i < t.size() && isDigit(t[i]); ++i) {
      if (decimals < decimalPlaces) {
        if (!overflow) value = value * 10 + (t[i] - u'0');
        ++decimals;
      } else if (t[i] != u'0') {
        // A fraction of the smallest unit would be lost.
        return {Status::TooManyDecimals, 0};
      }
    }
  }
  if (i != t.size()) return {Status::Unreadable, 0};
  for (; decimals < decimalPlaces && !overflow; ++decimals) value *= 10;
  if (overflow || value > std::numeric_limits<int32_t>::max()) return {Status::OutOfRange, 0};
  return {Status::Ok, negative ? -value : value};
}

std::u16string matchForm(std::u16string_view text, bool foldCase) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c >= u'\uFF01' && c <= u'\uFF5E') {
      c = static_cast<char16_t>(c - 0xFEE0);
    } else if (c == u'\u3000') {
      c = u' ';
    } else if (c >= u'\uFF61' && c <= u'\uFF9F') {
      c = kFullKana[c - 0xFF61];
      const bool mark = c == u'゛' || c == u'゜';
      if (mark && !out.empty()) {
        if (const char16_t joined = voiced(out.back(), c == u'゜')) {
          out.back() = joined;
          continue;
        }
      }
    }
    if (foldCase && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
    out.push_back(c);
  }
  return out;
}

}  // namespace sorami
