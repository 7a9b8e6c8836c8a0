#include "rules/Holidays.h"

#include <array>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/Messages.h"
#include "platform/Prompts.h"
#include "platform/TextCodec.h"

namespace sorami {

namespace {

// --- Equinoxes -------------------------------------------------------------------------------

constexpr int FirstEquinoxYear = 1900;
constexpr int LastEquinoxYear = 2099;

// The published approximation; the quotient of the leap-year term is cut towards zero.
constexpr int equinoxByFormula(int year, bool spring) {
  const bool early = year < 1980;
  const double base = early ? (spring ? 20.8357 : 23.2588) : (spring ? 20.8431 : 23.2488);
  const int leaps = (year - (early ? 1983 : 1980)) / 4;
  return static_cast<int>(base + 0.242194 * (year - 1980) - leaps);
}

struct Equinoxes {
  unsigned char spring;
  unsigned char autumn;
};

constexpr auto kEquinoxes = [] {
  std::array<Equinoxes, LastEquinoxYear - FirstEquinoxYear + 1> table{};
  for (int y = FirstEquinoxYear; y <= LastEquinoxYear; ++y) {
    table[static_cast<size_t>(y - FirstEquinoxYear)] = {
        static_cast<unsigned char>(equinoxByFormula(y, true)),
        static_cast<unsigned char>(equinoxByFormula(y, false))};
  }
  return table;
}();

static_assert(kEquinoxes[0].spring == 21 && kEquinoxes[0].autumn == 23);      // 1900
static_assert(kEquinoxes[99].spring == 21 && kEquinoxes[99].autumn == 23);    // 1999
static_assert(kEquinoxes[100].spring == 20 && kEquinoxes[100].autumn == 23);  // 2000
static_assert(kEquinoxes[112].spring == 20 && kEquinoxes[112].autumn == 22);  // 2012
static_assert(kEquinoxes[192].spring == 19 && kEquinoxes[192].autumn == 22);  // 2092

// --- The holiday law ---------------------------------------------------------------------------

enum class When { Fixed, NthMonday, Spring, Autumn };

struct Rule {
  int from;
  int to;
  int month;
  When when;
  int n;  // the day of a fixed date, the week of a Monday holiday
  std::u16string_view name;
};

constexpr int Always = 9999;

// Every holiday whose date or name depends on the year. A one-off day is a rule of one year.
constexpr Rule kRules[] = {
    {1949, 1999, 1, When::Fixed, 15, u"成人の日"},
    {2000, Always, 1, When::NthMonday, 2, u"成人の日"},
    {1989, 1989, 2, When::Fixed, 24, u"大喪の礼"},
    {2020, Always, 2, When::Fixed, 23, u"天皇誕生日"},
    {1949, Always, 3, When::Spring, 0, u"春分の日"},
    {1959, 1959, 4, When::Fixed, 10, u"結婚の儀"},
    {1949, 1988, 4, When::Fixed, 29, u"天皇誕生日"},
    {1989, 2006, 4, When::Fixed, 29, u"みどりの日"},
    {2007, Always, 4, When::Fixed, 29, u"昭和の日"},
    {2019, 2019, 5, When::Fixed, 1, u"即位の日"},
    {2007, Always, 5, When::Fixed, 4, u"みどりの日"},
    {1993, 1993, 6, When::Fixed, 9, u"結婚の儀"},
    {1996, 2002, 7, When::Fixed, 20, u"海の日"},
    {2003, 2019, 7, When::NthMonday, 3, u"海の日"},
    {2020, 2020, 7, When::Fixed, 23, u"海の日"},
    {2020, 2020, 7, When::Fixed, 24, u"スポーツの日"},
    {2021, 2021, 7, When::Fixed, 22, u"海の日"},
    {2021, 2021, 7, When::Fixed, 23, u"スポーツの日"},
    {2022, Always, 7, When::NthMonday, 3, u"海の日"},
    {2016, 2019, 8, When::Fixed, 11, u"山の日"},
    {2020, 2020, 8, When::Fixed, 10, u"山の日"},
    {2021, 2021, 8, When::Fixed, 8, u"山の日"},
    {2022, Always, 8, When::Fixed, 11, u"山の日"},
    {1966, 2002, 9, When::Fixed, 15, u"敬老の日"},
    {2003, Always, 9, When::NthMonday, 3, u"敬老の日"},
    {1948, Always, 9, When::Autumn, 0, u"秋分の日"},
    {1966, 1999, 10, When::Fixed, 10, u"体育の日"},
    {2000, 2019, 10, When::NthMonday, 2, u"体育の日"},
    {2019, 2019, 10, When::Fixed, 22, u"即位礼正殿の儀"},
    {2022, Always, 10, When::NthMonday, 2, u"スポーツの日"},
    {1990, 1990, 11, When::Fixed, 12, u"即位礼正殿の儀"},
    {1989, 2018, 12, When::Fixed, 23, u"天皇誕生日"},
};

constexpr std::u16string_view SubstituteName = u"振替休日";
constexpr std::u16string_view CitizensName = u"国民の休日";
constexpr std::u16string_view RestDayName = u"休日";

// A Sunday holiday has given the next day off since 1973-04-12; since 2007 the day off is the
// next day that is no public holiday.
constexpr Day SubstituteStart = dayFromYmdUnchecked(1973, 4, 12);
constexpr Day ChainedSubstituteStart = dayFromYmdUnchecked(2007, 1, 1);
// A day between two public holidays is a holiday since 1985-12-27; until 2006 not when it is a
// Sunday or a substitute holiday.
constexpr Day CitizensStart = dayFromYmdUnchecked(1985, 12, 27);

int dayOfMonthFor(const Rule& r, const Ymd& ymd) {
  switch (r.when) {
    case When::Fixed:
      return r.n;
    case When::NthMonday: {
      const int firstWeekday = weekdayOf(dayFromYmdUnchecked(ymd.year, ymd.month, 1));
      return 1 + (8 - firstWeekday) % 7 + 7 * (r.n - 1);
    }
    case When::Spring:
      return vernalEquinoxDay(ymd.year);
    case When::Autumn:
      return autumnalEquinoxDay(ymd.year);
  }
  return 0;
}

std::u16string_view ruleName(const Ymd& ymd) {
  for (const Rule& r : kRules) {
    if (r.month != ymd.month || ymd.year < r.from || ymd.year > r.to) continue;
    if (dayOfMonthFor(r, ymd) == ymd.day) return r.name;
  }
  return {};
}

// --- HOLIDAY.TXT ---------------------------------------------------------------------------

// Like the C library's reading of a decimal number: leading blanks, a sign, digits; 0 when there
// are none. Values beyond int saturate.
int parseInt(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  long long v = 0;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    if (v < 1'000'000'000'000LL) v = v * 10 + (s[i] - u'0');
  }
  if (negative) v = -v;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int>(v);
}

std::vector<std::u16string_view> splitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// kind, month, day and the name (the rest of the line, so a name with a comma survives).
bool parseLine(std::u16string_view line, CHoliday::Entry& entry) {
  std::array<std::u16string_view, 3> numbers;
  size_t start = 0;
  for (auto& field : numbers) {
    const size_t comma = line.find(u',', start);
    if (comma == std::u16string_view::npos) return false;
    field = line.substr(start, comma - start);
    start = comma + 1;
  }
  entry = {parseInt(numbers[0]), parseInt(numbers[1]), parseInt(numbers[2]),
           std::u16string(line.substr(start))};
  return true;
}

bool readWhole(const std::filesystem::path& path, std::string& bytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  try {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {  // the stream library reports a failing read by throwing
    return false;
  }
  return !in.bad();
}

bool writeWhole(const std::filesystem::path& path, const std::string& bytes) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  if (ec) return false;
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) std::filesystem::remove(temp, ec);
  return !ec;
}

