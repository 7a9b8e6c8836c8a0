#include <gtest/gtest.h>

#include "LedgerFixture.h"
#include "ledger/BudgetList.h"
#include "ledger/HinmeiList.h"

namespace sorami::test {
namespace {

class ItemsTest : public ::testing::Test, public LedgerFixture {
 protected:
  ItemsTest() { store.context().budgets = &budgets; }

  int addRule(int32_t source, int32_t destination) {
    CAutoRule r = CAutoRule::makeDefault(day(1));
    r.sourceItem = source;
    r.destinationItem = destination;
    r.destinationName = u"rule";
    return store.addRule(r).value();
  }

  std::vector<uint16_t> itemsOfLines() {
    std::vector<uint16_t> out;
    for (auto p = store.firstDated(); p != store.end(); ++p) out.push_back(p->item);
    return out;
  }

  void expectConsistent() {
    EXPECT_EQ(store.consistencyProblem(), "");
    EXPECT_EQ(store.itemProblem(), "");
    EXPECT_TRUE(std::prev(store.end())->isEndMarker());
  }

  // The names of the dated entries in list order, with their days.
  std::vector<std::pair<Day, std::u16string>> order() {
    std::vector<std::pair<Day, std::u16string>> out;
    for (auto p = store.firstDated(); p != store.end() && !p->isEndMarker(); ++p) {
      out.emplace_back(p->date, p->isDiary() ? std::u16string(p->visibleMemo()) : p->name.str());
    }
    return out;
  }

  CBudgetList budgets = CBudgetList::withStandardBudget();
};

TEST_F(ItemsTest, AnExpenseItemTakesItsSidesLastOrdinaryNumberAndEverythingLaterFollows) {
  add(day(2), kGoods, 100);
  add(day(2), kSalary, 500);
  account(u"A", 0);
  add(day(2), kIntoAccount, 50, u"A");
  addRule(kSalary, kGoods);
  addRule(-1, kBorrow);
  budgets.setAmount(BudgetMonth{}, kSalary, 700);
  store.setRememberedRow(2, 5);
  const auto added = store.addItem(u"  子供 ", false, 1);
  ASSERT_TRUE(added);
  EXPECT_EQ(added->number, 2);
  EXPECT_EQ(store.itemAt(1)->name, u"子供");
  EXPECT_EQ(store.itemAt(1)->item, 2);
  EXPECT_EQ(store.itemAt(1)->flags, 0x8100);
  EXPECT_EQ(store.expenseItemCount(), 5);
  // 日用品 keeps 1; the pseudo-items and the income side move up by one.
  EXPECT_EQ(itemsOfLines(), (std::vector<uint16_t>{kGoods, 5, 3, 0}));
  EXPECT_EQ(store.rule(0)->sourceItem, 5);
  EXPECT_EQ(store.rule(0)->destinationItem, kGoods);
  EXPECT_EQ(store.rule(1)->sourceItem, -1);
  EXPECT_EQ(store.rule(1)->destinationItem, 7);
  EXPECT_EQ(budgets.find(BudgetMonth{})->amounts[5], 700);
  EXPECT_EQ(budgets.find(BudgetMonth{})->amounts[2], 0);
  // Remembered rows go with their items' places: slot 1 is the new item's, without a row.
  EXPECT_EQ(store.rememberedRow(1), -1);
  EXPECT_EQ(store.rememberedRow(3), 5);
  expectConsistent();
  EXPECT_EQ(store.accounts(kKindAccount).size(), 1u);
}

TEST_F(ItemsTest, NamesAndSideLimitsAreChecked) {
  EXPECT_FALSE(store.addItem(u"\u3000 ", false, -1));
  EXPECT_FALSE(store.addItem(u"食費", true, -1));
  EXPECT_FALSE(store.addItem(std::u16string(256, u'a'), true, -1));
  ASSERT_EQ(prompts.shown.size(), 3u);
  EXPECT_EQ(prompts.shown[0].id, MessageId::ItemNameBlank);
  EXPECT_EQ(prompts.shown[1].text, u"「食費」は項目名として登録済です。");
  EXPECT_EQ(prompts.shown[2].id, MessageId::ItemNameTooLong);
  const struct {
    bool income;
    int room;
    MessageId full;
  } sides[] = {{true, 16 - 3, MessageId::IncomeItemsFull},
               {false, 32 - 4, MessageId::ExpenseItemsFull}};
  for (const auto& side : sides) {
    for (int i = 0; i < side.room; ++i) {
      ASSERT_TRUE(
          store.addItem(u"n" + std::u16string(1, char16_t(u'A' + i)) + (side.income ? u"i" : u"e"),
                        side.income, -1));
    }
    prompts.shown.clear();
    EXPECT_FALSE(store.addItem(u"one more", side.income, -1));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].id, side.full);
  }
  EXPECT_EQ(store.itemCount(), 48);
  expectConsistent();
}

