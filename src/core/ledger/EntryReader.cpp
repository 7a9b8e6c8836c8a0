#include "ledger/EntryReader.h"

#include <algorithm>
#include <iterator>

namespace sorami {

namespace {

constexpr uint32_t kFirstLowering = 4000;
constexpr uint32_t kLaterLowering = 500;

void addTo(int32_t& amount, int64_t delta) {
  amount = saturatedAmount(amount + delta);
}

}  // namespace

uint32_t loweredReadLimit(uint32_t limit, uint32_t read) {
  const uint64_t from = limit == kReadLimitUnlimited ? read : limit;
  const uint64_t by = limit == kReadLimitUnlimited ? kFirstLowering : kLaterLowering;
  return static_cast<uint32_t>(std::max<uint64_t>(from > by ? from - by : 0, kReadLimitFloor));
}

void EntryReader::begin(CHinmeiList& /*list*/, uint32_t /*count*/) {
  headEnded_ = false;
  pending_.reset();
  accounts_.clear();
  loans_.clear();
  removed_ = 0;
  trim_.reset();
  firstKept_.reset();
  damage_.reset();
  lowered_.reset();
}

void EntryReader::appended(CHinmeiList& list, Position entry, uint32_t index) {
  if (limit_ == kReadLimitUnlimited) return;
  if (!headEnded_) {
    if (entry->isDefinition()) return;
    findHeadEnd(list, entry);
    if (limit_ == kReadLimitUnlimited) return;
  }
  if (pending_) {
    const Position first = *pending_;
    pending_.reset();
    const Position second = std::next(first);
    if (second != entry && second->isPairSecond()) {
      fold(list, *second);
      removeFolded(list, second);
    }
    fold(list, *first);
    removeFolded(list, first);
    return;
  }
  if (index > limit_) trimOne(list, entry);
}

// The head section ends before the first dated entry; the definitions it holds are where the
// folded transfers go.
void EntryReader::findHeadEnd(CHinmeiList& list, Position entry) {
  headEnded_ = true;
  // Without a header there is no initial balance to fold into: nothing is trimmed.
  if (entry == list.begin() || !list.begin()->isHeader()) {
    limit_ = kReadLimitUnlimited;
    return;
  }
  lastHead_ = std::prev(entry);
  for (Position p = list.begin(); p != entry; ++p) {
    if ((p->flags & EF_DEFINITION) == 0) continue;
    if ((p->flags & EF_ACCOUNT) != 0) accounts_.emplace(p->name.str(), p);
    if ((p->flags & EF_LOAN) != 0) loans_.emplace(p->name.str(), p);
  }
}

void EntryReader::trimOne(CHinmeiList& list, Position entry) {
  const Position oldest = std::next(lastHead_);
  if (oldest == entry) return;
  if (oldest->isPairFirst()) {
    pending_ = oldest;
    return;
  }
  fold(list, *oldest);
  removeFolded(list, oldest);
}

// Moves the effect of a line into the initial balances, so every later balance stays.
void EntryReader::fold(CHinmeiList& list, const CHinmei& e) {
  const int64_t sign = (e.flags & EF_INCOME) != 0 ? 1 : (e.flags & EF_EXPENSE) != 0 ? -1 : 0;
  if (sign == 0) return;
  addTo(list.begin()->amount, sign * e.amount);
  if ((e.flags & EF_ACCOUNT) != 0) {
    if (auto it = accounts_.find(e.name.view()); it != accounts_.end()) {
      addTo(it->second->amount, -sign * e.amount);
    }
  } else if ((e.flags & EF_LOAN) != 0) {
    if (auto it = loans_.find(e.name.view()); it != loans_.end()) {
      addTo(it->second->amount, sign * e.amount);
    }
  }
}

void EntryReader::removeFolded(CHinmeiList& list, Position p) {
  lastRemoved_ = std::max(lastRemoved_, p->date);
  list.entries().erase(p);
  ++removed_;
}

bool EntryReader::damaged(CHinmeiList& /*list*/, const ArchiveError& /*error*/, uint32_t count,
                          uint32_t read) {
  // Too little to be worth keeping: the error goes on and the opener refuses the file.
  if (read < kMinEntriesWorthKeeping) return false;
  damage_ = DamageReport{count, read};
  return true;
}

void EntryReader::outOfMemory(CHinmeiList& /*list*/, uint32_t read) {
  lowered_ = loweredReadLimit(limit_, read);
}

void EntryReader::end(CHinmeiList& list, uint32_t count, uint32_t /*read*/) {
  if (removed_ == 0) return;
  // The store may hold nothing dated after a trimmed damaged part; the report then names the
  // last day removed.
  const Position first = std::next(lastHead_);
  Day firstKept = lastRemoved_ + 1;
  if (first != list.end()) firstKept = first->date;
  firstKept_ = firstKept;
  trim_ = TrimReport{firstKept - 1, removed_, count - removed_};
}

}  // namespace sorami
