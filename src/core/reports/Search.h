#pragma once
// The search for ledger lines by item, keyword and period, newest first, with their count and
// sum; shared by the search dialog and the command line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"
#include "rules/Calendar.h"

namespace sorami {

// The longest keyword the search takes.
inline constexpr size_t kSearchKeywordLimit = 20;
// The most lines one search lists; past it the search stops and says so. A million lines would
// still draw quickly, but a search that finds this many was not narrowed enough to be read.
inline constexpr size_t kSearchResultLimit = 100'000;

struct SearchRequest {
  std::optional<uint16_t> item;  // an item's number; none: every item
  std::u16string keyword;        // empty: every line
  bool memo = false;             // the keyword may also stand in the visible memo
  Day from = FirstUserDay;
  Day to = MaxDay;
};

struct SearchResult {
  enum class Status { Found, NothingFound, NoData };
  Status status = Status::NothingFound;
  Day from = FirstUserDay;  // the period as searched
  Day to = LastUserDay;
  std::vector<CHinmeiList::Position> lines;  // newest first
  int64_t sum = 0;
  bool stoppedAtLimit = false;
  size_t count() const { return lines.size(); }
};

// A day typed as year, month and day: a day past the month's end is its last day. InvalidDay
// for a year outside 100 to 9999, a month outside 1 to 12 or a day outside 1 to 31.
Day searchFieldDay(int year, int month, int day);

// Walks the store once from its newest line back to the period's first day. Definitions, diary
// days and the end marker are never found.
SearchResult searchLedger(CHinmeiList& store, const SearchRequest& request);

// "( %d件, 合計 %s　 )" with the amounts printed as the file prints them.
std::u16string searchSummary(const SearchResult& result, int decimalPlaces);

}  // namespace sorami
