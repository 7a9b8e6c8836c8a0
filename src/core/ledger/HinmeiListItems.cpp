// Items: adding, deleting, renaming and reordering the item definitions, with everything that
// holds an item number following. Item numbers run expense items first, then income items;
// each side ends with its two transfer pseudo-items.
#include <algorithm>
#include <iterator>
#include <string>

#include "ledger/BudgetList.h"
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr uint16_t kKinds = EF_ACCOUNT | EF_LOAN;
constexpr size_t kMaxExpenseItems = 32;
constexpr size_t kMaxIncomeItems = 16;
constexpr char16_t kAsItemName[] = u"項目名として";

std::u16string numberText(int64_t value) {
  const std::string s = std::to_string(value);
  return {s.begin(), s.end()};
}

bool isSpace(char16_t c) {
  return c == u' ' || c == u'\u3000';
}

std::u16string trimmed(std::u16string_view typed) {
  while (!typed.empty() && isSpace(typed.front())) typed.remove_prefix(1);
  while (!typed.empty() && isSpace(typed.back())) typed.remove_suffix(1);
  return std::u16string(typed);
}

// A ledger line of an item: neither a definition, nor the diary, nor the end marker (which
// carries item 0 but belongs to no item).
bool isLineOf(const CHinmei& e, uint16_t item) {
  return e.isDated() && !e.isEndMarker() && !e.isDiary() && e.item == item;
}

}  // namespace

void CHinmeiList::computeFromStart() {
  computeToDay(context_.window.first(), true);
  recomputeWindow();
}

bool CHinmeiList::itemNameTaken(std::u16string_view name, const CHinmei* except) const {
  for (size_t i = 0; i < itemCount_; ++i) {
    if (itemTable_[i] != except && itemTable_[i]->name == name) return true;
  }
  return false;
}

// Every entry that holds an item number at or above `from` (definitions, special names,
// accounts, lines) moves by `delta`; the reserved numbers lie above the item count.
size_t CHinmeiList::renumberItems(uint16_t from, int delta) {
  size_t changed = 0;
  const auto count = static_cast<uint16_t>(itemCount_);
  for (CHinmei& e : entries_) {
    if (e.isEndMarker() || e.isHeader() || e.item < from || e.item >= count) continue;
    CHinmei& c = changingNumbers(e);
    c.item = static_cast<uint16_t>(c.item + delta);
    ++changed;
  }
  return changed;
}

size_t CHinmeiList::renumberRules(uint16_t from, int delta) {
  return updateRules([&](int, CAutoRule& r) {
    bool changed = false;
    for (int32_t* item : {&r.sourceItem, &r.destinationItem}) {
      if (*item >= from) {
        *item += delta;
        changed = true;
      }
    }
    return changed;
  });
}

std::optional<ItemAdded> CHinmeiList::addItem(std::u16string_view typed, bool income, int slot) {
  const std::u16string name = trimmed(typed);
  if (name.empty()) {
    prompts().inform(MessageId::ItemNameBlank, {}, Icon::Warning);
    return std::nullopt;
  }
  if (name.size() > kMaxNameLength) {
    prompts().inform(MessageId::ItemNameTooLong, {numberText(kMaxNameLength)}, Icon::Warning);
    return std::nullopt;
  }
  if (itemNameTaken(name, nullptr)) {
    prompts().inform(MessageId::AlreadyRegistered, {name, kAsItemName}, Icon::Warning);
    return std::nullopt;
  }
  const auto sideCount = static_cast<size_t>(income ? incomeItems_ : expenseItems_);
  if (sideCount >= (income ? kMaxIncomeItems : kMaxExpenseItems) || itemCount_ >= kMaxItems) {
    prompts().inform(income ? MessageId::IncomeItemsFull : MessageId::ExpenseItemsFull, {},
                     Icon::Warning);
    return std::nullopt;
  }
  // A side without its two pseudo-items is a damaged file: there is no place for a number.
  if (sideCount < 2) return std::nullopt;
  const auto number = static_cast<uint16_t>(income ? itemCount_ - 2 : expenseItems_ - 2);
  // Without a place of its own the item goes just before its side's pseudo-items.
  if (slot < 0 || static_cast<size_t>(slot) > itemCount_) {
    const int pseudo = slotOfItem(number);
    slot = pseudo >= 0 ? pseudo : static_cast<int>(itemCount_);
  }

  ItemAdded added;
  added.number = number;
  added.rules = renumberRules(number, 1);
  if (context_.budgets != nullptr) context_.budgets->itemInsertedAt(number);
  added.renumbered = renumberItems(number, 1);

  // Before the slot-th item definition of the list, or after the last one.
  Position before = firstDated();
  int seen = 0;
  for (Position p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if (!p->isItemDefinition() || p->item >= kMaxItems + 2) continue;
    if (seen++ == slot) {
      before = p;
      break;
    }
    before = std::next(p);
  }
  const uint16_t flags = EF_ITEM | (income ? EF_INCOME : EF_EXPENSE);
  const Position placed = linkEntry(before, CHinmei(MinDay, number, flags, name, u"3", 0));
  indexArrived(placed);

  for (size_t i = kMaxItems - 1; i > static_cast<size_t>(slot); --i) {
    rememberedRows_[i] = rememberedRows_[i - 1];
  }
  if (static_cast<size_t>(slot) < kMaxItems) rememberedRows_[static_cast<size_t>(slot)] = -1;
  rebuildTables();
  computeFromStart();
  modified_ = true;
  return added;
}

