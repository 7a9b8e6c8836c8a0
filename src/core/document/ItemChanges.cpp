#include "document/ItemChanges.h"

#include <string>
#include <unordered_set>

#include "config/Config.h"
#include "document/SoramiDoc.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

std::u16string countText(size_t n) {
  const std::string s = std::to_string(n);
  return {s.begin(), s.end()};
}

// A move of many lines asks with the count first; it is one step that 元に戻す takes back, and the
// next save keeps the file as it was.
bool confirmMove(CSoramiDoc& doc, size_t lines) {
  if (lines == 0) return true;
  return doc.prompts().ask(MessageId::ConfirmMoveLines, {countText(lines)}, Buttons::YesNo,
                           Answer::No) == Answer::Yes;
}

// What a move of the selection takes: each line once, and the other half of a pair with it.
size_t countSelectionMove(CHinmeiList& store, const std::vector<CHinmeiList::Position>& selection) {
  std::unordered_set<const CHinmei*> taken;
  for (const auto p : selection) {
    if (p == store.end() || !p->isDated() || p->isEndMarker()) continue;
    const auto lead = store.leadingOf(p);
    if (!taken.insert(&*lead).second) continue;
    if (const auto partner = store.partnerOf(lead)) taken.insert(&**partner);
  }
  return taken.size();
}

std::optional<size_t> moved(CSoramiDoc& doc, std::optional<size_t> count) {
  if (count && *count > 0) {
    doc.keepBackupAtNextSave();
    doc.setModified(true);
  }
  return count;
}

uint16_t sideOf(const CHinmeiList& store, uint16_t item) {
  const CHinmei* def = store.itemByNumber(item);
  return def != nullptr ? static_cast<uint16_t>(def->flags & EF_DIRECTION_MASK) : 0;
}

bool confirmSides(CSoramiDoc& doc, bool differ) {
  return !differ || doc.prompts().ask(MessageId::MoveSidesDiffer, {}, Buttons::YesNo, Answer::No) ==
                        Answer::Yes;
}

// A savings or loan line names its account in the product name: under an ordinary item it
// would leave the account's balance, and an ordinary line moved there would name no account.
bool refuseTransferItem(CSoramiDoc& doc, bool transfer) {
  if (transfer) doc.prompts().inform(MessageId::MoveTransferItem, {}, Icon::Warning);
  return !transfer;
}

}  // namespace

bool isTransferItem(const CHinmeiList& store, uint16_t item) {
  const CHinmei* def = store.itemByNumber(item);
  return def != nullptr && (def->flags & (EF_ACCOUNT | EF_LOAN)) != 0;
}

std::optional<ItemAdded> addItem(CSoramiDoc& doc, std::u16string_view name, bool income, int slot) {
  CHinmeiList& store = *doc.entries();
  const std::optional<ItemAdded> added = store.addItem(name, income, slot);
  if (!added) return std::nullopt;
  doc.config().itemInsertedAt(added->number);
  doc.setModified(true);
  return added;
}

std::optional<ItemDeleted> deleteItem(CSoramiDoc& doc, int slot) {
  CHinmeiList& store = *doc.entries();
  const std::optional<ItemDeleted> deleted = store.deleteItem(slot, true);
  if (!deleted) return std::nullopt;
  doc.config().itemRemovedAt(deleted->number, store.itemCount());
  if (deleted->removed > 0) doc.keepBackupAtNextSave();
  doc.setModified(true);
  return deleted;
}

std::optional<size_t> moveLinesToDay(CSoramiDoc& doc, Day day,
                                     const std::vector<CHinmeiList::Position>& selection) {
  if (!confirmMove(doc, countSelectionMove(*doc.entries(), selection))) return std::nullopt;
  return moved(doc, doc.entries()->moveEntriesToDay(day, selection));
}

