#pragma once
// How the document reads the entry store: keeps at most the read limit of entries by folding
// the oldest lines into the initial balances, lowers the limit when memory runs out, and keeps
// the readable part of a damaged store until the user has been asked. Whatever would show the
// file's contents is held back, so the opener can check the password first.

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

// The read limit that never trims.
inline constexpr uint32_t kReadLimitUnlimited = std::numeric_limits<uint32_t>::max();
// The lowest the limit goes; a store that does not fit in memory with this few entries cannot
// be worked with anyway.
inline constexpr uint32_t kReadLimitFloor = 100;
// A damaged store with fewer readable entries than this is refused outright.
inline constexpr uint32_t kMinEntriesWorthKeeping = 86;

// The read limit after memory ran out with `read` entries in memory.
uint32_t loweredReadLimit(uint32_t limit, uint32_t read);

// What trimming removed, for the report after reading.
struct TrimReport {
  Day lastRemovedDay = MinDay;  // the day before the first kept dated entry
  uint32_t removed = 0;
  uint32_t kept = 0;
};

// A damaged store whose readable part waits for the user's decision.
struct DamageReport {
  uint32_t count = 0;  // entries the file announced
  uint32_t read = 0;   // entries readable
};

class EntryReader : public EntryReadHooks {
 public:
  explicit EntryReader(uint32_t readLimit = kReadLimitUnlimited) : limit_(readLimit) {}

  void begin(CHinmeiList& list, uint32_t count) override;
  void appended(CHinmeiList& list, EntryList::iterator entry, uint32_t index) override;
  // Only a limit makes it trim.
  bool watchesEachEntry() const override { return limit_ != kReadLimitUnlimited; }
  bool damaged(CHinmeiList& list, const ArchiveError& error, uint32_t count,
               uint32_t read) override;
  void outOfMemory(CHinmeiList& list, uint32_t read) override;
  void end(CHinmeiList& list, uint32_t count, uint32_t read) override;

  const std::optional<TrimReport>& trimReport() const { return trim_; }
  // The first dated entry kept after trimming, for dropping the budgets of older months.
  std::optional<Day> firstKeptDay() const { return firstKept_; }
  const std::optional<DamageReport>& damage() const { return damage_; }
  // The limit to try next after memory ran out; unset otherwise.
  std::optional<uint32_t> loweredLimit() const { return lowered_; }

 private:
  using Position = EntryList::iterator;
  void findHeadEnd(CHinmeiList& list, Position entry);
  void trimOne(CHinmeiList& list, Position entry);
  void fold(CHinmeiList& list, const CHinmei& e);
  void removeFolded(CHinmeiList& list, Position p);

  uint32_t limit_;
  bool headEnded_ = false;
  // The last entry of the head section; trimming removes the entry after it.
  Position lastHead_;
  std::optional<Position> pending_;  // the first of a pair, removed with its partner next read
  std::map<std::u16string, Position, std::less<>> accounts_;
  std::map<std::u16string, Position, std::less<>> loans_;
  uint32_t removed_ = 0;
  Day lastRemoved_ = MinDay;
  std::optional<TrimReport> trim_;
  std::optional<Day> firstKept_;
  std::optional<DamageReport> damage_;
  std::optional<uint32_t> lowered_;
};

}  // namespace sorami
