#pragma once
// The coded text line of the header and total windows: tab-separated fields after a
// four-letter line code. The first letter picks the column layout, the second and fourth
// colour some fields, the third makes the line bold. Laid out without painting.

#include <QString>
#include <vector>

#include "lists/DetailLines.h"

namespace sorami {

struct CodedLineLayout {
  std::vector<LineCell> cells;  // x in window pixels
  bool bold = false;            // drawn twice, the second time one pixel to the right
};

inline constexpr int CodedLineMaxFields = 20;

// `x0` is where the columns start in the window (the left margin less the scroll offset);
// `windowWidth` places the right-aligned field of the A and B layouts.
CodedLineLayout layoutCodedLine(const QString& line, const DetailGeometry& geometry,
                                const TextMeasure& m, int x0, int windowWidth);

}  // namespace sorami
