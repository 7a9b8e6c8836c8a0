// The running computation of balances to a day and the figures of the shown window.
#include "ledger/BudgetList.h"
#include "ledger/HinmeiList.h"

namespace sorami {

namespace {

constexpr size_t rowIndex(uint16_t row) {
  return static_cast<size_t>(row - ITEM_SUMMARY_FIRST);
}

bool isExpense(uint16_t flags) {
  return (flags & EF_EXPENSE) != 0;
}
bool isIncome(uint16_t flags) {
  return (flags & EF_INCOME) != 0;
}

}  // namespace

int64_t CHinmeiList::initialCash() const {
  if (entries_.empty() || !entries_.front().isHeader()) return 0;
  return entries_.front().amount;
}

int64_t CHinmeiList::cashBalance() const {
  if (entries_.empty()) return 0;
  return initialCash() + runningIncome_ - runningExpense_;
}

// Cash moves by the side of the entry; an account moves with a deposit (an expense of cash)
// and a loan with borrowing (an income of cash).
CHinmeiList::Effect CHinmeiList::effectOf(const CHinmei& e) {
  Effect effect;
  const int64_t a = e.amount;
  if (isExpense(e.flags)) effect.cash = -a;
  if (isIncome(e.flags)) effect.cash = a;
  if ((e.flags & EF_ACCOUNT) != 0) {
    effect.target = findAccount(e.name);
    if (effect.target != nullptr) effect.accounts = -effect.cash;
  } else if ((e.flags & EF_LOAN) != 0) {
    effect.target = findLoan(e.name);
    if (effect.target != nullptr) effect.loans = effect.cash;
  }
  return effect;
}

void CHinmeiList::putIn(const CHinmei& e, int sign) {
  if (isExpense(e.flags)) runningExpense_ += sign * int64_t{e.amount};
  if (isIncome(e.flags)) runningIncome_ += sign * int64_t{e.amount};
  const Effect effect = effectOf(e);
  if (effect.target == nullptr) return;
  effect.target->balance += sign * (effect.accounts + effect.loans);
  runningAccounts_ += sign * effect.accounts;
  runningLoans_ += sign * effect.loans;
}

// The first future withdrawal, within the watch days, that takes an account below its threshold
// is kept for the balance warning.
void CHinmeiList::putInWatched(const CHinmei& e) {
  putIn(e, 1);
  if ((e.flags & EF_ACCOUNT) == 0) return;
  CAccount* a = findAccount(e.name);
  if (a == nullptr || a->watchDays <= 0 || a->shortfall.recorded()) return;
  if (a->balance >= a->watchThreshold) return;
  const Day today = context_.today;
  if (e.date < today || int64_t{e.date} > int64_t{today} + a->watchDays) return;
  const CHinmei* item = itemByNumber(e.item);
  a->shortfall = {
      e.date, item ? item->name.str() : std::u16string(), e.name.str(), e.amount, a->balance, true};
}

void CHinmeiList::fillAccountsFromHead() {
  accounts_.clear();
  loans_.clear();
  overflow_.accounts = overflow_.loans = 0;
  for (CHinmei& e : entries_) {
    if (!e.isDefinition()) break;
    if ((e.flags & EF_DEFINITION) == 0 || (e.flags & (EF_ACCOUNT | EF_LOAN)) == 0) continue;
    const bool loan = (e.flags & EF_ACCOUNT) == 0;
    std::vector<CAccount>& table = loan ? loans_ : accounts_;
    if (table.size() == kMaxAccounts) {
      ++(loan ? overflow_.loans : overflow_.accounts);
      continue;
    }
    CAccount& a = table.emplace_back();
    a.name = e.name;
    a.kind = e.flags;
    a.definition = &e;
    a.balance = e.amount;
    a.readSettingsText(e.tailView(), context_.today);
    (loan ? runningLoans_ : runningAccounts_) += e.amount;
  }
}

void CHinmeiList::setRowsFromState() {
  rows_[rowIndex(ITEM_ACCOUNT_BALANCE)] = runningAccounts_;
  rows_[rowIndex(ITEM_LOAN_BALANCE)] = runningLoans_;
  rows_[rowIndex(ITEM_TOTAL_ASSETS)] =
      runningIncome_ + runningAccounts_ + initialCash() - runningExpense_ - runningLoans_;
}

CHinmeiList::Position CHinmeiList::computeToDay(Day day, bool full, bool watch) {
  day = std::clamp(day, MinDay + 1, MaxDay);
  Position p;
  if (full || !cursor_) {
    runningIncome_ = runningExpense_ = runningAccounts_ = runningLoans_ = 0;
    fillAccountsFromHead();
    p = firstDated();
  } else {
    p = *cursor_;
    // Backwards: take out every entry from the day on.
    while (p != entries_.begin()) {
      const Position before = std::prev(p);
      if (before->isDefinition() || before->date < day) break;
      putIn(*before, -1);
      p = before;
    }
  }
  for (; p != entries_.end() && p->date < day; ++p) {
    if (p->isDefinition()) continue;
    if (watch) {
      putInWatched(*p);
    } else {
      putIn(*p, 1);
    }
  }
  cursor_ = p;
  computedDay_ = day;
  setRowsFromState();
  syncFigures();
  return p;
}

void CHinmeiList::applyToTotals(uint16_t flags, int64_t amount) {
  if ((flags & EF_ACCOUNT) != 0 && !context_.options.savingsInTotals) return;
  if ((flags & EF_LOAN) != 0 && !context_.options.loansInTotals) return;
  if (isExpense(flags)) addRow(ITEM_EXPENSE_TOTAL, amount);
  if (isIncome(flags)) addRow(ITEM_INCOME_TOTAL, amount);
}

// A transfer inside the assets only moves money between cash and the account or loan.
void CHinmeiList::applyToRows(uint16_t flags, int64_t amount) {
  const bool outside = (flags & EF_OUTSIDE_ASSETS) != 0;
  int64_t cash = 0;
  if (isExpense(flags)) cash = -amount;
  if (isIncome(flags)) cash = amount;
  addRow(ITEM_CASH_BALANCE, cash);
  if (!outside && (flags & EF_ACCOUNT) != 0) {
    addRow(ITEM_ACCOUNT_BALANCE, -cash);
  } else if (!outside && (flags & EF_LOAN) != 0) {
    addRow(ITEM_LOAN_BALANCE, cash);
  } else {
    addRow(ITEM_TOTAL_ASSETS, cash);
  }
}

void CHinmeiList::applyToPreviousBalance(uint16_t flags, int64_t amount) {
  if (isExpense(flags)) addRow(ITEM_PREVIOUS_BALANCE, -amount);
  if (isIncome(flags)) addRow(ITEM_PREVIOUS_BALANCE, amount);
}

// A transfer to an account or loan that is unknown, or kept outside the assets, counts as
// money leaving (or entering) the assets.
uint16_t CHinmeiList::windowFlags(const CHinmei& e) {
  uint16_t flags = e.flags;
  CAccount* a = nullptr;
  if ((flags & EF_ACCOUNT) != 0) a = findAccount(e.name);
  if ((flags & EF_LOAN) != 0) a = findLoan(e.name);
  if ((flags & (EF_ACCOUNT | EF_LOAN)) != 0 && (a == nullptr || a->definition == nullptr ||
                                                (a->definition->flags & EF_OUTSIDE_ASSETS) != 0)) {
    flags |= EF_OUTSIDE_ASSETS;
  }
  return flags;
}

bool CHinmeiList::pairAddsNoTotals(Position p) {
  if (!context_.options.pairOption || (p->flags & EF_PAIR) == 0) return false;
  if ((p->flags & EF_ACCOUNT) == 0) return false;
  const auto partner = partnerOf(p);
  return partner && ((*partner)->flags & EF_ACCOUNT) != 0;
}

void CHinmeiList::addToItemTotal(uint16_t item, int64_t amount) {
  if (item < kMaxItems) itemTotals_[item] += amount;
}

void CHinmeiList::applyWindowEntry(Position p, int sign) {
  const int64_t a = sign * int64_t{p->amount};
  applyToRows(windowFlags(*p), a);
  if (pairAddsNoTotals(p)) return;
  addToItemTotal(p->item, a);
  applyToTotals(p->flags, a);
}

void CHinmeiList::recomputeWindow() {
  const int64_t cash = cashBalance();
  rows_[rowIndex(ITEM_PREVIOUS_BALANCE)] = cash;
  rows_[rowIndex(ITEM_CASH_BALANCE)] = cash;
  rows_[rowIndex(ITEM_INCOME_TOTAL)] = 0;
  rows_[rowIndex(ITEM_EXPENSE_TOTAL)] = 0;
  setRowsFromState();
  itemTotals_.fill(0);
  const LedgerWindow& w = context_.window;
  Position p = cursor_ ? *cursor_ : firstOnOrAfter(w.first());
  for (; p != entries_.end() && p->date <= w.last(); ++p) {
    if (p->isDefinition() || p->isEndMarker() || !hasItem(p->item)) continue;
    applyWindowEntry(p, 1);
  }
  const CBudget* budget = nullptr;
  if (context_.budgets != nullptr) budget = context_.budgets->find(w.budgetMonth);
  for (size_t i = 0; i < itemCount_; ++i) {
    CHinmei* def = itemTable_[i];
    def->work =
        budget != nullptr && def->item < budget->amounts.size() ? budget->amounts[def->item] : 0;
  }
  syncFigures();
}

int64_t CHinmeiList::transferSum(std::u16string_view name, uint16_t mask, Day day,
                                 std::optional<Position> stop) {
  int64_t sum = 0;
  for (Position p = firstDated(); p != entries_.end() && p->date <= day; ++p) {
    if (stop && p == *stop) break;
    if ((p->flags & mask) == 0 || p->name != name || p->isDefinition()) continue;
    if (isExpense(p->flags)) sum += p->amount;
    if (isIncome(p->flags)) sum -= p->amount;
  }
  return sum;
}

}  // namespace sorami
