// The input row's text rules and the writing of single lines and transfer pairs.

#include "ledger/EntryInput.h"

#include <gtest/gtest.h>

#include "LedgerFixture.h"

namespace sorami {
namespace {

using test::day;
using test::kBorrow;
using test::kFood;
using test::kIntoAccount;
using test::kOutOfAccount;
using test::kRepayLoan;
using test::kSalary;
using test::LedgerFixture;

TEST(EntryInput, SplitsProductNameFromMemoAtTheFirstDelimiter) {
  const std::u16string delimiters = u"、。，．：；｜,.:;|";
  struct Case {
    std::u16string text;
    std::u16string name;
    std::u16string memo;
  };
  const Case cases[] = {
      {u"  パン  ", u"パン", u""},
      {u"\u3000パン、朝食用:特売\u3000", u"パン", u"朝食用:特売"},
      {u"、メモだけ", u"", u"メモだけ"},
      {u"\u3000 \u3000", u"", u""},
      {u"米;5kg", u"米", u"5kg"},
  };
  for (const Case& c : cases) {
    const NameAndMemo split = splitNameText(c.text, delimiters);
    EXPECT_EQ(split.name, c.name);
    EXPECT_EQ(split.memo, c.memo);
  }
  // Without delimiters the whole text is the name; only 256 characters are read.
  EXPECT_EQ(splitNameText(u"a,b", u"").name, u"a,b");
  EXPECT_EQ(splitNameText(std::u16string(300, u'x'), u"").name.size(), 256u);
}

TEST(EntryInput, ReadsSpecialNameNumbersAndAmounts) {
  EXPECT_EQ(specialNameNumber(u"3"), 3);
  EXPECT_EQ(specialNameNumber(u"12"), 12);
  for (std::u16string_view text : {u"0", u"", u"3a", u"-1", u"１"}) {
    EXPECT_FALSE(specialNameNumber(text)) << std::string(text.begin(), text.end());
  }
  EXPECT_EQ(readAmountText(u"\u3000 1,200 ", 0), 1200);
  EXPECT_EQ(readAmountText(u"-50", 0), -50);
  EXPECT_EQ(readAmountText(u"", 0), 0);
  EXPECT_EQ(readAmountText(u"1.5", 2), 150);
  // The whole figure counts: a long one is never read as a shorter amount.
  EXPECT_EQ(readAmountText(u"-2,000,000,000", 0), -2000000000);
  EXPECT_EQ(readAmountText(u"-12,345,678.95", 2), -1234567895);
  EXPECT_FALSE(readAmountText(u"1,234,567,890,123", 0));
  EXPECT_FALSE(readAmountText(u"9999999999", 0));
  // Typed with the input method on, a figure reads the same; a text without digits is none.
  EXPECT_EQ(readAmountText(u"\u3000－１，２００．５", 1), -12005);
  EXPECT_TRUE(isAmountText(u""));
  EXPECT_TRUE(isAmountText(u"１"));
  EXPECT_FALSE(isAmountText(u"千円"));
  EXPECT_FALSE(isAmountText(u"-,"));
}

TEST(EntryInput, ComposesTheMemoWithTheTransferText) {
  EXPECT_EQ(transferText(TransferKind::Savings, u"普通", false), u"口座:普通から");
  EXPECT_EQ(transferText(TransferKind::Loan, u"カード", true), u"借入:カードへ");
  EXPECT_EQ(composeMemo(u"特売", u"口座:普通から"), u"特売 :口座:普通から");
  EXPECT_EQ(composeMemo(u"", u"口座:普通から"), u"口座:普通から");
  EXPECT_EQ(composeMemo(u"特売", u""), u"特売");
}

TEST(EntryInput, ZeroAmountsOnlyForUnregisteredSavingsAndLoanNames) {
  LedgerFixture f;
  f.account(u"普通", 1000);
  f.loan(u"カード", 0);
  CHinmeiList& s = f.store;
  EXPECT_FALSE(zeroAmountAccepted(s, *s.itemByNumber(kFood), u"パン", true));
  EXPECT_TRUE(zeroAmountAccepted(s, *s.itemByNumber(kFood), u"パン", false));
  EXPECT_FALSE(zeroAmountAccepted(s, *s.itemByNumber(kIntoAccount), u"普通", true));
  EXPECT_TRUE(zeroAmountAccepted(s, *s.itemByNumber(kIntoAccount), u"定期", true));
  EXPECT_FALSE(zeroAmountAccepted(s, *s.itemByNumber(kRepayLoan), u"カード", true));
  EXPECT_TRUE(zeroAmountAccepted(s, *s.itemByNumber(kRepayLoan), u"普通", true));
}

class WriteEntryTest : public ::testing::Test {
 protected:
  WriteEntryTest() { f.account(u"普通", 10000); }

  EntryRequest request(uint16_t item, std::u16string name, int32_t amount,
                       TransferKind kind = TransferKind::None, std::u16string account = u"") {
    EntryRequest r;
    r.day = day(1);
    r.item = f.store.itemByNumber(item);
    r.name = std::move(name);
    r.amount = amount;
    r.transfer = kind;
    r.account = std::move(account);
    r.memo = transferText(kind, r.account, (r.item->flags & EF_INCOME) != 0);
    return r;
  }
  std::vector<CHinmei> lines() const {
    std::vector<CHinmei> out;
    for (const CHinmei& e : f.store.entries()) {
      if (e.isDated() && !e.isEndMarker()) out.push_back(e);
    }
    return out;
  }

