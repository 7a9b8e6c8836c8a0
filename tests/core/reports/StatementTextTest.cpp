// Dates, amounts and names as banks and card companies write them in their statements.

#include "reports/StatementText.h"

#include <gtest/gtest.h>

#include "platform/TextCodec.h"

namespace sorami {
namespace {

using DateStatus = StatementDate::Status;
using AmountStatus = StatementAmount::Status;

TEST(StatementText, ReadsDatesInTheirForms) {
  struct Case {
    std::u16string text;
    DateForm form;
    Ymd ymd;
  };
  const Case cases[] = {
      {u"2024/04/01", DateForm::Auto, {2024, 4, 1}},
      {u"2024-4-1", DateForm::Auto, {2024, 4, 1}},
      {u"2024.04.01", DateForm::Ymd, {2024, 4, 1}},
      {u"2024年4月1日", DateForm::Auto, {2024, 4, 1}},
      {u"20240401", DateForm::Auto, {2024, 4, 1}},
      {u"20240401", DateForm::Compact, {2024, 4, 1}},
      {u"２０２４／０４／０１", DateForm::Auto, {2024, 4, 1}},
      {u"2024/04/01(月)", DateForm::Auto, {2024, 4, 1}},
      {u"2024/04/01（月）", DateForm::Auto, {2024, 4, 1}},
      {u"2024/04/01 12:34", DateForm::Auto, {2024, 4, 1}},
      {u"24/04/01", DateForm::ShortYear, {2024, 4, 1}},
      {u"240401", DateForm::ShortYear, {2024, 4, 1}},
      {u"R6.4.1", DateForm::Auto, {2024, 4, 1}},
      {u"r06/04/01", DateForm::Era, {2024, 4, 1}},
      {u"Ｒ６．４．１", DateForm::Auto, {2024, 4, 1}},
      {u"令和6年4月1日", DateForm::Auto, {2024, 4, 1}},
      {u"令6.4.1", DateForm::Era, {2024, 4, 1}},
      // The era boundaries: the last day of Heisei, the first of Reiwa, the first year as 元年.
      {u"H31.4.30", DateForm::Era, {2019, 4, 30}},
      {u"R1.5.1", DateForm::Era, {2019, 5, 1}},
      {u"令和元年5月1日", DateForm::Auto, {2019, 5, 1}},
      {u"S64.1.7", DateForm::Auto, {1989, 1, 7}},
      {u"平成元年1月8日", DateForm::Auto, {1989, 1, 8}},
      // Systems not yet changed to the new era kept counting the old one.
      {u"H31.5.1", DateForm::Auto, {2019, 5, 1}},
      {u"平成32年1月6日", DateForm::Auto, {2020, 1, 6}},
  };
  for (const Case& c : cases) {
    const StatementDate d = parseStatementDate(c.text, c.form);
    EXPECT_EQ(d.status, DateStatus::Ok) << toUtf8(c.text);
    EXPECT_EQ(ymdFromDay(d.day), c.ymd) << toUtf8(c.text);
  }
}

TEST(StatementText, RefusesWhatIsNoDate) {
  struct Case {
    std::u16string text;
    DateForm form;
    DateStatus status;
  };
  const Case cases[] = {
      // Before the era began.
      {u"R1.4.30", DateForm::Auto, DateStatus::BeforeEra},
      {u"H1.1.7", DateForm::Auto, DateStatus::BeforeEra},
      {u"令和元年4月1日", DateForm::Era, DateStatus::BeforeEra},
      {u"R0.5.1", DateForm::Auto, DateStatus::Unreadable},
      {u"2024/02/30", DateForm::Auto, DateStatus::Unreadable},
      {u"2024/13/01", DateForm::Auto, DateStatus::Unreadable},
      {u"2024/4/1x", DateForm::Auto, DateStatus::Unreadable},
      {u"2024/04-01", DateForm::Auto, DateStatus::Unreadable},
      {u"2024年4/1", DateForm::Auto, DateStatus::Unreadable},
      // A two-digit year is read only when the profile says so.
      {u"24/04/01", DateForm::Auto, DateStatus::Unreadable},
      {u"20240401", DateForm::Ymd, DateStatus::Unreadable},
      {u"2024/04/01", DateForm::Era, DateStatus::Unreadable},
      {u"R6.4.1", DateForm::Ymd, DateStatus::Unreadable},
      {u"X6.4.1", DateForm::Auto, DateStatus::Unreadable},
      {u"合計", DateForm::Auto, DateStatus::Unreadable},
      {u"", DateForm::Auto, DateStatus::Unreadable},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseStatementDate(c.text, c.form).status, c.status) << toUtf8(c.text);
  }
}

TEST(StatementText, ReadsAmountsExactly) {
  struct Case {
    std::u16string text;
    int places;
    AmountStatus status;
    int64_t value;
  };
  const Case cases[] = {
      {u"1,234", 0, AmountStatus::Ok, 1234},
      {u"１，２３４", 0, AmountStatus::Ok, 1234},
      {u" 1,234,567 ", 0, AmountStatus::Ok, 1234567},
      {u"-1,234", 0, AmountStatus::Ok, -1234},
      {u"−1,234", 0, AmountStatus::Ok, -1234},
      {u"△1,234", 0, AmountStatus::Ok, -1234},
      {u"▲500", 0, AmountStatus::Ok, -500},
      {u"(1,234)", 0, AmountStatus::Ok, -1234},
      {u"+50", 0, AmountStatus::Ok, 50},
      {u"¥1,234", 0, AmountStatus::Ok, 1234},
      {u"￥1,234", 0, AmountStatus::Ok, 1234},
      {u"\\1,234", 0, AmountStatus::Ok, 1234},  // the yen sign as Shift-JIS writes it
      {u"-¥1,234", 0, AmountStatus::Ok, -1234},
      {u"1,234円", 0, AmountStatus::Ok, 1234},
      {u"1234.00", 0, AmountStatus::Ok, 1234},
      {u"12.5", 2, AmountStatus::Ok, 1250},
      {u"1,234.56", 2, AmountStatus::Ok, 123456},
      {u"2147483647", 0, AmountStatus::Ok, 2147483647},
      {u"-2147483647", 0, AmountStatus::Ok, -2147483647},
      {u"", 0, AmountStatus::Empty, 0},
      {u"\u3000", 0, AmountStatus::Empty, 0},
      // Half a yen would be lost.
      {u"12.5", 0, AmountStatus::TooManyDecimals, 0},
      {u"1.234", 2, AmountStatus::TooManyDecimals, 0},
      {u"2147483648", 0, AmountStatus::OutOfRange, 0},
      {u"21474836.48", 2, AmountStatus::OutOfRange, 0},
      {u"123456789012345678901234567890", 0, AmountStatus::OutOfRange, 0},
      {u"1,23a", 0, AmountStatus::Unreadable, 0},
      {u",123", 0, AmountStatus::Unreadable, 0},
      {u"1,", 0, AmountStatus::Unreadable, 0},
      {u"12.", 0, AmountStatus::Unreadable, 0},
      {u"1.2.3", 2, AmountStatus::Unreadable, 0},
      {u"abc", 0, AmountStatus::Unreadable, 0},
      {u"-", 0, AmountStatus::Unreadable, 0},
      {u"1 000", 0, AmountStatus::Unreadable, 0},
  };
  for (const Case& c : cases) {
    const StatementAmount a = parseStatementAmount(c.text, c.places);
    EXPECT_EQ(a.status, c.status) << toUtf8(c.text);
    if (c.status == AmountStatus::Ok) {
      EXPECT_EQ(a.value, c.value) << toUtf8(c.text);
    }
  }
}

TEST(StatementText, ComparesNamesInOneSpelling) {
  EXPECT_EQ(matchForm(u"ｾﾌﾞﾝｲﾚﾌﾞﾝ", true), u"セブンイレブン");
  EXPECT_EQ(matchForm(u"ﾊﾟﾝ ﾍﾟﾝ", true), u"パン ペン");
  EXPECT_EQ(matchForm(u"ｳﾞｨ", true), u"ヴィ");
  EXPECT_EQ(matchForm(u"ｱﾞ", true), u"ア゛");  // no voiced form: the mark stays
  EXPECT_EQ(matchForm(u"ＡＭＡＺＯＮ　ｊｐ", true), u"AMAZON JP");
  EXPECT_EQ(matchForm(u"Amazon.co.jp", false), u"Amazon.co.jp");
  EXPECT_EQ(matchForm(u"食費", true), u"食費");
}

}  // namespace
}  // namespace sorami