std::u16string number(int value) {
  return fromUtf8(std::to_string(value));
}

}  // namespace

int vernalEquinoxDay(int year) {
  if (year < FirstEquinoxYear || year > LastEquinoxYear) return 0;
  return kEquinoxes[static_cast<size_t>(year - FirstEquinoxYear)].spring;
}

int autumnalEquinoxDay(int year) {
  if (year < FirstEquinoxYear || year > LastEquinoxYear) return 0;
  return kEquinoxes[static_cast<size_t>(year - FirstEquinoxYear)].autumn;
}

std::filesystem::path userHolidayFilePath() {
  std::filesystem::path base;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !*home || !std::filesystem::path(home).is_absolute()) return {};
    base = std::filesystem::path(home) / ".local" / "share";
  }
  return base / u8"Tsumiki" / u8"そらみ" / u8"HOLIDAY.TXT";
}

std::filesystem::path holidayFileToRead(const std::filesystem::path& installedDefault) {
  std::filesystem::path user = userHolidayFilePath();
  std::error_code ec;
  if (!user.empty() && std::filesystem::is_regular_file(user, ec)) return user;
  return installedDefault;
}

// --- CHoliday --------------------------------------------------------------------------------

CHoliday::CHoliday() : entries_(defaultEntries()) {}

