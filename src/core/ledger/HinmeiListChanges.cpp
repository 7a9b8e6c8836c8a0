// Changes of the entry store: insertion on a day, removal, editing, the diary, reassigning.
// Every change keeps the running state right (it always describes the entries before the
// cursor) and, where the operation says so, the figures of the shown window.
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr uint16_t kKinds = EF_ACCOUNT | EF_LOAN;

uint16_t kindOf(uint16_t flags) {
  return (flags & EF_ACCOUNT) != 0 ? EF_ACCOUNT : static_cast<uint16_t>(flags & EF_LOAN);
}

}  // namespace

// ---- Keeping figures current.

// An entry before the shown window moves the balances the window starts from.
void CHinmeiList::figuresOf(Position p, int sign) {
  const LedgerWindow& w = context_.window;
  if (p->isDefinition() || p->isEndMarker()) return;
  if (w.contains(p->date)) {
    if (hasItem(p->item)) applyWindowEntry(p, sign);
    return;
  }
  if (p->date > w.last()) return;
  const Effect effect = effectOf(*p);
  const int64_t cash = sign * effect.cash;
  applyToPreviousBalance(p->flags, sign * int64_t{p->amount});
  addRow(ITEM_CASH_BALANCE, cash);
  addRow(ITEM_ACCOUNT_BALANCE, sign * effect.accounts);
  addRow(ITEM_LOAN_BALANCE, sign * effect.loans);
  addRow(ITEM_TOTAL_ASSETS, cash + sign * (effect.accounts - effect.loans));
}

void CHinmeiList::detach(Position p) {
  if (cursor_ && !p->isDefinition() && p->date < computedDay_) putIn(*p, -1);
  figuresOf(p, -1);
}

void CHinmeiList::attach(Position p) {
  if (cursor_ && !p->isDefinition() && p->date < computedDay_) putIn(*p, 1);
  figuresOf(p, 1);
}

// A pair counts once both entries are in: a partner that arrived alone counted in the totals,
// which a transfer between two accounts must not.
void CHinmeiList::entryArrived(Position p) {
  attach(p);
  if (context_.window.contains(p->date) && pairAddsNoTotals(p)) {
    const Position partner = *partnerOf(p);
    if (hasItem(partner->item)) {
      addToItemTotal(partner->item, -int64_t{partner->amount});
      applyToTotals(partner->flags, -int64_t{partner->amount});
    }
  }
  syncFigures();
}

// ---- Insertion.

std::optional<CHinmeiList::Position> CHinmeiList::insertPair(CHinmei first, CHinmei second,
                                                             bool* firstStored) {
  first.flags = static_cast<uint16_t>((first.flags & ~EF_PAIR_SECOND) | EF_PAIR);
  second.flags |= EF_PAIR_MASK;
  // An insertion may hand back a definition it registered instead of the entry it dropped.
  const auto stored = [](const std::optional<Position>& p) { return p && !(*p)->isDefinition(); };
  reportLines_ = false;
  const std::optional<Position> a = insert(std::move(first));
  if (firstStored != nullptr) *firstStored = stored(a);
  const std::optional<Position> b = stored(a) ? insert(std::move(second)) : std::nullopt;
  reportLines_ = true;
  if (!stored(a)) return std::nullopt;
  if (!stored(b)) {
    removeWithTotals(*a);
    return std::nullopt;
  }
  if (onLineAdded) onLineAdded((*a)->isTransfer() ? **b : **a);
  return b;
}

CHinmeiList::Position CHinmeiList::placeOnDay(CHinmei&& e, int indexInDay) {
  const Day day = e.date;
  Position p;
  if (indexInDay < 0) {
    p = firstAfterDay(day);
  } else {
    // Forward from the day's first entry to its k-th.
    p = firstAfterDay(day - 1);
    for (int seen = 0; p != entries_.end() && p->date == day && seen < indexInDay; ++p) ++seen;
  }
  // A pair stays together: an index that falls between its entries places after the pair.
  if (p != entries_.end() && p->isPairSecond() && partnerOf(p)) ++p;
  const Position placed = linkEntry(p, std::move(e));
  indexArrived(placed);
  if (cursor_ && *cursor_ == p && day >= computedDay_) cursor_ = placed;
  return placed;
}