TEST_F(ItemsTest, DeletingAnIncomeItemKeepsTodaysCashAndThePartnersOfOtherItems) {
  add(day(2), kSalary, 3000);
  add(day(2), kFood, 100);
  addPair(line(day(3), kSalary, 400, u"所得"), line(day(3), kFood, 400, u"食費"));
  add(day(20), kSalary, 9000);  // after the shown day
  add(day(20), kGoods, 10);
  addRule(kSalary, kFood);
  addRule(-1, kOutOfAccount);
  showDay(day(10));
  const int64_t cash = row(ITEM_CASH_BALANCE);
  const auto count = store.countItemDeletion(4);
  ASSERT_TRUE(count);
  EXPECT_EQ(count->lines, 3u);
  EXPECT_EQ(count->pairs, 1u);
  EXPECT_EQ(count->rules, 1u);
  prompts.answers = {Answer::Yes, Answer::Yes};
  const auto deleted = store.deleteItem(4, true);
  ASSERT_TRUE(deleted);
  EXPECT_EQ(
      prompts.shown[0].text,
      u"この項目に入力されているデータがあります。\nこのデータを削除しますが、よろしいですか？"
      u"\n（削除されるデータ 3 個、うち組のデータ 1 個）");
  EXPECT_EQ(prompts.shown[1].id, MessageId::ConfirmDeleteItemRules);
  EXPECT_EQ(deleted->removed, 3u);
  EXPECT_EQ(deleted->unpaired, 1u);
  EXPECT_EQ(deleted->rules, 1u);
  EXPECT_EQ(deleted->cashCompensation, 3400);
  EXPECT_EQ(store.initialCash(), 10000 + 3400);
  EXPECT_EQ(row(ITEM_CASH_BALANCE), cash);
  // The 食費 half of the pair stays as a line of its own.
  const auto kept = std::next(store.firstDated());
  EXPECT_EQ(kept->name, u"食費");
  EXPECT_EQ(kept->flags & EF_PAIR_MASK, 0);
  EXPECT_EQ(itemsOfLines(), (std::vector<uint16_t>{kFood, kFood, kGoods, 0}));
  EXPECT_EQ(store.rule(0)->destinationItem, 4);  // 口座から, was 5
  EXPECT_EQ(store.incomeItemCount(), 2);
  expectConsistent();
}

TEST_F(ItemsTest, DeletionRefusalsChangeNothing) {
  add(day(2), kGoods, 100);
  store.setModified(false);
  const size_t size = store.size();
  EXPECT_FALSE(store.deleteItem(2, true));  // 口座へ
  EXPECT_EQ(prompts.shown.back().id, MessageId::PseudoItemUndeletable);
  EXPECT_FALSE(store.deleteItem(1, true));  // asked, answered with the default No
  EXPECT_EQ(prompts.shown.back().id, MessageId::ConfirmDeleteItemLines);
  EXPECT_FALSE(store.deleteItem(99, true));
  EXPECT_EQ(store.size(), size);
  EXPECT_FALSE(store.isModified());
}

TEST_F(ItemsTest, TheEndMarkerBelongsToNoItem) {
  add(day(2), kFood, 100);
  ASSERT_TRUE(store.deleteItem(0, false));
  expectConsistent();
  EXPECT_EQ(itemsOfLines(), (std::vector<uint16_t>{0}));
  ASSERT_TRUE(store.addItem(u"new", false, 0));
  expectConsistent();
  EXPECT_EQ(store.reassignItem(MinDay, MaxDay, 0, 1), 0u);
  EXPECT_EQ(std::prev(store.end())->item, 0);
}

TEST_F(ItemsTest, RenameChecksTheNameAndExchangeReordersWithoutTouchingLines) {
  EXPECT_TRUE(store.renameItem(0, u" 外食 "));
  EXPECT_EQ(store.itemAt(0)->name, u"外食");
  EXPECT_FALSE(store.renameItem(0, u"外食"));
  EXPECT_FALSE(store.renameItem(0, u"日用品"));
  EXPECT_FALSE(store.renameItem(0, u" "));
  EXPECT_EQ(prompts.shown.size(), 2u);

  add(day(2), kGoods, 100);
  store.setRememberedRow(0, 3);
  ASSERT_TRUE(store.exchangeItems(0, 1));
  EXPECT_EQ(store.itemAt(0)->name, u"日用品");
  EXPECT_EQ(store.itemAt(0)->item, kGoods);
  EXPECT_EQ(store.rememberedRow(1), 3);
  EXPECT_EQ(store.firstDated()->item, kGoods);
  expectConsistent();
}