std::vector<CHoliday::Entry> CHoliday::defaultEntries() {
  return {
      {HK_HOLIDAY, 1, 1, u"元旦"},       {HK_BANK, 1, 2, u"銀行休日"},
      {HK_BANK, 1, 3, u"銀行休日"},      {HK_HOLIDAY, 2, 11, u"建国記念の日"},
      {HK_HOLIDAY, 5, 3, u"憲法記念日"}, {HK_HOLIDAY, 5, 5, u"こどもの日"},
      {HK_HOLIDAY, 11, 3, u"文化の日"},  {HK_HOLIDAY, 11, 23, u"勤労感謝の日"},
      {HK_BANK, 12, 31, u"銀行休日"},
  };
}

bool CHoliday::add(Entry entry) {
  if (entries_.size() >= MaxEntries) return false;
  entries_.push_back(std::move(entry));
  return true;
}

void CHoliday::clear() {
  entries_.clear();
}

void CHoliday::setDefault() {
  entries_ = defaultEntries();
  dirty_ = true;
}

bool CHoliday::isRuleName(std::u16string_view name) {
  if (name == SubstituteName || name == CitizensName) return true;
  for (const Rule& r : kRules) {
    if (r.name == name) return true;
  }
  return false;
}

CHoliday::LoadResult CHoliday::loadText(std::string_view shiftJis) {
  LoadResult result;
  result.fileRead = true;
  entries_.clear();
  const std::u16string text = fromShiftJis(shiftJis);
  for (std::u16string_view line : splitLines(text)) {
    Entry entry;
    if (!parseLine(line, entry)) {
      ++result.ignored;
    } else if (isRuleName(entry.name)) {
      ++result.passedOver;
    } else if (!add(std::move(entry))) {
      ++result.dropped;
    }
  }
  return result;
}

CHoliday::LoadResult CHoliday::load(const std::filesystem::path& path) {
  std::string bytes;
  if (readWhole(path, bytes)) return loadText(bytes);
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
  setDefault();
  // A file that is there but cannot be read is kept: writing the default table over it would
  // lose the user's lines.
  if (exists) dirty_ = false;
  return {};
}

std::string CHoliday::saveText() const {
  std::u16string text;
  for (const Entry& e : entries_) {
    text += number(e.kind) + u',' + number(e.month) + u',' + number(e.day) + u',' + e.name;
    text += u"\r\n";
  }
  return toShiftJis(text);
}

bool CHoliday::save(const std::filesystem::path& path) {
  if (!writeWhole(path, saveText())) return false;
  dirty_ = false;
  return true;
}