std::optional<size_t> moveSpan(CSoramiDoc& doc, Day from, Day to, Day firstTarget, bool withDiary) {
  CHinmeiList& store = *doc.entries();
  if (from > to) std::swap(from, to);
  if (firstTarget == from) return 0;
  if (!confirmMove(doc, store.countPeriodMove(from, to, withDiary))) return std::nullopt;
  return moved(doc, store.movePeriod(from, to, firstTarget, withDiary));
}

std::optional<size_t> reassignSpan(CSoramiDoc& doc, Day from, Day to, uint16_t oldItem,
                                   uint16_t newItem) {
  CHinmeiList& store = *doc.entries();
  if (from > to) {
    doc.prompts().inform(MessageId::MoveReversed, {}, Icon::Warning);
    return std::nullopt;
  }
  if (store.itemByNumber(oldItem) == nullptr || store.itemByNumber(newItem) == nullptr) {
    doc.prompts().inform(MessageId::ItemDoesNotExist, {}, Icon::Warning);
    return std::nullopt;
  }
  if (!refuseTransferItem(doc, isTransferItem(store, oldItem) || isTransferItem(store, newItem))) {
    return std::nullopt;
  }
  if (!confirmSides(doc, sideOf(store, oldItem) != sideOf(store, newItem))) return std::nullopt;
  if (oldItem == newItem) return 0;
  size_t lines = 0;
  for (auto p = store.firstAfterDay(std::max(from, MinDay + 1) - 1);
       p != store.end() && p->date <= to && !p->isEndMarker(); ++p) {
    if (p->item == oldItem && !p->isDiary()) ++lines;
  }
  if (!confirmMove(doc, lines)) return std::nullopt;
  const size_t changed = store.reassignItem(from, to, oldItem, newItem);
  if (changed > 0) store.computeFromStart();
  return moved(doc, changed);
}

std::optional<size_t> reassignLines(CSoramiDoc& doc,
                                    const std::vector<CHinmeiList::Position>& selection,
                                    uint16_t newItem) {
  CHinmeiList& store = *doc.entries();
  if (store.itemByNumber(newItem) == nullptr) {
    doc.prompts().inform(MessageId::ItemDoesNotExist, {}, Icon::Warning);
    return std::nullopt;
  }
  if (!refuseTransferItem(doc, isTransferItem(store, newItem))) return std::nullopt;
  // Exactly the lines selected: the other half of a pair stays with its own item.
  std::vector<CHinmeiList::Position> lines;
  std::unordered_set<const CHinmei*> seen;
  bool differ = false;
  for (const auto p : selection) {
    if (p == store.end() || !p->isDated() || p->isEndMarker() || p->isDiary()) continue;
    if (isTransferItem(store, p->item) || p->item == newItem) continue;
    if (!seen.insert(&*p).second) continue;
    differ = differ || sideOf(store, p->item) != sideOf(store, newItem);
    lines.push_back(p);
  }
  if (!confirmSides(doc, differ)) return std::nullopt;
  if (lines.empty()) return 0;
  store.reassignEntries(lines, newItem);
  store.computeFromStart();
  return moved(doc, lines.size());
}

std::string ledgerProblem(const CHinmeiList& store, const CConfig& config) {
  if (std::string problem = store.consistencyProblem(); !problem.empty()) return problem;
  if (std::string problem = store.itemProblem(); !problem.empty()) return problem;
  const struct {
    const char* name;
    int item;
  } settings[] = {{"B26", config.decreaseItem},
                  {"B27", config.increaseItem},
                  {"C9", config.taxExpenseItem},
                  {"C35", config.taxIncomeItem}};
  for (const auto& s : settings) {
    // -1, or 0xFFFF as the file's 16-bit fields keep it, is none.
    const bool none = s.item == -1 || s.item == 0xFFFF;
    if (!none && (s.item < 0 || s.item >= store.itemCount())) {
      return std::string("the setting ") + s.name + " names an item that does not exist";
    }
  }
  return {};
}

}  // namespace sorami
