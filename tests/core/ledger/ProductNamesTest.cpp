#include <gtest/gtest.h>

#include "LedgerFixture.h"

namespace sorami::test {
namespace {

using Names = std::vector<std::u16string>;

// The fixture with a few names for food and one for goods, and the store's slots of its items.
class ProductNamesTest : public ::testing::Test {
 protected:
  ProductNamesTest() {
    for (const char16_t* n : {u"米", u"パン", u"牛乳"}) f.store.addSpecialName(kFood, n, -1, true);
    f.store.addSpecialName(kGoods, u"洗剤", -1, true);
    f.prompts.shown.clear();
  }
  Names food() const { return f.store.specialNameTexts(kFood); }
  int remembered(uint16_t item) const { return f.store.rememberedRow(item); }  // slot == item

  LedgerFixture f;
};

TEST_F(ProductNamesTest, AddAtAPlaceAtTheEndAndAfterTheOtherDefinitions) {
  EXPECT_EQ(f.store.addSpecialName(kFood, u"　卵 ", 0, true), 0);
  EXPECT_EQ(remembered(kFood), 0);
  EXPECT_EQ(f.store.addSpecialName(kFood, u"塩", -1, true), 4);
  EXPECT_EQ(remembered(kFood), 4);
  EXPECT_EQ(f.store.addSpecialName(kFood, u"砂糖", 99, true), 5);
  EXPECT_EQ(food(), (Names{u"卵", u"米", u"パン", u"牛乳", u"塩", u"砂糖"}));
  // Names sit in the head section, with the item's number and side.
  const auto p = *f.store.specialNameByText(kFood, u"砂糖");
  EXPECT_EQ(p->flags, EF_DEFINITION | EF_EXPENSE);
  EXPECT_EQ(p->date, MinDay);
  EXPECT_TRUE(std::next(p)->isDated());
  EXPECT_EQ(f.store.specialNameTexts(kGoods), Names{u"洗剤"});
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST_F(ProductNamesTest, ADuplicateIsReportedOnceAndOnlyWhenAsked) {
  EXPECT_FALSE(f.store.addSpecialName(kFood, u"パン ", -1, true));
  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.prompts.shown[0].text, u"「パン」は特別品名として登録済です。");
  EXPECT_FALSE(f.store.addSpecialName(kFood, u"パン", -1, false));
  EXPECT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(food().size(), 3u);
  // Another item may have the same name.
  EXPECT_TRUE(f.store.addSpecialName(kGoods, u"パン", -1, true));
}

TEST_F(ProductNamesTest, AnEmptyNameIsAskedForAndABlankOneRefused) {
  f.prompts.specialNames.push_back(u"卵");
  f.prompts.specialNames.push_back(u"　");
  EXPECT_EQ(f.store.addSpecialName(kFood, u"", -1, true), 3);
  EXPECT_EQ(f.prompts.specialNameItems, Names{u"食費"});
  EXPECT_FALSE(f.store.addSpecialName(kFood, u"", -1, true));
  EXPECT_EQ(f.prompts.shown.back().text, u"空白は登録できません。");
  EXPECT_FALSE(f.store.addSpecialName(kFood, u"", -1, true));  // the dialog cancelled
  EXPECT_EQ(food().size(), 4u);
}

TEST_F(ProductNamesTest, AChangeRenamesTheNameAndOnRequestTheItemsLines) {
  f.add(day(1), kFood, 200, u"パン");
  f.add(day(2), kGoods, 300, u"パン");
  const auto kept = f.store.changeSpecialName(kFood, 1, u"食パン", false);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->lines, 0u);
  EXPECT_EQ(food(), (Names{u"米", u"食パン", u"牛乳"}));
  EXPECT_EQ(f.store.firstDated()->name, u"パン");
  const auto renamed = f.store.changeSpecialName(kFood, 1, u" パン", false);
  ASSERT_TRUE(renamed);
  const auto both = f.store.changeSpecialName(kFood, 1, u"ロールパン", true);
  ASSERT_TRUE(both);
  EXPECT_EQ(both->lines, 1u);
  EXPECT_EQ(f.store.firstDated()->name, u"ロールパン");
  EXPECT_EQ(std::next(f.store.firstDated())->name, u"パン");  // another item's line
}

TEST_F(ProductNamesTest, AChangeChecksTheNewNameLikeARegistration) {
  struct Case {
    const char16_t* typed;
    bool done;
    const char16_t* message;  // nullptr: none
  };
  const Case cases[] = {
      {u"米", false, u"「米」は特別品名として登録済です。"},
      {u"　 ", false, u"空白は登録できません。"},
      {u"パン　", true, nullptr},  // the same name once trimmed: no change, no message
  };
  for (const Case& c : cases) {
    f.prompts.shown.clear();
    const auto r = f.store.changeSpecialName(kFood, 1, c.typed, true);
    EXPECT_EQ(r.has_value(), c.done);
    using Texts = std::vector<std::u16string>;
    EXPECT_EQ(f.prompts.texts(), c.message ? Texts{c.message} : Texts{});
    EXPECT_EQ(food(), (Names{u"米", u"パン", u"牛乳"}));
  }
}

TEST_F(ProductNamesTest, DeletingAsksAsConfiguredAndKeepsTheRememberedRowOnTheList) {
  f.store.context().options.confirmDeletion = true;
  f.store.setRememberedRow(kFood, 2);
  f.prompts.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(f.store.deleteSpecialName(kFood, u"牛乳", true));
  EXPECT_EQ(f.prompts.shown.back().text, u"特別品名（牛乳）を削除してよろしいですか？");
  EXPECT_TRUE(f.store.deleteSpecialName(kFood, u"牛乳", true));
  EXPECT_EQ(food(), (Names{u"米", u"パン"}));
  EXPECT_EQ(remembered(kFood), 1);  // the new last name
  EXPECT_TRUE(f.store.deleteSpecialNameAt(kFood, 0));
  EXPECT_EQ(food(), Names{u"パン"});
  EXPECT_EQ(remembered(kFood), 0);
  EXPECT_TRUE(f.store.deleteSpecialName(kFood, u"パン", false));
  EXPECT_EQ(remembered(kFood), -1);
  EXPECT_FALSE(f.store.deleteSpecialName(kFood, u"パン", false));
  EXPECT_FALSE(f.store.deleteSpecialNameAt(kGoods, 1));
}

TEST_F(ProductNamesTest, MovingExchangesNeighboursAndNothingBeyondTheEnds) {
  EXPECT_EQ(f.store.moveSpecialName(kFood, 0, 1), NameMove::Moved);
  EXPECT_EQ(food(), (Names{u"パン", u"米", u"牛乳"}));
  EXPECT_EQ(remembered(kFood), 1);
  EXPECT_EQ(f.store.moveSpecialName(kFood, 2, -1), NameMove::Moved);
  EXPECT_EQ(food(), (Names{u"パン", u"牛乳", u"米"}));
  EXPECT_EQ(f.store.moveSpecialName(kFood, 0, -1), NameMove::None);
  EXPECT_EQ(f.store.moveSpecialName(kFood, 2, 1), NameMove::None);
  EXPECT_EQ(food(), (Names{u"パン", u"牛乳", u"米"}));
}

TEST_F(ProductNamesTest, TransferItemsListTheirAccountsAndLoans) {
  f.account(u"普通", 1000);
  f.account(u"定期", 0);
  f.loan(u"カード", 0);
  EXPECT_EQ(f.store.specialNameTexts(kIntoAccount), (Names{u"普通", u"定期"}));
  EXPECT_EQ(f.store.specialNameTexts(kOutOfAccount), (Names{u"普通", u"定期"}));
  EXPECT_EQ(f.store.specialNameTexts(kBorrow), Names{u"カード"});
  EXPECT_EQ(f.store.specialNameItem(kOutOfAccount), kIntoAccount);
  // With no item a choice box offers every name, accounts and loans included.
  EXPECT_EQ(f.store.choiceNames(std::nullopt),
            (Names{u"米", u"パン", u"牛乳", u"洗剤", u"普通", u"定期", u"カード"}));
  EXPECT_EQ(f.store.choiceNames(kGoods), Names{u"洗剤"});
  // Adding to a transfer item registers an account, refusing one that exists.
  EXPECT_EQ(f.store.addSpecialName(kOutOfAccount, u"財形", 0, true, 500), 0);
  EXPECT_EQ(f.store.accounts(kKindAccount).front().name, u"財形");
  EXPECT_FALSE(f.store.addSpecialName(kIntoAccount, u"普通", -1, true, 0));
  EXPECT_EQ(f.prompts.shown.back().text, u"「普通」は特別品名として登録済です。");
}

TEST_F(ProductNamesTest, MovingAccountsMovesTheirObjectsAndBalances) {
  f.account(u"普通", 1000);
  f.account(u"定期", 5000);
  f.add(day(1), kIntoAccount, 300, u"普通");
  f.showDay(day(2));
  EXPECT_EQ(f.store.moveSpecialName(kIntoAccount, 0, 1), NameMove::Moved);
  EXPECT_EQ(f.store.specialNameTexts(kIntoAccount), (Names{u"定期", u"普通"}));
  const auto& table = f.store.accounts(kKindAccount);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].name, u"定期");
  EXPECT_EQ(table[0].balance, 5000);
  EXPECT_EQ(table[1].name, u"普通");
  EXPECT_EQ(table[1].balance, 1300);
  for (const CAccount& a : table) EXPECT_EQ(a.definition->name, a.name);
  f.showDay(day(2), true);
  EXPECT_EQ(f.store.findAccount(u"普通")->balance, 1300);
}

