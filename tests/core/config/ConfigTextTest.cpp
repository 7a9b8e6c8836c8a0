#include <gtest/gtest.h>

#include <map>
#include <string>

#include "config/Config.h"
#include "platform/TextCodec.h"

namespace sorami {
namespace {

const std::u16string kDefaultFirstList =
    u"950,1,1,1,1,12,31,7,1,0,0,5,0,1,0,1,1,0,0,0,0,65,1,48,0,0,0,0,1,0,0,0,0,0,59,0,18,0,0,0,6,"
    u"400,0,-657434,0,0,1,0,0,0,0,0,0,1998,1,1,57,0";
const std::u16string kDefaultSecondList =
    u"1,0,-657434,2958465,0,0,1,0,12,0,0,100,2,0,0,0,0,0,0,0,12,20,0,0,1,-1,-1,0,10,5,5";

// A first list of `count` values: the data version, then 1 for every further position unless
// `values` gives another text for it.
std::u16string firstList(int version, size_t count,
                         const std::map<size_t, std::u16string>& values = {}) {
  std::u16string s = u16(std::to_string(version));
  for (size_t pos = 2; pos <= count; ++pos) {
    const auto it = values.find(pos);
    s += u',';
    s += it == values.end() ? u"1" : it->second;
  }
  return s;
}

TEST(ConfigText, DefaultRecordWritesItsExactText) {
  const CConfig c;
  EXPECT_EQ(c.toText(), u"、。，．：；｜,.:;|\t" + kDefaultFirstList + u"\t" + kDefaultSecondList +
                            u"\t残高調整\t残高調整");
}

TEST(ConfigText, ChangedRecordReadsBackTheSameValues) {
  CConfig c;
  c.delimiters = u",;";
  c.closingDay = 25;
  c.taxRate = 8.25;
  c.weeklyRestDays = 0x01;
  c.settingsYear = -1;  // a "%u" position: written as 4294967295
  c.displayMode = 1;
  c.displaySubMode = 4;
  c.lastOpenDay = 36925;
  c.fixedPeriodStart = 36525;
  c.fixedPeriodEnd = 36925;
  c.decreaseItem = 3;
  c.increaseItem = 17;
  c.reserved32 = 7;
  c.reserved33 = 8;
  c.hourOffset = -5;
  c.reserved5 = 65535;
  c.decreaseName = u"現金減";
  c.increaseName = u"現金増";
  const std::u16string text = c.toText();
  EXPECT_NE(text.find(u",4294967295,"), std::u16string::npos);
  EXPECT_NE(text.find(u",8.25,"), std::u16string::npos);

  CConfig back;
  ASSERT_TRUE(back.fromText(text, u""));
  CConfig expected = c;
  expected.reserved32 = 0;
  expected.reserved33 = 0;
  expected.totalsPeriodStart = 36525;
  expected.totalsPeriodEnd = 36925;
  EXPECT_EQ(back, expected);
}

TEST(ConfigText, TaxRateIsWrittenWithTenSignificantDigits) {
  CConfig c;
  for (const auto& [rate, text] :
       {std::pair{5.0, u",5,"}, {8.5, u",8.5,"}, {1.0 / 3, u",0.3333333333,"}}) {
    c.taxRate = rate;
    EXPECT_NE(c.toText().find(text), std::u16string::npos) << rate;
  }
}

TEST(ConfigText, ShortSecondListKeepsTheLaterPositions) {
  CConfig c;
  c.graphFixedMaximum = 7;  // B11
  c.reserved12 = 9;         // B31
  ASSERT_TRUE(c.fromText(u"x\t" + kDefaultFirstList + u"\t0,4,1,2,3,0,2,1,6,1", u""));
  EXPECT_EQ(c.skipZeroAmounts, 0);
  EXPECT_EQ(c.reserved6, 4);
  EXPECT_EQ(c.fixedPeriodStart, 1);
  EXPECT_EQ(c.fixedPeriodEnd, 2);
  EXPECT_EQ(c.currentItem, 3);
  EXPECT_EQ(c.amountDigits, 2);
  EXPECT_EQ(c.graphEndMonth, 6);
  EXPECT_EQ(c.graphGuideLines, 1);
  EXPECT_EQ(c.graphFixedMaximum, 7);
  EXPECT_EQ(c.reserved12, 9);
  EXPECT_EQ(c.totalsPeriodStart, 1);
  EXPECT_EQ(c.totalsPeriodEnd, 2);
}

TEST(ConfigText, TextWithoutTabIsTheFirstListAlone) {
  CConfig c;
  c.decreaseName = u"前の名前";
  c.searchDepth = 123;  // position 42, beyond the list read
  ASSERT_TRUE(c.fromText(u"600,2,3,0,0,10,20", u"/"));
  EXPECT_EQ(c.dataVersion, 600);
  EXPECT_EQ(c.reserved1, 2);
  EXPECT_EQ(c.closingDay, 20);
  EXPECT_EQ(c.searchDepth, 123);
  EXPECT_EQ(c.delimiters, u"/");
  EXPECT_EQ(c.decreaseName, u"残高調整");
  EXPECT_EQ(c.increaseName, u"残高調整");
}

TEST(ConfigText, RejectedTextLeavesTheRecordUnchanged) {
  for (const std::u16string& text :
       {std::u16string(), std::u16string(u"950,1,1,1,1,12"),
        u"d\t" + firstList(950, 6) + u"\t1,2,3", std::u16string(u"\t\t")}) {
    CConfig c;
    c.closingDay = 10;
    EXPECT_FALSE(c.fromText(text, u"")) << toUtf8(text);
    EXPECT_EQ(c.closingDay, 10);
    EXPECT_EQ(c.dataVersion, 950);
  }
}

TEST(ConfigText, ValueBeyondTheLastPositionOverwritesTheDataVersion) {
  CConfig c;
  ASSERT_TRUE(c.fromText(u"d\t" + firstList(950, 58) + u",900", u""));
  EXPECT_EQ(c.dataVersion, 900);
  EXPECT_EQ(c.oldFormatMarker, 1);
}

TEST(ConfigText, OldVersionsCountDaysInLocalSeconds) {
  // 2001-02-03 00:30 in Tokyo is still 2001-02-02 in UTC; 1999-12-31 23:59 likewise.
  const std::u16string first = firstList(860, 44, {{44, u"981127800"}});
  CConfig c;
  ASSERT_TRUE(c.fromText(u"d\t" + first + u"\t1,0,946652340,981127800", u""));
  EXPECT_EQ(c.lastOpenDay, 36925);
  EXPECT_EQ(c.fixedPeriodStart, 36525);
  EXPECT_EQ(c.fixedPeriodEnd, 36925);

  CConfig current;
  ASSERT_TRUE(current.fromText(u"d\t" + firstList(870, 44, {{44, u"36925"}}), u""));
  EXPECT_EQ(current.lastOpenDay, 36925);
}

TEST(ConfigText, DisplayValuesAndWidthsAreKeptInRange) {
  struct Case {
    const char16_t* subMode;  // position 31
    const char16_t* second;
    int mode, expectedSubMode, amountDigits, nameWidth;
  };
  const Case cases[] = {
      {u"3", u"1,0,0,0,0,0,1,0,0,0,0,0,2", 0, 0, 1, 2},   // day input mode has no column selector
      {u"0", u"1,0,0,0,0,1,5,0,0,0,0,0,-3", 1, 1, 2, 0},  // summary shows at least period totals
      {u"3", u"1,0,0,0,0,1,0,0,0,0,0,0,9", 1, 3, 0, 6},
      {u"9", u"1,0,0,0,0,2,0,0,0,0,0,0,9", 2, 5, 0, 6},   // cash book mode keeps its selector
      {u"3", u"1,0,0,0,0,7,-1,0,0,0,0,0,6", 0, 0, 0, 6},  // an unknown mode becomes day input
  };
  for (const Case& k : cases) {
    CConfig c;
    const std::u16string first = firstList(950, 58, {{22, u"255"}, {31, k.subMode}});
    ASSERT_TRUE(c.fromText(u"d\t" + first + u"\t" + k.second, u"")) << toUtf8(k.second);
    EXPECT_EQ(c.displayMode, k.mode) << toUtf8(k.second);
    EXPECT_EQ(c.displaySubMode, k.expectedSubMode) << toUtf8(k.second);
    EXPECT_EQ(c.amountDigits, k.amountDigits) << toUtf8(k.second);
    EXPECT_EQ(c.nameWidth, k.nameWidth) << toUtf8(k.second);
    EXPECT_EQ(c.weeklyRestDays, 0x7F);  // only the seven weekday bits
  }
}

}  // namespace
}  // namespace sorami
