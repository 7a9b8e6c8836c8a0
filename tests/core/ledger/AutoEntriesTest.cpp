#include "ledger/AutoEntries.h"

#include <gtest/gtest.h>

#include "LedgerFixture.h"
#include "ledger/BalanceWatch.h"

namespace sorami::test {
namespace {

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

class AutoEntriesTest : public ::testing::Test, public LedgerFixture {
 protected:
  AutoEntriesTest() { setToday(ymd(2024, 1, 1)); }

  void setToday(Day d) {
    store.context().today = d;
    showDay(d);
  }

  // A rule from cash (or the source given) that starts in (year, month) as the page makes it.
  int addRule(int32_t destination, std::u16string name, int code, int32_t base, int year, int month,
              void (*adjust)(CAutoRule&) = nullptr, int32_t source = -1,
              std::u16string sourceName = u"現金") {
    CAutoRule r = CAutoRule::makeDefault(store.context().today);
    r.sourceItem = source;
    r.sourceName = std::move(sourceName);
    r.destinationItem = destination;
    r.destinationName = std::move(name);
    r.scheduleCode = code;
    r.baseAmount = base;
    r.startYear = year;
    r.startMonth = month;
    r.holidayRule = 0;
    if (adjust != nullptr) adjust(r);
    r.startAsNew();
    return store.addRule(r).value();
  }

  AutoEntryReport run(Day base) {
    setToday(base);
    return CAutoEntries(store, options, holidays).execute(base, false);
  }

  std::vector<CHinmei> lines() {
    std::vector<CHinmei> out;
    for (auto p = store.firstDated(); p != store.end(); ++p) {
      if (!p->isEndMarker()) out.push_back(*p);
    }
    return out;
  }

  CAutoRule ruleOf(int slot) { return store.rule(slot).value(); }

  // Three lines due, the second of amount 0, and the first answer given: how many questions.
  size_t questionsAfter(AutoEntryChoice first) {
    options.confirm = true;
    store.context().options.skipZeroAmounts = false;
    addRule(kFood, u"a", 5, 100, 2024, 1);
    addRule(kFood, u"zero", 6, 0, 2024, 1);
    addRule(kFood, u"c", 7, 300, 2024, 1);
    prompts.autoEntryChoices = {first};
    run(ymd(2024, 1, 10));
    EXPECT_EQ(lines().size(), 3u);
    return prompts.proposals.size();
  }

  NoHolidays holidays;
  AutoEntryOptions options;
};

TEST_F(AutoEntriesTest, ACatchUpWritesEveryMonthOnceOldestFirstWithTheAmountOfItsCount) {
  const int rent =
      addRule(kGoods, u"家賃", 25, 80000, 2024, 1, [](CAutoRule& r) { r.firstAmount = 100000; });
  const AutoEntryReport first = run(ymd(2024, 3, 26));
  const std::vector<CHinmei> written = lines();
  ASSERT_EQ(written.size(), 3u);
  const Day days[] = {ymd(2024, 1, 25), ymd(2024, 2, 25), ymd(2024, 3, 25)};
  const int32_t amounts[] = {100000, 80000, 80000};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(written[i].date, days[i]);
    EXPECT_EQ(written[i].amount, amounts[i]);
    EXPECT_EQ(written[i].item, kGoods);
    EXPECT_EQ(written[i].flags, EF_EXPENSE);
    EXPECT_EQ(written[i].name, u"家賃");
  }
  EXPECT_EQ(first.written.size(), 3u);
  const CAutoRule after = ruleOf(rent);
  EXPECT_EQ(after.executedCount, 3);
  EXPECT_EQ((Ymd{after.lastYear, after.lastMonth, after.lastDay}), (Ymd{2024, 3, 26}));
  EXPECT_EQ(store.cashBalance(), 10000 - 260000);

