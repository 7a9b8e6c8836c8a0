#include "document/ItemChanges.h"

#include <gtest/gtest.h>

#include "document/CashChange.h"
#include "document/SafeFile.h"
#include "support/DocumentFixture.h"

namespace sorami::test {
namespace {

// The default items: 12 expense items and 貯蓄入, 借入返済 (0 to 13), then 所得, 配当, 雑収入 and
// 貯蓄引出, 借入 (14 to 18).
constexpr uint16_t kTravel = 0;
constexpr uint16_t kFoodItem = 4;
constexpr uint16_t kOtherExpense = 6;
constexpr uint16_t kLeisure = 10;
constexpr uint16_t kTaxes = 11;
constexpr uint16_t kWages = 14;
constexpr uint16_t kSundryIncome = 16;

class ItemChangesTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    path = created();
    doc.setCurrentDay(dayFromYmd(2024, 4, 10));
    store().computeFromStart();
  }
  CHinmeiList& store() { return *doc.entries(); }
  CHinmeiList::Position add(Day d, uint16_t item, int32_t amount, std::u16string name = u"x") {
    const uint16_t flags = store().itemByNumber(item)->flags & 0x7FFF;
    return *store().insert(CHinmei(d, item, flags, std::move(name), u"", amount));
  }
  // A pair of 400: 所得 leading, 食費 its second half.
  std::pair<CHinmeiList::Position, CHinmeiList::Position> addWageForFood(Day d) {
    const auto wage = add(d, kWages, 400, u"所得");
    wage->flags |= EF_PAIR;
    const auto food = add(d, kFoodItem, 400, u"食費");
    food->flags |= EF_PAIR_MASK;
    return {wage, food};
  }
  int slotOf(uint16_t item) {
    for (int i = 0; i < store().itemCount(); ++i) {
      if (store().itemAt(i)->item == item) return i;
    }
    return -1;
  }
  void expectConsistent() { EXPECT_EQ(ledgerProblem(store(), doc.config()), ""); }

  std::filesystem::path path;
};

TEST_F(ItemChangesTest, AddingAnExpenseItemShiftsTheSettingsThatNameItems) {
  live.decreaseItem = kOtherExpense;
  live.increaseItem = kSundryIncome;
  live.taxIncomeItem = kWages;
  ASSERT_EQ(live.taxExpenseItem, kTaxes);
  add(dayFromYmd(2024, 4, 1), kWages, 1000);
  const auto added = addItem(doc, u"子供", false, slotOf(kLeisure));
  ASSERT_TRUE(added);
  EXPECT_EQ(added->number, 12);
  EXPECT_EQ(store().itemAt(10)->name, u"子供");
  EXPECT_EQ(store().itemNumberByName(u"貯蓄入", 1), 13);
  EXPECT_EQ(store().itemNumberByName(u"借入返済", 1), 14);
  EXPECT_EQ(store().itemNumberByName(u"所得", 2), 15);
  EXPECT_EQ(live.decreaseItem, kOtherExpense);
  EXPECT_EQ(live.taxExpenseItem, kTaxes);
  EXPECT_EQ(live.increaseItem, kSundryIncome + 1);
  EXPECT_EQ(live.taxIncomeItem, kWages + 1);
  expectConsistent();
  // Deleting an item clears a setting that named it.
  live.decreaseItem = 12;
  ASSERT_TRUE(deleteItem(doc, slotOf(12)));
  EXPECT_EQ(live.decreaseItem, -1);
  EXPECT_EQ(live.increaseItem, kSundryIncome);
  expectConsistent();
}

TEST_F(ItemChangesTest, AReassignMovesExactlyTheSelectedLinesAndChecksTheirSide) {
  const Day d = dayFromYmd(2024, 4, 2);
  const auto [wage, food] = addWageForFood(d);
  EXPECT_EQ(reassignLines(doc, {food}, kLeisure), 1u);
  EXPECT_EQ(food->item, kLeisure);
  EXPECT_TRUE(food->isPairSecond());
  EXPECT_EQ(wage->item, kWages);
  // Income lines to an expense item ask first; No leaves them.
  EXPECT_FALSE(reassignLines(doc, {wage}, kFoodItem));
  EXPECT_EQ(prompts.shown.back().id, MessageId::MoveSidesDiffer);
  EXPECT_EQ(wage->item, kWages);
  // All data of item 0 never takes the end marker.
  prompts.answers = {Answer::Yes};
  add(d, kTravel, 30);
  EXPECT_EQ(reassignSpan(doc, MinDay, MaxDay, kTravel, kFoodItem), 1u);
  EXPECT_TRUE(std::prev(store().end())->isEndMarker());
  EXPECT_EQ(std::prev(store().end())->item, 0);
  EXPECT_FALSE(reassignSpan(doc, d + 1, d, kTravel, kFoodItem));
  EXPECT_EQ(prompts.shown.back().id, MessageId::MoveReversed);
  expectConsistent();
  // Savings and loan lines keep their item, and no line becomes one: the accounts hang on it.
  constexpr uint16_t kIntoSavings = 12;
  for (const auto& [from, to] : {std::pair{kFoodItem, kIntoSavings}, {kIntoSavings, kFoodItem}}) {
    EXPECT_FALSE(reassignSpan(doc, MinDay, MaxDay, from, to));
    EXPECT_EQ(prompts.shown.back().id, MessageId::MoveTransferItem);
  }
  EXPECT_FALSE(reassignLines(doc, {food}, kIntoSavings));
  EXPECT_EQ(prompts.shown.back().id, MessageId::MoveTransferItem);
  EXPECT_EQ(food->item, kLeisure);
}

