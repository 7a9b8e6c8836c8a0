#include "document/LedgerSetup.h"

#include "ledger/LedgerPeriods.h"
#include "rules/Period.h"

namespace sorami {

LedgerOptions ledgerOptions(const CConfig& config) {
  LedgerOptions o;
  o.savingsInTotals = config.savingsInTotals != 0;
  o.loansInTotals = config.loansInTotals != 0;
  o.pairOption = config.entryStoreOption != 0;
  o.skipZeroAmounts = config.skipZeroAmounts != 0;
  o.swapNegativeTransfers = config.swapNegativeTransfers != 0;
  o.confirmDeletion = config.confirmDeletion != 0;
  o.skipBlankNames = config.skipBlankNames != 0;
  o.decimalPlaces = config.decimalPlaces;
  o.firstYear = config.firstYear;
  o.lastYear = config.lastYear;
  return o;
}

LedgerWindow ledgerWindow(const CConfig& config, const HolidayCalendar& holidays, Day currentDay,
                          DisplayMode mode) {
  const PeriodSettings settings = config.periodSettings();
  const bool fixed = config.fixedTotalsPeriod != 0;
  LedgerWindow w;
  w.currentDay = currentDay;
  w.mode = mode;
  const Period period = periodOf(currentDay, fixed, settings, holidays);
  w.periodStart = period.first;
  w.periodEnd = period.last;
  w.budgetMonth = budgetMonthOf(currentDay, fixed, settings, holidays);
  return w;
}

LedgerContext ledgerContext(const CConfig& config, const HolidayCalendar& holidays,
                            const LedgerSetup& setup) {
  LedgerContext c;
  c.options = ledgerOptions(config);
  c.window = ledgerWindow(config, holidays, setup.currentDay, setup.mode);
  c.today = setup.today;
  c.prompts = setup.prompts;
  c.budgets = setup.budgets;
  return c;
}

void applyFileSettings(CHinmeiList& store, const CConfig& config, const HolidayCalendar& holidays,
                       const LedgerSetup& setup) {
  store.context() = ledgerContext(config, holidays, setup);
}

void showWindow(CHinmeiList& store, const CConfig& config, const HolidayCalendar& holidays,
                const LedgerSetup& setup) {
  applyFileSettings(store, config, holidays, setup);
  store.computeToDay(store.context().window.first(), true);
  store.recomputeWindow();
}

}  // namespace sorami