  EXPECT_TRUE(run(ymd(2024, 3, 31)).written.empty());
  EXPECT_EQ(run(ymd(2024, 4, 25)).written.size(), 1u);
  EXPECT_EQ(lines().size(), 4u);
}

TEST_F(AutoEntriesTest, APreviewShowsWhatTheRunWritesAndWritesNothing) {
  addRule(kGoods, u"家賃", 25, 80000, 2024, 1, [](CAutoRule& r) { r.firstAmount = 100000; });
  addRule(kSalary, u"給料", 20, 250000, 2024, 2);
  setToday(ymd(2024, 3, 26));
  const std::vector<DueLine> preview =
      CAutoEntries(store, options, holidays).preview(ymd(2024, 3, 26));
  EXPECT_TRUE(lines().empty());
  const AutoEntryReport report = run(ymd(2024, 3, 26));
  ASSERT_EQ(preview.size(), report.written.size());
  for (size_t i = 0; i < preview.size(); ++i) {
    EXPECT_EQ(preview[i].date, report.written[i].date);
    EXPECT_EQ(preview[i].amount, report.written[i].amount);
    EXPECT_EQ(preview[i].rule, report.written[i].rule);
  }
  // Both rules, in date order.
  EXPECT_EQ(preview[1].date, ymd(2024, 2, 20));
  EXPECT_EQ(preview[1].rule, 1);
}

TEST_F(AutoEntriesTest, ATransferFromAnAccountIsAPairWithItsMemos) {
  account(u"A", 50000);
  options.memo = true;
  addRule(kFood, u"食材", 10, 3000, 2024, 1, nullptr, kOutOfAccount, u"A");
  run(ymd(2024, 1, 10));
  const std::vector<CHinmei> written = lines();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0].item, kOutOfAccount);
  EXPECT_EQ(written[0].flags, 0x4200 | EF_PAIR);
  EXPECT_EQ(written[0].name, u"A");
  EXPECT_EQ(written[0].memo, u"食費:食材へ(自動記入)");
  EXPECT_EQ(written[1].item, kFood);
  EXPECT_EQ(written[1].flags, EF_EXPENSE | EF_PAIR_MASK);
  EXPECT_EQ(written[1].memo, u"口座:Aから(自動記入)");
  showDay(ymd(2024, 1, 11));
  EXPECT_EQ(store.findAccount(u"A")->balance, 47000);
  EXPECT_EQ(store.cashBalance(), 10000);
}

TEST_F(AutoEntriesTest, EachButtonOfTheConfirmation) {
  options.confirm = true;
  const int cancelled = addRule(kFood, u"a", 5, 100, 2024, 1);
  const int skipped = addRule(kFood, u"b", 10, 200, 2024, 1);
  const int edited = addRule(kFood, u"c", 15, 300, 2024, 1);
  const int stopped = addRule(kFood, u"d", 20, 400, 2024, 1);
  prompts.autoEntryChoices = {AutoEntryChoice::Cancel, AutoEntryChoice::Skip,
                              AutoEntryChoice::Write, AutoEntryChoice::StopAll};
  prompts.autoEntryEdits = {
      {ymd(2024, 1, 5), 100}, {ymd(2024, 1, 10), 200}, {ymd(2024, 1, 12), 999}};
  const AutoEntryReport report = run(ymd(2024, 1, 20));
  EXPECT_TRUE(report.stopped);
  ASSERT_EQ(prompts.proposals.size(), 4u);
  EXPECT_EQ(prompts.proposals[0].text, u"［現金］\n↓\n［食費：a］");
  EXPECT_EQ(prompts.proposals[0].remaining, 3u);
  const std::vector<CHinmei> written = lines();
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].date, ymd(2024, 1, 12));
  EXPECT_EQ(written[0].amount, 999);
  EXPECT_EQ(ruleOf(cancelled).executedCount, 1);  // 取消 counts the line as done
  EXPECT_EQ(ruleOf(skipped).executedCount, 0);    // 中止 leaves it due
  EXPECT_EQ(ruleOf(edited).executedCount, 1);
  EXPECT_EQ(ruleOf(stopped).executedCount, 0);
  // The next run offers what was left.
  prompts.autoEntryEdits.clear();
  run(ymd(2024, 1, 20));
  EXPECT_EQ(lines().size(), 3u);
}

