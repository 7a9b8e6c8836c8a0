#include "reports/GraphSeries.h"

#include <algorithm>

#include "config/Config.h"
#include "ledger/EntryInput.h"
#include "ledger/HinmeiList.h"
#include "ledger/LedgerPeriods.h"
#include "platform/TextCodec.h"
#include "reports/AnnualSummary.h"

namespace sorami {

namespace {

// Written blue, green, red as the colours of the graphs always were. Expense series take
// entries 0 to 31, income series 32 to 63; special names 0 to 12 and その他 31.
constexpr uint32_t kPalette[kPaletteSize] = {
    0x8080ff, 0xff0000, 0x80ff80, 0xffff00, 0x00ffff, 0xff8000, 0xc080ff, 0x818080,  // 0
    0xff00ff, 0x404080, 0xc08000, 0xff8080, 0x00ff00, 0x0080ff, 0x008080, 0x800080,  // 8
    0x408000, 0x0040c0, 0xc0c000, 0x80c0ff, 0xff0080, 0x00c080, 0x804000, 0x4080ff,  // 16
    0xc00040, 0x40c0c0, 0xff80c0, 0x008040, 0x8000ff, 0xc0ff80, 0x606060, 0xffebd7,  // 24
    0xff8080, 0xffff80, 0x808000, 0x00ffff, 0x0000c0, 0x00c000, 0xc00000, 0x00c0c0,  // 32
    0xc000c0, 0x60c0ff, 0x4040ff, 0x40ff40, 0xff4040, 0x40ffff, 0xff40ff, 0xa0a0a0,  // 40
    0x0060a0, 0x60a000, 0xa00060, 0x2080c0, 0x80c020, 0xc02080, 0x404040, 0x8080c0,  // 48
    0x80c080, 0xc08080, 0x0000ff, 0x00a0ff, 0xa0ff00, 0xff00a0, 0x303090, 0x909030,  // 56
};

constexpr int kSpecialNameSeries = 13;
constexpr int kOtherColour = 31;
constexpr int kIncomeColours = 32;
constexpr std::u16string_view kOther = u"その他";

uint32_t rgbOf(uint32_t bgr) {
  return ((bgr & 0xff) << 16) | (bgr & 0xff00) | ((bgr >> 16) & 0xff);
}

std::u16string number(int n) {
  return u16(std::to_string(n));
}

std::u16string dateText(Day day) {
  const Ymd ymd = ymdFromDay(day);
  return number(ymd.year) + u"年" + number(ymd.month) + u"月" + number(ymd.day) + u"日";
}

// The span of the graph: its months, first and last day.
struct Span {
  std::vector<DaySpan> months;
  YearMonth firstMonth;
};

Span spanOf(const GraphSettings& settings, const PeriodSettings& periods,
            const HolidayCalendar& holidays) {
  const YearMonth last{settings.endYear, settings.endMonth};
  const int n = std::clamp(settings.months, 1, static_cast<int>(kMaxMatrixMonths));
  return {matrixMonths(last, n, periods, holidays), addMonths(last, 1 - n)};
}

TrendGraph emptyGraph(GraphKind kind, const Span& span, const GraphSettings& settings) {
  TrendGraph g;
  g.kind = kind;
  g.first = span.months.front().first;
  g.last = span.months.back().last;
  g.firstMonth = span.firstMonth;
  g.months = static_cast<int>(span.months.size());
  g.lines = settings.lineGraph;
  g.guideLines = settings.guideLines;
  return g;
}

std::vector<int64_t> rowValues(const AnnualSummary& s, size_t row, int sign = 1) {
  const auto& cells = s.matrix.cells[row];
  std::vector<int64_t> values(static_cast<size_t>(s.months) + 1);
  for (size_t c = 0; c < values.size(); ++c) values[c] = sign * cells[c];
  return values;
}

TrendGraph assetsGraph(CHinmeiList& store, const Span& span, const GraphSettings& settings,
                       const PeriodSettings& periods, const HolidayCalendar& holidays) {
  TrendGraph g = emptyGraph(GraphKind::Assets, span, settings);
  g.title = u"総資産グラフ";
  g.lines = true;
  g.guideLines = true;
  const AnnualSummary s = buildAnnualSummary(store, {settings.endYear, settings.endMonth}, g.months,
                                             periods, holidays, {});
  const struct {
    const char16_t* name;
    uint32_t bgr;
    size_t row;
    int sign;
  } rows[] = {{u"総資産", 0xff0000, kRowAssets, 1},
              {u"借入残高", 0x0000ff, kRowLoans, -1},  // loans are drawn below zero
              {u"貯蓄残高", 0x00ff00, kRowAccounts, 1},
              {u"現金残高", 0xffff00, kRowCash, 1}};
  for (const auto& r : rows) {
    GraphSeries series{r.name, rgbOf(r.bgr), rowValues(s, r.row, r.sign)};
    // Months after the last line are not drawn.
    series.lastColumn = s.matrix.lastColumn;
    g.series.push_back(std::move(series));
  }
  return g;
}

GraphSeries itemSeries(const CHinmeiList& store, const CHinmei& def, std::vector<int64_t> values) {
  GraphSeries series{def.name.str(), itemColour(store, def.item), std::move(values)};
  series.itemSeries = true;
  series.item = def.item;
  return series;
}

TrendGraph sideGraph(CHinmeiList& store, GraphKind kind, const Span& span,
                     const GraphSettings& settings, const PeriodSettings& periods,
                     const HolidayCalendar& holidays) {
  TrendGraph g = emptyGraph(kind, span, settings);
  const bool income = kind == GraphKind::Income;
  g.title = income ? u"年間収入推移グラフ" : u"年間支出推移グラフ";
  const AnnualSummary s = buildAnnualSummary(store, {settings.endYear, settings.endMonth}, g.months,
                                             periods, holidays, {});
  for (const SummaryItem& item : s.items) {
    if ((item.flags & (income ? EF_INCOME : EF_EXPENSE)) == 0 || (item.options & 1) == 0) continue;
    g.series.push_back(itemSeries(store, *store.itemByNumber(item.item), rowValues(s, item.item)));
  }
  return g;
}

std::vector<int64_t> nameSums(CHinmeiList& store, uint16_t item, std::u16string_view name,
                              bool fuzzy, const Span& span, CountedLines* counted) {
  std::vector<int64_t> row(span.months.size() + 1, 0);
  store.monthlyTotalsOfName(item, name, fuzzy, span.months, row, counted);
  return row;
}

// The month of today as a column of the span: an account's special names are drawn up to today.
int todayColumn(Day today, const GraphSettings& settings, int months) {
  const Ymd t = ymdFromDay(today);
  const int column = (t.year - settings.endYear) * 12 + months + t.month - settings.endMonth;
  return column < 1 ? 0 : std::min(column, months);
}

GraphResult namesGraph(CHinmeiList& store, uint16_t item, const Span& span,
                       const GraphSettings& settings, Day today) {
  const CHinmei* def = store.itemByNumber(item);
  if (def == nullptr) return {{}, MessageId::GraphNoItemDetails};
  TrendGraph g = emptyGraph(GraphKind::Names, span, settings);
  g.title = u"特別品名毎の集計推移グラフ（項目:" + def->name + u"）";
  const std::vector<std::u16string> names = store.specialNameTexts(def->item);
  const bool transfers = (def->flags & (EF_ACCOUNT | EF_LOAN)) != 0;
  const int lastColumn = transfers ? todayColumn(today, settings, g.months) : 0;
  // The item's lines that no special name claims are shown under その他, when the item has it.
  std::vector<int64_t> rest = nameSums(store, item, u"", false, span, nullptr);
  // その他 takes the last series when it stands further down the list.
  const auto other = std::find(names.begin(), names.end(), kOther);
  const bool hasOther = other != names.end();
  const size_t otherAt =
      hasOther ? std::min<size_t>(other - names.begin(), kSpecialNameSeries - 1) : names.size();
  CountedLines counted;
  const size_t count = std::min<size_t>(names.size(), kSpecialNameSeries);
  for (size_t i = 0; i < count; ++i) {
    const bool isOther = hasOther && otherAt == i;
    const std::u16string name = isOther ? std::u16string(kOther) : names[i];
    GraphSeries series{name, paletteColour(isOther ? kOtherColour : static_cast<int>(i)),
                       nameSums(store, item, name, settings.fuzzyNames, span, &counted)};
    series.lastColumn = lastColumn;
    for (size_t c = 0; c < rest.size(); ++c) rest[c] -= series.values[c];
    g.series.push_back(std::move(series));
  }
  if (hasOther) {
    std::vector<int64_t>& values = g.series[otherAt].values;
    for (size_t c = 0; c < rest.size(); ++c) values[c] += rest[c];
  }
  return {std::move(g), {}};
}

// Largest last month first, so the legend reads like the lines' ends.
void sortByLastMonth(TrendGraph& g) {
  const auto last = static_cast<size_t>(g.months);
  std::stable_sort(g.series.begin(), g.series.end(),
                   [last](const GraphSeries& a, const GraphSeries& b) {
                     return a.values[last] > b.values[last];
                   });
}

}  // namespace

GraphSettings graphSettingsOf(const CConfig& config) {
  GraphSettings s;
  s.endYear = config.settingsYear;
  s.endMonth = config.graphEndMonth;
  s.months = config.graphMonthCount;
  s.guideLines = config.graphGuideLines != 0;
  s.fixedMaximum = config.graphFixedMaximum != 0;
  s.maximum = config.graphMaximum;
  s.fuzzyNames = config.graphFuzzyNames != 0;
  s.lineGraph = config.graphLine != 0;
  return s;
}

void storeGraphSettings(const GraphSettings& s, CConfig& config) {
  config.settingsYear = s.endYear;
  config.graphEndMonth = s.endMonth;
  config.graphMonthCount = s.months;
  config.graphGuideLines = s.guideLines ? 1 : 0;
  config.graphFixedMaximum = s.fixedMaximum ? 1 : 0;
  config.graphMaximum = s.maximum;
  config.graphFuzzyNames = s.fuzzyNames ? 1 : 0;
  config.graphLine = s.lineGraph ? 1 : 0;
}

uint32_t paletteColour(int index) {
  return rgbOf(kPalette[static_cast<size_t>(std::clamp(index, 0, kPaletteSize - 1))]);
}

uint32_t itemColour(const CHinmeiList& store, uint16_t item) {
  const CHinmei* def = store.itemByNumber(item);
  const uint16_t side = def != nullptr ? (def->flags & EF_DIRECTION_MASK) : EF_EXPENSE;
  int position = 0;
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei* other = store.itemAt(slot);
    if (other->item == item) break;
    if ((other->flags & side) != 0) ++position;
  }
  const int base = side == EF_INCOME ? kIncomeColours : 0;
  return paletteColour(base + position % kIncomeColours);
}