bool CHinmeiList::swapNegativeTransfer(CHinmei& e) {
  if (!context_.options.swapNegativeTransfers || !e.isTransfer() || e.amount >= 0) return true;
  if (!checkFits(-int64_t{e.amount})) return false;
  e.flags ^= EF_DIRECTION_MASK;
  if (const CHinmei* item = itemByDirection((e.flags & kKinds) | (e.flags & EF_DIRECTION_MASK))) {
    e.item = item->item;
  }
  e.amount = -e.amount;
  return true;
}

std::optional<CHinmeiList::Position> CHinmeiList::refuseZeroAmount(CHinmei& e,
                                                                   bool createDefinition) {
  if (e.isTransfer() && !definitionByName(e.name, kindOf(e.flags))) {
    if (!createDefinition) return std::nullopt;
    return registerAccount(e.name, kindOf(e.flags), -1, kAskInitialBalance);
  }
  prompts().inform(MessageId::ZeroAmountRefused, {}, Icon::Warning);
  return std::nullopt;
}

int64_t CHinmeiList::accountBalanceOnCurrentDay(const CHinmei& definition) {
  const uint16_t kind = kindOf(definition.flags);
  const int64_t moved = transferSum(definition.name, kind, context_.window.currentDay);
  return kind == EF_ACCOUNT ? definition.amount + moved : definition.amount - moved;
}

// A transfer to a name that has no definition yet registers it first; false when that failed.
std::optional<CHinmeiList::Position> CHinmeiList::insertTransferDefinition(CHinmei& e,
                                                                           bool createDefinition) {
  const uint16_t kind = kindOf(e.flags);
  if (const auto existing = definitionByName(e.name, kind)) return existing;
  if (!createDefinition || noAutoDefinition) return entries_.end();
  const auto def = registerAccount(e.name, kind, -1, kAskInitialBalance);
  if (!def) return std::nullopt;
  e.name = (*def)->name;
  e.work = saturatedAmount(accountBalanceOnCurrentDay(**def));
  if (context_.window.mode == DisplayMode::Summary) (*def)->work = e.work;
  return def;
}

std::optional<CHinmeiList::Position> CHinmeiList::insert(CHinmei e, int indexInDay,
                                                         bool createDefinition) {
  if (e.isDefinition()) return insertDefinition(std::move(e));
  e.flags &= static_cast<uint16_t>(~EF_MARK);
  // The first and last days belong to the definitions and the end marker.
  if (e.date <= MinDay || e.date >= MaxDay) return std::nullopt;
  if (!swapNegativeTransfer(e)) return std::nullopt;
  if (e.item == ITEM_DIARY) return setDiary(e.date, e.visibleMemo());
  if (e.amount == 0 && context_.options.skipZeroAmounts) {
    return refuseZeroAmount(e, createDefinition);
  }
  if (e.isTransfer() && !insertTransferDefinition(e, createDefinition)) return std::nullopt;
  const Position p = placeOnDay(std::move(e), indexInDay);
  entryArrived(p);
  modified_ = true;
  if (reportLines_ && onLineAdded) onLineAdded(*p);
  return p;
}

CHinmeiList::Position CHinmeiList::insertDefinition(CHinmei e) {
  e.flags &= static_cast<uint16_t>(~EF_MARK);
  const Position p = linkEntry(firstDated(), std::move(e));
  indexArrived(p);
  // A new account or loan joins its table and the balances at once.
  if ((p->flags & EF_DEFINITION) != 0 && (p->flags & kKinds) != 0) refreshFigures();
  if (p->isRule()) {
    if (ruleCount_ < kMaxRules) {
      ruleTable_[ruleCount_++] = &*p;
    } else {
      ++overflow_.rules;
    }
  }
  modified_ = true;
  return p;
}

// ---- Removal.

