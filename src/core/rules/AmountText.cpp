#include "rules/AmountText.h"

#include <algorithm>
#include <limits>

namespace sorami {

namespace {

constexpr uint64_t kMaxMagnitude = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());

bool isLeadingSpace(char16_t c) {
  // ASCII white space and the ideographic space a Japanese input method types.
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u3000';
}

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// value * 10 + digit, held at kMaxMagnitude once it would pass it.
uint64_t appendDigit(uint64_t value, int digit) {
  if (value > (kMaxMagnitude - static_cast<uint64_t>(digit)) / 10) return kMaxMagnitude;
  return value * 10 + static_cast<uint64_t>(digit);
}

}  // namespace

int clampDecimalPlaces(int decimalPlaces) {
  return std::clamp(decimalPlaces, 0, 3);
}

std::u16string formatAmount(int64_t value, bool separators, int decimalPlaces) {
  int fraction = clampDecimalPlaces(decimalPlaces);
  // The magnitude in unsigned arithmetic, so the smallest 64-bit value has one too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::u16string reversed;
  for (; fraction > 0; --fraction) {
    reversed.push_back(static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  }
  if (!reversed.empty()) reversed.push_back(u'.');
  int grouped = 0;
  do {
    if (separators && grouped == 3) {
      reversed.push_back(u',');
      grouped = 0;
    }
    reversed.push_back(static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
    ++grouped;
  } while (magnitude != 0);
  if (value < 0) reversed.push_back(u'-');
  return {reversed.rbegin(), reversed.rend()};
}

int64_t parseAmount(std::u16string_view text, int decimalPlaces) {
  const int places = clampDecimalPlaces(decimalPlaces);
  size_t i = 0;
  while (i < text.size() && isLeadingSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';

  uint64_t value = 0;
  bool inFraction = false;
  int fractionDigits = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u',') continue;
    if (c == u'.' && !inFraction) {
      inFraction = true;
      continue;
    }
    if (!isDigit(c)) break;
    if (inFraction && fractionDigits == places) break;  // digits past the places are dropped
    value = appendDigit(value, c - u'0');
    if (inFraction) ++fractionDigits;
  }
  for (; fractionDigits < places; ++fractionDigits) value = appendDigit(value, 0);
  const auto signedValue = static_cast<int64_t>(value);
  return negative ? -signedValue : signedValue;
}

}  // namespace sorami
