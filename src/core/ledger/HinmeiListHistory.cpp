// The history of the entry store: what its change functions record, grouped in steps, and how
// a step is taken back and made again. Entries that leave the list are kept aside in the
// store's own pool until no step can bring them back.
#include <algorithm>
#include <unordered_set>

#include "ledger/HinmeiList.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr size_t kNoSavedStep = static_cast<size_t>(-1);

size_t textBytes(const CHinmei& e) {
  return e.name.heapBytes() + e.memo.heapBytes();
}

// What a node costs while it is kept aside: the node itself and its texts.
size_t nodeBytesOf(const CHinmei& e) {
  return sizeof(CHinmei) + 2 * sizeof(void*) + textBytes(e);
}

}  // namespace

// ---- Recording.

HistoryStep* CHinmeiList::stepForChange() {
  if (!recording_ || replaying_) return nullptr;
  if (!stepOpen_) {
    stepOpen_ = true;
    open_ = HistoryStep{};
  }
  if (stepOverflowed_) return nullptr;
  // A change after steps were taken back makes them impossible to make again.
  if (done_ < steps_.size()) dropRedoSteps();
  if (open_.bytes > historyLimit_) {
    // Too big to keep: the step cannot be taken back, and no step before it either.
    stepOverflowed_ = true;
    forgetOpenRecords();
    return nullptr;
  }
  return &open_;
}

void CHinmeiList::forgetOpenRecords() {
  dropStep(open_, true);
  open_ = HistoryStep{};
}

CHinmeiList::Position CHinmeiList::linkEntry(Position before, CHinmei&& e) {
  const Position p = entries_.insert(before, std::move(e));
  if (HistoryStep* step = stepForChange()) {
    EntryRecord r;
    r.kind = EntryRecord::Kind::Linked;
    r.node = p;
    step->records.push_back(r);
    step->bytes += sizeof(EntryRecord);
  }
  return p;
}

// Recorded as leaving its place and joining the list at the other, so the node stays the same.
void CHinmeiList::moveEntry(Position p, Position before) {
  if (p == before || std::next(p) == before) return;
  if (HistoryStep* step = stepForChange()) {
    EntryRecord out;
    out.kind = EntryRecord::Kind::Unlinked;
    out.node = p;
    out.successor = std::next(p);
    EntryRecord in;
    in.kind = EntryRecord::Kind::Linked;
    in.node = p;
    step->records.push_back(out);
    step->records.push_back(in);
    step->bytes += 2 * sizeof(EntryRecord);
  }
  entries_.splice(before, entries_, p);
  modified_ = true;
}

CHinmeiList::Position CHinmeiList::unlinkEntry(Position p) {
  const Position next = std::next(p);
  HistoryStep* step = stepForChange();
  if (step == nullptr) {
    entries_.erase(p);
    return next;
  }
  EntryRecord r;
  r.kind = EntryRecord::Kind::Unlinked;
  r.node = p;
  r.successor = next;
  step->records.push_back(r);
  step->bytes += sizeof(EntryRecord) + nodeBytesOf(*p);
  graveyard_.splice(graveyard_.end(), entries_, p);
  return next;
}

CHinmei& CHinmeiList::changing(CHinmei& e) {
  if (HistoryStep* step = stepForChange()) {
    EntryRecord r;
    r.kind = EntryRecord::Kind::Fields;
    r.entry = &e;
    r.copy = static_cast<uint32_t>(step->copies.size());
    step->copies.push_back(e);
    step->records.push_back(r);
    step->bytes += sizeof(EntryRecord) + sizeof(CHinmei) + textBytes(e);
  }
  modified_ = true;
  return e;
}

CHinmei& CHinmeiList::changingNumbers(CHinmei& e) {
  if (HistoryStep* step = stepForChange()) {
    EntryRecord r;
    r.kind = EntryRecord::Kind::Numbers;
    r.entry = &e;
    r.date = e.date;
    r.amount = e.amount;
    r.item = e.item;
    r.flags = e.flags;
    step->records.push_back(r);
    step->bytes += sizeof(EntryRecord);
  }
  modified_ = true;
  return e;
}

// ---- Moving many entries at once.

