#include "ledger/HinmeiList.h"

#include <gtest/gtest.h>

#include "LedgerFixture.h"

namespace sorami::test {
namespace {

std::vector<std::u16string> namesOfDay(CHinmeiList& store, Day d) {
  std::vector<std::u16string> names;
  for (auto p : store.dayList(d, kDayListAllButDiary, store.firstOnOrAfter(d))) {
    if (p->date == d) names.push_back(p->name.str());
  }
  return names;
}

TEST(HinmeiListChanges, EntriesOfADayKeepTheirOrderAndAnIndexPlacesWithinTheDay) {
  LedgerFixture f;
  f.add(day(5), kFood, 1, u"a");
  f.add(day(5), kFood, 1, u"b");
  f.add(day(5), kFood, 1, u"c");
  f.add(day(5), kFood, 1, u"first", 0);
  f.add(day(5), kFood, 1, u"third", 2);
  f.add(day(5), kFood, 1, u"beyond", 99);
  EXPECT_EQ(namesOfDay(f.store, day(5)),
            (std::vector<std::u16string>{u"first", u"a", u"third", u"b", u"c", u"beyond"}));
  // An index between the two entries of a pair places after the pair.
  f.addPair(LedgerFixture::line(day(6), kFood, 1, u"p1"),
            LedgerFixture::line(day(6), kSalary, 1, u"p2"));
  f.add(day(6), kFood, 1, u"q", 1);
  EXPECT_EQ(namesOfDay(f.store, day(6)), (std::vector<std::u16string>{u"p1", u"p2", u"q"}));
}

TEST(HinmeiListChanges, ANewDayGoesBeforeTheNextLaterDayAndBeforeTheEndMarker) {
  LedgerFixture f;
  f.add(day(10), kFood, 1, u"late");
  f.add(day(3), kFood, 1, u"early");  // the cursor sits on day 1: the walk goes forwards
  f.showDay(day(20));
  f.add(day(7), kFood, 1, u"middle");  // and from day 20 backwards
  f.add(day(30), kFood, 1, u"last");
  std::vector<std::u16string> order;
  for (auto p = f.store.firstDated(); p != f.store.end(); ++p) order.push_back(p->name.str());
  EXPECT_EQ(order, (std::vector<std::u16string>{u"early", u"middle", u"late", u"last",
                                                std::u16string(kEndMarkerName)}));
}

TEST(HinmeiListChanges, DatesOfDefinitionsAndTheEndMarkerAreRefusedForLines) {
  LedgerFixture f;
  EXPECT_FALSE(f.store.insert(LedgerFixture::line(MaxDay, kFood, 5)));
  EXPECT_FALSE(f.store.insert(LedgerFixture::line(MinDay, kFood, 5)));
  EXPECT_TRUE(std::prev(f.store.end())->isEndMarker());
}

TEST(HinmeiListChanges, ZeroAmountsAreRefusedWithTheMessage) {
  LedgerFixture f;
  f.account(u"A", 0);
  EXPECT_FALSE(f.store.insert(LedgerFixture::line(day(2), kFood, 0)));
  EXPECT_FALSE(f.store.insert(LedgerFixture::line(day(2), kIntoAccount, 0, u"A")));
  EXPECT_EQ(f.prompts.shown.size(), 2u);
  EXPECT_TRUE(f.prompts.wasShown(MessageId::ZeroAmountRefused));
  // A zero transfer to a new name registers the account, asking for its balance.
  f.prompts.newAccounts.push_back(NewAccount{u"B", 500, 0, 7});
  const auto def = f.store.insert(LedgerFixture::line(day(2), kIntoAccount, 0, u"B"));
  ASSERT_TRUE(def);
  EXPECT_EQ((*def)->flags & 0xF000, 0x5000);
  EXPECT_EQ((*def)->amount, 500);
  EXPECT_EQ(f.store.accounts(kKindAccount).size(), 2u);
}

TEST(HinmeiListChanges, NegativeTransfersSwapDirectionWhenAsked) {
  LedgerFixture f;
  f.account(u"A", 0);
  f.store.context().options.swapNegativeTransfers = true;
  const auto p = f.store.insert(LedgerFixture::line(day(1), kIntoAccount, -300, u"A"));
  ASSERT_TRUE(p);
  EXPECT_EQ((*p)->item, kOutOfAccount);
  EXPECT_EQ((*p)->flags, 0x4200);
  EXPECT_EQ((*p)->amount, 300);
}

TEST(HinmeiListChanges, LookupsOfItemsAndDefinitions) {
  LedgerFixture f;
  f.account(u"A", 0);
  EXPECT_EQ(f.store.itemCount(), 7);
  EXPECT_EQ(f.store.expenseItemCount(), 4);
  EXPECT_EQ(f.store.itemByDirection(0x4200)->item, kOutOfAccount);
  EXPECT_EQ(f.store.itemByDirection(0x2100)->item, kRepayLoan);
  EXPECT_EQ(f.store.itemNumberByName(u"給料", 2), kSalary);
  EXPECT_EQ(f.store.itemNumberByName(u"給料", 1), -1);
  EXPECT_EQ(f.store.headEntryByItem(ITEM_HEADER), f.store.begin());
  EXPECT_TRUE(f.store.definitionByName(u"A", EF_ACCOUNT));
  EXPECT_FALSE(f.store.definitionByName(u"A", EF_LOAN));
  EXPECT_EQ(f.store.lastHeadPosition()->name, u"A");
  const auto first = f.add(day(2), kIntoAccount, 100, u"A");
  first->flags |= EF_PAIR;
  const auto second = f.add(day(2), kOutOfAccount, 100, u"A");
  second->flags |= EF_PAIR_MASK;
  EXPECT_EQ(f.store.partnerOf(first), second);
  EXPECT_EQ(f.store.partnerOf(second), first);
  EXPECT_EQ(f.store.leadingOf(second), first);
  EXPECT_EQ(f.store.lastDatedOfItem(kIntoAccount), first);
}

TEST(HinmeiListChanges, TheDiaryOfADayIsSetChangedAndCleared) {
  LedgerFixture f;
  f.add(day(4), kFood, 100);
  const auto diary = f.store.setDiary(day(4), u"晴れ");
  ASSERT_TRUE(diary);
  EXPECT_EQ(std::next(*diary)->name, u"x");  // the diary comes first on its day
  f.store.setModified(false);
  f.store.setDiary(day(4), u"晴れ");
  EXPECT_FALSE(f.store.isModified());
  f.store.setDiary(day(4), u"雨");
  EXPECT_EQ((*f.store.diaryOf(day(4)))->visibleMemo(), u"雨");
  // A diary entry handed to insert sets the text of its day.
  EXPECT_EQ(*f.store.insert(CHinmei(day(4), ITEM_DIARY, 0, u"", u"曇り", 0)), *diary);
  f.store.setDiary(day(4), u"");
  EXPECT_FALSE(f.store.diaryOf(day(4)));
  // The current day stands in for day 0.
  f.store.setDiary(0, u"今日");
  EXPECT_EQ((*f.store.diaryOf(day(1)))->visibleMemo(), u"今日");
  // Also when the window is a month that starts before the current day.
  f.showPeriod(day(1), day(31));
  f.store.context().window.currentDay = day(4);
  f.store.setDiary(day(4), u"月");
  EXPECT_EQ((*f.store.diaryOf(MinDay))->visibleMemo(), u"月");
}

TEST(HinmeiListChanges, TheEndMarkerIsNoLedgerLine) {
  LedgerFixture f;
  f.add(day(3), kFood, 100);
  const auto totals = f.store.totalsByItem(MinDay + 1, MaxDay);
  EXPECT_EQ(totals[kFood], 100);
  EXPECT_EQ(f.store.dayList(MaxDay, kFood, f.store.firstDated()).size(), 1u);
  f.showPeriod(day(1), MaxDay);
  EXPECT_EQ(f.store.itemTotal(kFood), 100);
  EXPECT_EQ(f.store.detailLine(*f.store.itemByNumber(kFood), 1).entry, std::nullopt);
  EXPECT_EQ(f.store.reassignItem(MinDay + 1, MaxDay, kFood, kGoods), 1u);
  EXPECT_EQ(std::prev(f.store.end())->item, 0);
}

TEST(HinmeiListChanges, RemovingMovesTheCursorAndTheRunningState) {
  LedgerFixture f;
  f.add(day(2), kFood, 100);
  const auto onDay = f.add(day(5), kFood, 200);
  f.showDay(day(5));
  EXPECT_EQ(*f.store.dayCursor(), onDay);
  f.store.remove(onDay);
  EXPECT_TRUE(std::next(f.store.firstDated())->isEndMarker());
  EXPECT_EQ(f.store.dayCursor(), std::next(f.store.firstDated()));
  f.store.remove(f.store.firstDated());
  EXPECT_EQ(f.store.cashBalance(), 10000);
  EXPECT_EQ(f.store.removeUpTo(MaxDay), 0u);  // nothing dated is left but the end marker
}

TEST(HinmeiListChanges, ReassignAndRenameChangeMatchingLines) {
  LedgerFixture f;
  const auto a = f.add(day(2), kFood, 100, u"りんご");
  a->flags |= EF_PAIR;
  f.add(day(3), kFood, 100, u"みかん");
  f.add(day(9), kFood, 100, u"りんご");
  EXPECT_EQ(f.store.reassignItem(day(1), day(5), kFood, kSalary), 2u);
  EXPECT_EQ(a->item, kSalary);
  EXPECT_EQ(a->flags, 0x0200 | EF_PAIR);
  EXPECT_EQ(f.store.renameProduct(kFood, u"りんご", u"林檎"), 1u);
  EXPECT_EQ(f.store.renameProduct(kSalary, u"りんご", u"林檎"), 1u);
  EXPECT_EQ(a->name, u"林檎");
  EXPECT_EQ(f.store.removeUpTo(day(3)), 2u);
  EXPECT_EQ(f.store.firstDated()->date, day(9));
}

TEST(HinmeiListChanges, DetailLinesOfATransferItemComeGroupedByAccount) {
  LedgerFixture f;
  f.account(u"A", 0);
  f.account(u"B", 0);
  f.store.noAutoDefinition = true;
  f.add(day(1), kIntoAccount, 1, u"B");
  f.add(day(1), kIntoAccount, 2, u"other");
  f.add(day(1), kIntoAccount, 3, u"B");
  f.showDay(day(1));
  const CHinmei& item = *f.store.itemByNumber(kIntoAccount);
  EXPECT_EQ(f.store.detailLine(item, 0).accountName, u"A");
  EXPECT_FALSE(f.store.detailLine(item, 0).entry);
  EXPECT_EQ((*f.store.detailLine(item, 1).entry)->amount, 1);
  EXPECT_EQ((*f.store.detailLine(item, 2).entry)->amount, 3);
  EXPECT_EQ((*f.store.detailLine(item, 3).entry)->amount, 2);
  EXPECT_FALSE(f.store.detailLine(item, 4).entry);
}

TEST(HinmeiListChanges, TablesNeverHoldMoreThanTheirLimits) {
  LedgerFixture f;
  // A file with 101 account definitions and 60 items.
  for (int i = 0; i < 101; ++i) {
    const std::string n = std::to_string(i);
    f.store.insertDefinition(
        CHinmei(MinDay, kIntoAccount, 0x5100, std::u16string(n.begin(), n.end()), u"", 1));
  }
  auto item = std::next(f.store.begin());
  for (int i = 0; i < 53; ++i)
    f.store.entries().insert(item, CHinmei(MinDay, 40, 0x8100, u"?", u"0", 0));
  f.store.rebuildTables();
  f.showDay(day(1), true);
  EXPECT_EQ(f.store.itemCount(), 48);
  EXPECT_EQ(f.store.accounts(kKindAccount).size(), kMaxAccounts);
  EXPECT_EQ(f.store.rowValue(ITEM_ACCOUNT_BALANCE), 100);
  EXPECT_EQ(f.store.tableOverflow().items, 12u);
  EXPECT_EQ(f.store.tableOverflow().accounts, 1u);
  f.store.reportTableOverflow(f.prompts);
  ASSERT_EQ(f.prompts.shown.size(), 2u);
  EXPECT_EQ(f.prompts.shown[1].text,
            u"貯蓄項目の数が上限の100個を超えています。\n超えた分は使われません。");
}

}  // namespace
}  // namespace sorami::test
