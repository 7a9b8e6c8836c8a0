// Import profiles: the shipped ones read, and every mistake in a hand-written one is named with
// its line.

#include "reports/StatementProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/TextCodec.h"

namespace sorami {
namespace {

std::string shipped(const std::string& name) {
  const std::filesystem::path path =
      std::filesystem::path(SORAMI_FIXTURES) / ".." / ".." / "share" / "import-profiles" / name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StatementProfile, ShippedProfilesRead) {
  const ProfileRead bank = readStatementProfile(shipped("generic-bank.profile"));
  ASSERT_TRUE(bank.profile) << toUtf8(bank.error.text());
  EXPECT_EQ(bank.profile->name, u"汎用の銀行明細");
  EXPECT_EQ(bank.profile->expenseColumn, 3u);
  EXPECT_EQ(bank.profile->incomeColumn, 4u);
  EXPECT_EQ(bank.profile->money, (MoneyTarget{TransferKind::Savings, u""}));

  const ProfileRead card = readStatementProfile(shipped("generic-card.profile"));
  ASSERT_TRUE(card.profile) << toUtf8(card.error.text());
  EXPECT_EQ(card.profile->amountColumn, 3u);
  EXPECT_EQ(card.profile->sign, SignConvention::ExpensePositive);
  EXPECT_EQ(card.profile->money.kind, TransferKind::Loan);
  EXPECT_EQ(card.profile->lastColumn(), 5u);
}

TEST(StatementProfile, ReadsEverySetting) {
  const ProfileRead r = readStatementProfile(
      "\xEF\xBB\xBF"
      "# a comment\n"
      "name = テスト\r\n"
      "ENCODING = Shift_JIS\n"
      "delimiter = tab\n"
      "skip-lines = 2\n"
      "date-column = 1\n"
      "date-form = 和暦\n"
      "name-column = 2\n"
      "memo-column = 4\n"
      "amount-column = 3\n"
      "sign = expense-positive\n"
      "money = 借入：楽々カード\n"
      "default-expense-item = 雑費\n"
      "\n"
      "[rule]\n"
      "contains = ｾﾌﾞﾝ\n"
      "item = 食費\n"
      "[規則]\n"
      "regex = ^(ENEOS|出光)\n"
      "item = 車両費\n"
      "name = ガソリン\n");
  ASSERT_TRUE(r.profile) << toUtf8(r.error.text());
  const StatementProfile& p = *r.profile;
  EXPECT_EQ(p.encoding, StatementEncoding::ShiftJis);
  EXPECT_EQ(p.delimiter, '\t');
  EXPECT_EQ(p.skipLines, 2u);
  EXPECT_EQ(p.dateForm, DateForm::Era);
  EXPECT_EQ(p.money, (MoneyTarget{TransferKind::Loan, u"楽々カード"}));
  ASSERT_EQ(p.rules.size(), 2u);
  EXPECT_EQ(p.rules[0].contains, u"セブン");
  EXPECT_EQ(p.rules[1].line, 18u);
  EXPECT_EQ(p.rules[1].name, u"ガソリン");
  EXPECT_TRUE(p.rules[0].matches(matchForm(u"ｾﾌﾞﾝｲﾚﾌﾞﾝ", true), u""));
  EXPECT_TRUE(p.rules[1].matches(u"", matchForm(u"eneos 新宿", false)));
  EXPECT_FALSE(p.rules[1].matches(u"", u"新宿 ENEOS"));
}

TEST(StatementProfile, NamesTheMistakeAndItsLine) {
  const std::string base = "date-column = 1\nname-column = 2\namount-column = 3\n";
  struct Case {
    std::string text;
    MessageId id;
    std::u16string firstArg;
  };
  const Case cases[] = {
      {base + "colour = red\n", MessageId::ProfileUnknownKey, u"4"},
      {base + "just words\n", MessageId::ProfileUnknownKey, u"4"},
      {base + "name = a\nname = b\n", MessageId::ProfileRepeatedKey, u"5"},
      {base + "encoding = latin1\n", MessageId::ProfileBadValue, u"4"},
      {base + "delimiter = ||\n", MessageId::ProfileBadValue, u"4"},
      {base + "delimiter = 、\n", MessageId::ProfileBadValue, u"4"},
      // '|' is the second byte of ポ in Shift-JIS; it is fine in UTF-8 only.
      {base + "delimiter = |\n", MessageId::ProfileDelimiterInShiftJis, u"4"},
      {base + "delimiter = |\nencoding = sjis\n", MessageId::ProfileDelimiterInShiftJis, u"4"},
      {base + "skip-lines = many\n", MessageId::ProfileBadValue, u"4"},
      {base + "skip-lines = 5000\n", MessageId::ProfileBadValue, u"4"},
      {base + "sign = sometimes\n", MessageId::ProfileBadValue, u"4"},
      {base + "money = bank:x\n", MessageId::ProfileBadValue, u"4"},
      {base + "memo-column = 0\n", MessageId::ProfileColumnRange, u"4"},
      {base + "memo-column = 9999\n", MessageId::ProfileColumnRange, u"4"},
      {base + "memo-column = -1\n", MessageId::ProfileBadValue, u"4"},
      {"name-column = 2\namount-column = 3\n", MessageId::ProfileNoDateColumn, {}},
      {"date-column = 1\namount-column = 3\n", MessageId::ProfileNoNameColumn, {}},
      {"date-column = 1\nname-column = 2\nincome-column = 3\n",
       MessageId::ProfileNoAmountColumn,
       {}},
      {base + "income-column = 4\nexpense-column = 5\n", MessageId::ProfileMixedAmountColumns, {}},
      {base + "[rule]\nitem = 食費\n", MessageId::ProfileRuleWithoutPattern, u"4"},
      {base + "[rule]\ncontains = x\n[rule]\ncontains = y\nitem = a\n",
       MessageId::ProfileRuleWithoutItem, u"4"},
      {base + "[rule]\ncontains = x\nregex = y\n", MessageId::ProfileRuleTwoPatterns, u"6"},
      {base + "[rule]\ncontains = x\ncontains = y\n", MessageId::ProfileRepeatedKey, u"6"},
      {base + "[rule]\nitem = 食費\ndate-column = 1\n", MessageId::ProfileUnknownKey, u"6"},
      {base + "[rule]\nregex = (unclosed\n", MessageId::ProfileBadRegex, u"5"},
      // Back-references would let a pattern take exponential time.
      {base + "[rule]\nregex = (a)\\1\n", MessageId::ProfileBadRegex, u"5"},
      {base + "[rule]\ncontains = " + std::string(300, 'x') + "\n", MessageId::ProfileBadValue,
       u"5"},
      {base + "name = \xFF\xFE\n", MessageId::ProfileNotUtf8, {}},
      {std::string(kMaxProfileBytes + 1, '#'), MessageId::ProfileTooLarge, {}},
  };
  for (const Case& c : cases) {
    const ProfileRead r = readStatementProfile(c.text);
    EXPECT_FALSE(r.profile) << c.text.substr(0, 200);
    EXPECT_EQ(r.error.id, c.id) << c.text.substr(0, 200) << " → " << toUtf8(r.error.text());
    if (!c.firstArg.empty() && !r.error.args.empty()) {
      EXPECT_EQ(r.error.args[0], c.firstArg) << c.text.substr(0, 200);
    }
  }
  const ProfileRead utf8 = readStatementProfile(base + "delimiter = |\nencoding = utf-8\n");
  ASSERT_TRUE(utf8.profile) << toUtf8(utf8.error.text());
  EXPECT_EQ(utf8.profile->delimiter, '|');
}

TEST(StatementProfile, RefusesMoreRulesThanItTakes) {
  std::string text = "date-column = 1\nname-column = 2\namount-column = 3\n";
  for (size_t i = 0; i <= kMaxProfileRules; ++i) text += "[rule]\ncontains = x\nitem = y\n";
  EXPECT_EQ(readStatementProfile(text).error.id, MessageId::ProfileTooManyRules);
}

TEST(StatementProfile, MoneyTargets) {
  EXPECT_EQ(parseMoneyTarget(u"cash"), (MoneyTarget{TransferKind::None, u""}));
  EXPECT_EQ(parseMoneyTarget(u"現金"), (MoneyTarget{TransferKind::None, u""}));
  EXPECT_EQ(parseMoneyTarget(u"account: 普通預金 "),
            (MoneyTarget{TransferKind::Savings, u"普通預金"}));
  EXPECT_EQ(parseMoneyTarget(u"Loan"), (MoneyTarget{TransferKind::Loan, u""}));
  EXPECT_FALSE(parseMoneyTarget(u"cash:財布"));
  EXPECT_FALSE(parseMoneyTarget(u"card:x"));
  EXPECT_EQ(moneyTargetText({TransferKind::Loan, u"カード"}), u"借入:カード");
}

}  // namespace
}  // namespace sorami