std::unique_ptr<BulkMove> CHinmeiList::startBulkMove(Day shift) const {
  if (!recording_ || replaying_) return nullptr;
  auto bulk = std::make_unique<BulkMove>();
  bulk->shift = shift;
  return bulk;
}

void CHinmeiList::takeOut(BulkMove* bulk, Entries& into, Position p) {
  const Position next = std::next(p);
  into.splice(into.end(), entries_, p);
  if (bulk == nullptr) return;
  bulk->left.push_back(p);
  // Taken one after the other, neighbours leave as one run.
  if (!bulk->leftRuns.empty() && bulk->leftRuns.back().anchor == p) {
    bulk->leftRuns.back().anchor = next;
    ++bulk->leftRuns.back().count;
  } else {
    bulk->leftRuns.push_back({next, 1});
  }
}

void CHinmeiList::putIn(BulkMove* bulk, Position before, Entries& from, Position p) {
  entries_.splice(before, from, p);
  if (bulk == nullptr) return;
  bulk->joined.push_back(p);
  if (!bulk->joinedRuns.empty() && bulk->joinedRuns.back().anchor == before) {
    ++bulk->joinedRuns.back().count;
  } else {
    bulk->joinedRuns.push_back({before, 1});
  }
}

void CHinmeiList::mergeAway(BulkMove* bulk, Entries& from, Position p) {
  if (bulk == nullptr) {
    from.erase(p);
    return;
  }
  bulk->merged.push_back(p);
  bulk->mergedBytes += nodeBytesOf(*p);
  graveyard_.splice(graveyard_.end(), from, p);
}

void CHinmeiList::finishBulkMove(std::unique_ptr<BulkMove> bulk) {
  modified_ = true;
  if (bulk == nullptr || bulk->left.empty()) return;
  HistoryStep* step = stepForChange();
  if (step == nullptr) {
    for (const Position p : bulk->merged) graveyard_.erase(p);
    return;
  }
  EntryRecord r;
  r.kind = EntryRecord::Kind::Moved;
  r.node = bulk->left.front();
  r.copy = static_cast<uint32_t>(step->moves.size());
  step->bytes += sizeof(EntryRecord) + bulk->bytes();
  step->moves.push_back(std::move(*bulk));
  step->records.push_back(r);
}

// Every node goes back before the node it stood before as it left, the last run first, so
// each anchor is in its place again when its run returns.
void CHinmeiList::moveBack(BulkMove& bulk) {
  for (const Position p : bulk.merged) entries_.splice(entries_.end(), graveyard_, p);
  for (const Position p : bulk.left) p->date -= bulk.shift;
  size_t end = bulk.left.size();
  for (auto run = bulk.leftRuns.rbegin(); run != bulk.leftRuns.rend(); ++run) {
    const size_t first = end - run->count;
    for (size_t i = first; i < end; ++i) entries_.splice(run->anchor, entries_, bulk.left[i]);
    end = first;
  }
  dayIndexBuilt_ = false;
}

// The nodes join in the order they joined, each before the node it was put before.
void CHinmeiList::moveAgain(BulkMove& bulk) {
  for (const Position p : bulk.left) p->date += bulk.shift;
  size_t first = 0;
  for (const BulkMove::Run& run : bulk.joinedRuns) {
    for (size_t i = first; i < first + run.count; ++i) {
      entries_.splice(run.anchor, entries_, bulk.joined[i]);
    }
    first += run.count;
  }
  for (const Position p : bulk.merged) graveyard_.splice(graveyard_.end(), entries_, p);
  dayIndexBuilt_ = false;
}

void CHinmeiList::addSideChange(std::unique_ptr<SideChange> change) {
  if (HistoryStep* step = stepForChange()) {
    step->bytes += change->bytes();
    step->sides.push_back(std::move(change));
  }
}

// ---- Steps.

void CHinmeiList::beginStep(std::u16string label) {
  if (depth_++ > 0) return;
  // What changed outside any command before is a step of its own.
  closeStep();
  stepOpen_ = true;
  open_ = HistoryStep{};
  open_.label = std::move(label);
}

void CHinmeiList::endStep() {
  if (depth_ == 0) return;
  if (--depth_ == 0) finishStep();
}