TEST_F(AutoEntriesTest, WriteAllStillAsksForAZeroAmount) {
  EXPECT_EQ(questionsAfter(AutoEntryChoice::WriteAll), 2u);
}

TEST_F(AutoEntriesTest, WriteRemainingAsksNothingMore) {
  EXPECT_EQ(questionsAfter(AutoEntryChoice::WriteRemaining), 1u);
}

TEST_F(AutoEntriesTest, ARuleStopsAtItsPlannedCountAndOnlyAFiniteOneIsRemoved) {
  const auto twice = [](CAutoRule& r) {
    r.plannedCount = 2;
    r.deleteAfterLast = 1;
  };
  const int finite = addRule(kFood, u"twice", 5, 100, 2024, 1, twice);
  addRule(kFood, u"endless", 5, 100, 2024, 1, [](CAutoRule& r) { r.deleteAfterLast = 1; });
  // One line already written: of the two months due only one is left.
  CAutoRule r = ruleOf(finite);
  r.executedCount = 1;
  store.setRule(finite, r);
  run(ymd(2024, 2, 5));
  EXPECT_EQ(ruleOf(finite).executedCount, 2);
  size_t twiceLines = 0;
  for (const CHinmei& e : lines()) twiceLines += e.name == u"twice";
  EXPECT_EQ(twiceLines, 1u);
  const std::vector<CAutoRule> removed = CAutoEntries(store, options, holidays).removeFinished();
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].destinationName, u"twice");
  ASSERT_EQ(store.ruleCount(), 1);
  EXPECT_EQ(ruleOf(0).destinationName, u"endless");
}

TEST_F(AutoEntriesTest, AFixedDateIsWrittenOnceInItsOwnMonth) {
  const auto onMarch31 = [](CAutoRule& r) {
    r.scheduleYear = 2024;
    r.scheduleMonth = 3;
    r.scheduleDay = 31;
  };
  addRule(kGoods, u"車検", kScheduleFixedDate, 70000, 2024, 1, onMarch31);
  for (Day d : {ymd(2024, 2, 29), ymd(2024, 3, 31), ymd(2024, 4, 30), ymd(2024, 5, 31)}) run(d);
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_EQ(lines()[0].date, ymd(2024, 3, 31));
}

TEST_F(AutoEntriesTest, AYearlyLineIsNotSkippedAfterASpecialLine) {
  const int insurance = addRule(kGoods, u"保険", kScheduleYearly, 20000, 2024, 3, [](CAutoRule& r) {
    r.scheduleMonth = 6;
    r.scheduleDay = 10;
    r.specialAmount = 5000;
    r.specialMonth1 = 4;
    r.specialDay1 = 5;
  });
  run(ymd(2024, 4, 6));
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_EQ(lines()[0].amount, 5000);
  run(ymd(2024, 6, 11));
  ASSERT_EQ(lines().size(), 2u);
  EXPECT_EQ(lines()[1].date, ymd(2024, 6, 10));
  EXPECT_EQ(lines()[1].amount, 20000);
  EXPECT_EQ(ruleOf(insurance).executedCount, 2);
}

TEST_F(AutoEntriesTest, TwoSpecialLinesOfOneMonthAcrossTwoRuns) {
  addRule(kSalary, u"賞与", 10, 0, 2024, 1, [](CAutoRule& r) {
    r.specialAmount = 1000;
    r.specialMonth1 = r.specialMonth2 = 6;
    r.specialDay1 = 10;
    r.specialDay2 = 25;
  });
  run(ymd(2024, 6, 15));
  run(ymd(2024, 6, 20));
  run(ymd(2024, 6, 26));
  run(ymd(2024, 7, 1));
  const std::vector<CHinmei> written = lines();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0].date, ymd(2024, 6, 10));
  EXPECT_EQ(written[1].date, ymd(2024, 6, 25));
}

