#pragma once
// The settings that turn a loan into a credit card: when its purchases close, when and from which
// account they are paid, and the revolving payment. Kept here as data that travels inside the
// loan's settings text and comes back out unchanged.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sorami {

// How many card values follow the loan's own numbers in its settings text.
inline constexpr size_t kCardValueCount = 28;

class CardSettings {
 public:
  // A new record: next closing in (year, month), the remaining values at their defaults.
  static CardSettings newRecord(int year, int month);

  // The 28 values, joined by ",", in their stored order; the two rates as text of at most ten
  // significant digits.
  std::u16string valuesText() const;
  // Sets value number i (0 to 27, stored order) from its text; other indexes are ignored.
  void setValue(size_t i, std::u16string_view text);
  std::u16string valueText(size_t i) const;

  std::u16string cardName;           // the loan's name (カード名)
  std::u16string settlementAccount;  // 決済口座
  int32_t nextClosingYear = 0;
  int32_t nextClosingMonth = 0;
  int32_t closingDay = 10;
  int32_t closingHolidayRule = 0;
  int32_t carriedBalance = 0;
  int32_t closingSameWeek = 0;  // written unsigned
  int32_t paymentMonthOffset = 1;
  int32_t paymentDay = 10;
  int32_t paymentHolidayRule = 0;
  int32_t paymentSameWeek = 0;  // written unsigned
  int32_t revolving = 0;
  int32_t method = 0;  // 0 定額 (payment table), 1 定率 (rate of the balance)
  std::array<int32_t, 5> balanceBounds{200000, 0, 0, 0, 0};
  std::array<int32_t, 5> payments{10000, 0, 0, 0, 0};
  double paymentRate = 5.0;
  int32_t minimumPayment = 10000;
  double feeRate = 13.2;
  int32_t feeAddedTo = 0;
  int32_t feeAtFirstSettlement = 0;
  int32_t limit = 0;

  friend bool operator==(const CardSettings&, const CardSettings&) = default;

 private:
  // The field of stored value i, for a const or a mutable record; null when it is of the other
  // type.
  template <typename Self>
  static auto* intValue(Self& self, size_t i);
  template <typename Self>
  static auto* doubleValue(Self& self, size_t i);
};

// Whole numbers and decimal fractions of settings texts, read leniently (leading spaces, a sign,
// then digits; anything else ends the number) and written in the C locale.
int32_t parseSettingsInt(std::u16string_view text);
double parseSettingsDouble(std::u16string_view text);
std::u16string settingsIntText(int64_t value);
std::u16string settingsDoubleText(double value);

}  // namespace sorami
