// Read-only lookups over the entry store.
#include <algorithm>

#include "ledger/HinmeiList.h"

namespace sorami {

CHinmei* CHinmeiList::itemByNumber(int item) const {
  for (size_t i = itemCount_; i-- > 0;) {
    if (itemTable_[i]->item == item) return itemTable_[i];
  }
  return nullptr;
}

CHinmei* CHinmeiList::itemByDirection(uint16_t mask) const {
  const uint16_t bits = mask & (EF_ACCOUNT | EF_LOAN | EF_DIRECTION_MASK);
  for (size_t i = itemCount_; i-- > 0;) {
    if ((itemTable_[i]->flags & bits) == bits) return itemTable_[i];
  }
  return nullptr;
}

int CHinmeiList::itemNumberByName(std::u16string_view name, int direction) const {
  for (size_t i = 0; i < itemCount_; ++i) {
    const CHinmei* def = itemTable_[i];
    if (def->name == name && ((def->flags >> 8) & 3 & direction) != 0) return def->item;
  }
  return -1;
}

CHinmeiList::Position CHinmeiList::headEntryByItem(uint16_t item) {
  if (item == ITEM_HEADER) return entries_.begin();
  for (auto p = entries_.begin(); p != entries_.end() && (p->flags & EF_ITEM) != 0; ++p) {
    if (p->item == item) return p;
  }
  return entries_.end();
}

CHinmeiList::Position CHinmeiList::firstDated() {
  return std::find_if(entries_.begin(), entries_.end(),
                      [](const CHinmei& e) { return e.isDated(); });
}

CHinmeiList::Position CHinmeiList::lastHeadPosition() {
  const Position dated = firstDated();
  return dated == entries_.begin() ? entries_.end() : std::prev(dated);
}

// Starts from the cursor, so days near the computed one are found in a few steps.
CHinmeiList::Position CHinmeiList::firstOnOrAfter(Day day) {
  Position p = cursor_ ? *cursor_ : firstDated();
  while (p != entries_.begin()) {
    const Position before = std::prev(p);
    if (before->isDefinition() || before->date < day) break;
    p = before;
  }
  while (p != entries_.end() && (p->isDefinition() || p->date < day)) ++p;
  return p;
}

std::optional<CHinmeiList::Position> CHinmeiList::diaryOf(Day day) {
  if (day == MinDay) day = context_.window.currentDay;
  for (Position p = firstOnOrAfter(day); p != entries_.end() && p->date == day; ++p) {
    if (p->isDiary()) return p;
  }
  return std::nullopt;
}

std::optional<CHinmeiList::Position> CHinmeiList::definitionByName(std::u16string_view name,
                                                                   uint16_t mask) {
  for (auto p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if ((p->flags & EF_DEFINITION) != 0 && (p->flags & mask) != 0 && p->name == name) return p;
  }
  return std::nullopt;
}

std::optional<CHinmeiList::Position> CHinmeiList::partnerOf(Position p) {
  if (p == entries_.end()) return std::nullopt;
  if (p->isPairFirst()) {
    const Position next = std::next(p);
    if (next != entries_.end() && next->isPairSecond()) return next;
  } else if (p->isPairSecond() && p != entries_.begin()) {
    const Position before = std::prev(p);
    if (before->isPairFirst()) return before;
  }
  return std::nullopt;
}

CHinmeiList::Position CHinmeiList::leadingOf(Position p) {
  if (p != entries_.end() && p->isPairSecond()) {
    if (const auto partner = partnerOf(p)) return *partner;
  }
  return p;
}

std::vector<CHinmeiList::Position> CHinmeiList::dayList(Day date, int filter, Position start) {
  std::vector<Position> found;
  for (Position p = start; p != entries_.end() && p->date <= date; ++p) {
    if (p->isDefinition() || p->isEndMarker()) continue;
    if (filter == kDayListAccounts || filter == kDayListLoans) {
      if ((p->flags & filter) == 0) continue;
      p->flags &= static_cast<uint16_t>(~EF_MARK);
    } else if (filter == kDayListAllButDiary) {
      if (p->isDiary()) continue;
    } else if (p->item != filter) {
      continue;
    }
    found.push_back(p);
  }
  return found;
}

std::array<int64_t, kMaxItems> CHinmeiList::totalsByItem(Day from, Day to) {
  std::array<int64_t, kMaxItems> totals{};
  for (Position p = firstOnOrAfter(from); p != entries_.end() && p->date <= to; ++p) {
    if (p->isEndMarker() || p->item >= itemCount_) continue;
    totals[p->item] += p->amount;
  }
  return totals;
}

DetailLine CHinmeiList::detailLine(const CHinmei& item, int index) {
  const LedgerWindow& w = context_.window;
  const Position start = cursor_ ? *cursor_ : firstOnOrAfter(w.first());
  std::vector<Position> lines;
  for (Position p = start; p != entries_.end() && p->date <= w.last(); ++p) {
    if (p->isDefinition() || p->isEndMarker()) continue;
    if (w.mode == DisplayMode::CashBook ? p->item < itemCount_ : p->item == item.item) {
      lines.push_back(p);
    }
  }
  const auto lineAt = [&](size_t n) -> DetailLine {
    if (n >= lines.size()) return {};
    if (w.mode == DisplayMode::CashBook && lines[n]->flags == 0) return {};
    return {lines[n], {}};
  };
  if (index < 0) return {};
  const bool grouped = w.mode != DisplayMode::CashBook && (item.flags & (EF_ACCOUNT | EF_LOAN));
  if (!grouped) return lineAt(static_cast<size_t>(index));
  // Transfer lines come grouped by account in table order, an account without lines as one
  // empty line, then the lines whose name is no account's.
  std::vector<bool> taken(lines.size(), false);
  size_t n = static_cast<size_t>(index);
  for (const CAccount& a : accounts(item.flags & (EF_ACCOUNT | EF_LOAN))) {
    size_t count = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (taken[i] || lines[i]->name != a.name) continue;
      taken[i] = true;
      if (count++ == n) return {lines[i], {}};
    }
    if (count == 0) {
      if (n == 0) return {std::nullopt, a.name};
      --n;
    } else {
      n -= count;
    }
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    if (taken[i]) continue;
    if (n-- == 0) return {lines[i], {}};
  }
  return {};
}

std::optional<CHinmeiList::Position> CHinmeiList::lastDatedOfItem(uint16_t item) {
  for (auto p = entries_.end(); p != entries_.begin();) {
    --p;
    if (p->isDefinition()) break;
    if (p->item == item && p->date != MaxDay) return p;
  }
  return std::nullopt;
}

}  // namespace sorami
