#include "document/StartUpProcessing.h"

#include <gtest/gtest.h>

#include "rules/Holidays.h"
#include "support/DocumentFixture.h"

namespace sorami::test {
namespace {

constexpr uint16_t kFood = 4;  // items of a new file
constexpr uint16_t kIntoAccount = 12;
constexpr uint16_t kOutOfAccount = 17;

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

CAutoRule monthly(const CHinmeiList& store, uint16_t item, std::u16string name, int code,
                  int32_t amount) {
  CAutoRule r = CAutoRule::makeDefault(store.context().today);
  r.destinationItem = item;
  r.destinationName = std::move(name);
  r.sourceName = u"現金";
  r.scheduleCode = code;
  r.baseAmount = amount;
  r.startAsNew();
  return r;
}

class StartUpTest : public DocumentTest {
 protected:
  size_t datedLines(CHinmeiList& store) {
    size_t n = 0;
    for (auto p = store.firstDated(); p != store.end(); ++p) n += !p->isEndMarker();
    return n;
  }
  const CHoliday holidays;
};

TEST_F(StartUpTest, OpeningAFileLaterWritesWhatBecameDueOnceAndComesBackToTheCurrentDay) {
  const auto path = created();
  doc.entries()->addRule(monthly(*doc.entries(), kFood, u"米", 25, 4000));
  ASSERT_TRUE(doc.save());
  clock.set(2024, 7, 26);
  for (const size_t written : {4u, 0u}) {
    OtherDocument later(clock);
    StartUpResult result;
    later.doc.postOpen = [&](CSoramiDoc& d) { result = runStartUp(d, holidays); };
    ASSERT_TRUE(later.doc.open(path));
    CHinmeiList& store = *later.doc.entries();
    EXPECT_EQ(result.written.written.size(), written);
    EXPECT_EQ(datedLines(store), 4u);
    EXPECT_EQ(store.computedDay(), later.doc.currentDay());
    EXPECT_EQ(store.cashBalance(), 5000 - 4 * 4000);
    ASSERT_TRUE(later.doc.save());
  }
}

TEST_F(StartUpTest, SettlementGoesBeforeTheLookAheadAndItsRuleIsRunLikeAnyOther) {
  created();
  CHinmeiList& store = *doc.entries();
  StartUpProcessing processing;
  processing.insertBefore(kStepLookAhead, "payments", [](StartUpRun& run) {
    run.store.addRule(monthly(run.store, kFood, u"カード支払", 10, 7000));
  });
  EXPECT_EQ(processing.stepNames(),
            (std::vector<std::string>{"cards", "payments", "look-ahead", "balance-watch",
                                      "auto-entries", "finished-rules"}));
  const StartUpResult result = processing.run(store, doc.config(), holidays, ymd(2024, 4, 10));
  ASSERT_EQ(result.written.written.size(), 1u);
  EXPECT_EQ(result.written.written[0].name, u"カード支払");
  EXPECT_EQ(result.lookAhead.written.size(), 1u);
}

TEST_F(StartUpTest, TheWatchWarnsOfTheShortfallAfterTheWindowIsUp) {
  created();
  CHinmeiList& store = *doc.entries();
  store.registerAccount(u"普通預金", kKindAccount, -1, 20000);
  (*store.definitionByName(u"普通預金", kKindAccount))->setTail(u"\n\n7,10000,0,0,0,0,-1,-1");
  store.computeToDay(ymd(2024, 4, 10), true);
  CAutoRule rent = monthly(store, kFood, u"家賃", 13, 15000);
  rent.sourceItem = kOutOfAccount;
  rent.sourceName = u"普通預金";
  store.addRule(rent);
  const StartUpResult result =
      StartUpProcessing().run(store, doc.config(), holidays, ymd(2024, 4, 10));
  EXPECT_TRUE(result.written.written.empty());
  ASSERT_EQ(result.shortfalls.size(), 1u);
  prompts.shown.clear();
  reportShortfalls(result, prompts);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].text,
            u"4月13日に\n貯蓄引出：普通預金,金額15,000の引き落としため\n口座：普通預金 の残高が "
            u"5,000 不足します。");
}

TEST_F(StartUpTest, ForcedExecutionAsksFirstAndWritesUpToTheCurrentDay) {
  created();
  CHinmeiList& store = *doc.entries();
  CAutoRule twice = monthly(store, kIntoAccount, u"積立", 20, 10000);
  twice.plannedCount = 2;
  twice.deleteAfterLast = 1;
  store.registerAccount(u"積立", kKindAccount, -1, 0);
  store.addRule(twice);
  EXPECT_FALSE(forcedAutoEntries(store, doc.config(), holidays, ymd(2024, 6, 30)));
  EXPECT_EQ(prompts.shown.back().id, MessageId::ConfirmForcedAutoEntries);
  EXPECT_EQ(datedLines(store), 0u);
  prompts.answers = {Answer::Yes};
  const std::optional<ForcedRun> run =
      forcedAutoEntries(store, doc.config(), holidays, ymd(2024, 6, 30));
  ASSERT_TRUE(run);
  EXPECT_EQ(run->written.written.size(), 2u);
  EXPECT_EQ(run->removedRules.size(), 1u);
  EXPECT_EQ(store.ruleCount(), 0);
  EXPECT_EQ(store.computedDay(), ymd(2024, 6, 30));
}

}  // namespace
}  // namespace sorami::test
