#include "reports/GraphSeries.h"

#include <gtest/gtest.h>

#include <set>

#include "core/ledger/LedgerFixture.h"
#include "reports/GraphScale.h"
#include "reports/PieGraph.h"

namespace sorami::test {
namespace {

using Values = std::vector<int64_t>;

class GraphSeriesTest : public ::testing::Test {
 protected:
  GraphSeriesTest() {
    settings.endYear = 2024;
    settings.endMonth = 3;
    settings.months = 3;
  }
  GraphResult graph(GraphRequest request, Day today = dayFromYmd(2024, 3, 10)) {
    return buildTrendGraph(f.store, request, settings, periods, holidays, today);
  }
  TrendGraph names(uint16_t item) {
    GraphResult r = graph(GraphRequest::namesOf(item));
    EXPECT_TRUE(r.graph);
    return r.graph ? *r.graph : TrendGraph{};
  }
  void specialNames(uint16_t item, std::initializer_list<std::u16string> names) {
    for (const std::u16string& n : names) {
      f.store.insertDefinition(CHinmei(MinDay, item, EF_DEFINITION | EF_EXPENSE, n, u"", 0));
    }
  }
  static std::vector<std::u16string> namesOf(const TrendGraph& g) {
    std::vector<std::u16string> out;
    for (const GraphSeries& s : g.series) out.push_back(s.name);
    return out;
  }

