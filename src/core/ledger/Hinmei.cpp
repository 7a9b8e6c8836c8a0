#include "ledger/Hinmei.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <ctime>
#include <limits>

#include "archive/Archive.h"

namespace sorami {

namespace {

// Seconds-since-1970 values of old files that stand for the first and the last day.
constexpr int32_t kOldTimeMinDay = 0;
constexpr int32_t kOldTimeMaxDay = 0x7FFFFFFF;

Day dayFromLocalTime(time_t t) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return InvalidDay;
  return dayFromYmd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

Day readOldDate(Archive& ar) {
  const int32_t seconds = ar.readI32();
  if (seconds == kOldTimeMinDay) return MinDay;
  if (seconds == kOldTimeMaxDay) return MaxDay;
  const Day day = dayFromLocalTime(static_cast<time_t>(seconds));
  if (day == InvalidDay) ar.fail(ArchiveErrorKind::BadFormat, "time outside the calendar");
  return day;
}

Day readFloatDate(Archive& ar) {
  const auto value = std::bit_cast<float>(ar.readU32());
  if (!std::isfinite(value) || value < static_cast<float>(MinDay) ||
      value > static_cast<float>(MaxDay)) {
    ar.fail(ArchiveErrorKind::BadFormat, "date outside the calendar");
  }
  // Entries hold whole days; a time of day in the value is dropped (the conversion of a value
  // inside the calendar drops it toward zero, as truncating would, without a call per entry).
  return static_cast<Day>(value);
}

// The leading decimal number of a text, as the item options are read: optional blanks and
// sign, then digits; 0 when there are none, saturated at the limits of 32 bits.
int32_t leadingNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > std::numeric_limits<int32_t>::max()) break;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::u16string decimalText(int32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string_view CHinmei::visibleMemo() const {
  const std::u16string_view all = memo;
  if (!hasTail()) return all;
  return all.substr(0, all.find(u'\0'));
}

std::u16string_view CHinmei::tailView() const {
  if (!hasTail()) return {};
  const std::u16string_view all = memo;
  const size_t first = all.find(u'\0');
  // A memo of text and one NUL has its separator as its final NUL: an empty tail.
  if (first + 2 > all.size()) return {};
  return all.substr(first + 1, all.size() - first - 2);
}

size_t CHinmei::tail(std::u16string& out) const {
  out = tailView();
  return out.size();
}

void CHinmei::setVisibleMemo(std::u16string_view text) {
  // A NUL typed into the visible part would be taken for the separator of a tail.
  text = text.substr(0, text.find(u'\0'));
  const std::u16string_view oldTail = tailView();
  if (oldTail.empty()) {
    memo = text;
    return;
  }
  std::u16string next;
  next.reserve(text.size() + oldTail.size() + 2);
  next.append(text).push_back(u'\0');
  next.append(oldTail).push_back(u'\0');
  memo = next;
}

void CHinmei::setTail(std::u16string_view text) {
  const std::u16string_view visible = visibleMemo();
  std::u16string next;
  next.reserve(visible.size() + text.size() + 2);
  next.append(visible).push_back(u'\0');
  next.append(text).push_back(u'\0');
  memo = next;
}

namespace {

// Calls `text` for every run without line breaks and `lineBreak` between them.
template <typename Text, typename Break>
void splitLines(std::u16string_view s, Text text, Break lineBreak) {
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != u'\r' && s[i] != u'\n') continue;
    text(s.substr(start, i - start));
    lineBreak();
    if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  text(s.substr(start));
}

std::u16string joinLines(std::u16string_view s, std::u16string_view lineBreak) {
  std::u16string out;
  out.reserve(s.size() + s.size() / 16);
  splitLines(
      s, [&](std::u16string_view part) { out.append(part); }, [&] { out.append(lineBreak); });
  return out;
}

}  // namespace

std::u16string withStoredLineBreaks(std::u16string_view text) {
  return joinLines(text, u"\r\n");
}

std::u16string withEditorLineBreaks(std::u16string_view text) {
  return joinLines(text, u"\n");
}

int32_t CHinmei::itemOptions() const {
  return leadingNumber(memo);
}

void CHinmei::setItemOption(int bit, bool on) {
  const uint32_t mask = 1u << bit;
  uint32_t value = static_cast<uint32_t>(itemOptions());
  value = on ? (value | mask) : (value & ~mask);
  memo = decimalText(static_cast<int32_t>(value));
}

void CHinmei::serialize(Archive& ar, uint16_t dataVersion) {
  if (ar.isStoring()) {
    write(ar);
  } else {
    read(ar, dataVersion);
  }
}

void CHinmei::write(Archive& ar) const {
  // Every whole day of the calendar is exact in single precision (|day| < 2^24).
  ar.writeF32(static_cast<float>(date));
  ar.writeU16(item);
  ar.writeU16(flags);
  ar.writeText(name);
  ar.writeText(memo);
  ar.writeI32(amount);
}

namespace {

uint32_t storedU32(const uint8_t* p) {
  uint32_t v = 0;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// The most an entry of the usual layout takes: date, item, flags, two texts of up to seven
// characters with their four-byte prefixes, amount; the 16 bytes read for the second text's
// characters end within it as well.
constexpr size_t kShortEntryBytes = 4 + 2 + 2 + 2 * (4 + 2 * CompactText::kInlineCapacity) + 4;

// Reads an entry of the layout nearly every line of a file saved today has, in the window and
// checked once: a date of the calendar and two short texts. Anything else (an old date, a longer
// or older text, a damaged value, the end of the window) is left to the reader of every layout,
// with nothing taken.
bool readShortEntry(CHinmei& e, Archive& ar) {
  if constexpr (std::endian::native != std::endian::little) return false;
  const uint8_t* p = ar.unchecked(kShortEntryBytes);
  if (p == nullptr) return false;
  const auto day = std::bit_cast<float>(storedU32(p));
  // Not NaN and inside the calendar, as readFloatDate has it.
  if (!(day >= static_cast<float>(MinDay) && day <= static_cast<float>(MaxDay))) return false;
  const int nameUnits = Archive::shortTextUnits(p + 8);
  if (nameUnits < 0) return false;
  const uint8_t* memoAt = p + 8 + 4 + 2 * static_cast<size_t>(nameUnits);
  const int memoUnits = Archive::shortTextUnits(memoAt);
  if (memoUnits < 0) return false;
  const uint32_t itemAndFlags = storedU32(p + 4);
  e.date = static_cast<Day>(day);
  e.item = static_cast<uint16_t>(itemAndFlags);
  e.flags = static_cast<uint16_t>(itemAndFlags >> 16);
  e.name.assignStored(p + 12, static_cast<size_t>(nameUnits));
  e.memo.assignStored(memoAt + 4, static_cast<size_t>(memoUnits));
  const uint8_t* amountAt = memoAt + 4 + 2 * static_cast<size_t>(memoUnits);
  e.amount = static_cast<int32_t>(storedU32(amountAt));
  e.work = 0;
  ar.skip(static_cast<size_t>(amountAt + 4 - p));
  return true;
}

}  // namespace

void CHinmei::read(Archive& ar, uint16_t dataVersion) {
  if (dataVersion >= kDataVersionFloatDates && readShortEntry(*this, ar)) return;
  date = dataVersion >= kDataVersionFloatDates ? readFloatDate(ar) : readOldDate(ar);
  item = ar.readU16();
  flags = ar.readU16();
  ar.readText(name);
  ar.readText(memo);
  amount = ar.readI32();
  work = 0;
}

Day version870Correction() {
  static const Day correction = [] {
    // 2002-10-12 00:00 local time, as seconds since 1970 and back to a local day.
    std::tm tm{};
    tm.tm_year = 2002 - 1900;
    tm.tm_mon = 10 - 1;
    tm.tm_mday = 12;
    tm.tm_isdst = -1;
    const time_t t = std::mktime(&tm);
    const Day viaLocalTime = t == static_cast<time_t>(-1) ? InvalidDay : dayFromLocalTime(t);
    if (viaLocalTime == InvalidDay) return Day{0};
    return viaLocalTime - dayFromYmd(2002, 10, 12);
  }();
  return correction;
}

void applyVersion870Correction(CHinmei& entry, Day correction) {
  if (correction == 0 || entry.flags == 0 || (entry.flags & EF_DEFINITION_MASK) != 0) return;
  const int64_t moved = static_cast<int64_t>(entry.date) + correction;
  // The end marker and a line at the edge of the calendar stay where they are.
  if (entry.date == MaxDay || moved < MinDay || moved >= MaxDay) return;
  entry.date = static_cast<Day>(moved);
}

}  // namespace sorami