TEST_F(ItemChangesTest, AMoveOfSelectedLinesAsksWithEveryLineThatGoesPartnersIncluded) {
  const Day d = dayFromYmd(2024, 4, 2);
  const auto [wage, food] = addWageForFood(d);
  const auto single = add(d, kFoodItem, 20);
  // Both halves of the pair and a line selected twice: three lines go.
  EXPECT_FALSE(moveLinesToDay(doc, d + 1, {food, single, wage, single}));
  ASSERT_EQ(prompts.shown.back().id, MessageId::ConfirmMoveLines);
  EXPECT_EQ(prompts.shown.back().text.substr(0, 4), u"3 個の");
  EXPECT_EQ(food->date, d);
}

TEST_F(ItemChangesTest, TheCashChangeEndsTheDayAtTheTypedBalanceInBothModes) {
  const Day d = dayFromYmd(2024, 4, 10);
  add(d, kFoodItem, 300);
  const int64_t cash = cashAtEndOfDay(store(), d);
  CashChangeChoice choice = cashChangeChoice(store(), live, d);
  EXPECT_EQ(choice.balance, cash);
  EXPECT_EQ(choice.decreaseItem, kOtherExpense);  // その他支出, none saved
  EXPECT_EQ(choice.increaseItem, kSundryIncome);

  CashChangeRequest r;
  r.newBalance = cash - 100;
  r.decreaseItem = choice.decreaseItem;
  r.increaseItem = choice.increaseItem;
  r.decreaseName = r.increaseName = u"残高調整";
  auto result = changeCashBalance(doc, d, r);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->entryAmount, 100);
  EXPECT_EQ(*result->entryItem, kOtherExpense);
  EXPECT_EQ(cashAtEndOfDay(store(), d), cash - 100);
  EXPECT_EQ(live.decreaseItem, kOtherExpense);

  // An increase recorded as a negative decrease.
  r.newBalance = cash + 100;
  r.negativeIncrease = true;
  result = changeCashBalance(doc, d, r);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->entryAmount, -200);
  EXPECT_EQ(cashAtEndOfDay(store(), d), cash + 100);

  // Without an item nothing is written, and it says so.
  r.newBalance = cash;
  r.decreaseItem = -1;
  EXPECT_FALSE(changeCashBalance(doc, d, r));
  EXPECT_EQ(prompts.shown.back().id, MessageId::CashChangeNeedsItem);
  EXPECT_EQ(live.decreaseItem, kOtherExpense);

  // The initial balance: every balance moves by the difference, no line is written.
  const int64_t initial = store().initialCash();
  const size_t size = store().size();
  r.mode = kCashModeInitial;
  r.newBalance = cash + 1200;
  prompts.answers = {Answer::Yes};
  result = changeCashBalance(doc, d, r);
  ASSERT_TRUE(result);
  EXPECT_EQ(store().initialCash(), initial + 1100);
  EXPECT_EQ(store().size(), size);
  EXPECT_EQ(cashAtEndOfDay(store(), d), cash + 1200);
  EXPECT_EQ(live.adjustmentMode, kCashModeInitial);
  EXPECT_EQ(live.decreaseItem, -1);

  r.newBalance = kHighestCash + 1;
  EXPECT_FALSE(changeCashBalance(doc, d, r));

  // No adjustment line can be written on the calendar's last day: it says so and remembers
  // nothing.
  r = CashChangeRequest{};
  r.newBalance = 0;
  r.decreaseItem = kFoodItem;
  live.decreaseItem = kOtherExpense;
  EXPECT_FALSE(changeCashBalance(doc, MaxDay, r));
  EXPECT_EQ(prompts.shown.back().id, MessageId::CashChangeOutsideCalendar);
  EXPECT_EQ(live.decreaseItem, kOtherExpense);
}

TEST_F(ItemChangesTest, TheFirstSaveAfterAMoveKeepsTheFileAsItWasBeforeIt) {
  const Day d = dayFromYmd(2024, 4, 2);
  add(d, kFoodItem, 300);
  ASSERT_TRUE(doc.save());  // the session's first save keeps the created file
  const std::vector<uint8_t> beforeMove = fileBytes(path);
  prompts.answers = {Answer::Yes};
  EXPECT_EQ(moveSpan(doc, d, d, d + 3, false), 1u);
  ASSERT_TRUE(doc.save());
  EXPECT_EQ(fileBytes(backupPath(path)), beforeMove);
  // A later save keeps the backup as it is.
  add(d, kFoodItem, 10);
  ASSERT_TRUE(doc.save());
  EXPECT_EQ(fileBytes(backupPath(path)), beforeMove);
  // A move answered No changes nothing.
  EXPECT_FALSE(moveSpan(doc, d + 3, d + 3, d, false));
  EXPECT_EQ(prompts.shown.back().id, MessageId::ConfirmMoveLines);
  expectConsistent();
}

}  // namespace
}  // namespace sorami::test
