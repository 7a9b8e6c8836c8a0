#include "ledger/Account.h"

#include <gtest/gtest.h>

#include "LedgerFixture.h"

namespace sorami::test {
namespace {

CAccount loanNamed(const std::u16string& name) {
  CAccount a;
  a.kind = 0x3100;
  a.name = name;
  return a;
}

TEST(AccountSettings, AnAccountTextOfTwoLinesAndItsNumbers) {
  CAccount a;
  ASSERT_TRUE(a.readSettingsText(u"\n\n7,5000,0,0,0,0,-1,-1", day(1)));
  EXPECT_EQ(a.watchDays, 7);
  EXPECT_EQ(a.watchThreshold, 5000);
  EXPECT_EQ(a.settingsText(), u"\n\n7,5000,0,0,0,0,-1,-1");
  ASSERT_TRUE(a.readSettingsText(u"30 days\nsecond\n3,100,1,2,3,4,5,6", day(1)));
  EXPECT_EQ(a.line1, u"30 days");
  EXPECT_EQ(a.values, (std::array<int32_t, 6>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(a.settingsText(), u"30 days\nsecond\n3,100,1,2,3,4,5,6");
  // Numbers only; missing ones keep their defaults.
  ASSERT_TRUE(a.readSettingsText(u"9", day(1)));
  EXPECT_EQ(a.watchDays, 9);
  EXPECT_EQ(a.watchThreshold, 0);
  EXPECT_EQ(a.values[5], -1);
  // One line break without a second is refused; the object keeps nothing of what it held.
  a.values[0] = 42;
  EXPECT_FALSE(a.readSettingsText(u"only one\n1,2", day(1)));
  EXPECT_EQ(a.watchDays, 7);
  EXPECT_EQ(a.values[0], 0);
  EXPECT_TRUE(a.line1.empty());
}

TEST(AccountSettings, ACardTravelsInsideTheLoanTextUnchanged) {
  CAccount a = loanNamed(u"カードA");
  const std::u16string text =
      u"決済口座\nx\ny\n7,0,0,0,0,0,-1,-1,1,2024,5,15,1,-3000,1,2,27,2,0,1,1,300000,400000,0,0,"
      u"0,20000,30000,0,0,0,7.25,5000,14.6,1,1,900000";
  ASSERT_TRUE(a.readSettingsText(text, day(1)));
  ASSERT_TRUE(a.card);
  EXPECT_EQ(a.cardFlag, 1);
  EXPECT_EQ(a.card->cardName, u"カードA");
  EXPECT_EQ(a.card->settlementAccount, u"決済口座");
  EXPECT_EQ(a.card->closingDay, 15);
  EXPECT_EQ(a.card->carriedBalance, -3000);
  EXPECT_EQ(a.card->paymentRate, 7.25);
  EXPECT_EQ(a.card->feeRate, 14.6);
  EXPECT_EQ(a.card->limit, 900000);
  EXPECT_EQ(a.settingsText(), text);
  // Copies carry their own record.
  const CAccount copy = a;
  a.card->closingDay = 20;
  EXPECT_EQ(copy.card->closingDay, 15);
}

TEST(AccountSettings, OldOneLineLoanTextsAndTheirDefaults) {
  struct Case {
    const char16_t* text;
    int32_t watchDays, cardFlag, closingDay, year, month;
  };
  const Case cases[] = {
      {u"口座\n5,100,1,2023,13,25", 5, 1, 25, 2023, 1},  // a month out of range is today's
      {u"口座\n5,100", 5, 0, 10, 2024, 1},               // no card flag: no card
      {u"口座\n5,100,0,0", 5, 0, 10, 2024, 1},           // a year out of range is today's
  };
  for (const Case& c : cases) {
    CAccount a = loanNamed(u"L");
    ASSERT_TRUE(a.readSettingsText(c.text, day(1)));
    EXPECT_EQ(a.watchDays, c.watchDays);
    EXPECT_EQ(a.watchThreshold, 100);
    EXPECT_EQ(a.cardFlag, c.cardFlag);
    ASSERT_TRUE(a.card);
    EXPECT_EQ(a.card->settlementAccount, u"口座");
    EXPECT_EQ(a.card->closingDay, c.closingDay);
    EXPECT_EQ(a.card->nextClosingYear, c.year);
    EXPECT_EQ(a.card->nextClosingMonth, c.month);
  }
  // A loan text without a line break is refused: the defaults, with a fresh card record.
  CAccount a = loanNamed(u"L");
  a.card = std::make_unique<CardSettings>(CardSettings::newRecord(2020, 3));
  a.card->closingDay = 25;
  a.watchThreshold = 99;
  EXPECT_FALSE(a.readSettingsText(u"7,100", day(1)));
  ASSERT_TRUE(a.card);
  EXPECT_EQ(*a.card, CardSettings::newRecord(2024, 1));
  EXPECT_EQ(a.watchThreshold, 0);
}

TEST(AccountRegistration, ANameUsedBeforeAdjustsTheInitialBalance) {
  LedgerFixture f;
  f.store.noAutoDefinition = true;
  f.add(day(1), kIntoAccount, 300, u"A");
  f.showDay(day(2));
  const auto def = f.store.registerAccount(u"\u3000A ", kKindAccount, -1, 1000);
  ASSERT_TRUE(def);
  EXPECT_EQ((*def)->name, u"A");
  EXPECT_EQ((*def)->amount, 700);
  EXPECT_EQ((*def)->item, kIntoAccount);
  EXPECT_EQ((*def)->flags, 0x5100);
  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.prompts.shown[0].text,
            u"過去に使用した同じ名前の口座があり、現在の残高を1000にするために初期残高を700に調整"
            u"しました。");
  EXPECT_EQ(f.store.findAccount(u"A")->balance, 1000);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 1000);
  // A second registration of the name changes nothing and says nothing.
  EXPECT_FALSE(f.store.registerAccount(u"A", kKindAccount, -1, 5));
  EXPECT_EQ(f.prompts.shown.size(), 1u);
}

TEST(AccountRegistration, TheHundredAndFirstIsRefused) {
  for (uint16_t kind : {kKindAccount, kKindLoan}) {
    LedgerFixture f;
    for (int i = 0; i < 100; ++i) {
      const std::string n = std::to_string(i);
      std::u16string name(1, u'n');
      name.append(n.begin(), n.end());
      ASSERT_TRUE(f.store.registerAccount(name, kind, -1, 0));
    }
    EXPECT_FALSE(f.store.registerAccount(u"one more", kind, -1, 0));
    ASSERT_EQ(f.prompts.shown.size(), 1u);
    EXPECT_EQ(f.prompts.shown[0].text,
              std::u16string(kind == kKindAccount ? u"貯蓄項目" : u"借入項目") +
                  u"の最大登録数に達しましたので、\n登録できませんでした。");
    EXPECT_EQ(f.store.accounts(kind).size(), 100u);
  }
}

TEST(AccountRegistration, TheDialogIsAskedAndItsPlaceAmongTheOthersKept) {
  LedgerFixture f;
  f.account(u"A", 0);
  f.account(u"C", 0);
  f.prompts.newAccounts.push_back(NewAccount{u" B ", 300, 2000, 3});
  ASSERT_TRUE(f.store.registerAccount(u"", kKindAccount, 1, kAskInitialBalance));
  ASSERT_EQ(f.prompts.registrations.size(), 1u);
  const auto& accounts = f.store.accounts(kKindAccount);
  ASSERT_EQ(accounts.size(), 3u);
  EXPECT_EQ(accounts[1].name, u"B");
  EXPECT_EQ(accounts[1].watchThreshold, 2000);
  EXPECT_EQ(accounts[1].watchDays, 3);
  // A cancelled dialog registers nothing.
  EXPECT_FALSE(f.store.registerAccount(u"D", kKindLoan, -1, kAskInitialBalance));
  EXPECT_TRUE(f.store.accounts(kKindLoan).empty());
}

TEST(AccountRegistration, RenamingMovesEveryLineAndRefusesATakenName) {
  LedgerFixture f;
  f.account(u"A", 100);
  f.account(u"B", 0);
  f.add(day(1), kIntoAccount, 50, u"A");
  f.add(day(2), kOutOfAccount, 20, u"A");
  std::u16string renamedRule;
  f.store.onAccountRenamed = [&](std::u16string_view from, std::u16string_view to, uint16_t) {
    renamedRule = std::u16string(from) + u">" + std::u16string(to);
    return size_t{2};
  };
  EXPECT_FALSE(f.store.renameAccount(u"B", u"A", kKindAccount));
  EXPECT_EQ(f.prompts.shown.back().text, u"「B」は登録済です。");
  const auto renamed = f.store.renameAccount(u"Z", u"A", kKindAccount);
  ASSERT_TRUE(renamed);
  EXPECT_EQ(renamed->lines, 2u);
  EXPECT_EQ(renamed->rules, 2u);
  EXPECT_EQ(renamedRule, u"A>Z");
  EXPECT_EQ(f.store.firstDated()->name, u"Z");
  EXPECT_EQ(std::next(f.store.firstDated())->name, u"Z");
  f.showDay(day(3));
  EXPECT_EQ(f.store.findAccount(u"Z")->balance, 130);
}

TEST(AccountRegistration, ATransferToANewNameRegistersItFirst) {
  LedgerFixture f;
  f.store.context().window.mode = DisplayMode::DayInput;
  f.prompts.newAccounts.push_back(NewAccount{u"新口座", 1000, 0, 7});
  const auto p = f.store.insert(LedgerFixture::line(day(1), kIntoAccount, 400, u"新口座"));
  ASSERT_TRUE(p);
  EXPECT_EQ((*p)->work, 1000);  // the account's balance on the current day
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 1400);
  // A cancelled registration writes no line.
  EXPECT_FALSE(f.store.insert(LedgerFixture::line(day(1), kBorrow, 400, u"新借入")));
  EXPECT_TRUE(f.store.accounts(kKindLoan).empty());
}

// Checked in this order: blank, the same name, a taken name; an unknown old name changes
// nothing.
TEST(AccountRegistration, ARenameChecksTheNewNameFirst) {
  struct Case {
    const char16_t* typed;
    bool done;
    const char16_t* message;  // nullptr: none
  };
  const Case cases[] = {
      {u"\u3000 ", false, u"空白は登録できません。"},
      {u" A\u3000", true, nullptr},
      {u"B", false, u"「B」は登録済です。"},
  };
  for (const Case& c : cases) {
    LedgerFixture f;
    f.account(u"A", 100);
    f.account(u"B", 0);
    const auto r = f.store.renameAccount(c.typed, u"A", kKindAccount);
    EXPECT_EQ(r.has_value(), c.done);
    using Texts = std::vector<std::u16string>;
    EXPECT_EQ(f.prompts.texts(), c.message ? Texts{c.message} : Texts{});
    EXPECT_TRUE(f.store.findAccount(u"A"));
  }
  LedgerFixture f;
  EXPECT_FALSE(f.store.renameAccount(u"Z", u"nobody", kKindAccount));
  EXPECT_FALSE(f.store.isModified() && f.store.findAccount(u"Z"));
  // A long name is kept at 255 characters.
  f.account(u"A", 0);
  ASSERT_TRUE(f.store.renameAccount(std::u16string(300, u'x'), u"A", kKindAccount));
  EXPECT_TRUE(f.store.findAccount(std::u16string(255, u'x')));
}

// An account and a loan may share a name; renaming one kind leaves the other and its lines.
TEST(AccountRegistration, RenamingOneKindLeavesTheOtherAlone) {
  LedgerFixture f;
  f.account(u"A", 1000);
  f.loan(u"A", 5000);
  f.add(day(1), kIntoAccount, 100, u"A");
  f.add(day(1), kBorrow, 200, u"A");
  std::vector<uint16_t> kinds;
  f.store.onAccountRenamed = [&](std::u16string_view, std::u16string_view, uint16_t kind) {
    kinds.push_back(kind);
    return size_t{0};
  };
  const auto r = f.store.renameAccount(u"貯金", u"A", kKindAccount);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->lines, 1u);
  EXPECT_EQ(kinds, std::vector<uint16_t>{kKindAccount});
  EXPECT_TRUE(f.store.findAccount(u"貯金"));
  EXPECT_TRUE(f.store.findLoan(u"A"));
  for (const CHinmei& e : f.store.entries()) {
    if ((e.flags & EF_LOAN) != 0 && !e.isItemDefinition()) {
      EXPECT_EQ(e.name, u"A");
    }
  }
  // And back again: the loan follows its own rename.
  ASSERT_TRUE(f.store.renameAccount(u"A", u"貯金", kKindAccount));
  ASSERT_TRUE(f.store.renameAccount(u"ローン", u"A", kKindLoan));
  f.showDay(day(2), true);
  EXPECT_EQ(f.store.findAccount(u"A")->balance, 1100);
  EXPECT_EQ(f.store.findLoan(u"ローン")->balance, 5200);
}