void CHinmeiList::remove(Position p) {
  if (p == entries_.end()) return;
  const bool tableEntry = p->isItemDefinition() || p->isRule() || p->isHeader();
  const bool accountDefinition = (p->flags & EF_DEFINITION) != 0 && (p->flags & kKinds) != 0;
  if (cursor_ && *cursor_ == p) {
    cursor_ = std::next(p);
  } else if (cursor_ && !p->isDefinition() && p->date < computedDay_) {
    putIn(*p, -1);
  }
  if (accountDefinition) {
    std::vector<CAccount>& table = (p->flags & EF_ACCOUNT) != 0 ? accounts_ : loans_;
    std::erase_if(table, [&](const CAccount& a) { return a.definition == &*p; });
    forgetRunningState();
  }
  indexLeaving(p);
  unlinkEntry(p);
  if (tableEntry) rebuildTables();
  modified_ = true;
}

void CHinmeiList::removeWithTotals(Position p) {
  if (p == entries_.end()) return;
  const auto partner = partnerOf(p);
  figuresOf(p, -1);
  if (partner) figuresOf(*partner, -1);
  if (partner) remove(*partner);
  remove(p);
  syncFigures();
}

size_t CHinmeiList::removeUpTo(Day date) {
  size_t removed = 0;
  for (Position p = firstDated(); p != entries_.end() && p->date <= date;) {
    if (p->isEndMarker()) break;
    indexLeaving(p);
    p = unlinkEntry(p);
    ++removed;
  }
  if (removed > 0) {
    forgetRunningState();
    modified_ = true;
  }
  return removed;
}

void CHinmeiList::deleteAll() {
  clearHistory();
  entries_.clear();
  lastOfDay_.clear();
  dayIndexBuilt_ = true;
  dayIndexSize_ = 0;
  resetDerived();
  rememberedRows_.fill(-1);
  modified_ = true;
}

// ---- Editing.

bool CHinmeiList::checkFits(int64_t value) {
  if (value >= INT32_MIN && value <= INT32_MAX) return true;
  prompts().inform(MessageId::AmountOutOfRange, {}, Icon::Warning);
  return false;
}

EditOutcome CHinmeiList::editEntry(Position p, const EntryEdit& edit) {
  if (p == entries_.end() || p->isDefinition()) return EditOutcome::Refused;
  if (edit.action == EntryEdit::Action::Delete) {
    if (context_.options.confirmDeletion &&
        prompts().ask(MessageId::ConfirmDeleteEntry, {p->name.str()}, Buttons::YesNo, Answer::No) !=
            Answer::Yes) {
      return EditOutcome::Cancelled;
    }
    removeWithTotals(p);
    return EditOutcome::Removed;
  }
  if (edit.amount == 0 && context_.options.skipZeroAmounts) {
    removeWithTotals(p);
    return EditOutcome::Removed;
  }
  const auto partner = partnerOf(p);
  const int64_t difference = int64_t{p->amount} - edit.amount;
  if (!checkFits(edit.amount)) return EditOutcome::Refused;
  if (partner && !checkFits((*partner)->amount - difference)) return EditOutcome::Refused;
  const uint16_t kind = kindOf(p->flags);
  if (kind != 0 && edit.name != p->name && !renameAccount(edit.name, p->name, kind)) {
    return EditOutcome::Refused;
  }
  if (edit.memo) {
    // A transfer line without amount and memo stands for its account: its memo is the
    // definition's.
    const auto def = kind != 0 && p->amount == 0 && p->visibleMemo().empty()
                         ? definitionByName(p->name, kind)
                         : std::nullopt;
    changing(def ? **def : *p).setVisibleMemo(*edit.memo);
  }
  detach(p);
  if (partner) detach(*partner);
  changing(p);
  if (partner) changing(*partner);
  p->name = edit.name;
  p->amount = static_cast<int32_t>(edit.amount);
  if (partner) (*partner)->amount = static_cast<int32_t>((*partner)->amount - difference);
  attach(p);
  if (partner) attach(*partner);
  syncFigures();
  modified_ = true;
  return EditOutcome::Changed;
}

EditOutcome CHinmeiList::editDefinitionLine(const CHinmei& item, std::u16string_view accountName,
                                            const EntryEdit& edit) {
  if (edit.action == EntryEdit::Action::Delete) {
    prompts().inform(MessageId::NotRealData, {}, Icon::Warning);
    return EditOutcome::Refused;
  }
  const uint16_t kind = kindOf(item.flags);
  const auto def = definitionByName(accountName, kind);
  if (!def) return EditOutcome::Refused;
  if (!checkFits(edit.amount)) return EditOutcome::Refused;
  if (edit.memo) changing(*def).setVisibleMemo(*edit.memo);
  if (edit.name != accountName && !renameAccount(edit.name, accountName, kind)) {
    return EditOutcome::Refused;
  }
  if (edit.amount != 0) {
    const uint16_t flags = item.flags & static_cast<uint16_t>(~EF_ITEM);
    insert(CHinmei(context_.window.currentDay, item.item, flags, (*def)->name, u"",
                   static_cast<int32_t>(edit.amount)));
  }
  modified_ = true;
  return EditOutcome::Changed;
}