void CHinmeiList::closeStep() {
  if (depth_ == 0) finishStep();
}

void CHinmeiList::finishStep() {
  if (!stepOpen_) return;
  stepOpen_ = false;
  if (stepOverflowed_) {
    stepOverflowed_ = false;
    clearHistory();
    modified_ = true;
    return;
  }
  if (open_.bytes > historyLimit_) {
    // Its last record took the step over the bound: it is not kept, nor any step before it.
    forgetOpenRecords();
    clearHistory();
    modified_ = true;
    return;
  }
  if (open_.empty()) return;
  historyBytes_ += open_.bytes;
  ++changeCount_;
  steps_.push_back(std::move(open_));
  open_ = HistoryStep{};
  done_ = steps_.size();
  // The oldest steps go first; the one just made always stays.
  while (historyBytes_ > historyLimit_ && steps_.size() > 1) {
    historyBytes_ -= std::min(historyBytes_, steps_.front().bytes);
    dropStep(steps_.front(), true);
    steps_.pop_front();
    --done_;
    if (savedAt_ != kNoSavedStep) savedAt_ = savedAt_ == 0 ? kNoSavedStep : savedAt_ - 1;
  }
}

// A step done holds the nodes it removed last; a step taken back those it inserted first.
void CHinmeiList::dropStep(const HistoryStep& step, bool done) {
  std::unordered_set<const CHinmei*> seen;
  const auto release = [&](const EntryRecord& r, EntryRecord::Kind aside) {
    if (r.kind == EntryRecord::Kind::Moved) {
      // Merged away while the step is done; in the list again while it is taken back.
      if (!done) return;
      for (const Position p : step.moves[r.copy].merged) {
        if (seen.insert(&*p).second) graveyard_.erase(p);
      }
      return;
    }
    if (r.kind != EntryRecord::Kind::Linked && r.kind != EntryRecord::Kind::Unlinked) return;
    if (!seen.insert(&*r.node).second) return;
    if (r.kind == aside) graveyard_.erase(r.node);
  };
  if (done) {
    for (auto r = step.records.rbegin(); r != step.records.rend(); ++r) {
      release(*r, EntryRecord::Kind::Unlinked);
    }
  } else {
    for (const EntryRecord& r : step.records) release(r, EntryRecord::Kind::Linked);
  }
}

void CHinmeiList::dropRedoSteps() {
  while (steps_.size() > done_) {
    historyBytes_ -= std::min(historyBytes_, steps_.back().bytes);
    dropStep(steps_.back(), false);
    steps_.pop_back();
  }
  if (savedAt_ != kNoSavedStep && savedAt_ > done_) savedAt_ = kNoSavedStep;
}

void CHinmeiList::clearHistory() {
  while (!steps_.empty()) {
    dropStep(steps_.back(), steps_.size() <= done_);
    steps_.pop_back();
  }
  if (stepOpen_) forgetOpenRecords();
  graveyard_.clear();
  done_ = 0;
  historyBytes_ = 0;
  stepOverflowed_ = false;
  savedAt_ = modified_ ? kNoSavedStep : 0;
}

void CHinmeiList::markSaved() {
  closeStep();
  savedAt_ = done_;
  modified_ = false;
}

bool CHinmeiList::canUndo() const {
  return done_ > 0 || (stepOpen_ && !open_.empty());
}

bool CHinmeiList::canRedo() const {
  return done_ < steps_.size() && !(stepOpen_ && !open_.empty());
}

std::u16string CHinmeiList::undoLabel() const {
  if (stepOpen_ && !open_.empty()) return open_.label.empty() ? describe(open_) : open_.label;
  if (done_ == 0) return {};
  // Named when first asked, as typing makes a step of every line: the entries are as the step
  // left them until it is taken back.
  const HistoryStep& step = steps_[done_ - 1];
  return step.label.empty() ? describe(step) : step.label;
}

std::u16string CHinmeiList::redoLabel() const {
  return canRedo() ? steps_[done_].label : std::u16string();
}

// ---- Taking back and making again.

