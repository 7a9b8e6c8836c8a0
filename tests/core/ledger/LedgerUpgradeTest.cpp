#include "ledger/LedgerUpgrade.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "ledger/HinmeiList.h"
#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

const Day kDay = dayFromYmd(2003, 5, 10);

void fillHead(CHinmeiList& list) {
  list.addAtEnd({MinDay, ITEM_HEADER, EF_ITEM, u"", u"config", 0});
  list.addAtEnd({MinDay, 0, 0x8100, u"食費", u"1", 0});
}

std::vector<Day> datesOf(const CHinmeiList& list) {
  std::vector<Day> out;
  for (const CHinmei& e : list) {
    if (e.isDated()) out.push_back(e.date);
  }
  return out;
}

CHinmeiList& upgraded(CHinmeiList& list, uint16_t version, test::ScriptedPrompts& prompts,
                      bool shifted = false) {
  upgradeLedger(list, {version, shifted, 0}, prompts);
  return list;
}

TEST(LedgerUpgrade, DatesMoveOneDayLaterInVersions752AndBelow705) {
  struct Case {
    uint16_t version;
    bool alreadyShifted;
    int shift;
  };
  for (const Case c : {Case{752, false, 1}, Case{752, true, 0}, Case{700, false, 1},
                       Case{705, false, 0}, Case{950, false, 0}}) {
    CHinmeiList list;
    fillHead(list);
    list.addAtEnd({kDay, 0, EF_EXPENSE, u"x", u"", 1});
    list.addAtEnd({MaxDay, 0, 0, u"Last Mark", u"", 0});
    list.setModified(false);
    test::ScriptedPrompts prompts;
    upgraded(list, c.version, prompts, c.alreadyShifted);
    EXPECT_EQ(datesOf(list), (std::vector<Day>{kDay + c.shift, MaxDay})) << c.version;
    EXPECT_EQ(list.dataVersion(), 950);
    EXPECT_EQ(list.isModified(), c.version < 950);
  }
}

TEST(LedgerUpgrade, OldItemsGetTheBudgetOption) {
  CHinmeiList list;
  fillHead(list);
  test::ScriptedPrompts prompts;
  upgraded(list, 751, prompts);
  EXPECT_EQ(std::next(list.begin())->memo, u"3");
}

TEST(LedgerUpgrade, Version871LosesItsLinesOnDayZeroWithOneMessageEach) {
  CHinmeiList list;
  fillHead(list);
  list.addAtEnd({0, 0, EF_EXPENSE, u"家賃", u"", 65000});
  list.addAtEnd({-3, 0, EF_EXPENSE, u"電気", u"", 1200});
  list.addAtEnd({kDay, 0, EF_EXPENSE, u"残る", u"", 1});
  list.addAtEnd({MaxDay, 0, 0, u"Last Mark", u"", 0});
  test::ScriptedPrompts prompts;
  upgraded(list, 871, prompts);
  EXPECT_EQ(datesOf(list), (std::vector<Day>{kDay, MaxDay}));
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_NE(prompts.shown[0].text.find(u"品名：家賃、金額65,000"), std::u16string::npos);
}

TEST(LedgerUpgrade, DatesNeverGoBackAndLonePairBitsGo) {
  CHinmeiList list;
  fillHead(list);
  list.addAtEnd({kDay + 5, 0, EF_EXPENSE | EF_PAIR, u"a", u"", 1});  // partner below
  list.addAtEnd({kDay + 2, 0, EF_INCOME | EF_PAIR | EF_PAIR_SECOND, u"b", u"", 1});
  list.addAtEnd({kDay + 1, 0, EF_EXPENSE | EF_PAIR, u"lone", u"", 1});
  list.addAtEnd({kDay + 9, 0, EF_EXPENSE, u"c", u"", 1});
  list.addAtEnd({kDay + 9, 0, EF_EXPENSE | EF_PAIR | EF_PAIR_SECOND, u"lone2", u"", 1});
  test::ScriptedPrompts prompts;
  upgraded(list, 900, prompts);
  EXPECT_EQ(datesOf(list),
            (std::vector<Day>{kDay + 5, kDay + 5, kDay + 5, kDay + 9, kDay + 9, MaxDay}));
  std::vector<uint16_t> flags;
  for (const CHinmei& e : list) flags.push_back(e.flags);
  EXPECT_EQ(flags[2], EF_EXPENSE | EF_PAIR);
  EXPECT_EQ(flags[4], EF_EXPENSE);
  EXPECT_EQ(flags[6], EF_EXPENSE);
}

TEST(LedgerUpgrade, EndMarkerEndsTheStoreExactlyOnce) {
  struct Case {
    int markers;
    bool changed;
  };
  for (const Case c : {Case{0, true}, Case{1, false}, Case{2, true}, Case{3, true}}) {
    CHinmeiList list;
    fillHead(list);
    list.addAtEnd({kDay, 0, EF_EXPENSE, u"x", u"", 1});
    for (int i = 0; i < c.markers; ++i) list.addAtEnd({MaxDay, 0, 0, u"Last Mark", u"", 0});
    EXPECT_EQ(repairEndMarker(list), c.changed) << c.markers;
    EXPECT_EQ(datesOf(list), (std::vector<Day>{kDay, MaxDay})) << c.markers;
    EXPECT_EQ(list.entries().back().name, u"Last Mark");
  }
}

}  // namespace
}  // namespace sorami
