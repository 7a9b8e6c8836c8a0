// Finding a day in the entry store without walking it: the index from each day to its last
// entry, and the check of the order the rest of the store relies on.
#include <iterator>

#include "ledger/HinmeiList.h"

namespace sorami {

void CHinmeiList::rebuildDayIndex() {
  lastOfDay_.clear();
  for (Position p = entries_.begin(); p != entries_.end(); ++p) {
    if (!p->isDated()) continue;
    const Position next = std::next(p);
    if (next == entries_.end() || next->date != p->date) lastOfDay_.insert_or_assign(p->date, p);
  }
  dayIndexBuilt_ = true;
  dayIndexSize_ = entries_.size();
}

// The index only suggests an answer; the list confirms it: the entry before the answer is of a
// day not after `day`, the answer of a later one. Nothing when the list contradicts the index.
std::optional<CHinmeiList::Position> CHinmeiList::firstAfterByIndex(Day day) {
  auto it = lastOfDay_.upper_bound(day);
  if (it == lastOfDay_.begin()) {
    // No indexed day up to `day`: the first dated entry must already be later.
    const Position first = firstDated();
    if (first == entries_.end() || first->date > day) return first;
    return std::nullopt;
  }
  --it;
  const Position last = it->second;
  if (!last->isDated() || last->date != it->first) return std::nullopt;
  const Position next = std::next(last);
  if (next == entries_.end() || next->date > day) return next;
  return std::nullopt;
}

CHinmeiList::Position CHinmeiList::firstAfterDay(Day day) {
  if (!dayIndexCurrent()) rebuildDayIndex();
  if (const std::optional<Position> p = firstAfterByIndex(day)) return *p;
  // Dates were changed in place behind the index.
  rebuildDayIndex();
  if (const std::optional<Position> p = firstAfterByIndex(day)) return *p;
  // Only a list whose days go back somewhere gets here: the first entry after the day in
  // the list's own order.
  Position p = firstDated();
  while (p != entries_.end() && p->date <= day) ++p;
  return p;
}

void CHinmeiList::indexArrived(Position p) {
  if (!dayIndexBuilt_ || dayIndexSize_ + 1 != entries_.size()) return;
  dayIndexSize_ = entries_.size();
  if (!p->isDated()) return;
  const Position next = std::next(p);
  if (next == entries_.end() || next->date != p->date) lastOfDay_.insert_or_assign(p->date, p);
}

void CHinmeiList::indexLeaving(Position p) {
  if (!dayIndexCurrent()) return;
  --dayIndexSize_;
  if (!p->isDated()) return;
  const auto it = lastOfDay_.find(p->date);
  if (it == lastOfDay_.end() || it->second != p) return;
  const bool dayGoesOn =
      p != entries_.begin() && std::prev(p)->isDated() && std::prev(p)->date == p->date;
  if (dayGoesOn) {
    it->second = std::prev(p);
  } else {
    lastOfDay_.erase(it);
  }
}

std::string CHinmeiList::consistencyProblem() const {
  size_t markers = 0;
  bool dated = false;
  Day previous = MinDay;
  size_t days = 0;
  size_t index = 0;
  for (auto p = entries_.begin(); p != entries_.end(); ++p, ++index) {
    const std::string at = " at entry " + std::to_string(index);
    if (!p->isDated()) {
      if (dated) return "a definition after dated entries" + at;
      continue;
    }
    if (markers > 0) return "an entry after the end marker" + at;
    if (dated && p->date < previous) return "the days go back" + at;
    if (p->isEndMarker()) ++markers;
    dated = true;
    previous = p->date;
    const auto next = std::next(p);
    if (next != entries_.end() && next->date == p->date) continue;
    ++days;
    if (!dayIndexCurrent()) continue;
    const auto it = lastOfDay_.find(p->date);
    if (it == lastOfDay_.end() || &*it->second != &*p) {
      return "the day index misses the last entry of its day" + at;
    }
  }
  if (markers != 1) return "no end marker last";
  if (dayIndexCurrent() && lastOfDay_.size() != days) return "the day index holds a day too many";
  return {};
}

}  // namespace sorami
