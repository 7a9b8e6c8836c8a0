#pragma once
// Reading back the comma-separated lines of the export: ordinary lines become entries for the
// store to insert; lines whose item the file does not have are set aside with the reason.
// Anything that makes the text untrustworthy (broken quoting, wrong columns, a date or amount
// that cannot be read or does not fit) stops the reading with the line where it happened.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

// More lines than this in one import are refused: the text is taken for damaged, and neither
// the lines set aside nor the entries may fill the memory.
inline constexpr uint64_t kMaxImportLines = 1'000'000;

struct ImportOptions {
  char16_t delimiter = u',';
  int decimalPlaces = 0;
  std::optional<Day> day;  // the date of lines whose date field is empty
  bool skipZeroAmounts = true;
  uint64_t maxLines = kMaxImportLines;
};

enum class SkipReason { UnknownItem, Transfer, ZeroAmount };

struct SkippedLine {
  size_t line = 0;  // line of the text, from 1
  SkipReason reason = SkipReason::UnknownItem;
  std::string item;
};

enum class ImportFailure {
  None,
  Syntax,        // quoting or encoding (see `detail`)
  Columns,       // not 6 or 7 fields
  Date,          // no readable date
  Amount,        // not a number, both or neither amount given, digits beyond the decimal places
  AmountRange,   // beyond what an amount holds
  TooManyLines,  // more than maxLines lines (kept or set aside)
};

struct ImportResult {
  std::vector<CHinmei> lines;  // in the order of the text
  std::vector<SkippedLine> skipped;
  ImportFailure failure = ImportFailure::None;
  size_t failureLine = 0;
  std::string detail;  // the field or the reason that failed
};

ImportResult readImportCsv(std::istream& in, const CHinmeiList& list, const ImportOptions& options);

// Inserts the lines read, each after the lines its day already has. The day of the first line
// the store refused (the lines before it are in), or nothing when every line was stored.
std::optional<Day> storeImportedLines(CHinmeiList& list, std::vector<CHinmei>& lines);

}  // namespace sorami
