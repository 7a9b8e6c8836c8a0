#pragma once
// The content of a new data file: the header entry, the item definitions, the sample special
// product names, the end marker and the standard budget.

#include <cstdint>
#include <memory>

#include "ledger/BudgetList.h"
#include "ledger/HinmeiList.h"

namespace sorami {

class CConfig;

// The fewest items a file has on each side: the named items and the two transfer pseudo-items.
inline constexpr int kMinExpenseItems = 14;
inline constexpr int kMinIncomeItems = 5;
// The most items the item table takes.
inline constexpr int kMaxItemDefinitions = 48;
inline constexpr int32_t kDefaultInitialCash = 5000;

struct NewLedgerRequest {
  int expenseItems = kMinExpenseItems;
  int incomeItems = kMinIncomeItems;
  int32_t initialCash = kDefaultInitialCash;
  bool sampleNames = true;
};

struct NewLedger {
  std::unique_ptr<CHinmeiList> entries;
  std::unique_ptr<CBudgetList> budgets;
};

// The consumption-tax rate in percent in force on a day, proposed for a file created then.
double proposedTaxRate(Day day);

// Builds the ledger of a new file. The item counts are raised to the minimum (and the expense
// count limited so both sides fit the item table); the configuration takes the counts used,
// and the header carries its text.
NewLedger buildNewLedger(CConfig& config, const NewLedgerRequest& request);

}  // namespace sorami
