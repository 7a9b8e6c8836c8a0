#pragma once
// The history of a ledger's changes, so that a user command can be taken back and made again.
// The store writes what its own change functions do; a step is what one user command did.

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <memory_resource>
#include <string>
#include <vector>

#include "ledger/Hinmei.h"

namespace sorami {

// The ordered entries of a store; its nodes live in the store's own pool.
using EntryList = std::pmr::list<CHinmei>;

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
  };
  EntryList::iterator node;  // of Linked and Unlinked
  EntryList::iterator successor;
  CHinmei* entry = nullptr;  // of Fields and Numbers
  uint32_t copy = 0;
  Day date = 0;
  int32_t amount = 0;
  uint16_t item = 0;
  uint16_t flags = 0;
  Kind kind = Kind::Fields;
};

struct HistoryStep {
  std::u16string label;
  std::vector<EntryRecord> records;
  std::vector<CHinmei> copies;
  std::vector<std::unique_ptr<SideChange>> sides;
  size_t bytes = 0;
  bool empty() const { return records.empty() && sides.empty(); }
};

// Records take at most this much memory before the oldest steps are forgotten.
inline constexpr size_t kHistoryByteLimit = size_t{64} << 20;

}  // namespace sorami