CHoliday::LoadResult CHoliday::loadAtStart(const std::filesystem::path& installedDefault,
                                           Prompts& prompts) {
  const LoadResult result = load(holidayFileToRead(installedDefault));
  if (result.dropped > 0) {
    prompts.inform(MessageId::HolidayTableFull, {number(MaxEntries), number(result.dropped)},
                   Icon::Warning);
  }
  return result;
}

bool CHoliday::saveAtExit(Prompts& prompts) {
  if (!dirty_) return true;
  const std::filesystem::path path = userHolidayFilePath();
  if (!path.empty() && save(path)) return true;
  const std::u8string shown = path.u8string();
  prompts.inform(
      MessageId::HolidayFileNotSaved,
      {fromUtf8(std::string_view(reinterpret_cast<const char*>(shown.data()), shown.size()))},
      Icon::Warning);
  return false;
}

// --- Days ----------------------------------------------------------------------------------

const CHoliday::Entry* CHoliday::tableHoliday(int month, int day) const {
  // The last entry wins, so a line the user adds overrides the defaults above it.
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (it->kind != HK_NONE && it->month == month && it->day == day) return &*it;
  }
  return nullptr;
}

CHoliday::Found CHoliday::publicHoliday(Day day) const {
  const Ymd ymd = ymdFromDay(day);
  if (ymd.year < 0) return {};
  const std::u16string_view byRule = ruleName(ymd);
  if (!byRule.empty()) return {HK_HOLIDAY, byRule};
  const Entry* entry = tableHoliday(ymd.month, ymd.day);
  if (entry && (entry->kind & HK_HOLIDAY)) return {entry->kind, entry->name};
  return {};
}

bool CHoliday::isPublicHoliday(Day day) const {
  return publicHoliday(day).kind != HK_NONE;
}

bool CHoliday::isSubstitute(Day day) const {
  if (day <= SubstituteStart || isPublicHoliday(day)) return false;
  for (Day back = day - 1; back >= SubstituteStart && isPublicHoliday(back); --back) {
    if (weekdayOf(back) != 0) continue;
    return back == day - 1 || back >= ChainedSubstituteStart;
  }
  return false;
}

bool CHoliday::isCitizensHoliday(Day day) const {
  if (day < CitizensStart || !isValidDay(day - 1) || !isValidDay(day + 1)) return false;
  if (!isPublicHoliday(day - 1) || !isPublicHoliday(day + 1) || isPublicHoliday(day)) return false;
  // Until 2006 a Sunday was no citizens' holiday; a substitute holiday is found before this.
  return day >= ChainedSubstituteStart || weekdayOf(day) != 0;
}

CHoliday::Found CHoliday::find(Day day) const {
  if (day == 0 || !isValidDay(day)) return {};
  if (const Found holiday = publicHoliday(day); holiday.kind != HK_NONE) return holiday;
  if (isSubstitute(day)) return {HK_SUBSTITUTE, SubstituteName};
  if (isCitizensHoliday(day)) return {HK_HOLIDAY, CitizensName};
  const Ymd ymd = ymdFromDay(day);
  if (const Entry* entry = tableHoliday(ymd.month, ymd.day)) return {entry->kind, entry->name};
  return {};
}

int CHoliday::kindOfDay(Day day) const {
  return find(day).kind;
}

std::u16string CHoliday::nameOfDay(Day day, int restDays) const {
  const Found found = find(day);
  if (found.kind != HK_NONE) return std::u16string(found.name);
  const int weekday = weekdayOf(day);
  if (day != 0 && weekday >= 0 && (restDays >> weekday) & 1) return std::u16string(RestDayName);
  return {};
}

std::u16string CHoliday::namedDay(Day day) const {
  const Ymd ymd = ymdFromDay(day);
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (it->kind == HK_NONE && it->month == ymd.month && it->day == ymd.day) return it->name;
  }
  return {};
}

}  // namespace sorami
