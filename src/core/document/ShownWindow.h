#pragma once
// The span of days the main view shows and the store's figures for it: the view decides the
// current day, the display mode and the shown period; this points the store at them.

#include "config/Config.h"
#include "ledger/HinmeiList.h"
#include "rules/HolidayCalendar.h"
#include "rules/Period.h"

namespace sorami {

// The accounting period that contains `day` by the file's closing settings; the fixed totals
// period instead when `honourFixed` is set and the file asks for it.
Period shownPeriodOf(Day day, const CConfig& config, const HolidayCalendar& holidays,
                     bool honourFixed = true);

// Sets the store's window (current day, mode, shown period and its budget month) and its options
// from the file's settings, runs the store to the window's first day and recomputes the window's
// figures. In day input mode the shown period is the current day itself.
void showWindow(CHinmeiList& store, const CConfig& config, const HolidayCalendar& holidays,
                const LedgerWindow& window);

}  // namespace sorami
