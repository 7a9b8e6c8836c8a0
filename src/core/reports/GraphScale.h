#pragma once
// The value axis of a trend graph: a range that holds every drawn value, cut into five or so
// steps of 1, 2 or 5 times a power of ten, with labels in the unit that keeps them short
// (千, 万, 百万, 千万, 億 or the currency). Computed in 64 bits and without logarithms, so no
// sum of bars overflows and an empty graph still gets an axis.

#include <cstdint>
#include <string>
#include <vector>

namespace sorami {

struct GraphSeries;

struct GraphScale {
  int64_t maximum = 0;  // the range of the values: maximum >= 0 >= minimum
  int64_t minimum = 0;
  int64_t top = 0;
  int64_t bottom = 0;
  int64_t step = 0;
  int exponent = 0;  // step = multiplier × 10^exponent
  int64_t multiplier = 1;
  std::u16string unitText;   // drawn at the top of the axis
  int64_t labelDivisor = 1;  // a grid value divided by this is its label
  int labelDecimals = 0;     // steps below the currency's unit are labelled with decimals

  // The values of the grid lines from the bottom up to the top.
  std::vector<int64_t> gridValues() const;
  std::u16string label(int64_t value) const;
};

struct ScaleOptions {
  bool lines = false;  // the range of single values, else of the stacked bars
  bool fixedMaximum = false;
  int maximum = 100;  // the fixed maximum in units of 10,000
  int decimalPlaces = 0;
  std::u16string currency = u"\\";
};

// The scale over the visible series, months 1 to `months`, each up to its last drawn month.
GraphScale graphScale(const std::vector<GraphSeries>& series, int months,
                      const ScaleOptions& options);

// The scale for a range already known.
GraphScale scaleForRange(int64_t maximum, int64_t minimum, const ScaleOptions& options);

}  // namespace sorami
