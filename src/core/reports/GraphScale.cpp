#include "reports/GraphScale.h"

#include <algorithm>

#include "reports/GraphSeries.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

// The digits of n above the first, counted: 0 for 1 to 9, 1 for 10 to 99.
int decimalExponent(int64_t n) {
  int e = 0;
  while (n >= 10) {
    n /= 10;
    ++e;
  }
  return e;
}

int64_t powerOfTen(int e) {
  int64_t p = 1;
  while (e-- > 0) p *= 10;
  return p;
}

int64_t ceilDiv(int64_t a, int64_t b) {
  return a / b + (a % b != 0 ? 1 : 0);
}

struct Unit {
  const char16_t* text;  // nullptr: the currency
  int exponent;          // of the unit in whole currency
};

// The unit of the labels by the step's power of ten in whole currency.
Unit unitOf(int u) {
  if (u >= 8) return {u"億", 8};
  switch (u) {
    case 3:
      return {u"千", 3};
    case 4:
    case 5:
      return {u"万", 4};
    case 6:
      return {u"百万", 6};
    case 7:
      return {u"千万", 7};
    default:
      return {nullptr, 0};
  }
}

}  // namespace

std::vector<int64_t> GraphScale::gridValues() const {
  std::vector<int64_t> values;
  for (int64_t v = bottom; v <= top; v += step) values.push_back(v);
  return values;
}

std::u16string GraphScale::label(int64_t value) const {
  return formatAmount(value / labelDivisor, false, labelDecimals);
}

GraphScale scaleForRange(int64_t maximum, int64_t minimum, const ScaleOptions& options) {
  const int decimals = clampDecimalPlaces(options.decimalPlaces);
  GraphScale s;
  s.maximum = std::max<int64_t>(maximum, 0);
  s.minimum = std::min<int64_t>(minimum, 0);
  if (options.fixedMaximum) s.maximum = int64_t{options.maximum} * 10000 * powerOfTen(decimals);
  s.maximum = std::max<int64_t>(s.maximum, 100);
  // The minimum is never below the smallest 64-bit value's neighbour, so its negation fits.
  const int64_t magnitude = std::max(s.maximum, -std::max(s.minimum, -INT64_MAX));
  const int64_t r = magnitude / 5;
  s.exponent = decimalExponent(r);
  const int64_t p = powerOfTen(s.exponent);
  const int64_t q = r / p;
  s.multiplier = q < 2 ? 1 : q < 5 ? 2 : 5;
  s.step = s.multiplier * p;
  // The top keeps a little room above the highest value, as the graphs always had.
  const int64_t k = std::max<int64_t>(1, ceilDiv(s.maximum - s.multiplier, s.step));
  s.top = s.multiplier + k * s.step;
  s.bottom = s.minimum == 0 ? 0 : -ceilDiv(-s.minimum, s.step) * s.step;
  const int u = s.exponent - decimals;
  if (u < 0) {
    // Steps smaller than the currency's unit: labels in the currency, with its decimals.
    s.unitText = options.currency;
    s.labelDecimals = decimals;
    return s;
  }
  const Unit unit = unitOf(u);
  s.unitText = unit.text != nullptr ? std::u16string(unit.text) : options.currency;
  s.labelDivisor = powerOfTen(decimals + unit.exponent);
  return s;
}

GraphScale graphScale(const std::vector<GraphSeries>& series, int months,
                      const ScaleOptions& options) {
  int64_t maximum = 0;
  int64_t minimum = 0;
  for (int c = 1; c <= months; ++c) {
    int64_t positive = 0;
    int64_t negative = 0;
    for (const GraphSeries& s : series) {
      const int last = s.lastColumn > 0 ? s.lastColumn : months;
      if (!s.visible || c > last || static_cast<size_t>(c) >= s.values.size()) continue;
      const int64_t v = s.values[static_cast<size_t>(c)];
      if (options.lines) {
        maximum = std::max(maximum, v);
        minimum = std::min(minimum, v);
      } else {
        (v > 0 ? positive : negative) += v;
      }
    }
    maximum = std::max(maximum, positive);
    minimum = std::min(minimum, negative);
  }
  return scaleForRange(maximum, minimum, options);
}

}  // namespace sorami
