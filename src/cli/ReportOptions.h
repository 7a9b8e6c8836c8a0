#pragma once
// What the report commands (budget, annual, graph) share: months given as "YYYY-MM", the
// reports' own settings read from the data file, and amounts as JSON.

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/LedgerCommand.h"
#include "rules/Calendar.h"

namespace sorami::cli {

// The option "--name YYYY-MM": a month of the years 101 to 9999; a word on `err` otherwise.
std::optional<YearMonth> monthOption(const Options& options, const std::string& name,
                                     std::ostream& err);

// The N months ending with `last` must not begin before the year 101.
bool monthsFit(YearMonth last, int months, std::ostream& err);

// "#rrggbb"
std::string colourText(uint32_t rgb);

}  // namespace sorami::cli
