#pragma once
// What runs after a data file was opened or created, in order: card settlement (once cards
// exist) first, then the automatic entries: a look-ahead run on copies for the balance watch,
// the real run as of today, and the removal of the rules that have finished. Each step is
// named, so later work can put its own step in its place.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/Config.h"
#include "ledger/AutoEntries.h"
#include "ledger/BalanceWatch.h"
#include "ledger/CardSettlement.h"
#include "ledger/HinmeiList.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

class CSoramiDoc;
class Prompts;

// The settings of automatic entries in a file's configuration.
AutoEntryOptions autoEntryOptions(const CConfig& config);

struct StartUpResult {
  std::vector<CardSettlement> settlements;   // card months settled, in order of their closings
  AutoEntryReport lookAhead;                 // what the look-ahead run wrote into its copies
  AutoEntryReport written;                   // what the real run wrote into the ledger
  std::vector<CAutoRule> removedRules;       // rules removed after their last line
  std::vector<ShortfallWarning> shortfalls;  // to be shown once the window is up
};

// What the steps of one start-up share.
struct StartUpRun {
  CHinmeiList& store;
  const CConfig& config;
  const HolidayCalendar& holidays;
  Day today;
  AutoEntryOptions options;
  std::unique_ptr<CHinmeiList> lookAhead;  // the copies, while the watch needs them
  StartUpResult result;
};

// The names of the standard steps.
inline constexpr std::string_view kStepCards = "cards";
inline constexpr std::string_view kStepLookAhead = "look-ahead";
inline constexpr std::string_view kStepBalanceWatch = "balance-watch";
inline constexpr std::string_view kStepAutoEntries = "auto-entries";
inline constexpr std::string_view kStepFinishedRules = "finished-rules";

class StartUpProcessing {
 public:
  using Step = std::function<void(StartUpRun&)>;

  // The standard steps: cards, look-ahead, balance-watch, auto-entries, finished-rules.
  StartUpProcessing();

  // Puts a step before the one named `before` (at the end when there is none). Card settlement
  // goes before kStepLookAhead, so the payment rules it stores are run like any other; a step
  // that makes rules belongs there too.
  void insertBefore(std::string_view before, std::string name, Step step);
  std::vector<std::string> stepNames() const;

  // Runs the steps on the store as of `today`; messages and questions go through the store's
  // prompts.
  StartUpResult run(CHinmeiList& store, const CConfig& config, const HolidayCalendar& holidays,
                    Day today) const;

 private:
  std::vector<std::pair<std::string, Step>> steps_;
};

// The start-up processing of the document's ledger as of the document's today; afterwards the
// running state is back at the document's current day.
StartUpResult runStartUp(CSoramiDoc& doc, const HolidayCalendar& holidays,
                         const StartUpProcessing& processing = StartUpProcessing());

// Tells the user of each shortfall the balance watch found.
void reportShortfalls(const StartUpResult& result, Prompts& prompts);

struct ForcedRun {
  AutoEntryReport written;
  std::vector<CAutoRule> removedRules;
};

// The command "自動記入の強制実行": asks first (No is the default), then writes what is due up
// to the current day and removes the rules that finished. Nothing when the user said No.
std::optional<ForcedRun> forcedAutoEntries(CHinmeiList& store, const CConfig& config,
                                           const HolidayCalendar& holidays, Day currentDay);

}  // namespace sorami
