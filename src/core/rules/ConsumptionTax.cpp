#include "rules/ConsumptionTax.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "rules/AmountText.h"

namespace sorami {

namespace {

__extension__ typedef unsigned __int128 Wide;

// Beyond this many decimals a rate holds less than 10^-20 of its amount; every amount of 64 bits
// times the numerator stays far below the denominator, so a larger one gives the same tax.
constexpr int kMaxScale = 30;

Wide powerOfTen(int n) {
  Wide p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// p / q rounded as asked, for p >= 0 and q > 0.
Wide divide(Wide p, Wide q, int rounding) {
  switch (rounding) {
    case TAX_ROUND_DOWN:
      return p / q;
    case TAX_ROUND_UP:
      return (p + q - 1) / q;
    case TAX_ROUND_HALF_UP:
      return (2 * p + q) / (2 * q);
    default:
      return 0;
  }
}

}  // namespace

TaxRate TaxRate::fromPercent(double percent) {
  if (!std::isfinite(percent) || percent <= 0) return {};
  percent = std::min(percent, kMaxTaxRatePercent);
  // The ten significant digits the configuration text writes, read back digit by digit.
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, percent, std::chars_format::scientific, 9);
  uint64_t mantissa = 0;
  int exponent = 0;
  int fraction = 0;
  bool inFraction = false;
  for (const char* c = buf; c < res.ptr; ++c) {
    if (*c >= '0' && *c <= '9') {
      mantissa = mantissa * 10 + static_cast<uint64_t>(*c - '0');
      if (inFraction) ++fraction;
    } else if (*c == '.') {
      inFraction = true;
    } else if (*c == 'e') {
      std::from_chars(c + 1 + (c[1] == '+'), res.ptr, exponent);
      break;
    }
  }
  while (mantissa != 0 && mantissa % 10 == 0 && fraction > 0) {
    mantissa /= 10;
    --fraction;
  }
  // percent = mantissa × 10^(exponent - fraction); the rate is a hundredth of it.
  int scale = fraction - exponent + 2;
  while (scale < 0) {
    mantissa *= 10;
    ++scale;
  }
  return {mantissa, scale};
}

int64_t computeTax(int64_t amount, const TaxSettings& s, int kind) {
  return computeTax(amount, s, s.rounding, s.tenYen, kind);
}

int64_t computeTax(int64_t amount, const TaxSettings& s, int rounding, bool tenYen, int kind) {
  if (kind != TAX_OUTSIDE && kind != TAX_INSIDE) return 0;
  const bool negative = amount < 0;
  const Wide x = negative ? Wide(0) - static_cast<Wide>(amount) : static_cast<Wide>(amount);
  const Wide numerator = s.rate.numerator;
  const Wide unit = powerOfTen(std::min(s.rate.scale, kMaxScale));
  // Net: t = x·r; gross: t = x·r / (1 + r), with r = numerator / unit.
  const Wide denominator = kind == TAX_OUTSIDE ? unit : unit + numerator;
  Wide t = divide(x * numerator, denominator, rounding);
  if (tenYen) {
    // Ten whole units of the currency, whatever the decimal places of its amounts.
    const Wide ten = 10 * powerOfTen(clampDecimalPlaces(s.decimalPlaces));
    t = t / ten * ten;
  }
  const auto magnitude = static_cast<int64_t>(t);
  return negative ? -magnitude : magnitude;
}

uint16_t taxFlags(int mode, int rounding, bool tenYen) {
  static constexpr uint16_t modes[] = {TF_MODE_EXCLUDED, TF_MODE_OUTSIDE, TF_MODE_INSIDE};
  static constexpr uint16_t roundings[] = {TF_ROUND_DOWN, TF_ROUND_UP, TF_ROUND_HALF_UP};
  uint16_t flags = tenYen ? TF_TEN_YEN : 0;
  if (mode >= 0 && mode < kTaxModeCount) flags |= modes[mode];
  if (rounding >= 0 && rounding < kTaxRoundingCount) flags |= roundings[rounding];
  return flags;
}

TaxAttributes taxAttributesOf(uint16_t flags) {
  TaxAttributes a;
  switch (flags & TF_MODE_MASK) {
    case TF_MODE_EXCLUDED:
      a.mode = TAX_EXCLUDED;
      break;
    case TF_MODE_OUTSIDE:
      a.mode = TAX_OUTSIDE;
      break;
    case TF_MODE_INSIDE:
      a.mode = TAX_INSIDE;
      break;
    default:
      break;
  }
  switch (flags & TF_ROUNDING_MASK) {
    case TF_ROUND_DOWN:
      a.rounding = TAX_ROUND_DOWN;
      break;
    case TF_ROUND_UP:
      a.rounding = TAX_ROUND_UP;
      break;
    case TF_ROUND_HALF_UP:
      a.rounding = TAX_ROUND_HALF_UP;
      break;
    default:
      break;
  }
  a.tenYen = (flags & TF_TEN_YEN) != 0;
  return a;
}

const char16_t* taxModeLabel(int mode) {
  static constexpr const char16_t* labels[] = {u"税抜(&Z)", u"外税(&Z)", u"内税(&Z)"};
  return mode >= 0 && mode < kTaxModeCount ? labels[mode] : labels[0];
}

const char16_t* taxRoundingLabel(int rounding) {
  static constexpr const char16_t* labels[] = {u"切り捨て", u"切り上げ", u"四捨五入"};
  return rounding >= 0 && rounding < kTaxRoundingCount ? labels[rounding] : labels[0];
}

}  // namespace sorami
