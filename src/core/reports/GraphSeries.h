#pragma once
// The trend graphs over the accounting months of a span: total assets, the expense and income
// trends, one item, the special names of one item and one product name. Each is a list of
// series, made once when the graph opens; the window and the command line draw and print the
// same lists.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ledger/Hinmei.h"
#include "platform/Messages.h"
#include "rules/Calendar.h"
#include "rules/Period.h"

namespace sorami {

class CConfig;
class CHinmeiList;

enum class GraphKind { Assets, Expense, Income, Item, Names, Product };

// The graph settings of a data file.
struct GraphSettings {
  int endYear = 0;  // the span ends with the accounting month endYear/endMonth
  int endMonth = 12;
  int months = 12;  // 1 to 60
  bool guideLines = false;
  bool fixedMaximum = false;
  int maximum = 100;  // the fixed maximum, in units of 10,000
  bool fuzzyNames = false;
  bool lineGraph = false;
};

GraphSettings graphSettingsOf(const CConfig& config);
void storeGraphSettings(const GraphSettings& settings, CConfig& config);

// Colours are 0xRRGGBB.
inline constexpr int kPaletteSize = 64;
uint32_t paletteColour(int index);
// The colour of an item: expense items take the first half of the palette and income items the
// second, by their place among all items of their side.
uint32_t itemColour(const CHinmeiList& store, uint16_t item);

struct GraphSeries {
  std::u16string name;
  uint32_t rgb = 0;
  std::vector<int64_t> values;  // index 0 the total over the span, 1 to n the months
  int lastColumn = 0;           // the last month drawn; 0 draws every month
  bool visible = true;
  bool itemSeries = false;  // stands for an item: shown alone, a click opens its special names
  uint16_t item = 0;
};

struct TrendGraph {
  GraphKind kind = GraphKind::Assets;
  std::u16string title;
  Day first = MinDay;  // the span's first and last day
  Day last = MaxDay;
  YearMonth firstMonth;  // the naming month of the first column
  int months = 0;
  std::vector<GraphSeries> series;
  bool lines = false;  // lines instead of stacked bars
  bool guideLines = false;

  // " <<< 2024年1月1日～2024年12月31日 >>> "
  std::u16string periodLine() const;
  int lastDrawnColumn(const GraphSeries& s) const {
    return s.lastColumn > 0 && s.lastColumn < months ? s.lastColumn : months;
  }
};

// What a graph is asked for. The item and product graphs name their item, searched on the given
// sides; the special-name graph takes an item number (as the legend's drill-down gives it).
struct GraphRequest {
  GraphKind kind = GraphKind::Assets;
  std::u16string itemName;
  uint16_t itemSides = EF_DIRECTION_MASK;
  std::optional<uint16_t> item;
  std::u16string productName;

  static GraphRequest of(GraphKind kind) { return {kind, {}, EF_DIRECTION_MASK, {}, {}}; }
  static GraphRequest ofItem(GraphKind kind, std::u16string name, uint16_t sides,
                             std::u16string product = {}) {
    return {kind, std::move(name), sides, {}, std::move(product)};
  }
  static GraphRequest namesOf(uint16_t item) {
    return {GraphKind::Names, {}, EF_DIRECTION_MASK, item, {}};
  }
};

struct GraphResult {
  std::optional<TrendGraph> graph;
  std::optional<MessageId> refused;  // no graph, and why
};

// `today` places the last month of an account's or loan's special names.
GraphResult buildTrendGraph(CHinmeiList& store, const GraphRequest& request,
                            const GraphSettings& settings, const PeriodSettings& periods,
                            const HolidayCalendar& holidays, Day today);

// The item of that name on the sides given (expense before income); none when there is none.
std::optional<uint16_t> graphItemByName(const CHinmeiList& store, std::u16string_view name,
                                        uint16_t sides);

// " <<< Y年M月D日～Y年M月D日 >>> " for any span.
std::u16string graphPeriodLine(Day first, Day last);

}  // namespace sorami
