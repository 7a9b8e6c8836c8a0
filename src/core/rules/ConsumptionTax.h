#pragma once
// Consumption tax (消費税): an amount is without tax (税抜), a net amount that tax is added to
// (外税) or a gross amount that holds its tax (内税). The tax is computed in whole numbers from
// the rate as the file writes it, so every yen is the one the rounding asks for: a rate held as
// a binary fraction would make 3 % of 100 fall a hair short of 3 and lose the yen.

#include <cstdint>
#include <optional>

namespace sorami {

// The tax modes; the routine's kind uses 1 and 2 the same way (net and gross).
enum TaxMode : int { TAX_EXCLUDED = 0, TAX_OUTSIDE = 1, TAX_INSIDE = 2 };
inline constexpr int kTaxModeCount = 3;

// Fractions of a unit: 切り捨て, 切り上げ, 四捨五入.
enum TaxRounding : int { TAX_ROUND_DOWN = 0, TAX_ROUND_UP = 1, TAX_ROUND_HALF_UP = 2 };
inline constexpr int kTaxRoundingCount = 3;

// How an entry's tax was computed, kept in its flags. 0 in a field means "not recorded".
inline constexpr uint16_t TF_MODE_MASK = 0x000C;
inline constexpr uint16_t TF_MODE_EXCLUDED = 0x000C;
inline constexpr uint16_t TF_MODE_OUTSIDE = 0x0004;
inline constexpr uint16_t TF_MODE_INSIDE = 0x0008;
inline constexpr uint16_t TF_TEN_YEN = 0x0010;
inline constexpr uint16_t TF_ROUNDING_MASK = 0x0060;
inline constexpr uint16_t TF_ROUND_DOWN = 0x0020;
inline constexpr uint16_t TF_ROUND_UP = 0x0040;
inline constexpr uint16_t TF_ROUND_HALF_UP = 0x0060;
inline constexpr uint16_t TF_MASK = TF_MODE_MASK | TF_TEN_YEN | TF_ROUNDING_MASK;

inline constexpr double kMaxTaxRatePercent = 100;

// A rate as an exact fraction: numerator / 10^scale (8 % is 8 / 100).
struct TaxRate {
  uint64_t numerator = 0;
  int scale = 0;

  // The percentage as the data file writes it (ten significant digits), kept within 0 to 100.
  static TaxRate fromPercent(double percent);
  friend bool operator==(const TaxRate&, const TaxRate&) = default;
};

// The tax settings of a data file.
struct TaxSettings {
  TaxRate rate = TaxRate::fromPercent(5);
  int rounding = TAX_ROUND_DOWN;
  bool tenYen = false;    // taxes below ten whole units become 0
  int decimalPlaces = 0;  // of amounts: ten whole units are 10 × 10^places
};

// The tax of `amount` (in the smallest unit) at the settings' rate: kind TAX_OUTSIDE treats the
// amount as net, TAX_INSIDE as gross, any other kind (and any other rounding) gives 0. A
// negative amount gives the negative of the tax of its magnitude.
int64_t computeTax(int64_t amount, const TaxSettings& settings, int kind);
// The same with the rounding and the ten-unit flag given, as the calculator panel keeps its own.
int64_t computeTax(int64_t amount, const TaxSettings& settings, int rounding, bool tenYen,
                   int kind);

// The flag bits of a mode, a rounding and the ten-unit flag.
uint16_t taxFlags(int mode, int rounding, bool tenYen);

// What an entry's flags say about its tax.
struct TaxAttributes {
  std::optional<int> mode;
  std::optional<int> rounding;
  bool tenYen = false;
};
TaxAttributes taxAttributesOf(uint16_t flags);

// The modes and roundings in the order their buttons cycle through them.
inline int nextTaxMode(int mode) {
  return (mode + 1) % kTaxModeCount;
}
inline int nextTaxRounding(int rounding) {
  return (rounding + 1) % kTaxRoundingCount;
}

const char16_t* taxModeLabel(int mode);          // "税抜(&Z)", "外税(&Z)", "内税(&Z)"
const char16_t* taxRoundingLabel(int rounding);  // "切り捨て", "切り上げ", "四捨五入"

}  // namespace sorami