// Each object keeps pointing at the definition with its name, also when the account is kept
// outside the assets, so a later settings change is written into the right definition.
TEST_F(ProductNamesTest, MovingAnAccountOutsideTheAssetsKeepsObjectsOnTheirDefinitions) {
  f.account(u"外", 100, true);
  f.account(u"内", 200);
  f.showDay(day(1), true);
  EXPECT_EQ(f.store.moveSpecialName(kIntoAccount, 0, 1), NameMove::MovedOutsideAssets);
  for (const CAccount& a : f.store.accounts(kKindAccount)) EXPECT_EQ(a.definition->name, a.name);
  ASSERT_TRUE(f.store.setAccountWatch(u"内", kKindAccount, {3, 700, false}));
  const auto inner = *f.store.definitionByName(u"内", kKindAccount);
  EXPECT_EQ(inner->tailView(), u"\n\n3,700,0,0,0,0,-1,-1");
  EXPECT_EQ(inner->amount, 200);
  EXPECT_NE((*f.store.definitionByName(u"外", kKindAccount))->tailView(), inner->tailView());
}

TEST_F(ProductNamesTest, DeletingANameOfATransferItemCancelsTheAccount) {
  f.account(u"普通", 1000);
  f.add(day(1), kIntoAccount, 300, u"普通");
  f.showDay(day(2));
  EXPECT_TRUE(f.store.deleteSpecialNameAt(kOutOfAccount, 0));
  EXPECT_TRUE(f.store.accounts(kKindAccount).empty());
  EXPECT_TRUE(f.store.specialNameTexts(kIntoAccount).empty());
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 0);
  f.store.computeToDay(day(3));  // the running computation finds no object without definition
  EXPECT_EQ(f.store.firstDated()->name, u"普通");
}