// A card's payment account is named inside its loan's settings text; it follows a rename so
// that the next settlement does not register a phantom account under the old name.
TEST(AccountRegistration, ACardsPaymentAccountFollowsARename) {
  LedgerFixture f;
  f.account(u"普通", 0);
  f.loan(u"カード", 0);
  CAccount* card = f.store.findLoan(u"カード");
  card->card->settlementAccount = u"普通";
  card->cardFlag = 1;
  f.store.writeSettingsText(*card);
  ASSERT_TRUE(f.store.renameAccount(u"生活口座", u"普通", kKindAccount));
  const auto def = *f.store.definitionByName(u"カード", kKindLoan);
  EXPECT_EQ(def->tailView().substr(0, 5), u"生活口座\n");
  f.showDay(day(1), true);
  EXPECT_EQ(f.store.findLoan(u"カード")->card->settlementAccount, u"生活口座");
  // A loan named like the old account is no payment account: a loan rename leaves texts alone.
  ASSERT_TRUE(f.store.renameAccount(u"新カード", u"カード", kKindLoan));
  EXPECT_EQ(f.store.findLoan(u"新カード")->card->cardName, u"新カード");
}

TEST(AccountRegistration, CancellingAsksAndLeavesTheLines) {
  LedgerFixture f;
  f.account(u"A", 1000);
  f.account(u"B", 50);
  f.add(day(1), kIntoAccount, 300, u"A");
  f.showDay(day(2));
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 1350);
  f.prompts.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(f.store.cancelAccount(u"A", kKindAccount, true));
  EXPECT_EQ(f.prompts.shown.back().text,
            u"（A）を取消しますか？\n取消すと、この口座の残高は表示されなくなります。");
  EXPECT_TRUE(f.store.findAccount(u"A"));
  EXPECT_TRUE(f.store.cancelAccount(u"A", kKindAccount, true));
  EXPECT_FALSE(f.store.findAccount(u"A"));
  EXPECT_FALSE(f.store.definitionByName(u"A", kKindAccount));
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 50);  // at once, without another computation
  EXPECT_EQ(f.store.firstDated()->name, u"A");
  EXPECT_FALSE(f.store.cancelAccount(u"A", kKindAccount, false));
  EXPECT_FALSE(f.store.cancelAccount(u"B", kKindLoan, false));
}

