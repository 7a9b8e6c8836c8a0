#pragma once
// The history of a ledger's changes, so that a user command can be taken back and made again.
// The store writes what its own change functions do; a step is what one user command did.

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "ledger/Hinmei.h"
#include "platform/NodePool.h"

namespace sorami {

// The ordered entries of a store; its nodes live in the store's own pool.
using EntryList = std::list<CHinmei, PoolAllocator<CHinmei>>;
// A node is the entry and two links: 64 bytes keep a million-line store near 64 MB.
static_assert(sizeof(CHinmei) <= 48);

// A change beside the entries (the budgets, the file's settings) that a step keeps. It holds
// the other state: exchanging it with the one in place takes the change back, and doing so
// again makes it once more.
class SideChange {
 public:
  virtual ~SideChange() = default;
  virtual void exchange() = 0;
  virtual size_t bytes() const = 0;
};

// One thing a change function did to the list. The node is the entry itself: a node that
// leaves the list is kept aside with its successor, so every record that names it stays good
// however often the step is taken back and made again.
struct EntryRecord {
  enum class Kind : uint8_t {
    Linked,    // the node joined the list before `successor`
    Unlinked,  // the node left the list from before `successor`
    Fields,    // every field of the node changed; copies[copy] holds the other value
    Numbers,   // only the date, item, flags or amount changed; the record holds the others
    Moved,     // many nodes moved at once; moves[copy] says how
  };
  EntryList::iterator node;  // of Linked and Unlinked; of Moved the first that moved
  EntryList::iterator successor;
  CHinmei* entry = nullptr;  // of Fields and Numbers
  uint32_t copy = 0;
  Day date = 0;
  int32_t amount = 0;
  uint16_t item = 0;
  uint16_t flags = 0;
  Kind kind = Kind::Fields;
};

// Entries moved in bulk (a span of days, or lines taken to another day): every node left the
// list, its date moved by `shift`, and it joined the list again before another, or was merged
// into one that stayed and is kept aside. A run of nodes is recorded once, with the node it
// stood before, so a period of a million lines costs two iterators a line and not a record.
struct BulkMove {
  struct Run {
    EntryList::iterator anchor;
    size_t count = 0;
  };
  std::vector<EntryList::iterator> left;    // in the order they left the list
  std::vector<Run> leftRuns;                // each stood right before its anchor as it left
  std::vector<EntryList::iterator> joined;  // in the order they joined it again
  std::vector<Run> joinedRuns;              // each was put right before its anchor
  std::vector<EntryList::iterator> merged;  // those that left for good
  Day shift = 0;
  size_t mergedBytes = 0;
  size_t bytes() const {
    return sizeof(BulkMove) + (left.size() + joined.size() + merged.size()) * sizeof(void*) +
           (leftRuns.size() + joinedRuns.size()) * sizeof(Run) + mergedBytes;
  }
};

struct HistoryStep {
  std::u16string label;
  std::vector<EntryRecord> records;
  std::vector<CHinmei> copies;
  std::vector<BulkMove> moves;
  std::vector<std::unique_ptr<SideChange>> sides;
  size_t bytes = 0;
  bool empty() const { return records.empty() && sides.empty(); }
};

// Records take at most this much memory before the oldest steps are forgotten.
inline constexpr size_t kHistoryByteLimit = size_t{64} << 20;

}  // namespace sorami