TEST_F(AutoEntriesTest, InASpecialMonthTheBaseLineGivesWayWhenAsked) {
  addRule(kSalary, u"給料", 20, 250000, 2024, 6, [](CAutoRule& r) {
    r.specialAmount = 600000;
    r.specialMonth1 = 7;
    r.specialDay1 = 10;
  });
  run(ymd(2024, 8, 20));
  const std::vector<CHinmei> written = lines();
  ASSERT_EQ(written.size(), 3u);
  EXPECT_EQ(written[0].date, ymd(2024, 6, 20));
  EXPECT_EQ(written[1].date, ymd(2024, 7, 10));
  EXPECT_EQ(written[1].amount, 600000);
  EXPECT_EQ(written[2].date, ymd(2024, 8, 20));
}

TEST_F(AutoEntriesTest, APairWhoseSecondHalfIsRefusedLeavesNothingAndStaysDue) {
  account(u"A", 50000);
  // "B" is not registered and the registration is cancelled.
  const int pair = addRule(kIntoAccount, u"B", 10, 3000, 2024, 1, nullptr, kOutOfAccount, u"A");
  const int single = addRule(kIntoAccount, u"C", 10, 3000, 2024, 1);
  run(ymd(2024, 1, 10));
  EXPECT_TRUE(lines().empty());
  EXPECT_EQ(ruleOf(pair).executedCount, 0);
  // A single line whose registration was cancelled counts as done, as the user chose.
  EXPECT_EQ(ruleOf(single).executedCount, 1);
  prompts.newAccounts = {NewAccount{u"B", 0, 0, 7}};
  run(ymd(2024, 1, 10));
  EXPECT_EQ(lines().size(), 2u);
  EXPECT_EQ(ruleOf(pair).executedCount, 1);
}

TEST_F(AutoEntriesTest, NoLineOnADayThatDoesNotExist) {
  options.confirm = true;
  const int rule = addRule(kFood, u"x", 5, 100, 2024, 1, [](CAutoRule& r) {
    r.skipBase = 0;
    r.specialAmount = 50;
    r.specialMonth1 = 1;  // its day 0 names no day
  });
  prompts.autoEntryEdits = {{0, 100}};  // 1899-12-30 typed into the date
  run(ymd(2024, 1, 10));
  EXPECT_TRUE(lines().empty());
  EXPECT_EQ(ruleOf(rule).executedCount, 0);
  EXPECT_EQ(prompts.proposals.size(), 1u);
}

TEST_F(AutoEntriesTest, ARuleThatMakesNoSenseIsKeptReportedAndNotRun) {
  addRule(kFood, u"x", kScheduleNthWeekday, 100, 2024, 1,
          [](CAutoRule& r) { r.scheduleWeekday = 9; });
  addRule(99, u"no item", 5, 100, 2024, 1);
  const AutoEntryReport report = run(ymd(2024, 3, 1));
  EXPECT_EQ(report.inactive, (std::vector<int>{0, 1}));
  EXPECT_TRUE(lines().empty());
  EXPECT_EQ(store.ruleCount(), 2);
  EXPECT_TRUE(prompts.wasShown(MessageId::AutoRuleInactive));
}

TEST_F(AutoEntriesTest, CollectingIsBoundedHoweverOldTheRules) {
  for (int i = 0; i < 5; ++i) addRule(kFood, u"old", 5, 100, 100, 1);
  setToday(ymd(2024, 1, 10));
  EXPECT_EQ(CAutoEntries(store, options, holidays).collect(ymd(2024, 1, 10), false).size(),
            kMaxPendingEntries);
}

TEST_F(AutoEntriesTest, StoppedAutomaticEntriesWriteNothing) {
  addRule(kFood, u"x", 5, 100, 2024, 1);
  options.stopped = true;
  EXPECT_EQ(run(ymd(2024, 3, 10)).collected, 0u);
  EXPECT_TRUE(lines().empty());
}

class BalanceWatchTest : public AutoEntriesTest {
 protected:
  void watchedAccount(int32_t balance, int32_t threshold) {
    account(u"A", balance);
    (*store.definitionByName(u"A", kKindAccount))
        ->setTail(u"\n\n7," + number(threshold) + u",0,0,0,0,-1,-1");
    showDay(store.context().today, true);
  }
  static std::u16string number(int v) {
    const std::string s = std::to_string(v);
    return {s.begin(), s.end()};
  }
  std::vector<ShortfallWarning> lookAhead(Day today) {
    std::unique_ptr<CHinmeiList> copies = makeLookAheadStore(store, today);
    CAutoEntries(*copies, options, holidays).execute(today, true);
    balanceWatch(*copies, today);
    return shortfallWarnings(*copies, today, 0);
  }
};

