// The configuration text: the first group of settings as one line in the memo of the header entry.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <string_view>
#include <vector>

#include "config/Config.h"
#include "config/ConfigFields.h"

namespace sorami {

using namespace config_fields;

namespace {

constexpr char16_t kPartSeparator = u'\t';
constexpr double kMaxTaxRate = 100;

std::u16string ascii(std::string_view s) {
  return std::u16string(s.begin(), s.end());
}

std::string rateText(double rate) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, rate, std::chars_format::general, 10);
  return std::string(buf, res.ptr);
}

std::u16string valueText(const TextSlot& t) {
  const auto value = static_cast<int32_t>(intValue(t.slot));
  switch (t.format) {
    case TextFormat::Rate:
      return ascii(rateText(*std::get<double*>(t.slot)));
    case TextFormat::Unsigned:
      return ascii(std::to_string(static_cast<uint32_t>(value)));
    default:
      return ascii(std::to_string(value));
  }
}

template <size_t N>
std::u16string listText(const std::array<TextSlot, N>& slots) {
  std::u16string out;
  for (const TextSlot& t : slots) {
    if (!out.empty()) out += u',';
    out += valueText(t);
  }
  return out;
}

// Pieces between separators; empty pieces are skipped, so a missing value is the end of the list.
std::vector<std::u16string_view> tokens(std::u16string_view text, std::u16string_view separators) {
  std::vector<std::u16string_view> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(separators, start);
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

std::u16string_view trimmed(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\r')) s.remove_suffix(1);
  return s;
}

// A whole number as the text form writes it, signed or unsigned; its low 32 bits are returned so
// that a negative value written with "%u" reads back as itself. Text after the digits is ignored.
uint32_t parseRaw(std::u16string_view piece) {
  piece = trimmed(piece);
  bool negative = false;
  if (!piece.empty() && (piece.front() == u'-' || piece.front() == u'+')) {
    negative = piece.front() == u'-';
    piece.remove_prefix(1);
  }
  uint64_t value = 0;
  for (char16_t ch : piece) {
    if (ch < u'0' || ch > u'9') break;
    value = std::min<uint64_t>(value * 10 + (ch - u'0'), uint64_t{1} << 40);
  }
  return static_cast<uint32_t>(negative ? 0 - value : value);
}

// The tax rate as a decimal number; an unreadable or out-of-range rate keeps a usable value.
double parseRate(std::u16string_view piece, double previous) {
  std::string narrow;
  for (char16_t ch : trimmed(piece)) narrow += ch < 0x80 ? static_cast<char>(ch) : '?';
  double rate = 0;
  const auto res = std::from_chars(narrow.data(), narrow.data() + narrow.size(), rate);
  if (res.ec != std::errc{} || !std::isfinite(rate)) return previous;
  return std::clamp(rate, 0.0, kMaxTaxRate);
}

// Day values of older versions count seconds since 1970-01-01 00:00 local time.
Day dayFromLocalSeconds(int32_t seconds) {
  const time_t t = seconds;
  tm local{};
  if (localtime_r(&t, &local) == nullptr) return MinDay;
  const Day day = dayFromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return day == InvalidDay ? MinDay : day;
}

struct PendingDay {
  int* target;
  uint32_t raw;
};

template <size_t N>
void fillList(const std::array<TextSlot, N>& slots, const std::vector<std::u16string_view>& values,
              std::vector<PendingDay>& days) {
  for (size_t i = 0; i < values.size(); ++i) {
    // A value beyond the last position stands for the data version.
    const TextSlot& t = i < N ? slots[i] : slots[0];
    if (t.format == TextFormat::Rate) {
      double* rate = std::get<double*>(t.slot);
      *rate = parseRate(values[i], *rate);
    } else if (t.format == TextFormat::Day) {
      days.push_back({std::get<int*>(t.slot), parseRaw(values[i])});
    } else {
      setRaw(t.slot, parseRaw(values[i]));
    }
  }
}

std::u16string nameOrDefault(const std::vector<std::u16string_view>& parts, size_t index) {
  if (index >= parts.size() || parts[index].empty()) return kDefaultAdjustmentName;
  return std::u16string(parts[index]);
}

// Splits at TAB and LF, keeping empty parts so the parts keep their places.
std::vector<std::u16string_view> textParts(std::u16string_view text) {
  std::vector<std::u16string_view> out;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find_first_of(u"\t\n", start);
    if (end == std::u16string_view::npos) {
      out.push_back(text.substr(start));
      return out;
    }
    out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

std::u16string CConfig::toText() const {
  CConfig c = *this;
  c.dataVersion = kDataVersionCurrent;
  c.reserved32 = 0;
  c.reserved33 = 0;
  std::u16string out = c.delimiters;
  out += kPartSeparator;
  out += listText(firstList(c));
  out += kPartSeparator;
  out += listText(secondList(c));
  out += kPartSeparator;
  out += c.decreaseName;
  out += kPartSeparator;
  out += c.increaseName;
  return out;
}

bool CConfig::fromText(std::u16string_view text, std::u16string_view fallbackDelimiters) {
  if (text.empty()) return false;
  const std::vector<std::u16string_view> parts = textParts(text);
  const bool hasParts = parts.size() > 1;
  const std::vector<std::u16string_view> first = tokens(hasParts ? parts[1] : text, u",");
  if (first.size() < 7) return false;

  CConfig c = *this;
  c.delimiters = std::u16string(hasParts ? parts[0] : fallbackDelimiters).substr(0, kMaxDelimiters);
  std::vector<PendingDay> days;
  fillList(firstList(c), first, days);
  if (parts.size() > 2) {
    std::vector<std::u16string_view> second = tokens(parts[2], u",");
    if (second.size() > kSecondListSize) second.resize(kSecondListSize);
    fillList(secondList(c), second, days);
  }
  const bool wholeDays = c.dataVersion >= kDataVersionWholeDays;
  for (const PendingDay& d : days) {
    const auto raw = static_cast<int32_t>(d.raw);
    *d.target = wholeDays ? std::clamp<Day>(raw, MinDay, MaxDay) : dayFromLocalSeconds(raw);
  }
  c.decreaseName = nameOrDefault(parts, 3);
  c.increaseName = nameOrDefault(parts, 4);

  // Days are whole, so the start and end of their days are the days themselves.
  c.totalsPeriodStart = c.fixedPeriodStart;
  c.totalsPeriodEnd = c.fixedPeriodEnd;
  c.clampUntrustedValues();
  if (c.displayMode == 0) c.displaySubMode = 0;
  if (c.displayMode == 1 && c.displaySubMode < 2) c.displaySubMode = 1;
  *this = std::move(c);
  return true;
}

}  // namespace sorami
