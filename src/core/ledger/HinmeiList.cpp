#include "ledger/HinmeiList.h"

#include <algorithm>
#include <new>

#include "archive/Archive.h"

namespace sorami {

namespace {

// The smallest stored entry: a 2-byte object tag, the date, item and flags (8 bytes), two
// empty texts of one byte each and the amount.
constexpr size_t kMinEntryBytes = 16;
// The same with both texts empty in the layout every save writes: each text takes a marker of
// three bytes and a length byte.
constexpr size_t kMinWideEntryBytes = 22;
// The pool's block for one entry of the list: the entry and the list's two links.
constexpr size_t kNodeBytes = NodePool::blockBytes(sizeof(CHinmei) + 2 * sizeof(void*));

}  // namespace

CHinmeiList::Position CHinmeiList::addAtEnd(CHinmei entry) {
  modified_ = true;
  const Position p = linkEntry(entries_.end(), std::move(entry));
  indexArrived(p);
  return p;
}

void CHinmeiList::serialize(Archive& ar) {
  struct ReadEverything : EntryReadHooks {
    bool watchesEachEntry() const override { return false; }
  } readEverything;
  serialize(ar, readEverything);
}

void CHinmeiList::serialize(Archive& ar, EntryReadHooks& hooks) {
  if (ar.isStoring()) {
    write(ar);
  } else {
    read(ar, hooks);
  }
}

void CHinmeiList::write(Archive& ar) const {
  ar.writeCount(static_cast<uint32_t>(entries_.size()));
  for (const CHinmei& e : entries_) {
    ar.writeObjectTag(ClassId::Hinmei);
    e.write(ar);
  }
}

void CHinmeiList::read(Archive& ar, EntryReadHooks& hooks) {
  // The store now holds what the file holds: nothing to save yet.
  resetDerived();
  clearHistory();
  entries_.clear();
  rememberedRows_.fill(-1);
  // Built from the list when first needed: a file that is only read never pays for it.
  dayIndexBuilt_ = false;
  modified_ = false;
  loadState_ = kLoadComplete;
  uint32_t count = 0;
  uint32_t read = 0;
  try {
    readEntries(ar, hooks, count, read);
  } catch (const ArchiveError& error) {
    loadState_ = kLoadDamaged;
    if (!hooks.damaged(*this, error, count, read)) throw;
  } catch (const std::bad_alloc&) {
    hooks.outOfMemory(*this, read);
    throw;
  }
  hooks.end(*this, count, read);
}

void CHinmeiList::readEntries(Archive& ar, EntryReadHooks& hooks, uint32_t& count, uint32_t& read) {
  count = ar.readCount();
  ar.requireElements(count, kMinEntryBytes);
  // The nodes of as many entries as the file says it holds, in one chunk made ready at once;
  // no more than the bytes left can hold in today's layout, so a damaged count takes no more.
  pool_.reserve(std::min<size_t>(count, ar.remaining() / kMinWideEntryBytes) * kNodeBytes);
  hooks.begin(*this, count);
  const Day correction =
      dataVersion_ == kDataVersionCorrectedDates ? version870Correction() : Day{0};
  const bool watched = hooks.watchesEachEntry();
  for (read = 0; read < count; ++read) {
    readEntry(ar, correction);
    if (watched) hooks.appended(*this, std::prev(entries_.end()), read);
  }
}

void CHinmeiList::readEntry(Archive& ar, Day correction) {
  if (!ar.readObjectTag(ClassId::Hinmei)) {
    ar.fail(ArchiveErrorKind::BadFormat, "no entry where an entry belongs");
  }
  // The body is read in place, so its texts land in their final strings.
  CHinmei& e = entries_.emplace_back();
  try {
    e.read(ar, dataVersion_);
  } catch (...) {
    entries_.pop_back();
    throw;
  }
  if (correction != 0) applyVersion870Correction(e, correction);
}

}  // namespace sorami
