// Figures of the reports on a sample household of 1,000,000 lines over forty years: the annual
// summary of 60 months, the series of every graph over 60 months, the pie of a month and the
// budget table of a month. Each figure is the fastest of five runs.
#include <cstdio>

#include "Timing.h"
#include "config/Config.h"
#include "config/DefaultData.h"
#include "ledger/BudgetList.h"
#include "ledger/SampleHousehold.h"
#include "reports/AnnualSummary.h"
#include "reports/BudgetActual.h"
#include "reports/GraphSeries.h"
#include "reports/PieGraph.h"
#include "rules/Holidays.h"

using namespace sorami;
using sorami::bench::fastestMilliseconds;

int main() {
  CConfig config;
  NewLedger ledger = buildNewLedger(config, {});
  CHinmeiList& store = *ledger.entries;
  fillSampleHousehold(store, {1'000'000, 1, 40});
  const CHoliday holidays;
  const PeriodSettings periods = config.periodSettings();
  store.context().window.currentDay = dayFromYmd(2025, 12, 10);
  store.computeToDay(store.context().window.currentDay, true);
  store.recomputeWindow();
  std::printf("ledger: %zu entries, %d items\n", store.size(), store.itemCount());

  int64_t check = 0;
  const double annual = fastestMilliseconds([&] {
    check += buildAnnualSummary(store, {2025, 12}, 60, periods, holidays, {}).derived[DR_CASH][0];
  });
  std::printf("annual summary of 60 months: %.2f ms (goal 30 ms)\n", annual);

  GraphSettings settings;
  settings.endYear = 2025;
  settings.endMonth = 12;
  settings.months = 60;
  const struct {
    const char* what;
    GraphRequest request;
  } graphs[] = {
      {"total assets", GraphRequest::of(GraphKind::Assets)},
      {"expense trend", GraphRequest::of(GraphKind::Expense)},
      {"income trend", GraphRequest::of(GraphKind::Income)},
      {"one item", GraphRequest::ofItem(GraphKind::Item, u"食費", EF_EXPENSE)},
      {"special names", GraphRequest::ofItem(GraphKind::Names, u"食費", EF_EXPENSE)},
      {"product name", GraphRequest::ofItem(GraphKind::Product, u"食費", EF_EXPENSE, u"昼食")}};
  for (const auto& g : graphs) {
    const double ms = fastestMilliseconds([&] {
      const GraphResult r =
          buildTrendGraph(store, g.request, settings, periods, holidays, dayFromYmd(2025, 12, 10));
      check += r.graph ? static_cast<int64_t>(r.graph->series.size()) : -1;
    });
    std::printf("graph series, %s over 60 months: %.2f ms (goal 30 ms)\n", g.what, ms);
  }
  const double pie = fastestMilliseconds([&] {
    check +=
        buildPieGraph(store, dayFromYmd(2025, 11, 1), dayFromYmd(2025, 11, 30)).expense.absoluteSum;
  });
  std::printf("pie graph of a month: %.2f ms (goal 30 ms)\n", pie);

  const double budget = fastestMilliseconds([&] {
    BudgetSheet sheet(store, *ledger.budgets, periods, false, holidays, 0);
    sheet.showMonth({2025, 12});
    check += sheet.total().actual;
  });
  std::printf("budget table of a month: %.2f ms (part of the window's 20 ms)\n", budget);
  return check == 42 ? 1 : 0;
}
