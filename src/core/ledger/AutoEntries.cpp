#include "ledger/AutoEntries.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr char16_t kCash[] = u"現金";

DefaultPrompts gNoQuestions;

Prompts& promptsOf(CHinmeiList& store) {
  Prompts* p = store.context().prompts;
  return p != nullptr ? *p : gNoQuestions;
}

int64_t monthIndex(YearMonth ym) {
  return int64_t{ym.year} * 12 + (ym.month - 1);
}

// 1899-12-30, day 0, is where a date that was never set lands; no line is written there, nor
// on the days that belong to the definitions and the end marker.
bool isWritableDay(Day day) {
  return day != InvalidDay && day != 0 && day > MinDay && day < MaxDay;
}

bool ymdAfter(const Ymd& a, int year, int month, int day) {
  if (a.year != year) return a.year > year;
  if (a.month != month) return a.month > month;
  return a.day > day;
}

// The leading whole number of a text after any white space, line breaks included ("\n\n7,..."
// gives 7); 0 when there is none.
int leadingNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() &&
         (text[i] == u' ' || text[i] == u'\u3000' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  int value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min(value * 10 + (text[i] - u'0'), 1'000'000);
  }
  return negative ? -value : value;
}

std::u16string number(int64_t n) {
  const std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

std::optional<int32_t> ordinaryAmount(const CAutoRule& r, int month) {
  if (r.firstAmount != 0 && r.executedCount == 0) return r.firstAmount;
  if (r.lastAmount != 0 && int64_t{r.plannedCount} == int64_t{r.executedCount} + 1) {
    return r.lastAmount;
  }
  if (r.specialAmount != 0 && r.skipBase != 0 &&
      (month == r.specialMonth1 || month == r.specialMonth2)) {
    return std::nullopt;
  }
  if (r.baseAmount != 0) return r.baseAmount;
  if (r.firstAmount != 0 || r.lastAmount != 0 || r.specialAmount != 0) return std::nullopt;
  return 0;
}

std::optional<std::u16string> ruleFault(const CHinmeiList& store, const CAutoRule& rule) {
  if (std::optional<std::u16string> fault = rule.fault()) return fault;
  const CHinmei* destination = store.itemByNumber(rule.destinationItem);
  if (destination == nullptr || (destination->flags & EF_DIRECTION_MASK) == 0) return u"支出先";
  return std::nullopt;
}

bool ruleSourceIsCash(const CHinmeiList& store, const CAutoRule& rule) {
  const CHinmei* source = rule.sourceItem >= 0 ? store.itemByNumber(rule.sourceItem) : nullptr;
  if (source == nullptr) return true;
  if ((source->flags & (EF_ACCOUNT | EF_LOAN)) == 0) return false;
  return rule.sourceName.empty() || rule.sourceName == kCash;
}

void sortByDueDay(std::vector<PendingEntry>& pending) {
  const size_t n = pending.size();
  if (n < 2) return;
  size_t gap = n;
  bool swapped = true;
  while (gap > 1 || swapped) {
    gap = (gap * 10 + 3) / 13;
    if (gap == 9 || gap == 10) gap = 11;
    if (gap < 1) gap = 1;
    swapped = false;
    for (size_t i = 0; i + gap < n; ++i) {
      if (pending[i].due > pending[i + gap].due) {
        std::swap(pending[i], pending[i + gap]);
        swapped = true;
      }
    }
  }
}

struct CAutoEntries::RunState {
  bool lookAhead = false;
  bool writeAll = false;    // 全て実行: no more questions for lines with an amount
  bool askNothing = false;  // no more questions at all
  size_t remaining = 0;
  int rule = 0;
  Prompts* prompts = nullptr;
  AutoEntryReport* report = nullptr;
};

CAutoEntries::CAutoEntries(CHinmeiList& store, const AutoEntryOptions& options,
                           const HolidayCalendar& holidays)
    : store_(store), options_(options), holidays_(holidays) {}

// The leading number of an account's settings text: its first line when that holds one, else
// the watch days that follow the empty lines, so a watched account looks as far ahead as it is
// watched.
int CAutoEntries::lookAheadDays(const CAutoRule& rule) {
  const auto daysOf = [this](int32_t item, const std::u16string& name) {
    const CHinmei* def = item >= 0 ? store_.itemByNumber(item) : nullptr;
    if (def == nullptr || (def->flags & (EF_ACCOUNT | EF_LOAN)) == 0) return 0;
    const CAccount* account =
        store_.find((def->flags & EF_ACCOUNT) != 0 ? kKindAccount : kKindLoan, name);
    if (account == nullptr) return 0;
    return std::clamp(leadingNumber(account->settingsText()), 0, kMaxLookAheadDays);
  };
  return std::max(daysOf(rule.sourceItem, rule.sourceName),
                  daysOf(rule.destinationItem, rule.destinationName));
}

// One ordinary line per scheduled month, from the month after the last one written. The count
// each line will be written with decides whether the month has a line at all.
void CAutoEntries::collectOrdinary(int slot, const CAutoRule& rule, Day horizon,
                                   std::vector<PendingEntry>& out) {
  YearMonth ym = rule.executedCount != 0 ? nextMonth({rule.lastYear, rule.lastMonth})
                                         : YearMonth{rule.startYear, rule.startMonth};
  int step = 1;
  switch (scheduleKind(rule.scheduleCode)) {
    case ScheduleKind::OddMonths:
      if (ym.month % 2 == 0) ym = nextMonth(ym);
      step = 2;
      break;
    case ScheduleKind::EvenMonths:
      if (ym.month % 2 != 0) ym = nextMonth(ym);
      step = 2;
      break;
    case ScheduleKind::Yearly:
    case ScheduleKind::YearlyWeekday:
      // The first of its months from there: a special line written since the last ordinary
      // one does not push the yearly line into the next year.
      ym = {ym.month <= rule.scheduleMonth ? ym.year : ym.year + 1, rule.scheduleMonth};
      step = 12;
      break;
    case ScheduleKind::FixedDate: {
      // Its own month only, or the rule would write its date again every later month.
      const YearMonth own{rule.scheduleYear, rule.scheduleMonth};
      if (monthIndex(own) < monthIndex(ym)) return;
      ym = own;
      step = 12 * 10'000;
      break;
    }
    default:
      break;
  }
  const Ymd h = ymdFromDay(horizon);
  const YearMonth end{h.year, h.month};
  int64_t left = rule.plannedCount == 0 ? std::numeric_limits<int64_t>::max()
                                        : int64_t{rule.plannedCount} - rule.executedCount;
  CAutoRule counted = rule;
  for (; monthIndex(ym) <= monthIndex(end) && left > 0; ym = addMonths(ym, step)) {
    const Day due =
        ruleDueDate(rule, ym.year, ym.month, rule.scheduleCode, options_.restDays, holidays_);
    if (due == InvalidDay || due > horizon) continue;
    if (!ordinaryAmount(counted, ym.month)) continue;
    if (out.size() >= kMaxPendingEntries) {
      capped_ = true;
      return;
    }
    const Day limit = ym == end ? horizon : lastDayOfMonth(ym.year, ym.month);
    out.push_back({slot, false, limit, due});
    ++counted.executedCount;
    --left;
  }
}

// The special lines in their months, from the month after the last one written. A month whose
// last special line was written before the month ended is looked at again for its other one.
void CAutoEntries::collectSpecial(int slot, const CAutoRule& rule, Day horizon,
                                  std::vector<PendingEntry>& out) {
  const std::pair<int, int> specials[] = {{rule.specialMonth1, rule.specialDay1},
                                          {rule.specialMonth2, rule.specialDay2}};
  if ((specials[0].first == 0 || specials[0].second == 0) &&
      (specials[1].first == 0 || specials[1].second == 0)) {
    return;
  }
  const YearMonth start{rule.startYear, rule.startMonth};
  const YearMonth last{rule.lastSpecialYear, rule.lastSpecialMonth};
  YearMonth ym = start;
  bool partMonth = false;
  if (rule.executedCount != 0) {
    partMonth = rule.lastSpecialDay < daysInMonth(last.year, last.month);
    ym = partMonth ? last : nextMonth(last);
    if (monthIndex(ym) < monthIndex(start)) {
      ym = start;
      partMonth = false;
    }
  }
  const Ymd h = ymdFromDay(horizon);
  const YearMonth end{h.year, h.month};
  int64_t left = rule.plannedCount == 0 ? std::numeric_limits<int64_t>::max()
                                        : int64_t{rule.plannedCount} - rule.executedCount;
  for (; monthIndex(ym) <= monthIndex(end) && left > 0; ym = nextMonth(ym)) {
    for (const auto& [month, day] : specials) {
      if (month != ym.month || day == 0) continue;
      const Day due = ruleDueDate(rule, ym.year, ym.month, day, options_.restDays, holidays_);
      if (due == InvalidDay || due > horizon) continue;
      if (partMonth && ym == last &&
          !ymdAfter(ymdFromDay(due), rule.lastSpecialYear, rule.lastSpecialMonth,
                    rule.lastSpecialDay)) {
        continue;
      }
      if (out.size() >= kMaxPendingEntries) {
        capped_ = true;
        return;
      }
      const Day limit = ym == end ? horizon : lastDayOfMonth(ym.year, ym.month);
      out.push_back({slot, true, limit, due});
      --left;
    }
  }
}

std::vector<PendingEntry> CAutoEntries::collect(Day base, bool lookAhead) {
  std::vector<PendingEntry> pending;
  inactive_.clear();
  capped_ = false;
  if (options_.stopped) return pending;
  for (int slot = 0; slot < store_.ruleCount() && !capped_; ++slot) {
    const std::optional<CAutoRule> rule = store_.rule(slot);
    if (!rule) continue;
    if (ruleFault(store_, *rule)) {
      inactive_.push_back(slot);
      continue;
    }
    if (rule->hasEnded()) continue;
    const Day horizon = addDays(base, lookAhead ? lookAheadDays(*rule) : 0);
    collectOrdinary(slot, *rule, horizon, pending);
    collectSpecial(slot, *rule, horizon, pending);
  }
  sortByDueDay(pending);
  return pending;
}

std::optional<int32_t> CAutoEntries::amountOf(const PendingEntry& p, const CAutoRule& rule) const {
  if (p.special) return rule.specialAmount;
  return ordinaryAmount(rule, ymdFromDay(p.limit).month);
}

std::u16string CAutoEntries::proposalText(const CAutoRule& rule) const {
  const CHinmei* source = store_.itemByNumber(rule.sourceItem);
  const CHinmei* destination = store_.itemByNumber(rule.destinationItem);
  const std::u16string sourceText = ruleSourceIsCash(store_, rule) || source == nullptr
                                        ? std::u16string(kCash)
                                        : source->name + u"：" + rule.sourceName;
  return formatMessage(
      MessageId::AutoEntryText,
      {sourceText, destination != nullptr ? destination->name.str() : std::u16string(),
       rule.destinationName});
}

void CAutoEntries::registerForLookAhead(const CHinmei& line) {
  if (!line.isTransfer()) return;
  const uint16_t kind = (line.flags & EF_ACCOUNT) != 0 ? kKindAccount : kKindLoan;
  if (!store_.definitionByName(line.name, kind)) store_.registerAccount(line.name, kind, -1, 0);
}

CAutoEntries::Outcome CAutoEntries::insertLines(const CAutoRule& rule, Day date, int32_t amount,
                                                RunState& state) {
  const CHinmei* destination = store_.itemByNumber(rule.destinationItem);
  const CHinmei* source = rule.sourceItem >= 0 ? store_.itemByNumber(rule.sourceItem) : nullptr;
  if (destination == nullptr) return Outcome::Refused;
  const bool cash = ruleSourceIsCash(store_, rule) || source == nullptr;
  std::u16string destinationMemo;
  std::u16string sourceMemo;
  if (options_.memo) {
    const uint16_t from = source != nullptr ? source->flags : 0;
    const std::u16string prefix = (from & EF_ACCOUNT) != 0 ? u"口座:"
                                  : (from & EF_LOAN) != 0  ? u"借入:"
                                                           : u"";
    destinationMemo = prefix + rule.sourceName + u"から(自動記入)";
    sourceMemo = destination->name + u":" + rule.destinationName + u"へ(自動記入)";
  }
  CHinmei destinationLine(date, destination->item, destination->flags & 0x7FFF,
                          rule.destinationName, destinationMemo, amount);
  const auto record = [&](CHinmeiList::Position p) {
    state.report->written.push_back({state.rule, p->date, p->item, p->flags, p->name.str(),
                                     std::u16string(p->visibleMemo()), p->amount});
  };
  if (cash) {
    if (state.lookAhead) registerForLookAhead(destinationLine);
    const std::optional<CHinmeiList::Position> p = store_.insert(std::move(destinationLine));
    if (!p || (*p)->isDefinition()) return Outcome::Refused;
    record(*p);
    return Outcome::Written;
  }
  CHinmei sourceLine(date, source->item, static_cast<uint16_t>((source->flags & 0x77FF) | EF_PAIR),
                     rule.sourceName, sourceMemo, amount);
  if (state.lookAhead) {
    registerForLookAhead(sourceLine);
    registerForLookAhead(destinationLine);
  }
  bool firstStored = false;
  const std::optional<CHinmeiList::Position> second =
      store_.insertPair(std::move(sourceLine), std::move(destinationLine), &firstStored);
  if (!second) return firstStored ? Outcome::SecondRefused : Outcome::Refused;
  record(std::prev(*second));
  record(*second);
  return Outcome::Written;
}

// Writes one due line; false when the user ended the run.
bool CAutoEntries::write(const PendingEntry& p, RunState& state) {
  // Read again: an earlier line of this run may have ended the rule.
  std::optional<CAutoRule> rule = store_.rule(p.rule);
  if (!rule || rule->hasEnded()) return true;
  const std::optional<int32_t> amount = amountOf(p, *rule);
  if (!amount || (state.lookAhead && *amount == 0)) return true;
  Day date = p.due;
  int32_t value = *amount;
  if (!isWritableDay(date)) return true;
  bool writeLine = true;
  const bool ask = !state.lookAhead && !state.askNothing &&
                   (value == 0 || (options_.confirm && !state.writeAll));
  if (ask) {
    AutoEntryProposal proposal{date, proposalText(*rule), value, options_.decimalPlaces,
                               state.remaining};
    const AutoEntryChoice choice = state.prompts->confirmAutoEntry(proposal);
    if (choice == AutoEntryChoice::StopAll) return false;
    if (choice == AutoEntryChoice::Skip) return true;
    if (choice == AutoEntryChoice::WriteAll) state.writeAll = true;
    if (choice == AutoEntryChoice::WriteRemaining) state.askNothing = true;
    writeLine = choice != AutoEntryChoice::Cancel;
    date = proposal.date;
    value = proposal.amount;
    if (writeLine && !isWritableDay(date)) return true;
  }
  if (writeLine) {
    // The running state comes to the line's day first, so the line is placed in a few steps
    // however far back it lies.
    store_.computeToDay(addDays(date, 1));
    state.rule = p.rule;
    // A pair whose second half was refused is taken out whole and stays due.
    if (insertLines(*rule, date, value, state) == Outcome::SecondRefused) return true;
  }
  const Ymd limit = ymdFromDay(p.limit);
  if (p.special) {
    rule->lastSpecialYear = limit.year;
    rule->lastSpecialMonth = limit.month;
    rule->lastSpecialDay = limit.day;
  } else {
    rule->lastYear = limit.year;
    rule->lastMonth = limit.month;
    rule->lastDay = limit.day;
  }
  ++rule->executedCount;
  store_.setRule(p.rule, *rule);
  return true;
}

AutoEntryReport CAutoEntries::execute(Day base, bool lookAhead) {
  AutoEntryReport report;
  const std::vector<PendingEntry> pending = collect(base, lookAhead);
  report.collected = pending.size();
  report.inactive = inactive_;
  report.capped = capped_;
  RunState state;
  state.lookAhead = lookAhead;
  state.report = &report;
  state.prompts = &promptsOf(store_);
  if (!lookAhead && options_.tellFaults) {
    for (const int slot : inactive_) {
      const std::optional<CAutoRule> rule = store_.rule(slot);
      const std::u16string what = rule->describe() + u" " + rule->destinationName;
      state.prompts->inform(MessageId::AutoRuleInactive,
                            {number(slot + 1), what, *ruleFault(store_, *rule)}, Icon::Warning);
    }
    if (capped_) {
      state.prompts->inform(MessageId::AutoEntriesCapped, {number(kMaxPendingEntries)},
                            Icon::Warning);
    }
  }
  for (size_t i = 0; i < pending.size(); ++i) {
    state.remaining = pending.size() - i - 1;
    if (!write(pending[i], state)) {
      report.stopped = true;
      break;
    }
  }
  return report;
}

std::vector<DueLine> CAutoEntries::preview(Day base) {
  std::vector<DueLine> lines;
  const std::vector<PendingEntry> pending = collect(base, false);
  std::vector<std::optional<CAutoRule>> rules(static_cast<size_t>(store_.ruleCount()));
  for (const PendingEntry& p : pending) {
    std::optional<CAutoRule>& rule = rules[static_cast<size_t>(p.rule)];
    if (!rule) rule = store_.rule(p.rule);
    if (rule->hasEnded()) continue;
    const std::optional<int32_t> amount = amountOf(p, *rule);
    if (!amount || !isWritableDay(p.due)) continue;
    lines.push_back({p.rule, p.due, *amount, p.special});
    ++rule->executedCount;
  }
  return lines;
}

std::vector<CAutoRule> CAutoEntries::removeFinished() {
  std::vector<CAutoRule> removed;
  for (int slot = store_.ruleCount() - 1; slot >= 0; --slot) {
    const std::optional<CAutoRule> rule = store_.rule(slot);
    if (!rule || !rule->isFinished()) continue;
    removed.insert(removed.begin(), *rule);
    store_.removeRule(slot);
  }
  return removed;
}

}  // namespace sorami