std::optional<uint16_t> graphItemByName(const CHinmeiList& store, std::u16string_view name,
                                        uint16_t sides) {
  for (const uint16_t side : {EF_EXPENSE, EF_INCOME}) {
    if ((sides & side) == 0) continue;
    for (int slot = 0; slot < store.itemCount(); ++slot) {
      const CHinmei* def = store.itemAt(slot);
      if ((def->flags & side) != 0 && def->name == name) return def->item;
    }
  }
  return std::nullopt;
}

std::u16string graphPeriodLine(Day first, Day last) {
  return u" <<< " + dateText(first) + u"～" + dateText(last) + u" >>> ";
}

std::u16string TrendGraph::periodLine() const {
  return graphPeriodLine(first, last);
}

GraphResult buildTrendGraph(CHinmeiList& store, const GraphRequest& request,
                            const GraphSettings& settings, const PeriodSettings& periods,
                            const HolidayCalendar& holidays, Day today) {
  const Span span = spanOf(settings, periods, holidays);
  GraphResult result;
  switch (request.kind) {
    case GraphKind::Assets:
      result.graph = assetsGraph(store, span, settings, periods, holidays);
      break;
    case GraphKind::Expense:
    case GraphKind::Income:
      result.graph = sideGraph(store, request.kind, span, settings, periods, holidays);
      break;
    case GraphKind::Names: {
      std::optional<uint16_t> item = request.item;
      if (!item) item = graphItemByName(store, request.itemName, request.itemSides);
      if (!item) return {{}, MessageId::GraphItemNotFound};
      result = namesGraph(store, *item, span, settings, today);
      break;
    }
    case GraphKind::Item:
    case GraphKind::Product: {
      const std::optional<uint16_t> item =
          graphItemByName(store, request.itemName, request.itemSides);
      if (!item) return {{}, MessageId::GraphItemNotFound};
      const CHinmei& def = *store.itemByNumber(*item);
      TrendGraph g = emptyGraph(request.kind, span, settings);
      if (request.kind == GraphKind::Item) {
        g.title = u"個別項目の集計推移グラフ　<<" + def.name + u">>";
        g.series.push_back(
            itemSeries(store, def, nameSums(store, *item, u"", false, span, nullptr)));
      } else {
        if (request.productName.empty()) return {{}, MessageId::GraphProductNotFound};
        g.title = u"品名毎の集計推移グラフ　<<" + request.productName + u">>";
        g.series.push_back(
            {request.productName, 0x00ff00,
             nameSums(store, *item, request.productName, settings.fuzzyNames, span, nullptr)});
      }
      result.graph = std::move(g);
      break;
    }
  }
  if (result.graph && result.graph->lines && settings.lineGraph) sortByLastMonth(*result.graph);
  return result;
}

}  // namespace sorami