std::optional<ItemDeletionCount> CHinmeiList::countItemDeletion(int slot) const {
  const CHinmei* def = itemAt(slot);
  if (def == nullptr) return std::nullopt;
  const uint16_t k = def->item;
  ItemDeletionCount count;
  for (auto p = entries_.begin(); p != entries_.end(); ++p) {
    if (!isLineOf(*p, k)) continue;
    ++count.lines;
    std::optional<ConstPosition> partner;
    if (p->isPairFirst() && std::next(p) != entries_.end()) partner = std::next(p);
    if (p->isPairSecond() && p != entries_.begin()) partner = std::prev(p);
    if (partner && (*partner)->item != k) ++count.pairs;
  }
  for (int i = 0; i < ruleCount(); ++i) {
    const std::optional<CAutoRule> r = rule(i);
    if (r && (r->sourceItem == k || r->destinationItem == k)) ++count.rules;
  }
  return count;
}

std::optional<ItemDeleted> CHinmeiList::deleteItem(int slot, bool ask) {
  const CHinmei* def = itemAt(slot);
  if (def == nullptr) return std::nullopt;
  if ((def->flags & kKinds) != 0) {
    prompts().inform(MessageId::PseudoItemUndeletable, {}, Icon::Warning);
    return std::nullopt;
  }
  const uint16_t k = def->item;
  const ItemDeletionCount count = *countItemDeletion(slot);
  if (ask && count.lines > 0 &&
      prompts().ask(MessageId::ConfirmDeleteItemLines,
                    {numberText(static_cast<int64_t>(count.lines)),
                     numberText(static_cast<int64_t>(count.pairs))},
                    Buttons::YesNo, Answer::No) != Answer::Yes) {
    return std::nullopt;
  }
  if (ask && count.rules > 0 &&
      prompts().ask(MessageId::ConfirmDeleteItemRules,
                    {numberText(static_cast<int64_t>(count.rules))}, Buttons::YesNo,
                    Answer::No) != Answer::Yes) {
    return std::nullopt;
  }
  // The cash of the shown window stays as it was: what the removed lines up to its end moved
  // goes into the initial balance.
  const Day windowEnd = context_.window.last();
  int64_t moved = 0;
  for (const CHinmei& e : entries_) {
    if (!isLineOf(e, k) || e.date > windowEnd) continue;
    if ((e.flags & EF_INCOME) != 0) moved += e.amount;
    if ((e.flags & EF_EXPENSE) != 0) moved -= e.amount;
  }
  const int64_t initial = initialCash() + moved;
  if (moved != 0 && !checkFits(initial)) return std::nullopt;

  ItemDeleted deleted;
  deleted.number = k;
  deleted.cashCompensation = moved;
  for (int i = ruleCount(); i-- > 0;) {
    const std::optional<CAutoRule> r = rule(i);
    if (r && (r->sourceItem == k || r->destinationItem == k) && removeRule(i)) ++deleted.rules;
  }
  renumberRules(static_cast<uint16_t>(k + 1), -1);

  const auto count0 = static_cast<uint16_t>(itemCount_);
  for (Position p = entries_.begin(); p != entries_.end();) {
    if (p->isEndMarker() || p->isHeader() || p->item >= count0 || p->isDiary()) {
      ++p;
      continue;
    }
    if (p->item > k) {
      --changingNumbers(*p).item;
      ++deleted.renumbered;
      ++p;
      continue;
    }
    if (p->item < k) {
      ++p;
      continue;
    }
    // A partner of another item stays, as a line of its own.
    if (const auto partner = partnerOf(p); partner && (*partner)->item != k) {
      changingNumbers(**partner).flags &= static_cast<uint16_t>(~EF_PAIR_MASK);
      ++deleted.unpaired;
    }
    if (p->isDated()) ++deleted.removed;
    indexLeaving(p);
    p = unlinkEntry(p);
  }
  if (moved != 0) changingNumbers(entries_.front()).amount = static_cast<int32_t>(initial);
  if (context_.budgets != nullptr) context_.budgets->itemRemovedAt(k);
  const auto from = static_cast<size_t>(slot);
  for (size_t i = from; i + 1 < kMaxItems; ++i) rememberedRows_[i] = rememberedRows_[i + 1];
  rememberedRows_[kMaxItems - 1] = -1;
  rebuildTables();
  computeFromStart();
  modified_ = true;
  return deleted;
}

