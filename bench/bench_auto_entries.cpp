// The processing after a file is opened, on a large ledger: 200 automatic-entry rules on
// 1,000,000 lines. Prints what it adds to opening the file when nothing is due, and what it
// takes when the file was left closed for ten years (about 24,000 due lines), without dialogs:
// the look-ahead on copies, the balance watch, the real run and the removal of finished rules.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "BenchLedger.h"
#include "config/Config.h"
#include "document/StartUpProcessing.h"
#include "rules/Holidays.h"

using namespace sorami;
using namespace sorami::bench;

namespace {

constexpr int kRules = 200;
const Day kFirstLine = dayFromYmd(2005, 7, 1);
const Day kToday = dayFromYmd(2025, 6, 30);

// A quarter each: withdrawals from an account (pairs), income, deposits into an account and
// expenses that move off weekends and holidays. All last ran in (year, month) with `count`.
void addRules(CHinmeiList& store, int year, int month, int count) {
  for (int i = 0; i < kRules; ++i) {
    CAutoRule r = CAutoRule::makeDefault(kToday);
    const std::u16string account = wide("account" + std::to_string(i % kAccounts));
    r.sourceName = u"現金";
    r.holidayRule = 0;
    switch (i % 4) {
      case 0:
        r.sourceItem = kOutOfAccountItem;
        r.sourceName = account;
        r.destinationItem = i % (kExpenseItems - 2);
        r.destinationName = u"引落";
        break;
      case 1:
        r.destinationItem = kExpenseItems + i % (kIncomeItems - 2);
        r.destinationName = u"給与";
        break;
      case 2:
        r.destinationItem = kIntoAccountItem;
        r.destinationName = account;
        break;
      default:
        r.destinationItem = i % (kExpenseItems - 2);
        r.destinationName = u"支払";
        r.holidayRule = HR_AFTER;
        break;
    }
    r.scheduleCode = 1 + i % 28;
    r.baseAmount = 1000 + i;
    r.startYear = 2005;
    r.startMonth = 7;
    r.lastYear = r.lastSpecialYear = year;
    r.lastMonth = r.lastSpecialMonth = month;
    r.lastDay = r.lastSpecialDay = daysInMonth(year, month);
    r.executedCount = count;
    store.addRule(r);
  }
}

std::unique_ptr<CHinmeiList> ledger(int year, int month, int count) {
  auto store = std::make_unique<CHinmeiList>();
  buildLedger(*store, kFirstLine, 10);
  addRules(*store, year, month, count);
  LedgerContext& c = store->context();
  c.today = kToday;
  c.window.currentDay = kToday;
  c.window.mode = DisplayMode::DayInput;
  // As the document leaves a file it has just read.
  store->computeToDay(kToday, true);
  return store;
}

struct Run {
  double ms = 0;
  size_t written = 0;
};

Run startUp(CHinmeiList& store, const CConfig& config, const CHoliday& holidays) {
  StartUpResult result;
  const double us = microseconds([&] {
    result = StartUpProcessing().run(store, config, holidays, kToday);
    store.computeToDay(kToday);
  });
  return {us / 1000, result.written.written.size()};
}

}  // namespace

int main() {
  const CConfig config;
  const CHoliday holidays;

  std::unique_ptr<CHinmeiList> upToDate = ledger(2025, 6, 240);
  Run idle{1e18, 0};
  for (int i = 0; i < 5; ++i) {
    const Run r = startUp(*upToDate, config, holidays);
    idle.ms = std::min(idle.ms, r.ms);
    idle.written += r.written;
  }
  std::printf("start-up with nothing due, %d rules, %zu entries: %.3f ms, %zu lines (goal 2 ms)\n",
              kRules, upToDate->size(), idle.ms, idle.written);
  upToDate.reset();

  Run catchUp{1e18, 0};
  for (int i = 0; i < 3; ++i) {
    std::unique_ptr<CHinmeiList> store = ledger(2015, 6, 120);
    const Run r = startUp(*store, config, holidays);
    catchUp.ms = std::min(catchUp.ms, r.ms);
    catchUp.written = r.written;
  }
  std::printf(
      "start-up after ten years away, %d rules: %.1f ms for %zu ledger lines "
      "(goal 200 ms)\n",
      kRules, catchUp.ms, catchUp.written);
  return 0;
}