void CHinmeiList::exchangeFields(EntryRecord& r, HistoryStep& step) {
  if (r.kind == EntryRecord::Kind::Numbers) {
    if (r.date != r.entry->date) dayIndexBuilt_ = false;
    std::swap(r.entry->date, r.date);
    std::swap(r.entry->amount, r.amount);
    std::swap(r.entry->item, r.item);
    std::swap(r.entry->flags, r.flags);
    return;
  }
  CHinmei& other = step.copies[r.copy];
  if (other.date != r.entry->date) dayIndexBuilt_ = false;
  std::swap(*r.entry, other);
}

void CHinmeiList::putBack(EntryRecord& r) {
  entries_.splice(r.successor, graveyard_, r.node);
  indexArrived(r.node);
}

void CHinmeiList::takeAside(EntryRecord& r) {
  r.successor = std::next(r.node);
  indexLeaving(r.node);
  graveyard_.splice(graveyard_.end(), entries_, r.node);
}

bool CHinmeiList::undo() {
  closeStep();
  // Not in the middle of a command: its changes are not a step yet.
  if (done_ == 0 || (stepOpen_ && !open_.empty())) return false;
  HistoryStep& step = steps_[done_ - 1];
  if (step.label.empty()) step.label = describe(step);
  replaying_ = true;
  for (auto r = step.records.rbegin(); r != step.records.rend(); ++r) {
    if (r->kind == EntryRecord::Kind::Linked) {
      takeAside(*r);
    } else if (r->kind == EntryRecord::Kind::Unlinked) {
      putBack(*r);
    } else if (r->kind == EntryRecord::Kind::Moved) {
      moveBack(step.moves[r->copy]);
    } else {
      exchangeFields(*r, step);
    }
  }
  for (auto s = step.sides.rbegin(); s != step.sides.rend(); ++s) (*s)->exchange();
  replaying_ = false;
  --done_;
  afterHistoryMove();
  return true;
}

bool CHinmeiList::redo() {
  closeStep();
  if (done_ >= steps_.size() || (stepOpen_ && !open_.empty())) return false;
  HistoryStep& step = steps_[done_];
  replaying_ = true;
  for (EntryRecord& r : step.records) {
    if (r.kind == EntryRecord::Kind::Linked) {
      putBack(r);
    } else if (r.kind == EntryRecord::Kind::Unlinked) {
      takeAside(r);
    } else if (r.kind == EntryRecord::Kind::Moved) {
      moveAgain(step.moves[r.copy]);
    } else {
      exchangeFields(r, step);
    }
  }
  for (const auto& s : step.sides) s->exchange();
  replaying_ = false;
  ++done_;
  afterHistoryMove();
  return true;
}

// Tables, accounts and the running state are derived from the list: they are found again, the
// shown figures follow with the next computation.
void CHinmeiList::afterHistoryMove() {
  resetDerived();
  rebuildTables();
  refreshFigures();
  modified_ = savedAt_ != done_;
  ++changeCount_;
}

// ---- Naming a step after what it did.

std::u16string CHinmeiList::describe(const HistoryStep& step) const {
  if (step.records.empty()) return u"設定の変更";
  const EntryRecord& first = step.records.front();
  const bool link = first.kind == EntryRecord::Kind::Linked ||
                    first.kind == EntryRecord::Kind::Unlinked ||
                    first.kind == EntryRecord::Kind::Moved;
  const CHinmei* e = link ? &*first.node : first.entry;
  std::u16string text;
  if (e->isDated() && !e->isDiary()) {
    if (const CHinmei* item = itemByNumber(e->item)) text = item->name + u" ";
    text += e->name + u" " + formatAmount(e->amount, true, context_.options.decimalPlaces);
  } else if (e->isDiary()) {
    text = u"日記";
  } else {
    text = e->name.empty() ? std::u16string(u"設定") : e->name.str();
  }
  switch (first.kind) {
    case EntryRecord::Kind::Linked:
      return text + u" の入力";
    case EntryRecord::Kind::Unlinked:
      return text + u" の削除";
    case EntryRecord::Kind::Moved:
      return text + u" の移動";
    case EntryRecord::Kind::Fields:
    case EntryRecord::Kind::Numbers:
      break;
  }
  return text + u" の変更";
}

}  // namespace sorami