bool CHinmeiList::renameItem(int slot, std::u16string_view typed) {
  CHinmei* def = itemAt(slot);
  if (def == nullptr) return false;
  const std::u16string name = trimmed(typed);
  if (name.empty()) {
    prompts().inform(MessageId::ItemNameBlank, {}, Icon::Warning);
    return false;
  }
  if (name.size() > kMaxNameLength) {
    prompts().inform(MessageId::ItemNameTooLong, {numberText(kMaxNameLength)}, Icon::Warning);
    return false;
  }
  if (name == def->name) return false;
  if (itemNameTaken(name, def)) {
    prompts().inform(MessageId::AlreadyRegistered, {name, kAsItemName}, Icon::Warning);
    return false;
  }
  changing(*def).name = name;
  return true;
}

bool CHinmeiList::exchangeItems(int a, int b) {
  CHinmei* first = itemAt(a);
  CHinmei* second = itemAt(b);
  if (first == nullptr || second == nullptr || first == second) return false;
  std::swap(changing(*first), changing(*second));
  std::swap(rememberedRows_[static_cast<size_t>(a)], rememberedRows_[static_cast<size_t>(b)]);
  rebuildTables();
  computeFromStart();
  modified_ = true;
  return true;
}

bool CHinmeiList::setInitialCash(int64_t amount) {
  if (entries_.empty() || !entries_.front().isHeader()) return false;
  if (!checkFits(amount)) return false;
  changingNumbers(entries_.front()).amount = static_cast<int32_t>(amount);
  computeFromStart();
  modified_ = true;
  return true;
}

std::string CHinmeiList::itemProblem() const {
  const auto count = static_cast<uint16_t>(itemCount_);
  std::array<int, kMaxItems> seen{};
  for (size_t i = 0; i < itemCount_; ++i) {
    const uint16_t n = itemTable_[i]->item;
    if (n >= count || seen[n]++ > 0)
      return "item numbers are not 0 to " + std::to_string(count - 1);
  }
  size_t index = 0;
  for (auto p = entries_.begin(); p != entries_.end(); ++p, ++index) {
    const std::string at = " at entry " + std::to_string(index);
    // A store without items (a bare file) has no numbers to hold to.
    const bool numbered =
        count > 0 && !p->isHeader() && !p->isRule() && !p->isDiary() && !p->isEndMarker();
    if (numbered && p->item >= count) return "an item number beyond the items" + at;
    if (!p->isDated()) continue;
    if (p->isPairFirst()) {
      const auto next = std::next(p);
      if (next == entries_.end() || !next->isPairSecond() || next->date != p->date) {
        return "a pair without its second entry" + at;
      }
    } else if (p->isPairSecond()) {
      if (p == entries_.begin() || !std::prev(p)->isPairFirst()) {
        return "a pair without its first entry" + at;
      }
    } else if ((p->flags & EF_PAIR_MASK) == EF_PAIR_SECOND) {
      return "a pair bit without its pair" + at;
    }
  }
  for (int i = 0; i < ruleCount(); ++i) {
    const std::optional<CAutoRule> r = rule(i);
    if (!r) continue;
    if (r->sourceItem < -1 || r->sourceItem >= count || r->destinationItem < 0 ||
        r->destinationItem >= count) {
      return "rule " + std::to_string(i + 1) + " names an item that does not exist";
    }
  }
  return {};
}

}  // namespace sorami
