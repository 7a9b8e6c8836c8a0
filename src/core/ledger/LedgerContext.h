#pragma once
// What the entry store needs to know from the configuration, the document and the main view to
// keep its figures: a few options, the shown window and today. The owner fills it; the store
// only reads it.

#include <cstdint>

#include "ledger/Budget.h"
#include "rules/Day.h"

namespace sorami {

class CBudgetList;
class Prompts;

// The configuration options the store follows.
struct LedgerOptions {
  bool savingsInTotals = false;        // transfers to and from accounts count as income/expense
  bool loansInTotals = false;          // borrowing and repayments count as income/expense
  bool pairOption = true;              // a transfer between two accounts adds to no total
  bool skipZeroAmounts = true;         // an entry of amount 0 is refused
  bool swapNegativeTransfers = false;  // a negative transfer turns into the opposite direction
  bool confirmDeletion = false;        // ask before an entry or a special name is deleted
  bool skipBlankNames = true;          // a blank name is neither written nor registered
  int decimalPlaces = 0;               // of amounts as the history names its steps
  int firstYear = 2000;                // the years the dialogs offer
  int lastYear = 2040;
};

enum class DisplayMode : int { DayInput = 0, Summary = 1, CashBook = 2 };

// The span of days the main view shows its totals for.
struct LedgerWindow {
  Day currentDay = MinDay;
  DisplayMode mode = DisplayMode::DayInput;
  Day periodStart = MinDay;  // the shown period outside the day input mode
  Day periodEnd = MaxDay;
  // The month whose budget applies: the naming month of the current day's accounting period
  // (the following one with closed-month naming).
  BudgetMonth budgetMonth{};

  Day first() const { return mode == DisplayMode::DayInput ? currentDay : periodStart; }
  Day last() const { return mode == DisplayMode::DayInput ? currentDay : periodEnd; }
  bool contains(Day day) const { return day >= first() && day <= last(); }
};

struct LedgerContext {
  LedgerOptions options;
  LedgerWindow window;
  Day today = MinDay;              // the balance watch looks ahead from here
  Prompts* prompts = nullptr;      // none: messages are dropped, questions take their default
  CBudgetList* budgets = nullptr;  // none: every budget is 0
};

}  // namespace sorami
