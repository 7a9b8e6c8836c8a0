#pragma once
// Writing the ledger lines of automatic-entry rules that have become due: collecting them from
// every rule as of a day, putting them in date order, asking the user where the file wants it,
// writing single lines and pairs, and keeping each rule's execution state, so every line is
// written exactly once however long the file was left closed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"
#include "rules/AutoRule.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

class Prompts;

// What the configuration says about automatic entries.
struct AutoEntryOptions {
  bool stopped = false;      // "全ての自動記入を停止する"
  bool memo = false;         // "自動記入のﾃﾞｰﾀにﾒﾓを付ける"
  bool confirm = false;      // ask before each line is written
  unsigned restDays = 0x41;  // the weekly rest days the schedules move off
  int decimalPlaces = 0;
  // Tell of rules that cannot be run; off for the runs that only bring the ledger up to a day
  // before the run of today, which tells of them once.
  bool tellFaults = true;
};

// One due line found while collecting.
struct PendingEntry {
  int rule = 0;          // slot in the store's rule table
  bool special = false;  // a special entry (特別額) rather than an ordinary one
  Day limit = MinDay;    // the end of its month, or the horizon in the horizon's month; becomes
                         // the rule's last execution
  Day due = MinDay;      // the date of the line
};

// A ledger line a run wrote.
struct WrittenLine {
  int rule = 0;
  Day date = MinDay;
  uint16_t item = 0;
  uint16_t flags = 0;
  std::u16string name;
  std::u16string memo;
  int32_t amount = 0;
};

// A line a run would write, with the amount it would have.
struct DueLine {
  int rule = 0;
  Day date = MinDay;
  int32_t amount = 0;
  bool special = false;
};

// One run can write this many lines; the rest stay due for the next run.
inline constexpr size_t kMaxPendingEntries = 100'000;
// An account's look-ahead is taken up to this many days.
inline constexpr int kMaxLookAheadDays = 999;

struct AutoEntryReport {
  size_t collected = 0;
  std::vector<WrittenLine> written;  // one element per ledger line: a pair is two
  std::vector<int> inactive;         // slots of rules that make no sense and were not run
  bool capped = false;               // more lines were due than one run writes
  bool stopped = false;              // the user chose 全て中止
};

// The amount of an ordinary entry of a rule in a month, from the rule's executed count: the
// first amount for the first line, the last amount for the last planned one, else the base
// amount; nothing when the rule writes no ordinary line then.
std::optional<int32_t> ordinaryAmount(const CAutoRule& rule, int month);

// Why the rule in a slot cannot be run, named as its dialog names the field; nothing when it can.
std::optional<std::u16string> ruleFault(const CHinmeiList& store, const CAutoRule& rule);

// Whether the rule's source is cash: no source item, or an account or loan item without a name.
bool ruleSourceIsCash(const CHinmeiList& store, const CAutoRule& rule);

// Puts the lines in order of their due day (a comb sort: lines of one day keep the order it
// leaves them in).
void sortByDueDay(std::vector<PendingEntry>& pending);

class CAutoEntries {
 public:
  CAutoEntries(CHinmeiList& store, const AutoEntryOptions& options,
               const HolidayCalendar& holidays);

  // The due lines of every rule as of `base`, in order of their due day. With `lookAhead` each
  // rule looks as many days further as its accounts ask for.
  std::vector<PendingEntry> collect(Day base, bool lookAhead);

  // Collects and writes. The real run asks through the store's prompts (when the file wants
  // confirmation, and for lines of amount 0) and tells about rules it cannot run; the
  // look-ahead run asks nothing and writes no line of amount 0.
  AutoEntryReport execute(Day base, bool lookAhead);

  // What execute(base, false) would write with every question answered 実行, writing nothing.
  std::vector<DueLine> preview(Day base);

  // Removes the rules that asked to be removed after their last line; returns them.
  std::vector<CAutoRule> removeFinished();

 private:
  struct RunState;
  enum class Outcome { Written, Refused, SecondRefused };

  int lookAheadDays(const CAutoRule& rule);
  void collectOrdinary(int slot, const CAutoRule& rule, Day horizon,
                       std::vector<PendingEntry>& out);
  void collectSpecial(int slot, const CAutoRule& rule, Day horizon, std::vector<PendingEntry>& out);
  std::optional<int32_t> amountOf(const PendingEntry& p, const CAutoRule& rule) const;
  bool write(const PendingEntry& p, RunState& state);
  Outcome insertLines(const CAutoRule& rule, Day date, int32_t amount, RunState& state);
  void registerForLookAhead(const CHinmei& line);
  std::u16string proposalText(const CAutoRule& rule) const;

  CHinmeiList& store_;
  AutoEntryOptions options_;
  const HolidayCalendar& holidays_;
  std::vector<int> inactive_;
  bool capped_ = false;
};

}  // namespace sorami
