#include "rules/CardSettings.h"

#include <charconv>
#include <string>

namespace sorami {

namespace {

// Stored positions of the values written unsigned and of the two rates.
constexpr size_t kClosingSameWeek = 5;
constexpr size_t kPaymentSameWeek = 9;
constexpr size_t kPaymentRate = 22;
constexpr size_t kFeeRate = 24;

std::string asciiOf(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

std::u16string wideOf(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

size_t skipSpaces(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r')) ++i;
  return i;
}

}  // namespace

int32_t parseSettingsInt(std::u16string_view text) {
  size_t i = skipSpaces(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    if (value < (int64_t{1} << 40)) value = value * 10 + (text[i] - u'0');
  }
  if (negative) value = -value;
  // Values written unsigned come back as the same 32 bits; anything wider is held at the edge.
  if (value > static_cast<int64_t>(UINT32_MAX)) return INT32_MAX;
  if (value > INT32_MAX) return static_cast<int32_t>(static_cast<uint32_t>(value));
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

double parseSettingsDouble(std::u16string_view text) {
  const std::string ascii = asciiOf(text.substr(skipSpaces(text)));
  const char* first = ascii.data();
  if (!ascii.empty() && ascii[0] == '+') ++first;
  double value = 0;
  std::from_chars(first, ascii.data() + ascii.size(), value);
  return value;
}

std::u16string settingsIntText(int64_t value) {
  return wideOf(std::to_string(value));
}

std::u16string settingsDoubleText(double value) {
  char buffer[32];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
  return wideOf(std::string_view(buffer, static_cast<size_t>(r.ptr - buffer)));
}

CardSettings CardSettings::newRecord(int year, int month) {
  CardSettings c;
  c.nextClosingYear = year;
  c.nextClosingMonth = month;
  return c;
}

template <typename Self>
auto* CardSettings::intValue(Self& self, size_t i) {
  using Field = decltype(&self.closingDay);
  const Field fixed[] = {&self.nextClosingYear,    &self.nextClosingMonth, &self.closingDay,
                         &self.closingHolidayRule, &self.carriedBalance,   &self.closingSameWeek,
                         &self.paymentMonthOffset, &self.paymentDay,       &self.paymentHolidayRule,
                         &self.paymentSameWeek,    &self.revolving,        &self.method};
  if (i < std::size(fixed)) return fixed[i];
  if (i >= 12 && i < 17) return &self.balanceBounds[i - 12];
  if (i >= 17 && i < 22) return &self.payments[i - 17];
  switch (i) {
    case 23:
      return &self.minimumPayment;
    case 25:
      return &self.feeAddedTo;
    case 26:
      return &self.feeAtFirstSettlement;
    case 27:
      return &self.limit;
    default:
      return Field{nullptr};
  }
}

template <typename Self>
auto* CardSettings::doubleValue(Self& self, size_t i) {
  if (i == kPaymentRate) return &self.paymentRate;
  if (i == kFeeRate) return &self.feeRate;
  return decltype(&self.feeRate){nullptr};
}

void CardSettings::setValue(size_t i, std::u16string_view text) {
  if (int32_t* v = intValue(*this, i)) *v = parseSettingsInt(text);
  if (double* d = doubleValue(*this, i)) *d = parseSettingsDouble(text);
}

std::u16string CardSettings::valueText(size_t i) const {
  if (const double* d = doubleValue(*this, i)) return settingsDoubleText(*d);
  const int32_t* v = intValue(*this, i);
  if (v == nullptr) return {};
  if (i == kClosingSameWeek || i == kPaymentSameWeek) {
    return settingsIntText(static_cast<uint32_t>(*v));
  }
  return settingsIntText(*v);
}

std::u16string CardSettings::valuesText() const {
  std::u16string out;
  for (size_t i = 0; i < kCardValueCount; ++i) {
    if (i > 0) out.push_back(u',');
    out += valueText(i);
  }
  return out;
}

}  // namespace sorami
