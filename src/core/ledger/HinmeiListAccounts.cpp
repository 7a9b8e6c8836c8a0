// Registering and renaming savings accounts and loans.
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr size_t kMaxNameLength = 255;

bool isTrimmedSpace(char16_t c) {
  return c == u' ' || c == u'\u3000';
}

std::u16string trimmedName(std::u16string_view name) {
  while (!name.empty() && isTrimmedSpace(name.front())) name.remove_prefix(1);
  while (!name.empty() && isTrimmedSpace(name.back())) name.remove_suffix(1);
  return std::u16string(name.substr(0, kMaxNameLength));
}

std::u16string numberText(int64_t value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

bool isDefinitionOf(const CHinmei& e, uint16_t kind) {
  return (e.flags & EF_DEFINITION) != 0 && (e.flags & kind) != 0;
}

}  // namespace

void CHinmeiList::refreshFigures() {
  if (cursor_) {
    computeToDay(computedDay_, true);
    recomputeWindow();
  } else {
    fillAccountsFromHead();
  }
}

CHinmeiList::Position CHinmeiList::insertAccountDefinition(CHinmei definition, uint16_t kind,
                                                           int k) {
  Position before = firstDated();
  int seen = 0;
  for (Position p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if (isDefinitionOf(*p, kind) && k >= 0 && seen++ == k) {
      before = p;
      break;
    }
  }
  const Position placed = entries_.insert(before, std::move(definition));
  indexArrived(placed);
  refreshFigures();
  modified_ = true;
  return placed;
}

std::optional<CHinmeiList::Position> CHinmeiList::registerAccount(std::u16string_view name,
                                                                  uint16_t kind, int k,
                                                                  int32_t initialBalance) {
  kind = (kind & kKindAccount) != 0 ? kKindAccount : kKindLoan;
  std::u16string n = trimmedName(name);
  size_t registered = 0;
  for (auto p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if (isDefinitionOf(*p, kind)) ++registered;
  }
  if (registered >= kMaxAccounts) {
    prompts().inform(MessageId::AccountLimitReached,
                     {kind == kKindAccount ? u"貯蓄項目" : u"借入項目"}, Icon::Warning);
    return std::nullopt;
  }
  CAccount account;
  account.kind = kind == kKindAccount ? 0x5100 : 0x3100;
  if (initialBalance == kAskInitialBalance || n.empty()) {
    const std::optional<NewAccount> answer = prompts().registerAccount(kind, n);
    if (!answer) return std::nullopt;
    n = trimmedName(answer->name);
    initialBalance = answer->initialBalance;
    account.watchThreshold = answer->watchThreshold;
    account.watchDays = answer->watchDays;
  }
  if (n.empty() || definitionByName(n, kind)) return std::nullopt;
  // A name that earlier lines used: the initial balance is chosen so that the balance on the
  // current day is the one given.
  const int64_t moved = transferSum(n, kind, context_.window.currentDay);
  const int64_t adjusted = kind == kKindAccount ? initialBalance - moved : initialBalance + moved;
  if (!checkFits(adjusted)) return std::nullopt;
  if (moved != 0) {
    prompts().inform(MessageId::InitialBalanceAdjusted,
                     {numberText(initialBalance), numberText(adjusted)}, Icon::Information);
  }
  account.name = n;
  if (kind == kKindLoan) {
    const Ymd today = ymdFromDay(context_.today);
    account.card = std::make_unique<CardSettings>(CardSettings::newRecord(today.year, today.month));
  }
  const CHinmei* pseudoItem = itemByDirection(kind | EF_EXPENSE);
  const int fallback = expenseItems_ - (kind == kKindAccount ? 2 : 1);
  CHinmei definition(MinDay, static_cast<uint16_t>(pseudoItem ? pseudoItem->item : fallback),
                     account.kind, n, u"", static_cast<int32_t>(adjusted));
  definition.setTail(account.settingsText());
  return insertAccountDefinition(std::move(definition), kind, k);
}

bool CHinmeiList::renameAccount(std::u16string_view newNameView, std::u16string_view oldNameView,
                                uint16_t kind) {
  // Copies: the views may point into the very entries renamed below.
  const std::u16string newName(newNameView);
  const std::u16string oldName(oldNameView);
  if (definitionByName(newName, kind)) {
    prompts().inform(MessageId::AlreadyRegistered, {newName, u""}, Icon::Warning);
    return false;
  }
  if (newName == oldName) return false;
  size_t changed = 0;
  for (CHinmei& e : entries_) {
    if ((e.flags & EF_ITEM) != 0 || (e.flags & kind) == 0 || e.name != oldName) continue;
    e.name = newName;
    ++changed;
  }
  if (changed == 0) return false;
  if (CAccount* a = find(kind, oldName)) a->name = newName;
  if (onAccountRenamed) onAccountRenamed(oldName, newName, kind);
  modified_ = true;
  return true;
}

}  // namespace sorami
