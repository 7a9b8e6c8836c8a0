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

// ---- Tax lines.

class TaxLineTest : public WriteEntryTest {
 protected:
  TaxLineSettings taxLines(int expenseItem = -1, int incomeItem = -1) const {
    // Built in one go: GCC 12 at -O3 misreads assigning a short literal over the default
    // name as an overlapping copy.
    return TaxLineSettings{.taxName = u"税", .expenseItem = expenseItem, .incomeItem = incomeItem};
  }
  EntryRequest taxed(EntryRequest r, int32_t tax) const {
    r.tax = tax;
    r.taxFlags = taxFlags(TAX_OUTSIDE, TAX_ROUND_DOWN, false);
    return r;
  }
};

TEST_F(TaxLineTest, OrdinaryLinesGoToTheTaxItemOfTheirSide) {
  struct Case {
    uint16_t item;
    int expenseItem, incomeItem;
    uint16_t taxItem;
    std::u16string_view memo;
  };
  const Case cases[] = {
      {kFood, test::kGoods, -1, test::kGoods, u"食費:パン"},
      {kFood, -1, -1, kFood, u"パン"},            // tax lines stay with their data
      {kFood, 65535, -1, kFood, u"パン"},         // a number read from a file that is no item
      {kFood, kSalary, -1, kFood, u"パン"},       // an income item takes no expense tax
      {kFood, kIntoAccount, -1, kFood, u"パン"},  // nor does an account item
      {kSalary, test::kGoods, -1, kSalary, u"パン"},
      {kSalary, -1, kSalary, kSalary, u"給料:パン"},
  };
  for (const Case& c : cases) {
    LedgerFixture g;
    EntryRequest r = taxed(request(c.item, u"パン", 1080), 80);
    r.item = g.store.itemByNumber(c.item);
    const auto written = writeEntry(g.store, r, true, taxLines(c.expenseItem, c.incomeItem));
    ASSERT_TRUE(written);
    EXPECT_EQ((*written)->flags & TF_MASK, TF_MODE_OUTSIDE | TF_ROUND_DOWN);
    const CHinmei& tax = *std::next(*written);
    EXPECT_EQ(tax.item, c.taxItem);
    EXPECT_EQ(tax.name, u"税");
    EXPECT_EQ(tax.memo, c.memo);
    EXPECT_EQ(tax.amount, 80);
    EXPECT_EQ(tax.flags, g.store.itemByNumber(c.taxItem)->flags & ~EF_ITEM);
  }
}

TEST_F(TaxLineTest, TransfersWriteATaxPairOnTheAccount) {
  ASSERT_TRUE(writeEntry(f.store,
                         taxed(request(kFood, u"パン", 1000, TransferKind::Savings, u"普通"), 80),
                         true, taxLines(test::kGoods)));
  const std::vector<CHinmei> l = lines();
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[2].item, kOutOfAccount);
  EXPECT_EQ(l[2].name, u"普通");
  EXPECT_EQ(l[2].memo, u"税");
  EXPECT_EQ(l[2].flags, EF_ACCOUNT | EF_INCOME | EF_PAIR);
  EXPECT_EQ(l[3].item, kFood);  // a transfer's tax stays with its item
  EXPECT_EQ(l[3].name, u"税");
  EXPECT_EQ(l[3].memo, u"パン");
  EXPECT_EQ(l[3].amount, 80);
  EXPECT_EQ(l[3].flags, EF_EXPENSE | EF_PAIR | EF_PAIR_SECOND);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000);
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 10000 - 1080);
}

TEST_F(TaxLineTest, AccountItemsKeepTheAccountNameAndNoTaxNoLine) {
  ASSERT_TRUE(
      writeEntry(f.store, taxed(request(kIntoAccount, u"普通", 500), 40), true, taxLines(0)));
  std::vector<CHinmei> l = lines();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[1].item, kIntoAccount);
  EXPECT_EQ(l[1].name, u"普通");
  EXPECT_EQ(l[1].memo, u"税");
  EXPECT_EQ(f.row(ITEM_ACCOUNT_BALANCE), 10000 + 540);
  // A tax of 0 (税抜, or cut by the ten-yen rule) writes the line alone.
  ASSERT_TRUE(writeEntry(f.store, taxed(request(kFood, u"米", 300), 0), true, taxLines(0)));
  EXPECT_EQ(lines().size(), 3u);
}

// The calculator's automatic memory counts what the store reports: each line once, a transfer
// by the half that is not the account's, nothing of a pair taken back.
TEST_F(TaxLineTest, TheStoreReportsEachLineOnce) {
  std::vector<std::pair<uint16_t, int32_t>> reported;
  f.store.onLineAdded = [&](const CHinmei& e) { reported.emplace_back(e.item, e.amount); };
  writeEntry(f.store, taxed(request(kFood, u"パン", 1000), 80), true, taxLines());
  writeEntry(f.store, request(kFood, u"米", 500, TransferKind::Savings, u"普通"), true);
  writeEntry(f.store, request(kSalary, u"賞与", 9000, TransferKind::Savings, u"普通"), true);
  writeEntry(f.store, request(kSalary, u"返済", 5000, TransferKind::Loan, u"新ローン"), true);
  using R = std::vector<std::pair<uint16_t, int32_t>>;
  EXPECT_EQ(reported, (R{{kFood, 1000}, {kFood, 80}, {kFood, 500}, {kSalary, 9000}}));
}

class WriteTaxTest : public TaxLineTest {
 protected:
  WriteTaxOutcome run(int64_t amount, TaxSource source, std::u16string account = u"") {
    TaxSettings tax;
    tax.rate = TaxRate::fromPercent(10);
    tax.rounding = TAX_ROUND_UP;
    return writeTax(f.store, day(1), *f.store.itemByNumber(kFood), u"パン", amount, source, account,
                    tax, taxLines(test::kGoods));
  }
};

TEST_F(WriteTaxTest, WritesTheOutsideTaxOfTheSelectionFromCash) {
  EXPECT_EQ(run(1234, TaxSource::Cash), WriteTaxOutcome::Written);
  const std::vector<CHinmei> l = lines();
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0].item, test::kGoods);
  EXPECT_EQ(l[0].amount, 124);
  EXPECT_EQ(l[0].memo, u"食費:パン");
  EXPECT_EQ(run(0, TaxSource::Cash), WriteTaxOutcome::NoTax);
  EXPECT_EQ(lines().size(), 1u);
}

TEST_F(WriteTaxTest, FromANewAccountRegistersItWithoutABalance) {
  EXPECT_EQ(run(2000, TaxSource::Account, u" 定期 "), WriteTaxOutcome::Written);
  const CAccount* account = f.store.findAccount(u"定期");
  ASSERT_NE(account, nullptr);
  EXPECT_EQ(account->definition->amount, 0);
  const std::vector<CHinmei> l = lines();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].item, kOutOfAccount);
  EXPECT_EQ(l[0].name, u"定期");
  EXPECT_EQ(l[0].memo, u"税");
  EXPECT_EQ(l[1].item, kFood);
  EXPECT_EQ(l[1].amount, 200);
  EXPECT_TRUE(f.prompts.registrations.empty());  // nothing asked
}

TEST_F(WriteTaxTest, ACancelledRegistrationWritesNothing) {
  // Without a name the registration dialog asks, and it is cancelled.
  EXPECT_EQ(run(2000, TaxSource::Loan, u""), WriteTaxOutcome::Refused);
  EXPECT_EQ(f.prompts.registrations.size(), 1u);
  EXPECT_TRUE(lines().empty());
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), 10000);
}

}  // namespace
}  // namespace sorami