  LedgerFixture f{10000};
  GraphSettings settings;
  PeriodSettings periods;
  NoHolidays holidays;
};

TEST_F(GraphSeriesTest, SpecialNamesClaimTheirLinesAndその他TakesTheRest) {
  specialNames(kFood, {u"パン", u"米", u"その他"});
  f.add(dayFromYmd(2024, 1, 5), kFood, 100, u"パン");
  f.add(dayFromYmd(2024, 1, 6), kFood, 50, u"菓子パン");
  f.add(dayFromYmd(2024, 2, 7), kFood, 300, u"米");
  f.add(dayFromYmd(2024, 2, 8), kFood, 7, u"その他");
  f.add(dayFromYmd(2024, 2, 9), kFood, 20, u"肉");
  TrendGraph g = names(kFood);
  EXPECT_EQ(g.title, u"特別品名毎の集計推移グラフ（項目:食費）");
  ASSERT_EQ(namesOf(g), (std::vector<std::u16string>{u"パン", u"米", u"その他"}));
  EXPECT_EQ(g.series[0].values, (Values{100, 100, 0, 0}));
  EXPECT_EQ(g.series[1].values, (Values{300, 0, 300, 0}));
  EXPECT_EQ(g.series[2].values, (Values{77, 50, 27, 0}));
  EXPECT_EQ(g.series[2].rgb, paletteColour(31));
  EXPECT_FALSE(g.series[0].itemSeries);
  // The fuzzy rule: a name counts the lines that contain it, and only once.
  settings.fuzzyNames = true;
  g = names(kFood);
  EXPECT_EQ(g.series[0].values[0], 150);
  EXPECT_EQ(g.series[2].values[0], 27);
  // Without その他 the lines of no special name are not shown.
  specialNames(kGoods, {u"洗剤"});
  f.add(dayFromYmd(2024, 1, 5), kGoods, 5, u"洗剤");
  f.add(dayFromYmd(2024, 1, 5), kGoods, 6, u"紙");
  g = names(kGoods);
  ASSERT_EQ(g.series.size(), 1u);
  EXPECT_EQ(g.series[0].values[0], 5);
}

TEST_F(GraphSeriesTest, ThirteenSpecialNamesAtMostWithその他Last) {
  std::vector<std::u16string> many;
  for (int i = 1; i <= 13; ++i) many.push_back(u"n" + std::u16string(1, char16_t(u'a' + i)));
  for (const auto& n : many) specialNames(kGoods, {n});
  specialNames(kGoods, {u"その他"});
  f.add(dayFromYmd(2024, 2, 1), kGoods, 40, many[12]);
  f.add(dayFromYmd(2024, 2, 1), kGoods, 2, many[0]);
  const TrendGraph g = names(kGoods);
  ASSERT_EQ(g.series.size(), 13u);
  EXPECT_EQ(g.series[12].name, u"その他");
  EXPECT_EQ(g.series[12].values[0], 40);
  EXPECT_EQ(g.series[0].values[0], 2);
  EXPECT_EQ(g.series[11].rgb, paletteColour(11));
}

TEST_F(GraphSeriesTest, AnAccountsNamesAreDrawnUpToToday) {
  f.account(u"A", 0);
  f.add(dayFromYmd(2024, 1, 5), kIntoAccount, 100, u"A");
  settings.endMonth = 12;
  settings.months = 12;
  const struct {
    Day today;
    int lastColumn;
  } cases[] = {{dayFromYmd(2024, 3, 10), 3},
               {dayFromYmd(2026, 3, 10), 12},  // kept within the months shown
               {dayFromYmd(2020, 3, 10), 0}};
  for (const auto& c : cases) {
    const GraphResult r = graph(GraphRequest::namesOf(kIntoAccount), c.today);
    ASSERT_TRUE(r.graph);
    ASSERT_EQ(r.graph->series.size(), 1u);
    EXPECT_EQ(r.graph->series[0].name, u"A");
    EXPECT_EQ(r.graph->series[0].lastColumn, c.lastColumn) << isoDate(c.today);
  }
  // The names of other items are drawn in every month.
  specialNames(kFood, {u"パン"});
  EXPECT_EQ(names(kFood).series[0].lastColumn, 0);
}

TEST_F(GraphSeriesTest, TotalAssetsDrawsLoansBelowZeroUpToTheLastLine) {
  f.loan(u"L", 500000);
  f.add(dayFromYmd(2024, 2, 5), kFood, 1000);
  const GraphResult r = graph(GraphRequest::of(GraphKind::Assets));
  ASSERT_TRUE(r.graph);
  const TrendGraph& g = *r.graph;
  EXPECT_EQ(namesOf(g),
            (std::vector<std::u16string>{u"総資産", u"借入残高", u"貯蓄残高", u"現金残高"}));
  EXPECT_EQ(g.series[1].values[3], -500000);
  EXPECT_EQ(g.series[0].values[3], 9000 - 500000);
  EXPECT_EQ(g.series[0].rgb, 0x0000ffu);
  EXPECT_EQ(g.series[1].rgb, 0xff0000u);
  EXPECT_EQ(g.series[0].lastColumn, 2);
  EXPECT_TRUE(g.lines);
  EXPECT_TRUE(g.guideLines);
  EXPECT_EQ(g.periodLine(), u" <<< 2024年1月1日～2024年3月31日 >>> ");
}

TEST_F(GraphSeriesTest, ItemAndProductGraphsFindTheirItemOrSaySo) {
  f.add(dayFromYmd(2024, 1, 5), kFood, 100, u"パン");
  f.add(dayFromYmd(2024, 3, 5), kFood, 30, u"米");
  GraphResult item = graph(GraphRequest::ofItem(GraphKind::Item, u"食費", EF_EXPENSE));
  ASSERT_TRUE(item.graph);
  EXPECT_EQ(item.graph->title, u"個別項目の集計推移グラフ　<<食費>>");
  EXPECT_EQ(item.graph->series[0].values, (Values{130, 100, 0, 30}));
  EXPECT_TRUE(item.graph->series[0].itemSeries);
  EXPECT_EQ(graph(GraphRequest::ofItem(GraphKind::Item, u"食費", EF_INCOME)).refused,
            MessageId::GraphItemNotFound);
  GraphResult product = graph(GraphRequest::ofItem(GraphKind::Product, u"食費", EF_EXPENSE, u"米"));
  ASSERT_TRUE(product.graph);
  EXPECT_EQ(product.graph->series[0].values[0], 30);
  EXPECT_EQ(product.graph->series[0].rgb, 0x00ff00u);
  EXPECT_EQ(graph(GraphRequest::ofItem(GraphKind::Product, u"食費", EF_EXPENSE)).refused,
            MessageId::GraphProductNotFound);
  EXPECT_EQ(graph(GraphRequest::namesOf(99)).refused, MessageId::GraphNoItemDetails);
}

TEST_F(GraphSeriesTest, LinesAreSortedByTheLastMonth) {
  settings.months = 12;
  settings.lineGraph = true;
  f.add(dayFromYmd(2023, 6, 5), kFood, 100);  // the column numbered as the end month
  f.add(dayFromYmd(2024, 3, 5), kFood, 1);
  f.add(dayFromYmd(2024, 3, 5), kGoods, 50);
  const GraphResult r = graph(GraphRequest::of(GraphKind::Expense));
  ASSERT_TRUE(r.graph);
  EXPECT_EQ(r.graph->series[0].name, u"日用品");
  EXPECT_EQ(r.graph->series[1].name, u"食費");
}

// A household with thirty graphed expense items.
TEST(GraphSeriesWide, TheExpenseTrendGraphsEveryItem) {
  CHinmeiList store;
  store.addAtEnd(CHinmei(MinDay, ITEM_HEADER, EF_ITEM, u"", u"", 0));
  for (uint16_t i = 0; i < 30; ++i) {
    store.addAtEnd(
        CHinmei(MinDay, i, 0x8100, u"item" + std::u16string(1, char16_t(u'A' + i)), u"1", 0));
  }
  store.addAtEnd(CHinmei(MinDay, 30, 0x8200, u"salary", u"1", 0));
  for (uint16_t i = 0; i < 30; ++i) {
    store.addAtEnd(CHinmei(dayFromYmd(2024, 3, 1), i, EF_EXPENSE, u"x", u"", 1'200'000'000));
  }
  store.addAtEnd(CHinmei(MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0));
  store.rebuildTables();
  GraphSettings settings;
  settings.endYear = 2024;
  settings.endMonth = 3;
  const GraphResult r = buildTrendGraph(store, GraphRequest::of(GraphKind::Expense), settings, {},
                                        NoHolidays(), MinDay);
  ASSERT_TRUE(r.graph);
  ASSERT_EQ(r.graph->series.size(), 30u);
  std::set<uint32_t> colours;
  for (const GraphSeries& s : r.graph->series) colours.insert(s.rgb);
  EXPECT_EQ(colours.size(), 30u);
  EXPECT_EQ(r.graph->series[0].rgb, 0xff8080u);
  // Thirty bars of 1.2 billion stack far past 32 bits.
  const GraphScale scale = graphScale(r.graph->series, 12, {});
  EXPECT_EQ(scale.maximum, 36'000'000'000);
  EXPECT_EQ(scale.top, 40'000'000'005);
  EXPECT_EQ(scale.unitText, u"億");
  EXPECT_EQ(scale.label(scale.gridValues().back()), u"400");
}

struct ScaleCase {
  const char* what;
  int64_t maximum, minimum;
  // The options in plain values: GCC 12 at -O3 takes the string of a defaulted ScaleOptions
  // copied through the parameter generator for uninitialised.
  struct Options {
    bool lines = false;
    bool fixedMaximum = false;
    int maximum = 100;
    int decimalPlaces = 0;
    const char16_t* currency = u"\\";
  } options;
  int64_t top, bottom, step;
  std::u16string unit;
  std::vector<std::u16string> labels;
};

class GraphScaleCases : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(GraphScaleCases, CoversTheRangeInRoundSteps) {
  const ScaleCase& c = GetParam();
  const ScaleOptions options{c.options.lines, c.options.fixedMaximum, c.options.maximum,
                             c.options.decimalPlaces, c.options.currency};
  const GraphScale s = scaleForRange(c.maximum, c.minimum, options);
  EXPECT_EQ(s.top, c.top) << c.what;
  EXPECT_EQ(s.bottom, c.bottom) << c.what;
  EXPECT_EQ(s.step, c.step) << c.what;
  EXPECT_EQ(s.unitText, c.unit) << c.what;
  std::vector<std::u16string> labels;
  for (const int64_t v : s.gridValues()) labels.push_back(s.label(v));
  EXPECT_EQ(labels, c.labels) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, GraphScaleCases,
    ::testing::Values(
        ScaleCase{"1,000",
                  1000,
                  0,
                  {},
                  1002,
                  0,
                  200,
                  u"\\",
                  {u"0", u"200", u"400", u"600", u"800", u"1000"}},
        ScaleCase{"empty", 0, 0, {}, 102, 0, 20, u"\\", {u"0", u"20", u"40", u"60", u"80", u"100"}},
        ScaleCase{"3.5 million",
                  3'500'000,
                  0,
                  {},
                  3'500'005,
                  0,
                  500'000,
                  u"万",
                  {u"0", u"50", u"100", u"150", u"200", u"250", u"300", u"350"}},
        ScaleCase{"near the 32-bit ends",
                  1'200'000'000,
                  -1'200'000'000,
                  {true},
                  1'200'000'002,
                  -1'200'000'000,
                  200'000'000,
                  u"億",
                  {u"-12", u"-10", u"-8", u"-6", u"-4", u"-2", u"0", u"2", u"4", u"6", u"8", u"10",
                   u"12"}},
        ScaleCase{"fixed at 100万 with cents",
                  5,
                  0,
                  {false, true, 100, 2},
                  100'000'002,
                  0,
                  20'000'000,
                  u"万",
                  {u"0", u"20", u"40", u"60", u"80", u"100"}},
        ScaleCase{"cents",
                  0,
                  0,
                  {false, false, 100, 2, u"$"},
                  102,
                  0,
                  20,
                  u"$",
                  {u"0.00", u"0.20", u"0.40", u"0.60", u"0.80", u"1.00"}}));

TEST(PieGraph, SharesRoundHalfUp) {
  EXPECT_EQ(sharePercent(1, 8), 13);
  EXPECT_EQ(sharePercent(1, 3), 33);
  EXPECT_EQ(sharePercent(2, 3), 67);
  EXPECT_EQ(sharePercent(5, 5), 100);
  EXPECT_EQ(sharePercent(0, 0), 0);
}

TEST(PieGraph, SidesShareTheirItemsAndLeaveTheViewAsItWas) {
  LedgerFixture f;
  f.add(dayFromYmd(2024, 1, 5), kFood, 300);
  f.add(dayFromYmd(2024, 1, 6), kGoods, -100);
  f.add(dayFromYmd(2024, 1, 7), kSalary, 1000);
  f.add(dayFromYmd(2024, 2, 7), kSalary, 99);
  f.showDay(dayFromYmd(2024, 2, 7));
  const int64_t cash = f.row(ITEM_CASH_BALANCE);
  const PieGraph pie = buildPieGraph(f.store, dayFromYmd(2024, 1, 1), dayFromYmd(2024, 1, 31));
  ASSERT_EQ(pie.expense.slices.size(), 4u);
  EXPECT_EQ(pie.expense.absoluteSum, 400);
  EXPECT_EQ(pie.expense.slices[0].share, 75);
  EXPECT_EQ(pie.expense.slices[1].share, 25);
  EXPECT_EQ(pie.expense.caption(u"\\", 0), u"支出計:\\200");
  EXPECT_EQ(pie.income.slices[0].total, 1000);
  EXPECT_EQ(pie.income.slices[0].share, 100);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), cash);
  EXPECT_EQ(f.store.itemTotal(kSalary), 99);
}

}  // namespace
}  // namespace sorami::test
