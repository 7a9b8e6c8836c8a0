// Special product names: the names each item offers while a line is typed, kept as definitions
// in the head section. For the transfer pseudo-items the list is that of the accounts or loans.
#include <utility>

#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr uint16_t kKinds = EF_ACCOUNT | EF_LOAN;
constexpr std::u16string_view kAsSpecialName = u"特別品名として";

bool isSpecialNameOf(const CHinmei& e, uint16_t item) {
  return (e.flags & EF_DEFINITION) != 0 && (e.flags & EF_ITEM) == 0 && e.item == item;
}

}  // namespace

uint16_t CHinmeiList::specialNameItem(uint16_t item) const {
  const CHinmei* def = itemByNumber(item);
  if (def == nullptr || (def->flags & kKinds) == 0) return item;
  const CHinmei* expenseSide = itemByDirection((def->flags & kKinds) | EF_EXPENSE);
  return expenseSide != nullptr ? expenseSide->item : item;
}

std::vector<CHinmeiList::Position> CHinmeiList::specialNames(uint16_t item) {
  const uint16_t listed = specialNameItem(item);
  std::vector<Position> names;
  for (Position p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if (isSpecialNameOf(*p, listed)) names.push_back(p);
  }
  return names;
}

std::vector<std::u16string> CHinmeiList::specialNameTexts(uint16_t item) const {
  const uint16_t listed = specialNameItem(item);
  std::vector<std::u16string> names;
  for (const CHinmei& e : entries_) {
    if (!e.isDefinition()) break;
    if (isSpecialNameOf(e, listed)) names.push_back(e.name.str());
  }
  return names;
}

std::vector<std::u16string> CHinmeiList::choiceNames(std::optional<uint16_t> item) const {
  if (item) return specialNameTexts(*item);
  std::vector<std::u16string> names;
  for (const CHinmei& e : entries_) {
    if (!e.isDefinition()) break;
    if (e.item < itemCount_ && isSpecialNameOf(e, e.item)) names.push_back(e.name.str());
  }
  return names;
}

int CHinmeiList::specialNameCount(uint16_t item) const {
  const uint16_t listed = specialNameItem(item);
  int count = 0;
  for (const CHinmei& e : entries_) {
    if (!e.isDefinition()) break;
    if (isSpecialNameOf(e, listed)) ++count;
  }
  return count;
}

std::optional<CHinmeiList::Position> CHinmeiList::specialNameAt(uint16_t item, int index) {
  if (index < 0) return std::nullopt;
  const uint16_t listed = specialNameItem(item);
  int seen = 0;
  for (Position p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if (isSpecialNameOf(*p, listed) && seen++ == index) return p;
  }
  return std::nullopt;
}

std::optional<CHinmeiList::Position> CHinmeiList::specialNameByText(uint16_t item,
                                                                    std::u16string_view name) {
  const uint16_t listed = specialNameItem(item);
  for (Position p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if (isSpecialNameOf(*p, listed) && p->name == name) return p;
  }
  return std::nullopt;
}

int CHinmeiList::slotOfItem(uint16_t item) const {
  for (size_t i = 0; i < itemCount_; ++i) {
    if (itemTable_[i]->item == item) return static_cast<int>(i);
  }
  return -1;
}

int CHinmeiList::rememberedRow(int slot) const {
  if (slot < 0 || static_cast<size_t>(slot) >= kMaxItems) return -1;
  return rememberedRows_[static_cast<size_t>(slot)];
}

void CHinmeiList::setRememberedRow(int slot, int row) {
  if (slot >= 0 && static_cast<size_t>(slot) < kMaxItems) {
    rememberedRows_[static_cast<size_t>(slot)] = row;
  }
}

std::optional<int> CHinmeiList::addSpecialName(uint16_t item, std::u16string_view typed, int index,
                                               bool reportDuplicates, int32_t initialBalance) {
  const CHinmei* def = itemByNumber(item);
  if (def == nullptr) return std::nullopt;
  std::u16string name = definitionName(typed);
  if (const uint16_t kind = def->flags & kKinds) {
    if (definitionByName(name, kind)) {
      if (reportDuplicates) {
        prompts().inform(MessageId::AlreadyRegistered, {name, std::u16string(kAsSpecialName)},
                         Icon::Warning);
      }
      return std::nullopt;
    }
    const auto registered = registerAccount(name, kind, index, initialBalance);
    if (!registered) return std::nullopt;
    const std::vector<Position> names = specialNames(item);
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i] == *registered) return static_cast<int>(i);
    }
    return std::nullopt;
  }
  if (typed.empty()) {
    const std::optional<std::u16string> asked = prompts().specialNameToAdd(def->name.str());
    if (!asked) return std::nullopt;
    name = definitionName(*asked);
  }
  if (name.empty() && context_.options.skipBlankNames) {
    prompts().inform(MessageId::BlankNameRefused, {}, Icon::Warning);
    return std::nullopt;
  }
  const std::vector<Position> names = specialNames(item);
  for (const Position p : names) {
    if (p->name != name) continue;
    if (reportDuplicates) {
      prompts().inform(MessageId::AlreadyRegistered, {name, std::u16string(kAsSpecialName)},
                       Icon::Warning);
    }
    return std::nullopt;
  }
  const bool within = index >= 0 && static_cast<size_t>(index) < names.size();
  const Position before = within ? names[static_cast<size_t>(index)] : firstDated();
  const auto flags = static_cast<uint16_t>(EF_DEFINITION | (def->flags & EF_DIRECTION_MASK));
  indexArrived(linkEntry(before, CHinmei(MinDay, specialNameItem(item), flags, name, u"", 0)));
  const int placed = within ? index : static_cast<int>(names.size());
  setRememberedRow(slotOfItem(item), placed);
  modified_ = true;
  return placed;
}

