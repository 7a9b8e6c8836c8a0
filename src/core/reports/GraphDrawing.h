#pragma once
// Everything a graph is drawn from: the series of a trend graph or the sides of a pie, and the
// file's settings that the drawing reads (the scale's options, the currency, monochrome).

#include <optional>

#include "reports/GraphScale.h"
#include "reports/GraphSeries.h"
#include "reports/PieGraph.h"

namespace sorami {

struct GraphDrawing {
  std::optional<TrendGraph> trend;
  std::optional<PieGraph> pie;
  ScaleOptions scale;       // lines follows the trend graph
  bool monochrome = false;  // the title in black instead of blue
};

// The scale options of a file for a trend graph.
inline ScaleOptions scaleOptionsOf(const GraphSettings& settings, int decimalPlaces,
                                   std::u16string currency) {
  return {false, settings.fixedMaximum, settings.maximum, decimalPlaces, std::move(currency)};
}

}  // namespace sorami
