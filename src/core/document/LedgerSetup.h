#pragma once
// Applying a data file's settings to its entry store: the options the store follows, the window
// its figures are for (one day, or the accounting period around the current day), the budget
// month, today, and where messages and budgets come from. Whoever shows or reports figures of a
// file without a main view (the command line, exports, tests) sets the store up through here.

#include "config/Config.h"
#include "ledger/HinmeiList.h"
#include "ledger/LedgerContext.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

class CBudgetList;
class Prompts;

// What the file's settings do not say: the day and mode the figures are asked for.
struct LedgerSetup {
  Day currentDay = MinDay;
  DisplayMode mode = DisplayMode::DayInput;
  Day today = MinDay;
  Prompts* prompts = nullptr;
  CBudgetList* budgets = nullptr;
};

// The options of the configuration as the store reads them.
LedgerOptions ledgerOptions(const CConfig& config);

// The window around the current day: the day itself in the day input mode, otherwise the
// accounting period that contains it (the fixed period when the file's totals use it).
LedgerWindow ledgerWindow(const CConfig& config, const HolidayCalendar& holidays, Day currentDay,
                          DisplayMode mode);

// The whole context of a store for a file with these settings.
LedgerContext ledgerContext(const CConfig& config, const HolidayCalendar& holidays,
                            const LedgerSetup& setup);

// Sets the store's context for a file with these settings.
void applyFileSettings(CHinmeiList& store, const CConfig& config, const HolidayCalendar& holidays,
                       const LedgerSetup& setup);

// Sets the store's context and computes the figures of its window from scratch: the running
// state at the window's first day, then the window's totals.
void showWindow(CHinmeiList& store, const CConfig& config, const HolidayCalendar& holidays,
                const LedgerSetup& setup);

}  // namespace sorami
