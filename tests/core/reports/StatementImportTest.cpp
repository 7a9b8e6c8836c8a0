// Bank and card statements into the book: read by their profile, given items, found again when
// they come a second time, written in one change, and every bad line named with its reason.

#include "reports/StatementImport.h"

#include <gtest/gtest.h>

#include "core/ledger/LedgerFixture.h"
#include "platform/TextCodec.h"

namespace sorami {
namespace {

using namespace std::string_literals;

using test::kBorrow;
using test::kFood;
using test::kGoods;
using test::kIntoAccount;
using test::kOutOfAccount;
using test::kRepayLoan;
using test::kSalary;

// A card statement: use day, shop, amount, memo; purchases positive.
const std::string kCardProfile =
    "encoding = auto\n"
    "skip-lines = 1\n"
    "date-column = 1\n"
    "name-column = 2\n"
    "amount-column = 3\n"
    "memo-column = 4\n"
    "sign = expense-positive\n"
    "money = loan:カード\n"
    "default-expense-item = 日用品\n"
    "default-income-item = 給料\n"
    "[rule]\n"
    "contains = セブン\n"
    "item = 食費\n";

// A bank statement: day, description, paid out, paid in, balance.
const std::string kBankProfile =
    "skip-lines = 1\n"
    "date-column = 1\n"
    "name-column = 2\n"
    "expense-column = 3\n"
    "income-column = 4\n"
    "money = account\n"
    "default-expense-item = 日用品\n"
    "default-income-item = 給料\n";

const std::string kCardTitle = "ご利用日,ご利用店名,ご利用金額,備考\n";

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

class StatementImportTest : public ::testing::Test {
 protected:
  StatementImportTest() {
    f.loan(u"カード", 0);
    f.account(u"普通預金", 100000);
  }

  static StatementProfile profile(const std::string& text) {
    const ProfileRead r = readStatementProfile(text);
    EXPECT_TRUE(r.profile) << toUtf8(r.error.text());
    return r.profile.value_or(StatementProfile{});
  }

  StatementPreview preview(const std::string& bytes, const StatementProfile& p,
                           std::optional<MoneyTarget> money = std::nullopt) {
    MoneyTarget m = money.value_or(p.money);
    const std::optional<Refusal> refused = resolveMoneyTarget(f.store, m);
    EXPECT_FALSE(refused) << toUtf8(refused ? refused->text() : u"");
    return previewStatement(bytes, p, f.store, m, 0);
  }

  std::vector<CHinmei> dated() const {
    std::vector<CHinmei> lines;
    for (const CHinmei& e : f.store.entries()) {
      if (e.isDated() && !e.isEndMarker()) lines.push_back(e);
    }
    return lines;
  }

  // The written line of an item with that name, and the other half of its pair.
  std::pair<CHinmei, std::optional<CHinmei>> written(uint16_t item, std::u16string_view name) {
    for (auto p = f.store.begin(); p != f.store.end(); ++p) {
      if (!p->isDated() || p->item != item || p->name != name) continue;
      const auto partner = f.store.partnerOf(p);
      return {*p, partner ? std::optional<CHinmei>(**partner) : std::nullopt};
    }
    ADD_FAILURE() << "no line " << item << " " << toUtf8(name);
    return {};
  }

