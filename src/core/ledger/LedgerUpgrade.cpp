#include "ledger/LedgerUpgrade.h"

#include <iterator>
#include <vector>

#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr int kMaxOptionItem = 50;

void addBudgetOption(CHinmeiList& list) {
  for (CHinmei& e : list) {
    if (e.isItemDefinition() && e.item < kMaxOptionItem) e.setItemOption(1, true);
  }
}

void shiftDatedEntries(CHinmeiList& list) {
  for (CHinmei& e : list) {
    if (e.isDated() && e.date < MaxDay) ++e.date;
  }
}

// Version 871 wrote automatic lines on day 0 by mistake; each goes with a word to the user.
void removeStrayLines(CHinmeiList& list, int decimalPlaces, Prompts& prompts) {
  auto& entries = list.entries();
  for (auto p = entries.begin(); p != entries.end();) {
    if (!p->isDated() || p->date >= 1) {
      ++p;
      continue;
    }
    prompts.inform(MessageId::Version871Removal,
                   {p->name.str(), formatAmount(p->amount, true, decimalPlaces)},
                   Icon::Information);
    p = entries.erase(p);
  }
}

bool hasPartner(const CHinmeiList& list, CHinmeiList::ConstPosition p) {
  if (p->isPairFirst()) {
    const auto next = std::next(p);
    return next != list.end() && next->isPairSecond();
  }
  if (p->isPairSecond()) return p != list.begin() && std::prev(p)->isPairFirst();
  return true;
}

void clearLonePairBits(CHinmeiList& list, CHinmeiList::Position from) {
  std::vector<CHinmeiList::Position> lone;
  for (auto p = from; p != list.end(); ++p) {
    if ((p->flags & EF_PAIR) != 0 && !hasPartner(list, p)) lone.push_back(p);
  }
  for (auto p : lone) p->flags &= static_cast<uint16_t>(~EF_PAIR_MASK);
}

// Older versions could leave dates out of order; the list must never go back in time.
void repairDates(CHinmeiList& list, uint16_t version) {
  auto first = list.begin();
  while (first != list.end() && first->isDefinition()) ++first;
  if (first == list.end()) return;
  clearLonePairBits(list, first);
  const int shift = version < kDataVersionDayShift ? 1 : 0;
  Day m = first->date < MaxDay ? first->date + shift : first->date;
  for (auto p = first; p != list.end(); ++p) {
    if (p->date >= MaxDay) continue;
    p->date += shift;
    if (p->date > m) m = p->date;
    p->date = m;
  }
}

}  // namespace

void upgradeLedger(CHinmeiList& list, const LedgerUpgradeOptions& options, Prompts& prompts) {
  const uint16_t v = options.dataVersion;
  if (v < kDataVersionBudgetOption) addBudgetOption(list);
  if (v == kDataVersionShiftedDates && !options.datesAlreadyShifted) shiftDatedEntries(list);
  if (v == kDataVersionStrayAutoLines) removeStrayLines(list, options.decimalPlaces, prompts);
  if (v < kDataVersionCurrent) repairDates(list, v);
  if (repairEndMarker(list)) list.setModified(true);
  if (v < kDataVersionCurrent) {
    list.setDataVersion(kDataVersionCurrent);
    list.setModified(true);
  }
}

bool repairEndMarker(CHinmeiList& list) {
  auto& entries = list.entries();
  size_t removed = 0;
  while (!entries.empty() && entries.back().name == kEndMarkerName) {
    entries.pop_back();
    ++removed;
  }
  size_t added = 0;
  if (entries.empty() || entries.back().date != MaxDay) {
    entries.emplace_back(MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0);
    added = 1;
  }
  // One marker taken off and put back is no change.
  return removed != added;
}

}  // namespace sorami