// The definition's amount enters the balances only in a full computation: the change makes one,
// so the account and the total assets are right at once.
TEST(AccountRegistration, AChangedInitialBalanceShowsAtOnce) {
  LedgerFixture f;
  f.account(u"A", 1000);
  f.loan(u"L", 400);
  f.add(day(1), kIntoAccount, 300, u"A");
  f.showDay(day(2));
  const int64_t assets = f.row(ITEM_TOTAL_ASSETS);
  ASSERT_TRUE(f.store.setInitialBalance(u"A", kKindAccount, 2000));
  EXPECT_EQ(f.store.findAccount(u"A")->balance, 2300);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 2300);
  EXPECT_EQ(f.row(ITEM_TOTAL_ASSETS), assets + 1000);
  ASSERT_TRUE(f.store.setInitialBalance(u"L", kKindLoan, 0));
  EXPECT_EQ(f.row(ITEM_LOAN_BALANCE), 0);
  EXPECT_EQ(f.row(ITEM_TOTAL_ASSETS), assets + 1400);
  EXPECT_FALSE(f.store.setInitialBalance(u"A", kKindLoan, 1));
}

TEST(AccountRegistration, TheWatchAndThePlaceOutsideTheAssetsAreKept) {
  LedgerFixture f;
  f.account(u"A", 1000);
  f.showDay(day(1));
  f.store.setModified(false);
  ASSERT_TRUE(f.store.setAccountWatch(u"A", kKindAccount, {10, 300, true}));
  EXPECT_TRUE(f.store.isModified());
  const auto def = *f.store.definitionByName(u"A", kKindAccount);
  EXPECT_EQ(def->tailView(), u"\n\n10,300,0,0,0,0,-1,-1");
  EXPECT_NE(def->flags & EF_OUTSIDE_ASSETS, 0);
  // A deposit into it now leaves the total assets.
  const int64_t assets = f.row(ITEM_TOTAL_ASSETS);
  f.add(day(1), kIntoAccount, 100, u"A");
  EXPECT_EQ(f.row(ITEM_TOTAL_ASSETS), assets - 100);
  f.showDay(day(1), true);
  EXPECT_EQ(f.store.findAccount(u"A")->watchThreshold, 300);
  EXPECT_FALSE(f.store.setAccountWatch(u"nobody", kKindAccount, {}));
}

}  // namespace
}  // namespace sorami::test