  LedgerFixture f;
};

TEST_F(WriteEntryTest, WritesAPlainLineWithTheItemsFlags) {
  ASSERT_TRUE(writeEntry(f.store, request(kFood, u"パン", 300), true));
  const std::vector<CHinmei> l = lines();
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0].flags, EF_EXPENSE);
  EXPECT_EQ(l[0].name, u"パン");
  EXPECT_EQ(f.store.itemTotal(kFood), 300);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000 - 300);
}

TEST_F(WriteEntryTest, ExpenseTransferTakesTheAccountHalfFirst) {
  const auto written =
      writeEntry(f.store, request(kFood, u"パン", 300, TransferKind::Savings, u"普通"), true);
  ASSERT_TRUE(written);
  EXPECT_EQ((*written)->item, kFood);
  const std::vector<CHinmei> l = lines();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].item, kOutOfAccount);
  EXPECT_EQ(l[0].flags, EF_ACCOUNT | EF_INCOME | EF_PAIR);
  EXPECT_EQ(l[0].name, u"普通");
  EXPECT_EQ(l[0].memo, u"食費:パンへ");
  EXPECT_EQ(l[1].flags, EF_EXPENSE | EF_PAIR | EF_PAIR_SECOND);
  EXPECT_EQ(l[1].memo, u"口座:普通から");
  // The cash does not move: the food was paid from the account.
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 10000 - 300);
}

// The account half names the account, as every line of an account item does, so the balances
// find it; the item and product name go to its memo.
TEST_F(WriteEntryTest, IncomeTransferNamesTheAccountOnItsSecondHalf) {
  ASSERT_TRUE(writeEntry(f.store,
                         request(kSalary, u"4月分", 200000, TransferKind::Savings, u"普通"), true));
  const std::vector<CHinmei> l = lines();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].item, kSalary);
  EXPECT_EQ(l[0].flags, EF_INCOME | EF_PAIR);
  EXPECT_EQ(l[0].memo, u"口座:普通へ");
  EXPECT_EQ(l[1].item, kIntoAccount);
  EXPECT_EQ(l[1].flags, EF_ACCOUNT | EF_EXPENSE | EF_PAIR | EF_PAIR_SECOND);
  EXPECT_EQ(l[1].name, u"普通");
  EXPECT_EQ(l[1].memo, u"給料:4月分から");
  EXPECT_EQ(f.store.accounts(kKindAccount).size(), 1u);  // nothing registered by mistake
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 10000 + 200000);
}

TEST_F(WriteEntryTest, RefusedSecondHalfTakesTheFirstAway) {
  // The loan is new and its registration is cancelled: the loan half is refused.
  const int64_t cash = f.row(ITEM_CASH_BALANCE);
  EXPECT_FALSE(
      writeEntry(f.store, request(kSalary, u"返済", 5000, TransferKind::Loan, u"新ローン"), true));
  EXPECT_EQ(f.prompts.registrations.size(), 1u);
  EXPECT_TRUE(lines().empty());
  EXPECT_EQ(f.store.itemTotal(kSalary), 0);
  EXPECT_EQ(f.row(ITEM_INCOME_TOTAL), 0);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), cash);
}

TEST_F(WriteEntryTest, ZeroTransfersAreRefusedUnlessZeroIsAllowed) {
  EXPECT_FALSE(
      writeEntry(f.store, request(kFood, u"パン", 0, TransferKind::Savings, u"普通"), true));
  EXPECT_TRUE(f.prompts.wasShown(MessageId::ZeroAmountRefused));
  EXPECT_TRUE(lines().empty());
  f.store.context().options.skipZeroAmounts = false;
  EXPECT_TRUE(
      writeEntry(f.store, request(kFood, u"パン", 0, TransferKind::Savings, u"普通"), false));
  EXPECT_EQ(lines().size(), 2u);
}

TEST_F(WriteEntryTest, RemembersTheNewestAmountWithinTheSearchDepth) {
  f.add(day(1), kFood, 100, u"パン");
  f.add(day(5), kFood, 150, u"パン");
  f.add(day(5), kFood, 999, u"米");
  f.add(day(9), kFood, 200, u"パン");  // after the current day
  EXPECT_EQ(rememberAmount(f.store, kFood, u"パン", day(6), 400)->amount, 150);
  EXPECT_EQ(rememberAmount(f.store, kFood, u"パン", day(5), 0)->amount, 150);
  EXPECT_EQ(rememberAmount(f.store, kFood, u"パン", day(4), 3)->amount, 100);
  EXPECT_FALSE(rememberAmount(f.store, kFood, u"パン", day(4), 2));
  EXPECT_FALSE(rememberAmount(f.store, kFood, u"パン", day(6), -1));
  EXPECT_FALSE(rememberAmount(f.store, kFood, u"パ", day(6), 400));
  writeEntry(f.store, request(kFood, u"昼食", 700, TransferKind::Savings, u"普通"), true);
  const auto found = rememberAmount(f.store, kFood, u"昼食", day(1), 0);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->amount, 700);
  EXPECT_EQ(found->accountName, u"普通");
  EXPECT_TRUE(found->loanName.empty());
}

}  // namespace
}  // namespace sorami