TEST_F(ProductNamesTest, EditingAsksTheDialogOfTheNameOrOfTheAccount) {
  f.add(day(1), kFood, 200, u"パン");
  f.prompts.nameChanges = {SpecialNameChange{u"食パン", true}, std::nullopt};
  EXPECT_TRUE(f.store.editSpecialName(kFood, 1));
  EXPECT_EQ(f.prompts.nameChangesAsked.back(), std::make_pair(std::u16string(u"パン"), true));
  EXPECT_EQ(food(), (Names{u"米", u"食パン", u"牛乳"}));
  EXPECT_EQ(f.store.firstDated()->name, u"食パン");
  EXPECT_FALSE(f.store.editSpecialName(kFood, 1));  // cancelled

  f.account(u"普通", 1000);
  f.prompts.accountSettingsAnswers.push_back(AccountSettingsValues{u"生活", 500, 3, false});
  EXPECT_TRUE(f.store.editSpecialName(kOutOfAccount, 0));
  ASSERT_EQ(f.prompts.accountSettingsAsked.size(), 1u);
  const auto& [kind, shown] = f.prompts.accountSettingsAsked[0];
  EXPECT_EQ(kind, kKindAccount);
  EXPECT_EQ(shown.name, u"普通");
  EXPECT_EQ(shown.watchDays, 7);
  const CAccount* a = f.store.findAccount(u"生活");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->watchThreshold, 500);
  EXPECT_EQ(a->watchDays, 3);
}

}  // namespace
}  // namespace sorami::test