TEST_F(ItemsTest, AMonthMovedByThirtyDaysKeepsDayOrderAndPairsAndMovesEachLineOnce) {
  for (int d = 1; d <= 31; ++d) {
    // Built by appending: GCC 12 at -O3 misreads u"f" + text as an overlapping copy.
    std::u16string name = u"f";
    name += char16_t(u'@' + d);
    add(day(d), kFood, d, name);
  }
  addPair(line(day(5), kSalary, 7, u"pa"), line(day(5), kFood, 7, u"pb"));
  store.setDiary(day(6), u"moved diary");
  store.setDiary(day(36), u"kept diary");
  add(day(40), kGoods, 1, u"stays");
  const auto before = order();
  const auto moved = store.movePeriod(day(1), day(31), day(31), true);
  ASSERT_TRUE(moved);
  EXPECT_EQ(*moved, 31u + 2 + 1);
  expectConsistent();
  const auto after = order();
  // Every entry once; each moved one 30 days later, after what its new day had.
  EXPECT_EQ(after.size(), before.size() - 1);  // the two diaries of day 36 became one
  for (const auto& [d, name] : after) {
    if (name.size() == 2 && name[0] == u'f') {
      EXPECT_EQ(d, day(name[1] - u'@') + 30);
    }
  }
  const auto fifth = store.firstAfterDay(day(34));
  EXPECT_EQ(fifth->name, u"f" + std::u16string(1, char16_t(u'@' + 5)));
  const auto lead = std::next(fifth);
  EXPECT_EQ(lead->name, u"pa");
  EXPECT_TRUE(lead->isPairFirst());
  EXPECT_TRUE(std::next(lead)->isPairSecond());
  EXPECT_EQ(std::next(lead)->date, day(35));
  EXPECT_EQ((*store.diaryOf(day(36)))->visibleMemo(), u"kept diary\r\nmoved diary");
  // Figures are right at once: the cash of the last day counts every line.
  showDay(day(70));
  EXPECT_EQ(row(ITEM_CASH_BALANCE), 10000 - (31 * 32 / 2) - 1);
}

TEST_F(ItemsTest, MovesStayInsideTheCalendarAndAZeroShiftDoesNothing) {
  add(day(2), kFood, 100);
  store.setModified(false);
  EXPECT_EQ(store.movePeriod(day(2), day(2), day(2), false), 0u);
  EXPECT_FALSE(store.movePeriod(day(1), day(3), dayFromYmd(1970, 12, 30), false));
  EXPECT_FALSE(store.movePeriod(day(1), day(3), MaxDay - 1, false));
  EXPECT_FALSE(store.moveEntriesToDay(MaxDay, {store.firstDated()}));
  EXPECT_EQ(prompts.shown.size(), 3u);
  EXPECT_EQ(prompts.shown[0].id, MessageId::MoveOutsideCalendar);
  EXPECT_FALSE(store.isModified());
  // The whole calendar moved on by ten days moves the line by ten days, not nine, and never takes
  // the end marker along.
  EXPECT_EQ(store.movePeriod(MinDay, MaxDay, MinDay + 10, false), 1u);
  expectConsistent();
  EXPECT_EQ(store.firstDated()->date, day(12));
}

TEST_F(ItemsTest, AMovedPairStaysTogetherAndADiaryMerges) {
  add(day(9), kGoods, 5, u"there");
  const auto lead = addPair(line(day(2), kSalary, 7, u"pa"), line(day(2), kFood, 7, u"pb"));
  const auto single = add(day(2), kFood, 3, u"s");
  store.setDiary(day(2), u"two");
  store.setDiary(day(9), u"nine");
  const auto diary = *store.diaryOf(day(2));
  // The second half selected stands for its pair.
  const auto moved = store.moveEntriesToDay(day(9), {single, std::next(lead), diary});
  ASSERT_TRUE(moved);
  EXPECT_EQ(*moved, 4u);
  expectConsistent();
  EXPECT_EQ(order(), (std::vector<std::pair<Day, std::u16string>>{{day(9), u"nine\r\ntwo"},
                                                                  {day(9), u"there"},
                                                                  {day(9), u"s"},
                                                                  {day(9), u"pa"},
                                                                  {day(9), u"pb"}}));
  showDay(day(9));
  EXPECT_EQ(row(ITEM_INCOME_TOTAL), 7);
  EXPECT_EQ(row(ITEM_EXPENSE_TOTAL), 15);
}

}  // namespace
}  // namespace sorami::test
