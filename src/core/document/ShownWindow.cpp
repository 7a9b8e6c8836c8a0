#include "document/ShownWindow.h"

#include "document/LedgerSetup.h"
#include "ledger/LedgerPeriods.h"

namespace sorami {

Period shownPeriodOf(Day day, const CConfig& config, const HolidayCalendar& holidays,
                     bool honourFixed) {
  const bool fixed = honourFixed && config.fixedTotalsPeriod != 0;
  return periodOf(day, fixed, config.periodSettings(), holidays);
}

void showWindow(CHinmeiList& store, const CConfig& config, const HolidayCalendar& holidays,
                const LedgerWindow& window) {
  LedgerContext& c = store.context();
  c.options = ledgerOptions(config);
  c.window = window;
  if (window.mode == DisplayMode::DayInput) {
    c.window.periodStart = window.currentDay;
    c.window.periodEnd = window.currentDay;
  }
  c.window.budgetMonth = budgetMonthOf(window.currentDay, config.fixedTotalsPeriod != 0,
                                       config.periodSettings(), holidays);
  store.computeToDay(c.window.first());
  store.recomputeWindow();
}

}  // namespace sorami
