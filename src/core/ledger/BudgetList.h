#pragma once
// The budgets of a data file, one per month that has one, in order of (year, month), so the
// standard budget comes first. The list owns its budgets.

#include <cstddef>
#include <list>
#include <optional>
#include <vector>

#include "ledger/Budget.h"
#include "rules/Day.h"

namespace sorami {

class Archive;
class Prompts;

class CBudgetList {
 public:
  using Budgets = std::list<CBudget>;

  CBudgetList() = default;
  // A list holding only an empty standard budget, as a new file starts.
  static CBudgetList withStandardBudget();

  size_t size() const { return budgets_.size(); }
  bool empty() const { return budgets_.empty(); }
  Budgets::const_iterator begin() const { return budgets_.begin(); }
  Budgets::const_iterator end() const { return budgets_.end(); }

  CBudget* find(BudgetMonth when);
  // The budget of a month, created when missing: a month starts as a copy of the standard
  // budget; (1, 1) starts as an empty standard budget. The reference stays valid until the
  // budget is removed.
  CBudget& budgetFor(uint16_t year, uint16_t month);
  // Sets the amount of one item in the budget of a month (created as budgetFor creates it);
  // false when it already was that amount.
  bool setAmount(BudgetMonth when, size_t item, int32_t amount);
  // Copies the amounts of the items given from the budget of one month into another's.
  void copyAmounts(BudgetMonth from, BudgetMonth to, const std::vector<uint16_t>& items);
  // Inserts in order; false (and nothing changes) when the month already has a budget.
  bool insert(const CBudget& budget);
  // An item was inserted at, or removed from, item number n: the amounts follow their items.
  void itemInsertedAt(size_t n);
  void itemRemovedAt(size_t n);
  // Drops the month budgets before the month of `date`; the standard budget stays.
  void removeBefore(Day date);
  void deleteAll();

  // The same budgets, whatever either list's modified state.
  bool sameBudgets(const CBudgetList& other) const { return budgets_ == other.budgets_; }

  bool isModified() const { return modified_; }
  void setModified(bool on) { modified_ = on; }

  // Writes the list's body (count and budgets; the caller writes the list's own tag), or reads
  // it. Damaged budgets end the reading with a message; the budgets read before are kept.
  // When the entry store was shortened while read, budgets before `firstKept` are dropped.
  void serialize(Archive& ar, Prompts& prompts, std::optional<BudgetMonth> firstKept = {});
  void write(Archive& ar) const;
  // False when the list was damaged (or ended early).
  bool read(Archive& ar, Prompts& prompts, std::optional<BudgetMonth> firstKept = {});

 private:
  bool insertInOrder(const CBudget& budget);
  void readBudgets(Archive& ar, std::optional<BudgetMonth> firstKept);

  Budgets budgets_;
  bool modified_ = false;
};

}  // namespace sorami
