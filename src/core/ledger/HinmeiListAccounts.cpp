// Registering and renaming savings accounts and loans.
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

bool isTrimmedSpace(char16_t c) {
  return c == u' ' || c == u'\u3000';
}

std::u16string numberText(int64_t value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

bool isDefinitionOf(const CHinmei& e, uint16_t kind) {
  return (e.flags & EF_DEFINITION) != 0 && (e.flags & kind) != 0;
}

uint16_t oneKind(uint16_t kind) {
  return (kind & kKindAccount) != 0 ? kKindAccount : kKindLoan;
}

}  // namespace

std::u16string definitionName(std::u16string_view name) {
  while (!name.empty() && isTrimmedSpace(name.front())) name.remove_prefix(1);
  while (!name.empty() && isTrimmedSpace(name.back())) name.remove_suffix(1);
  return std::u16string(name.substr(0, kMaxNameLength));
}

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
  const Position placed = linkEntry(before, std::move(definition));
  indexArrived(placed);
  refreshFigures();
  modified_ = true;
  return placed;
}

std::optional<CHinmeiList::Position> CHinmeiList::registerAccount(std::u16string_view name,
                                                                  uint16_t kind, int k,
                                                                  int32_t initialBalance) {
  kind = oneKind(kind);
  std::u16string n = definitionName(name);
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
    n = definitionName(answer->name);
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

std::optional<RenameCount> CHinmeiList::renameAccount(std::u16string_view newNameView,
                                                      std::u16string_view oldNameView,
                                                      uint16_t kind) {
  kind = oneKind(kind);
  // Copies: the views may point into the very entries renamed below.
  const std::u16string newName = definitionName(newNameView);
  const std::u16string oldName(oldNameView);
  if (newName.empty()) {
    prompts().inform(MessageId::BlankNameRefused, {}, Icon::Warning);
    return std::nullopt;
  }
  if (newName == oldName) return RenameCount{};
  if (definitionByName(newName, kind)) {
    prompts().inform(MessageId::AlreadyRegistered, {newName, u""}, Icon::Warning);
    return std::nullopt;
  }
  size_t changed = 0;
  RenameCount count;
  for (CHinmei& e : entries_) {
    if ((e.flags & EF_ITEM) != 0 || (e.flags & kind) == 0 || e.name != oldName) continue;
    changing(e).name = newName;
    ++changed;
    if (e.isDated()) ++count.lines;
  }
  if (changed == 0) return std::nullopt;
  followRenamedAccount(oldName, newName, kind);
  if (onAccountRenamed) count.rules = onAccountRenamed(oldName, newName, kind);
  modified_ = true;
  return count;
}

// The account object takes the new name; a card names its loan, and loans' cards name the
// account they are paid from, in their settings text: the next settlement must not find a
// phantom account under the old name.
void CHinmeiList::followRenamedAccount(std::u16string_view oldName, const std::u16string& newName,
                                       uint16_t kind) {
  if (CAccount* a = find(kind, oldName)) {
    a->name = newName;
    if (a->card && a->cardFlag != 0) a->card->cardName = newName;
  }
  if (kind != kKindAccount) return;
  for (CAccount& loan : loans_) {
    if (!loan.card || loan.card->settlementAccount != oldName) continue;
    loan.card->settlementAccount = newName;
    writeSettingsText(loan);
  }
}

bool CHinmeiList::cancelAccount(std::u16string_view nameView, uint16_t kind, bool ask) {
  kind = oneKind(kind);
  const std::u16string name(nameView);
  const auto def = definitionByName(name, kind);
  if (!def) return false;
  if (ask && prompts().ask(MessageId::ConfirmCancelAccount, {name}, Buttons::YesNo, Answer::No) !=
                 Answer::Yes) {
    return false;
  }
  // Removing the definition forgets the running state; the balances are computed again so that
  // the account leaves them at once.
  const std::optional<Day> computed =
      cursor_ ? std::optional<Day>(computedDay_) : std::optional<Day>();
  remove(*def);
  if (computed) {
    computeToDay(*computed, true);
    recomputeWindow();
  }
  modified_ = true;
  return true;
}

// An account's balance takes the definition's amount only when it is computed from the start.
bool CHinmeiList::setInitialBalance(std::u16string_view name, uint16_t kind,
                                    int32_t initialBalance) {
  const auto def = definitionByName(name, oneKind(kind));
  if (!def) return false;
  changingNumbers(**def).amount = initialBalance;
  refreshFigures();
  modified_ = true;
  return true;
}

bool CHinmeiList::setAccountWatch(std::u16string_view name, uint16_t kind,
                                  const AccountWatch& watch) {
  CAccount* a = find(oneKind(kind), name);
  if (a == nullptr || a->definition == nullptr) return false;
  a->watchDays = watch.watchDays;
  a->watchThreshold = watch.watchThreshold;
  writeSettingsText(*a);
  CHinmei& def = *a->definition;
  const bool wasOutside = (def.flags & EF_OUTSIDE_ASSETS) != 0;
  if (wasOutside != watch.outsideAssets) {
    changingNumbers(def).flags ^= EF_OUTSIDE_ASSETS;
    a->kind = def.flags;
    refreshFigures();
  }
  return true;
}

bool CHinmeiList::editAccountSettings(std::u16string_view nameView, uint16_t kind) {
  kind = oneKind(kind);
  const std::u16string name(nameView);
  const CAccount* a = find(kind, name);
  if (a == nullptr || a->definition == nullptr) return false;
  AccountSettingsValues current{name, a->watchThreshold, a->watchDays,
                                (a->definition->flags & EF_OUTSIDE_ASSETS) != 0};
  if (kind == kKindLoan) {
    const Ymd today = ymdFromDay(context_.today);
    current.card = a->card ? *a->card : CardSettings::newRecord(today.year, today.month);
    current.isCard = a->cardFlag != 0;
    for (const CAccount& account : accounts_) current.accountNames.push_back(account.name);
    current.firstYear = context_.options.firstYear;
    current.lastYear = context_.options.lastYear;
  }
  const std::optional<AccountSettingsValues> answer = prompts().accountSettings(kind, current);
  if (!answer) return false;
  const std::optional<RenameCount> renamed = renameAccount(answer->name, name, kind);
  if (!renamed) return false;
  const std::u16string now = definitionName(answer->name);
  const bool watchChanged = answer->watchThreshold != current.watchThreshold ||
                            answer->watchDays != current.watchDays ||
                            answer->outsideAssets != current.outsideAssets;
  if (watchChanged) {
    setAccountWatch(now, kind, {answer->watchDays, answer->watchThreshold, answer->outsideAssets});
  }
  // The card's name is the loan's: only the other settings and the card flag count.
  CardSettings card = answer->card.value_or(current.card.value_or(CardSettings{}));
  if (current.card) card.cardName = current.card->cardName;
  const bool cardChanged =
      answer->card && (card != *current.card || answer->isCard != current.isCard);
  if (cardChanged) setCardSettings(now, card, answer->isCard);
  return watchChanged || cardChanged || now != name;
}

void CHinmeiList::writeSettingsText(const CAccount& account) {
  if (account.definition == nullptr) return;
  changing(*account.definition).setTail(account.settingsText());
  modified_ = true;
}

bool CHinmeiList::setCardSettings(std::u16string_view name, const CardSettings& card, bool isCard) {
  CAccount* loan = find(kKindLoan, name);
  if (loan == nullptr || loan->definition == nullptr) return false;
  loan->card = std::make_unique<CardSettings>(card);
  loan->cardFlag = isCard ? 1 : 0;
  loan->card->cardName = isCard ? loan->name : std::u16string();
  writeSettingsText(*loan);
  return true;
}

}  // namespace sorami
