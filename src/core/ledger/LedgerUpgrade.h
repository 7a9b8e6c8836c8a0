#pragma once
// Brings the entries of a file written by an older version up to date: item options, moved
// dates, the stray lines of version 871, dates that went backwards, pair bits without a
// partner, and the end marker.

#include <cstdint>

namespace sorami {

class CHinmeiList;
class Prompts;

// Versions whose entries need changes after reading.
inline constexpr uint16_t kDataVersionDayShift = 705;        // below: dates one day early
inline constexpr uint16_t kDataVersionBudgetOption = 752;    // below: items lack the budget option
inline constexpr uint16_t kDataVersionShiftedDates = 752;    // exactly: dates one day early
inline constexpr uint16_t kDataVersionStrayAutoLines = 871;  // exactly: stray lines on day 0

struct LedgerUpgradeOptions {
  uint16_t dataVersion = 0;  // as the file was read
  // A version-752 file whose dates were already put right.
  bool datesAlreadyShifted = false;
  int decimalPlaces = 0;  // for the amounts the messages show
};

// Runs the version-dependent changes and the date repair of an intact store, then raises its
// version to the current one (the store then counts as modified).
void upgradeLedger(CHinmeiList& list, const LedgerUpgradeOptions& options, Prompts& prompts);

// Makes the store end with exactly one end marker; true when it changed.
bool repairEndMarker(CHinmeiList& list);

}  // namespace sorami
