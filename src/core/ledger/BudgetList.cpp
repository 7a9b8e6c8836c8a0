#include "ledger/BudgetList.h"

#include <algorithm>

#include "archive/Archive.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr BudgetMonth kStandardMonth{kStandardBudgetYear, kStandardBudgetMonth};

}  // namespace

CBudgetList CBudgetList::withStandardBudget() {
  CBudgetList list;
  list.budgets_.emplace_back(kBudgetStandard, kStandardBudgetYear, kStandardBudgetMonth);
  return list;
}

CBudget* CBudgetList::find(BudgetMonth when) {
  for (CBudget& b : budgets_) {
    if (b.when() == when) return &b;
    if (b.when() > when) break;
  }
  return nullptr;
}

CBudget& CBudgetList::budgetFor(uint16_t year, uint16_t month) {
  const BudgetMonth when{year, month};
  if (CBudget* existing = find(when)) return *existing;
  CBudget fresh;
  if (when == kStandardMonth) {
    // Created as the standard budget, so that removing old months never takes it away.
    fresh.kind = kBudgetStandard;
  } else if (const CBudget* standard = find(kStandardMonth)) {
    fresh = *standard;
    fresh.kind = kBudgetMonth;
  }
  fresh.year = year;
  fresh.month = month;
  insert(fresh);
  return *find(when);
}

bool CBudgetList::setAmount(BudgetMonth when, size_t item, int32_t amount) {
  if (item >= kBudgetAmounts) return false;
  int32_t& slot = budgetFor(when.year, when.month).amounts[item];
  if (slot == amount) return false;
  slot = amount;
  modified_ = true;
  return true;
}

void CBudgetList::copyAmounts(BudgetMonth from, BudgetMonth to,
                              const std::vector<uint16_t>& items) {
  // The month copied from is made as well: a month without a budget copies the standard's.
  const CBudget source = budgetFor(from.year, from.month);
  CBudget& target = budgetFor(to.year, to.month);
  for (const uint16_t item : items) {
    if (item < kBudgetAmounts) target.amounts[item] = source.amounts[item];
  }
  modified_ = true;
}

bool CBudgetList::insertInOrder(const CBudget& budget) {
  // Budgets mostly arrive in order, so the place is searched from the end.
  auto place = budgets_.end();
  while (place != budgets_.begin()) {
    const auto before = std::prev(place);
    if (before->when() == budget.when()) return false;
    if (before->when() < budget.when()) break;
    place = before;
  }
  budgets_.insert(place, budget);
  return true;
}

bool CBudgetList::insert(const CBudget& budget) {
  if (!insertInOrder(budget)) return false;
  modified_ = true;
  return true;
}

void CBudgetList::itemInsertedAt(size_t n) {
  if (n >= kBudgetAmounts) return;
  for (CBudget& b : budgets_) {
    std::copy_backward(b.amounts.begin() + n, b.amounts.end() - 1, b.amounts.end());
    b.amounts[n] = 0;
  }
  modified_ = true;
}

void CBudgetList::itemRemovedAt(size_t n) {
  if (n >= kBudgetAmounts) return;
  // The last amount stays as it was: it belongs to the slot that is now unused.
  for (CBudget& b : budgets_)
    std::copy(b.amounts.begin() + n + 1, b.amounts.end(), b.amounts.begin() + n);
  modified_ = true;
}

void CBudgetList::removeBefore(Day date) {
  const Ymd ymd = ymdFromDay(date);
  if (ymd.year < 0) return;
  const auto year = static_cast<uint16_t>(ymd.year);
  const auto month = static_cast<uint16_t>(ymd.month);
  const size_t removed = budgets_.remove_if([&](const CBudget& b) {
    if (b.isStandard()) return false;
    return (b.kind == kBudgetMonth && b.year < year) || (b.year == year && b.month < month);
  });
  if (removed > 0) modified_ = true;
}

void CBudgetList::deleteAll() {
  if (!budgets_.empty()) modified_ = true;
  budgets_.clear();
}

void CBudgetList::serialize(Archive& ar, Prompts& prompts, std::optional<BudgetMonth> firstKept) {
  if (ar.isStoring()) {
    write(ar);
  } else {
    read(ar, prompts, firstKept);
  }
}

void CBudgetList::write(Archive& ar) const {
  ar.writeCount(static_cast<uint32_t>(budgets_.size()));
  for (const CBudget& b : budgets_) {
    ar.writeObjectTag(ClassId::Budget);
    b.write(ar);
  }
}

bool CBudgetList::read(Archive& ar, Prompts& prompts, std::optional<BudgetMonth> firstKept) {
  budgets_.clear();
  bool complete = true;
  try {
    readBudgets(ar, firstKept);
  } catch (const ArchiveError&) {
    prompts.inform(MessageId::BudgetDataDamaged, {}, Icon::Warning);
    complete = false;
  }
  modified_ = false;
  return complete;
}

void CBudgetList::readBudgets(Archive& ar, std::optional<BudgetMonth> firstKept) {
  const uint32_t count = ar.readCount();
  // No count is trusted in advance: a list cut short keeps the budgets before the cut. Each
  // budget takes its bytes, so a damaged count ends at the end of the file.
  for (uint32_t i = 0; i < count; ++i) {
    if (!ar.readObjectTag(ClassId::Budget)) {
      ar.fail(ArchiveErrorKind::BadFormat, "no budget where a budget belongs");
    }
    CBudget b;
    b.read(ar);
    // Months whose entries were dropped while reading lose their budgets too.
    if (firstKept && !b.isStandard() && b.when() < *firstKept) continue;
    insertInOrder(b);
  }
}

}  // namespace sorami