std::optional<RenameCount> CHinmeiList::changeSpecialName(uint16_t item, int index,
                                                          std::u16string_view typed,
                                                          bool renameEntries) {
  const CHinmei* def = itemByNumber(item);
  const std::optional<Position> at = specialNameAt(item, index);
  if (def == nullptr || !at) return std::nullopt;
  const std::u16string oldName = (*at)->name.str();
  if (const uint16_t kind = def->flags & kKinds) return renameAccount(typed, oldName, kind);
  const std::u16string name = definitionName(typed);
  if (name.empty()) {
    prompts().inform(MessageId::BlankNameRefused, {}, Icon::Warning);
    return std::nullopt;
  }
  if (name == oldName) return RenameCount{};
  if (specialNameByText(item, name)) {
    prompts().inform(MessageId::AlreadyRegistered, {name, std::u16string(kAsSpecialName)},
                     Icon::Warning);
    return std::nullopt;
  }
  for (const Position p : specialNames(item)) {
    if (p->name == oldName) changing(p).name = name;
  }
  RenameCount count;
  if (renameEntries) count.lines = renameProduct(item, oldName, name);
  modified_ = true;
  return count;
}

bool CHinmeiList::editSpecialName(uint16_t item, int index) {
  const CHinmei* def = itemByNumber(item);
  const std::optional<Position> at = specialNameAt(item, index);
  if (def == nullptr || !at) return false;
  const std::u16string oldName = (*at)->name.str();
  if (const uint16_t kind = def->flags & kKinds) return editAccountSettings(oldName, kind);
  const std::optional<SpecialNameChange> answer = prompts().specialNameChange(oldName, true);
  if (!answer) return false;
  const std::optional<RenameCount> r =
      changeSpecialName(item, index, answer->newName, answer->renameEntries);
  return r && definitionName(answer->newName) != oldName;
}

// The remembered row stays on the list: past the new last row it moves onto it.
void CHinmeiList::forgetRememberedRow(uint16_t item, int oldCount) {
  const int slot = slotOfItem(item);
  if (rememberedRow(slot) > oldCount - 2) setRememberedRow(slot, oldCount - 2);
}

bool CHinmeiList::deleteSpecialName(uint16_t item, std::u16string_view nameView, bool ask) {
  const CHinmei* def = itemByNumber(item);
  if (def == nullptr) return false;
  const std::u16string name(nameView);
  if (const uint16_t kind = def->flags & kKinds) return cancelAccount(name, kind, ask);
  if (ask && context_.options.confirmDeletion &&
      prompts().ask(MessageId::ConfirmDeleteSpecialName, {name}, Buttons::YesNo, Answer::No) !=
          Answer::Yes) {
    return false;
  }
  const std::optional<Position> found = specialNameByText(item, name);
  if (!found) return false;
  const int count = specialNameCount(item);
  remove(*found);
  forgetRememberedRow(item, count);
  return true;
}

// An account or loan goes through its cancel, so that its object never outlives its definition.
bool CHinmeiList::deleteSpecialNameAt(uint16_t item, int index) {
  const CHinmei* def = itemByNumber(item);
  const std::optional<Position> at = specialNameAt(item, index);
  if (def == nullptr || !at) return false;
  if (const uint16_t kind = def->flags & kKinds) return cancelAccount((*at)->name, kind, false);
  const int count = specialNameCount(item);
  remove(*at);
  forgetRememberedRow(item, count);
  return true;
}

// The two entries exchange their contents, so the list nodes stay where they are; each account
// object then follows the definition that carries its name.
NameMove CHinmeiList::moveSpecialName(uint16_t item, int index, int offset) {
  const CHinmei* def = itemByNumber(item);
  if (def == nullptr || offset == 0) return NameMove::None;
  const std::optional<Position> from = specialNameAt(item, index);
  const std::optional<Position> to = specialNameAt(item, index + offset);
  if (!from || !to) return NameMove::None;
  const bool outside = ((*from)->flags & EF_OUTSIDE_ASSETS) != 0;
  std::swap(changing(*from), changing(*to));
  modified_ = true;
  const uint16_t kind = def->flags & kKinds;
  std::vector<CAccount>& table = (kind & EF_LOAN) != 0 ? loans_ : accounts_;
  CAccount* a = nullptr;
  CAccount* b = nullptr;
  for (CAccount& account : table) {
    if (kind == 0) break;
    if (account.definition == &**from) a = &account;
    if (account.definition == &**to) b = &account;
  }
  if (a != nullptr) a->definition = &**to;
  if (b != nullptr) b->definition = &**from;
  if (outside) return NameMove::MovedOutsideAssets;
  if (a != nullptr && b != nullptr) std::swap(*a, *b);
  setRememberedRow(slotOfItem(item), index + offset);
  return NameMove::Moved;
}

}  // namespace sorami
