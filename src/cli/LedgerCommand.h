#pragma once
// What the ledger commands (balance, totals, period, matrix, add, holidays) share: the holiday
// table they compute periods with, and a data file opened through the document with its store
// set up from the file's settings.

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/DocumentCommand.h"
#include "document/LedgerSetup.h"
#include "rules/Holidays.h"

namespace sorami::cli {

using Json = nlohmann::ordered_json;

// Splits the arguments of a command that opens one FILE: its own value options and flags besides
// --password, --holiday-file, --today and the flag --yes. Nothing unless exactly one file is
// named.
std::optional<Options> parseFileCommand(const std::vector<std::string>& args,
                                        std::set<std::string> values, std::ostream& err,
                                        std::set<std::string> flags = {});
// The required --date option.
std::optional<Day> dateOption(const Options& options, std::ostream& err);

// The holiday table: the one of --holiday-file, else the built-in default table (so the
// figures do not depend on whose account runs the command). Nothing after the failure to read
// the file was reported on `err`.
std::optional<CHoliday> holidaysForCommand(const Options& options, Prompts& prompts,
                                           std::ostream& err);

// A data file opened for a ledger command.
class LedgerCommand {
 public:
  LedgerCommand(std::ostream& err, const Options& options);

  // Reads the holiday table and opens the file; kExitOk, or the status after the failure was
  // reported (kExitUnreadable).
  int open(const std::string& path);

  // Sets the store up with the file's settings for `day` in `mode`.
  void setUp(Day day, DisplayMode mode);
  // The same, and computes the figures of the window around `day`.
  void show(Day day, DisplayMode mode);
  // The same for the day input mode, with the balances at the start of `day`.
  void computeTo(Day day);

  CHinmeiList& store() { return *document_.doc.entries(); }
  const CConfig& config() { return document_.doc.config(); }
  CSoramiDoc& doc() { return document_.doc; }
  // Before open(): the command saves what it read (see CommandDocument::holdForSaving).
  void holdForSaving() { document_.holdForSaving(); }
  // Before open(): the command only reports and never saves.
  void readOnly() { document_.doc.openForReadingOnly(); }
  // Before open(): the command computes every figure it reports (computeTo, show or a report
  // of its own), so opening computes none.
  void figuresOnDemand() { document_.doc.skipOpeningFigures(); }
  CommandPrompts& prompts() { return document_.prompts; }
  const CHoliday& holidays() const { return holidays_; }

 private:
  LedgerSetup setupFor(Day day, DisplayMode mode);

  std::ostream& err_;
  const Options& options_;
  CommandDocument document_;
  CHoliday holidays_;
};

// The item of that name; a number names the item of that number when no item has it as name.
const CHinmei* findItem(const CHinmeiList& store, const std::u16string& text);

// "YYYY-MM" of a month's first day (or of any day of it).
std::string monthText(Day day);
std::string monthText(YearMonth ym);

// Parses "YYYY-MM" of a month between 0100-01 and 9999-12; a word on `err` otherwise.
std::optional<YearMonth> parseMonthOption(const std::string& text, std::ostream& err);

// Parses an integer option that must lie in [low, high]; a word on `err` otherwise.
std::optional<int> boundedOption(const Options& options, const std::string& name, int low, int high,
                                 std::ostream& err);

}  // namespace sorami::cli