  test::LedgerFixture f;
};

TEST_F(StatementImportTest, CardStatementInShiftJisBecomesLoanLines) {
  const std::string bytes = toShiftJis(
      u"ご利用日,ご利用店名,ご利用金額,備考\r\n"
      u"R6.4.1,ｾﾌﾞﾝｲﾚﾌﾞﾝ,\"1,280\",\r\n"
      u"令和6年4月2日,書店,３，３００,雑誌\r\n"
      u"R6.4.3,書店,△500,返品\r\n");
  StatementPreview p = preview(bytes, profile(kCardProfile));
  EXPECT_EQ(p.encoding, StatementEncoding::ShiftJis);
  ASSERT_EQ(p.lines.size(), 3u);
  struct Expected {
    size_t line;
    Day date;
    int32_t amount;
    bool income;
    uint16_t item;
    ItemSource source;
  };
  const Expected expected[] = {
      {2, ymd(2024, 4, 1), 1280, false, kFood, ItemSource::Rule},
      {3, ymd(2024, 4, 2), 3300, false, kGoods, ItemSource::Default},
      {4, ymd(2024, 4, 3), 500, true, kSalary, ItemSource::Default},
  };
  for (size_t i = 0; i < 3; ++i) {
    const StatementLine& l = p.lines[i];
    EXPECT_EQ(l.line, expected[i].line);
    EXPECT_EQ(l.date, expected[i].date);
    EXPECT_EQ(l.amount, expected[i].amount);
    EXPECT_EQ(l.income, expected[i].income);
    EXPECT_EQ(l.item, expected[i].item);
    EXPECT_EQ(l.source, expected[i].source);
    EXPECT_EQ(l.status, LineStatus::New) << toUtf8(l.reason.text());
  }

  const StatementOutcome done = importStatement(f.store, p, false);
  EXPECT_FALSE(done.failure);
  EXPECT_EQ(done.added, 3u);
  EXPECT_EQ(dated().size(), 6u);
  // A purchase is borrowed on the card; a refund repays it.
  const auto [shop, borrowed] = written(kFood, u"ｾﾌﾞﾝｲﾚﾌﾞﾝ");
  EXPECT_EQ(shop.memo, u"借入:カードから");
  ASSERT_TRUE(borrowed);
  EXPECT_EQ(borrowed->item, kBorrow);
  EXPECT_EQ(borrowed->name, u"カード");
  const auto [refund, repaid] = written(kSalary, u"書店");
  EXPECT_EQ(refund.amount, 500);
  EXPECT_EQ(refund.memo, u"返品 :借入:カードへ");
  ASSERT_TRUE(repaid);
  EXPECT_EQ(repaid->item, kRepayLoan);
  EXPECT_EQ(f.store.transferSum(u"カード", EF_LOAN, ymd(2024, 12, 31)), -(1280 + 3300 - 500));

  // The same statement again adds nothing.
  StatementPreview again = preview(bytes, profile(kCardProfile));
  EXPECT_EQ(again.count(LineStatus::Duplicate), 3u);
  EXPECT_EQ(importStatement(f.store, again, false).added, 0u);
  EXPECT_EQ(dated().size(), 6u);
}

TEST_F(StatementImportTest, BankStatementInUtf8WithSeparateColumns) {
  const std::string bytes =
      "\xEF\xBB\xBF"
      "日付,摘要,お支払金額,お預り金額,残高\n"
      "2024/04/01,電気料金,\"8,200\",,\"91,800\"\n"
      "2024/04/25,給与,,\"250,000\",\"341,800\"\n"
      "2024/04/26,訂正,-300,,\"342,100\"\n"
      "2024/04/27,二重,100,200,0\n";
  StatementPreview p = preview(bytes, profile(kBankProfile));
  EXPECT_EQ(p.encoding, StatementEncoding::Utf8);
  // The only account of the ledger is the one the profile leaves open.
  EXPECT_EQ(p.money, (MoneyTarget{TransferKind::Savings, u"普通預金"}));
  ASSERT_EQ(p.lines.size(), 4u);
  EXPECT_EQ(p.lines[0].statementName, u"電気料金");
  EXPECT_FALSE(p.lines[0].income);
  EXPECT_EQ(p.lines[0].amount, 8200);
  EXPECT_TRUE(p.lines[1].income);
  EXPECT_EQ(p.lines[1].amount, 250000);
  // A negative figure among the payments came in.
  EXPECT_TRUE(p.lines[2].income);
  EXPECT_EQ(p.lines[2].amount, 300);
  EXPECT_EQ(p.lines[3].reason.id, MessageId::StatementAmountBoth);

  EXPECT_EQ(importStatement(f.store, p, true).added, 3u);
  const auto [bill, fromAccount] = written(kGoods, u"電気料金");
  ASSERT_TRUE(fromAccount);
  EXPECT_EQ(fromAccount->item, kOutOfAccount);
  EXPECT_EQ(fromAccount->name, u"普通預金");
  const auto [salary, intoAccount] = written(kSalary, u"給与");
  ASSERT_TRUE(intoAccount);
  EXPECT_EQ(intoAccount->item, kIntoAccount);
  EXPECT_EQ(salary.memo, u"口座:普通預金へ");
}

TEST_F(StatementImportTest, OverlappingStatementsAddEachLineOnce) {
  const StatementProfile card = profile(kCardProfile);
  const std::string april = kCardTitle +
                            "2024/04/01,八百屋,100,\n"
                            "2024/04/02,パン屋,200,\n"
                            "2024/04/02,パン屋,200,\n"
                            "2024/04/03,魚屋,300,\n";
  StatementPreview first = preview(april, card);
  EXPECT_EQ(first.count(LineStatus::New), 4u) << "two identical lines are both kept";
  EXPECT_EQ(importStatement(f.store, first, false).added, 4u);
  // The same lines paid in cash are other lines.
  EXPECT_EQ(preview(april, card, MoneyTarget{}).count(LineStatus::New), 4u);

  const std::string later = kCardTitle +
                            "2024/04/02,パン屋,200,\n"
                            "2024/04/02,パン屋,200,\n"
                            "2024/04/02,パン屋,200,\n"
                            "2024/04/03,魚屋,300,\n"
                            "2024/04/04,肉屋,400,\n";
  StatementPreview second = preview(later, card);
  const LineStatus statuses[] = {LineStatus::Duplicate, LineStatus::Duplicate, LineStatus::New,
                                 LineStatus::Duplicate, LineStatus::New};
  ASSERT_EQ(second.lines.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(second.lines[i].status, statuses[i]) << i;
  const StatementOutcome done = importStatement(f.store, second, false);
  EXPECT_EQ(done.added, 2u);
  EXPECT_EQ(done.duplicates, 3u);
  EXPECT_EQ(dated().size(), 12u);
}

TEST_F(StatementImportTest, ItemsByRuleByUseAndByDefault) {
  f.add(test::day(1), kFood, 300, u"パン屋");
  f.add(test::day(2), kFood, 300, u"パン屋");
  f.add(test::day(3), kGoods, 300, u"パン屋");
  f.add(test::day(4), kFood, 500, u"ドラッグ");
  f.add(test::day(5), kGoods, 500, u"ドラッグ");
  const StatementProfile cash = profile(
      "date-column = 1\nname-column = 2\namount-column = 3\n"
      "default-expense-item = 雑費\ndefault-income-item = 給料\n"
      "[rule]\nregex = ^amazon\nitem = 日用品\nname = 通販\n"
      "[rule]\ncontains = 給\nitem = 日用品\n");
  StatementPreview p = preview(
      "2024/02/01,ﾊﾟﾝ屋,-300\n"     // most often 食費, in another spelling
      "2024/02/01,ドラッグ,-500\n"  // a tie: the later use wins
      "2024/02/01,AMAZON.CO.JP,-1200\n"
      "2024/02/01,給付金,1000\n"  // the rule's item is no income item
      "2024/02/01,謎の店,-700\n",
      cash);
  ASSERT_EQ(p.lines.size(), 5u);
  EXPECT_EQ(p.lines[0].item, kFood);
  EXPECT_EQ(p.lines[0].source, ItemSource::Frequent);
  EXPECT_EQ(p.lines[1].item, kGoods);
  EXPECT_EQ(p.lines[2].item, kGoods);
  EXPECT_EQ(p.lines[2].source, ItemSource::Rule);
  EXPECT_EQ(p.lines[2].name, u"通販");
  EXPECT_EQ(p.lines[3].item, kSalary);
  EXPECT_EQ(p.lines[3].source, ItemSource::Default);
  EXPECT_EQ(p.lines[4].status, LineStatus::Refused);
  EXPECT_EQ(p.lines[4].reason.id, MessageId::StatementDefaultItemMissing);
  EXPECT_FALSE(p.lines[4].unreadable);

  EXPECT_FALSE(chooseItem(p, 4, kSalary, f.store)) << "an income item for money spent";
  EXPECT_FALSE(chooseItem(p, 4, kIntoAccount, f.store)) << "a transfer item";
  EXPECT_EQ(itemsForSide(f.store, false), (std::vector<uint16_t>{kFood, kGoods}));
  ASSERT_TRUE(chooseItem(p, 4, kGoods, f.store));
  EXPECT_EQ(p.lines[4].status, LineStatus::New);
  ASSERT_TRUE(chooseItem(p, 0, kGoods, f.store));
  EXPECT_EQ(importStatement(f.store, p, false).added, 5u);
  EXPECT_EQ(written(kGoods, u"ﾊﾟﾝ屋").first.memo, u"");
  EXPECT_EQ(written(kGoods, u"通販").first.amount, 1200);
}

TEST_F(StatementImportTest, RuleCanRepayTheCardFromTheAccount) {
  const StatementProfile bank =
      profile(kBankProfile +
              "[rule]\ncontains = 他社\nitem = 借入返済\nname = 他社カード\n"
              "[rule]\ncontains = カード引落\nitem = 借入返済\nname = カード\n"
              "[rule]\ncontains = 積立\nitem = 口座へ\nname = 普通預金\n");
  StatementPreview p = preview(
      "日付,摘要,出金,入金\n"
      "2024/04/27,カード引落,\"4,080\",\n"
      "2024/04/27,他社カード引落,100,\n"
      "2024/04/27,積立,100,\n",
      bank);
  ASSERT_EQ(p.lines.size(), 3u);
  EXPECT_EQ(p.lines[0].status, LineStatus::New);
  EXPECT_EQ(p.lines[1].reason.id, MessageId::StatementRuleAccountMissing);
  EXPECT_EQ(p.lines[2].reason.id, MessageId::StatementSameAccount);
  EXPECT_EQ(importStatement(f.store, p, true).added, 1u);
  const auto [repayment, fromAccount] = written(kRepayLoan, u"カード");
  EXPECT_EQ(repayment.amount, 4080);
  ASSERT_TRUE(fromAccount);
  EXPECT_EQ(fromAccount->item, kOutOfAccount);
  EXPECT_EQ(fromAccount->name, u"普通預金");
}

TEST_F(StatementImportTest, RefusedLinesNameTheirLineAndReason) {
  const std::string good1 = "2024/04/01,店,100,\n";
  const std::string good2 = "2024/04/05,店,500,\n";
  struct Case {
    std::string line;
    MessageId id;
    bool swallowsRest;
  };
  const Case cases[] = {
      {"2024/04/02,店,100\n", MessageId::StatementTooFewColumns, false},
      {"2024/04/02,\"店\"x,100,\n", MessageId::StatementSyntax, false},
      {"2024/04/02,\"店,100,\n", MessageId::StatementSyntax, true},
      {"2024/04/31,店,100,\n", MessageId::StatementDateUnreadable, false},
      {"R1.4.30,店,100,\n", MessageId::StatementDateBeforeEra, false},
      {"2024/04/02,店,百円,\n", MessageId::StatementAmountUnreadable, false},
      {"2024/04/02,店,12.5,\n", MessageId::StatementAmountDecimals, false},
      {"2024/04/02,店,3000000000,\n", MessageId::StatementAmountRange, false},
      {"2024/04/02,店,0,\n", MessageId::StatementAmountZero, false},
      {"2024/04/02,店,,\n", MessageId::StatementAmountMissing, false},
      {"2024/04/02,店\0名,100,\n"s, MessageId::StatementNul, false},
      {"2024/04/02," + std::string(300 * 3, 'x') + ",100,\n", MessageId::StatementNameTooLong,
       false},
      {"2024/04/02,店,100," + std::string(2000, 'm') + "\n", MessageId::StatementMemoTooLong,
       false},
  };
  const StatementProfile card = profile(kCardProfile);
  for (const Case& c : cases) {
    const size_t before = f.store.size();
    StatementPreview p = preview(kCardTitle + good1 + c.line + good2, card);
    ASSERT_EQ(p.lines.size(), c.swallowsRest ? 2u : 3u) << c.line;
    EXPECT_EQ(p.lines[1].line, 3u) << c.line;
    EXPECT_EQ(p.lines[1].status, LineStatus::Refused) << c.line;
    EXPECT_EQ(p.lines[1].reason.id, c.id) << c.line << " → " << toUtf8(p.lines[1].reason.text());
    EXPECT_TRUE(p.lines[1].unreadable);
    EXPECT_FALSE(chooseItem(p, 1, kFood, f.store)) << "no item makes it readable";
    if (!c.swallowsRest) {
      EXPECT_EQ(p.lines[2].amount, 500) << c.line;
    }
    // Nothing is written until the refused lines are skipped on purpose.
    const StatementOutcome refused = importStatement(f.store, p, false);
    ASSERT_TRUE(refused.failure);
    EXPECT_EQ(refused.failure->id, MessageId::StatementHasRefused);
    EXPECT_EQ(f.store.size(), before);
  }
  StatementPreview p = preview(kCardTitle + good1 + cases[0].line + good2, card);
  EXPECT_EQ(importStatement(f.store, p, true).added, 2u);
}

TEST_F(StatementImportTest, BytesThatAreNotTheDeclaredEncoding) {
  const std::string sjis = toShiftJis(u"2024/04/01,書店,100,\n");
  std::string utf8Profile = kCardProfile;
  utf8Profile.replace(utf8Profile.find("auto"), 4, "utf-8");
  const StatementPreview asUtf8 = preview(kCardTitle + sjis, profile(utf8Profile));
  ASSERT_EQ(asUtf8.lines.size(), 1u);
  EXPECT_EQ(asUtf8.lines[0].reason.id, MessageId::StatementUndecodable);
  EXPECT_EQ(asUtf8.lines[0].reason.args, (std::vector<std::u16string>{u"2", u"UTF-8"}));

  // A lead byte without its second byte in a Shift-JIS text.
  const StatementPreview broken = preview(
      toShiftJis(u"日付,店,金額,備考\n") + "2024/04/01,\x81 ,100,\n" + sjis, profile(kCardProfile));
  ASSERT_EQ(broken.lines.size(), 2u);
  EXPECT_EQ(broken.lines[0].reason.args, (std::vector<std::u16string>{u"2", u"Shift-JIS"}));
  EXPECT_EQ(broken.lines[1].statementName, u"書店");

  // A first character whose first byte is the first byte of a byte order mark.
  const StatementPreview fullWidth =
      preview("２０２４/04/01,店,100\n", profile("date-column = 1\nname-column = 2\n"
                                                 "amount-column = 3\n"));
  ASSERT_EQ(fullWidth.lines.size(), 1u);
  EXPECT_EQ(fullWidth.lines[0].date, ymd(2024, 4, 1));

  EXPECT_EQ(preview("\xFF\xFE"
                    "2",
                    profile(kCardProfile))
                .failure->id,
            MessageId::StatementUtf16);
}

TEST_F(StatementImportTest, HostileStatementsAreRefusedQuicklyAndTouchNothing) {
  const StatementProfile card = profile(kCardProfile);
  const size_t before = f.store.size();
  // A field of 10 MiB: that line is refused, the next one still read.
  const StatementPreview huge = preview(
      kCardTitle + "2024/04/01," + std::string(10u << 20, 'x') + ",100,\n2024/04/02,店,200,\n",
      card);
  ASSERT_EQ(huge.lines.size(), 2u);
  EXPECT_EQ(huge.lines[0].reason.id, MessageId::StatementSyntax);
  EXPECT_EQ(huge.lines[1].amount, 200);

  // A million lines: the statement is refused as a whole at the limit.
  std::string million = kCardTitle;
  for (int i = 0; i < 1'000'000; ++i) million += "2024/04/01,店,100,\n";
  StatementPreview many = preview(million, card);
  ASSERT_TRUE(many.failure);
  EXPECT_EQ(many.failure->id, MessageId::StatementTooManyLines);
  EXPECT_TRUE(many.lines.empty());
  EXPECT_TRUE(importStatement(f.store, many, true).failure);

  // A profile that names the last column it takes on short lines.
  const StatementProfile wide = profile("date-column = 1\nname-column = 2\namount-column = " +
                                        std::to_string(kMaxStatementColumn) + "\n");
  const StatementPreview short_ = preview(std::string(5000, '\0') + "\n2024/04/01,店,1\n", wide);
  ASSERT_EQ(short_.lines.size(), 2u);
  for (const StatementLine& l : short_.lines) {
    EXPECT_EQ(l.reason.id, MessageId::StatementTooFewColumns);
  }
  EXPECT_EQ(f.store.size(), before);
}

TEST_F(StatementImportTest, MoneyTargetMustBeRegistered) {
  MoneyTarget loan{TransferKind::Loan, u""};
  EXPECT_FALSE(resolveMoneyTarget(f.store, loan));
  EXPECT_EQ(loan.name, u"カード");

  f.loan(u"別カード", 0);
  MoneyTarget either{TransferKind::Loan, u""};
  EXPECT_EQ(resolveMoneyTarget(f.store, either)->id, MessageId::StatementMoneyUnnamed);
  MoneyTarget missing{TransferKind::Savings, u"定期"};
  const std::optional<Refusal> unregistered = resolveMoneyTarget(f.store, missing);
  EXPECT_EQ(
      unregistered->text(),
      u"口座「定期」がこのデータに登録されていません。先に登録するか、別の口座を選んでください。");
  MoneyTarget cash{TransferKind::None, u""};
  EXPECT_FALSE(resolveMoneyTarget(f.store, cash));
}

TEST_F(StatementImportTest, StoreRefusalTakesTheWrittenLinesOutAgain) {
  f.add(test::day(1), kFood, 999, u"前からの行");
  const std::vector<CHinmei> before = dated();
  StatementPreview p = preview(kCardTitle +
                                   "2024/04/01,八百屋,100,\n"
                                   "2024/04/02,パン屋,200,\n"
                                   "2024/04/03,魚屋,300,\n",
                               profile(kCardProfile));
  p.lines[2].item = 40;  // an item the ledger does not have
  const StatementOutcome done = importStatement(f.store, p, false);
  ASSERT_TRUE(done.failure);
  EXPECT_EQ(done.failure->id, MessageId::StatementStoreRefused);
  EXPECT_EQ(done.added, 0u);
  const std::vector<CHinmei> after = dated();
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after[0].name, u"前からの行");
  EXPECT_EQ(f.store.transferSum(u"カード", EF_LOAN, ymd(2024, 12, 31)), 0);
}

}  // namespace
}  // namespace sorami
