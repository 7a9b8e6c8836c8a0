#include "document/StartUpProcessing.h"

#include <algorithm>

#include "document/SoramiDoc.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

Prompts& promptsOf(CHinmeiList& store) {
  static DefaultPrompts none;
  return store.context().prompts != nullptr ? *store.context().prompts : none;
}

template <typename T>
void append(std::vector<T>& to, std::vector<T>&& from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// Settles the cards whose closing passed; the lines it wrote on the way count as written by
// the run.
void cardsStep(StartUpRun& run) {
  CardSettlementRun cards = settleCards(run.store, run.options, run.holidays, run.today);
  run.result.settlements = std::move(cards.settlements);
  run.result.written = std::move(cards.written);
  append(run.result.removedRules, std::move(cards.removedRules));
}

// The look-ahead writes the lines of the coming days into copies, where the watch finds them;
// it shows nothing and asks nothing.
void lookAheadStep(StartUpRun& run) {
  run.lookAhead = makeLookAheadStore(run.store, run.today);
  run.result.lookAhead =
      CAutoEntries(*run.lookAhead, run.options, run.holidays).execute(run.today, true);
}

void balanceWatchStep(StartUpRun& run) {
  if (!run.lookAhead) return;
  balanceWatch(*run.lookAhead, run.today);
  run.result.shortfalls = shortfallWarnings(*run.lookAhead, run.today, run.config.decimalPlaces);
  run.lookAhead.reset();
}

void autoEntriesStep(StartUpRun& run) {
  AutoEntryReport today =
      CAutoEntries(run.store, run.options, run.holidays).execute(run.today, false);
  AutoEntryReport& written = run.result.written;
  append(written.written, std::move(today.written));
  written.collected += today.collected;
  written.inactive = std::move(today.inactive);
  written.capped = today.capped;
  written.stopped = written.stopped || today.stopped;
}

void finishedRulesStep(StartUpRun& run) {
  append(run.result.removedRules,
         CAutoEntries(run.store, run.options, run.holidays).removeFinished());
}

}  // namespace

AutoEntryOptions autoEntryOptions(const CConfig& config) {
  AutoEntryOptions o;
  o.stopped = config.stopAutoEntries != 0;
  o.memo = config.memoOnAutoEntries != 0;
  o.confirm = config.confirmAutoEntries != 0;
  o.restDays = static_cast<unsigned>(config.weeklyRestDays);
  o.decimalPlaces = config.decimalPlaces;
  return o;
}

StartUpProcessing::StartUpProcessing() {
  steps_.emplace_back(kStepCards, cardsStep);
  steps_.emplace_back(kStepLookAhead, lookAheadStep);
  steps_.emplace_back(kStepBalanceWatch, balanceWatchStep);
  steps_.emplace_back(kStepAutoEntries, autoEntriesStep);
  steps_.emplace_back(kStepFinishedRules, finishedRulesStep);
}

void StartUpProcessing::insertBefore(std::string_view before, std::string name, Step step) {
  const auto at =
      std::find_if(steps_.begin(), steps_.end(), [&](const auto& s) { return s.first == before; });
  steps_.insert(at, {std::move(name), std::move(step)});
}

std::vector<std::string> StartUpProcessing::stepNames() const {
  std::vector<std::string> names;
  for (const auto& s : steps_) names.push_back(s.first);
  return names;
}

StartUpResult StartUpProcessing::run(CHinmeiList& store, const CConfig& config,
                                     const HolidayCalendar& holidays, Day today) const {
  StartUpRun run{store, config, holidays, today, autoEntryOptions(config), nullptr, {}};
  for (const auto& s : steps_) s.second(run);
  return std::move(run.result);
}

StartUpResult runStartUp(CSoramiDoc& doc, const HolidayCalendar& holidays,
                         const StartUpProcessing& processing) {
  CHinmeiList* store = doc.entries();
  if (store == nullptr) return {};
  StartUpResult result = processing.run(*store, doc.config(), holidays, doc.today());
  store->computeToDay(doc.currentDay());
  return result;
}

void reportShortfalls(const StartUpResult& result, Prompts& prompts) {
  for (const ShortfallWarning& w : result.shortfalls) {
    prompts.inform(MessageId::ShortfallWarning, w.messageArgs, Icon::Information);
  }
}

std::optional<ForcedRun> forcedAutoEntries(CHinmeiList& store, const CConfig& config,
                                           const HolidayCalendar& holidays, Day currentDay) {
  Prompts& prompts = promptsOf(store);
  if (prompts.ask(MessageId::ConfirmForcedAutoEntries, {}, Buttons::YesNo, Answer::No) !=
      Answer::Yes) {
    return std::nullopt;
  }
  CAutoEntries entries(store, autoEntryOptions(config), holidays);
  ForcedRun run;
  run.written = entries.execute(currentDay, false);
  run.removedRules = entries.removeFinished();
  store.computeToDay(currentDay);
  return run;
}

}  // namespace sorami