TEST_F(BalanceWatchTest, AWithdrawalWithinTheWatchDaysIsReportedWithTheShortfall) {
  setToday(ymd(2024, 1, 10));
  watchedAccount(20000, 10000);
  addRule(kFood, u"家賃", 13, 15000, 2024, 1, nullptr, kOutOfAccount, u"A");
  const size_t before = store.size();
  const std::u16string rulesBefore = store.ruleAt(0)->memo.str();
  const std::vector<ShortfallWarning> warnings = lookAhead(ymd(2024, 1, 10));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(
      warnings[0].message,
      u"1月13日に\n口座から：A,金額15,000の引き落としため\n口座：A の残高が 5,000 不足します。");
  EXPECT_EQ(warnings[0].balance, 5000);
  // The look-ahead wrote into copies only.
  EXPECT_EQ(store.size(), before);
  EXPECT_EQ(store.ruleAt(0)->memo, rulesBefore);
  EXPECT_EQ(run(ymd(2024, 1, 13)).written.size(), 2u);
}

TEST_F(BalanceWatchTest, AShortfallToExactlyZeroIsReported) {
  setToday(ymd(2024, 1, 10));
  watchedAccount(15000, 1);
  addRule(kFood, u"家賃", 10, 15000, 2024, 1, nullptr, kOutOfAccount, u"A");
  const std::vector<ShortfallWarning> warnings = lookAhead(ymd(2024, 1, 10));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].balance, 0);
  EXPECT_EQ(warnings[0].message,
            u"\n口座から：A,金額15,000の引き落としため\n口座：A の残高が 1 不足します。");
}

TEST_F(BalanceWatchTest, AnAccountsLookAheadDaysReachFurtherThanToday) {
  setToday(ymd(2024, 1, 10));
  account(u"A", 20000);
  (*store.definitionByName(u"A", kKindAccount))->setTail(u"12\n\n0,0,0,0,0,0,-1,-1");
  showDay(ymd(2024, 1, 10), true);
  addRule(kFood, u"家賃", 20, 15000, 2024, 1, nullptr, kOutOfAccount, u"A");
  std::unique_ptr<CHinmeiList> copies = makeLookAheadStore(store, ymd(2024, 1, 10));
  EXPECT_EQ(CAutoEntries(*copies, options, holidays).execute(ymd(2024, 1, 10), true).written.size(),
            2u);
  EXPECT_TRUE(run(ymd(2024, 1, 10)).written.empty());
}

TEST_F(AutoEntriesTest, RenamingAnAccountRenamesOnlyTheRulesOfItsKind) {
  account(u"X", 0);
  loan(u"X", 0);
  addRule(kRepayLoan, u"X", 5, 100, 2024, 1, nullptr, kOutOfAccount, u"X");
  ASSERT_TRUE(store.renameAccount(u"Y", u"X", kKindAccount));
  const CAutoRule r = ruleOf(0);
  EXPECT_EQ(r.sourceName, u"Y");
  EXPECT_EQ(store.ruleAt(0)->name, u"Y");
  EXPECT_EQ(r.destinationName, u"X");
  EXPECT_EQ(store.renameRuleAccounts(u"X", u"Z", kKindLoan), 1u);
  EXPECT_EQ(ruleOf(0).destinationName, u"Z");
}

TEST(AutoEntrySort, TheCombSortOrdersByDueDay) {
  std::vector<PendingEntry> pending;
  for (int i = 0; i < 40; ++i) pending.push_back({i, false, 0, static_cast<Day>((i * 17) % 23)});
  sortByDueDay(pending);
  for (size_t i = 1; i < pending.size(); ++i) EXPECT_LE(pending[i - 1].due, pending[i].due);
}

}  // namespace
}  // namespace sorami::test
