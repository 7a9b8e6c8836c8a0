// Moving lines in bulk: selected lines to another day, and a span of days by a number of days.
// The entries themselves move (their nodes are taken out of the list and put back at their new
// day), so no line is copied, refused or lost on the way; the figures are computed again from
// the start afterwards.
#include <iterator>
#include <memory>
#include <unordered_set>

#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

bool movable(const CHinmei& e) {
  return e.isDated() && !e.isEndMarker();
}

// Two diaries of one day become one: the text already there, then the one that arrives.
void mergeDiary(CHinmei& kept, const CHinmei& arriving) {
  std::u16string text(kept.visibleMemo());
  text += u"\r\n";
  text += arriving.visibleMemo();
  kept.setVisibleMemo(text);
}

bool outsideMoveDays(Day day) {
  return day < kFirstMoveDay || day > kLastMoveDay;
}

}  // namespace

std::optional<size_t> CHinmeiList::moveEntriesToDay(Day day,
                                                    const std::vector<Position>& selection) {
  if (outsideMoveDays(day)) {
    prompts().inform(MessageId::MoveOutsideCalendar, {}, Icon::Warning);
    return std::nullopt;
  }
  if (!dayIndexCurrent()) rebuildDayIndex();
  // Each selected line once, a pair as its leading entry and then its partner.
  std::unordered_set<const CHinmei*> taken;
  Entries moved{&pool_};
  std::unique_ptr<BulkMove> bulk = startBulkMove(0);
  size_t count = 0;
  const auto take = [&](Position p) {
    if (!taken.insert(&*p).second) return;
    indexLeaving(p);
    takeOut(bulk.get(), moved, p);
    ++count;
  };
  for (const Position selected : selection) {
    if (selected == entries_.end() || !movable(*selected)) continue;
    const Position lead = leadingOf(selected);
    if (taken.count(&*lead) != 0) continue;
    if (lead->isDiary()) {
      const auto there = diaryOf(day);
      if (there && *there == lead) continue;
      if (there) {
        mergeDiary(changing(**there), *lead);
        take(lead);
        mergeAway(bulk.get(), moved, lead);
        continue;
      }
    }
    const std::optional<Position> partner = partnerOf(lead);
    take(lead);
    if (partner) take(*partner);
  }
  if (count == 0) return 0;
  const Position before = firstAfterDay(day);
  while (!moved.empty()) {
    const Position p = moved.begin();
    changingNumbers(*p).date = day;
    // A diary opens its day.
    const Position at = p->isDiary() ? firstAfterDay(day - 1) : before;
    putIn(bulk.get(), at, moved, p);
    indexArrived(p);
  }
  finishBulkMove(std::move(bulk));
  computeFromStart();
  return count;
}

size_t CHinmeiList::countPeriodMove(Day from, Day to, bool withDiary) {
  if (from > to) std::swap(from, to);
  size_t count = 0;
  for (Position p = firstAfterDay(std::max(from, MinDay + 1) - 1);
       p != entries_.end() && p->date <= to && !p->isEndMarker(); ++p) {
    if (withDiary || !p->isDiary()) ++count;
  }
  return count;
}

std::optional<size_t> CHinmeiList::movePeriod(Day from, Day to, Day firstTarget, bool withDiary) {
  if (from > to) std::swap(from, to);
  // The shift is the one asked for; the definitions' first day and the end marker's last are
  // then left out of the span, as they never move.
  const int64_t shift = int64_t{firstTarget} - from;
  from = std::max(from, MinDay + 1);
  to = std::min(to, MaxDay - 1);
  if (shift == 0 || from > to) return 0;
  const auto moves = [&](const CHinmei& e) { return withDiary || !e.isDiary(); };

  const Position begin = firstAfterDay(from - 1);
  const Position end = firstAfterDay(to);
  std::optional<Day> firstDay;
  Day lastDay = from;
  for (Position p = begin; p != end; ++p) {
    if (!moves(*p)) continue;
    if (!firstDay) firstDay = p->date;
    lastDay = p->date;
  }
  if (!firstDay) return 0;
  if (*firstDay + shift < kFirstMoveDay || lastDay + shift > kLastMoveDay) {
    prompts().inform(MessageId::MoveOutsideCalendar, {}, Icon::Warning);
    return std::nullopt;
  }
  const auto delta = static_cast<Day>(shift);
  // Where the walk that puts the lines back starts: the first entry that stays and may share a
  // day with a moved one.
  // Moving back, that is the first entry of the first new day when it lies before the span;
  // otherwise the first entry of the span that stays, or the one after the span.
  const Position before = firstAfterDay(*firstDay + delta - 1);
  const bool startBefore = delta < 0 && before != entries_.end() && before->isDated() &&
                           !before->isEndMarker() && before->date < from;

  Entries moved{&pool_};
  std::unique_ptr<BulkMove> bulk = startBulkMove(delta);
  std::optional<Position> firstStaying;
  for (Position p = begin; p != end;) {
    const Position next = std::next(p);
    if (moves(*p)) {
      takeOut(bulk.get(), moved, p);
    } else if (!firstStaying) {
      firstStaying = p;
    }
    p = next;
  }
  const size_t count = moved.size();
  for (CHinmei& e : moved) e.date += delta;

  Position r = startBefore ? before : (firstStaying ? *firstStaying : end);
  // Both lists run in day order: each moved day goes after the entries already on it.
  while (!moved.empty()) {
    const Day day = moved.front().date;
    auto groupEnd = moved.begin();
    while (groupEnd != moved.end() && groupEnd->date == day) ++groupEnd;
    std::optional<Position> firstOfDay;
    std::optional<Position> diary;
    while (r != entries_.end() && r->isDated() && !r->isEndMarker() && r->date <= day) {
      if (r->date == day && !firstOfDay) firstOfDay = r;
      if (r->date == day && r->isDiary()) diary = r;
      ++r;
    }
    for (auto g = moved.begin(); g != groupEnd; ++g) {
      if (!g->isDiary()) continue;
      if (diary) {
        mergeDiary(changing(**diary), *g);
        mergeAway(bulk.get(), moved, g);
      } else {
        putIn(bulk.get(), firstOfDay ? *firstOfDay : r, moved, g);
      }
      break;
    }
    for (auto g = moved.begin(); g != groupEnd;) putIn(bulk.get(), r, moved, g++);
  }
  finishBulkMove(std::move(bulk));
  rebuildDayIndex();
  computeFromStart();
  return count;
}

}  // namespace sorami