// ---- The diary.

std::optional<CHinmeiList::Position> CHinmeiList::setDiary(Day day, std::u16string_view text) {
  if (day == 0 || day == MinDay) day = context_.window.currentDay;
  if (day <= MinDay || day >= MaxDay) return std::nullopt;
  // The file keeps "\r\n" line breaks whatever the text box gave; a NUL would end the text.
  const std::u16string stored = withStoredLineBreaks(text.substr(0, text.find(u'\0')));
  const auto diary = diaryOf(day);
  if (stored.empty()) {
    if (diary) remove(*diary);
    return std::nullopt;
  }
  if (diary) {
    if ((*diary)->visibleMemo() != stored) {
      changing(*diary).setVisibleMemo(stored);
      modified_ = true;
    }
    return diary;
  }
  const Position before = firstOnOrAfter(day);
  const Position p = linkEntry(before, CHinmei(day, ITEM_DIARY, 0, u"", stored, 0));
  indexArrived(p);
  if (cursor_ && *cursor_ == before && day >= computedDay_) cursor_ = p;
  modified_ = true;
  return p;
}

// ---- Reassigning items and names. These change which balances entries move, so the running
// state is computed afresh afterwards.

size_t CHinmeiList::reassignItem(Day from, Day to, uint16_t oldItem, uint16_t newItem) {
  const CHinmei* def = itemByNumber(newItem);
  if (def == nullptr) return 0;
  size_t changed = 0;
  for (Position p = firstOnOrAfter(from); p != entries_.end() && p->date <= to; ++p) {
    if (p->item != oldItem || p->isEndMarker()) continue;
    changingNumbers(*p);
    p->item = newItem;
    p->flags = (def->flags & 0x7FFF) | (p->flags & EF_PAIR_MASK);
    ++changed;
  }
  if (changed > 0) {
    forgetRunningState();
    modified_ = true;
  }
  return changed;
}

void CHinmeiList::reassignEntries(const std::vector<Position>& entries, uint16_t newItem) {
  const CHinmei* def = itemByNumber(newItem);
  if (def == nullptr || entries.empty()) return;
  for (const Position p : entries) {
    changingNumbers(*p);
    p->item = newItem;
    p->flags = (def->flags & 0x7FFF) | (p->flags & EF_PAIR_MASK);
  }
  forgetRunningState();
  modified_ = true;
}

size_t CHinmeiList::renameProduct(uint16_t item, std::u16string_view oldName,
                                  std::u16string_view newName) {
  const CHinmei* def = itemByNumber(item);
  if (def != nullptr && (def->flags & kKinds) != 0) {
    if (const CHinmei* expenseSide = itemByDirection((def->flags & kKinds) | EF_EXPENSE)) {
      item = expenseSide->item;
    }
  }
  size_t changed = 0;
  bool transfers = false;
  for (Position p = firstDated(); p != entries_.end(); ++p) {
    if (p->item != item || (p->flags & EF_ITEM) != 0 || p->name != oldName) continue;
    changing(p).name = newName;
    transfers = transfers || p->isTransfer();
    ++changed;
  }
  if (transfers) forgetRunningState();
  if (changed > 0) modified_ = true;
  return changed;
}

bool CHinmeiList::setItemOption(uint16_t item, int bit, bool on) {
  CHinmei* def = itemByNumber(item);
  if (def == nullptr || (def->itemOption(bit) != 0) == on) return false;
  changing(*def).setItemOption(bit, on);
  modified_ = true;
  return true;
}

void CHinmeiList::setPassword(std::u16string_view password) {
  if (entries_.empty() || !entries_.begin()->isHeader()) return;
  changing(entries_.begin()).name = password;
}

}  // namespace sorami
