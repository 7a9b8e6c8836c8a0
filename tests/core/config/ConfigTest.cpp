#include "config/Config.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

TEST(Config, PositionsNameEveryStoredValue) {
  CConfig c;
  c.taxRate = 8;
  c.lastOpenDay = 40000;
  const std::vector<ConfigField> fields = c.positions();
  ASSERT_EQ(fields.size(), 58u + 31u + 1u + 54u);
  EXPECT_EQ(fields.front(), (ConfigField{"p1", int64_t{950}}));
  EXPECT_EQ(fields[11], (ConfigField{"p12", 8.0}));
  EXPECT_EQ(fields[43], (ConfigField{"p44", ConfigDay{40000}}));
  EXPECT_EQ(fields[58 + 2], (ConfigField{"B3", ConfigDay{MinDay}}));
  EXPECT_EQ(fields[89], (ConfigField{"H", int64_t{6}}));
  EXPECT_EQ(fields[89 + 29], (ConfigField{"C29", int64_t{2040}}));
  EXPECT_EQ(fields[89 + 40], (ConfigField{"C40", std::array<int64_t, 4>{}}));
  EXPECT_EQ(fields[89 + 41], (ConfigField{"C41", std::u16string(u"日記 / スケジュール")}));
  EXPECT_EQ(fields.back(), (ConfigField{"C54", std::u16string()}));
}

TEST(Config, CopyKeepsTheUncopiedFields) {
  CConfig source;
  source.closingDay = 20;
  source.graphFuzzyNames = 1;
  source.diaryTitle = u"日誌";
  source.reservedWord8 = 1;
  source.reservedByte14 = 2;
  source.reservedBytes17to20 = {1, 2, 3, 4};
  source.reservedTexts[3] = u"C49";
  source.reservedTexts[4] = u"C50";
  source.expenseItemCount = 30;
  source.dataVersion = 700;
  CConfig target;
  target.graphFuzzyNames = 1;
  target.reservedWord9 = 9;
  target.reservedTexts[8] = u"kept";
  target.copyFrom(source);
  EXPECT_EQ(target.closingDay, 20);
  EXPECT_EQ(target.diaryTitle, u"日誌");
  EXPECT_EQ(target.reservedTexts[3], u"C49");
  EXPECT_EQ(target.expenseItemCount, 30);
  EXPECT_EQ(target.graphFuzzyNames, 0);
  EXPECT_EQ(target.reservedWord8, 0);
  EXPECT_EQ(target.reservedByte14, 0);
  EXPECT_EQ(target.reservedWord9, 9);
  EXPECT_EQ(target.reservedBytes17to20, (std::array<uint8_t, 4>{}));
  EXPECT_EQ(target.reservedTexts[4], u"");
  EXPECT_EQ(target.reservedTexts[8], u"kept");
  EXPECT_EQ(target.dataVersion, 950);
}

TEST(Config, DiffersIgnoresWhatIsNoSettingChange) {
  struct Case {
    const char* what;
    std::function<void(CConfig&)> change;
    bool differs;
  };
  const Case cases[] = {
      {"closing day", [](CConfig& c) { c.closingDay = 10; }, true},
      {"tax rate", [](CConfig& c) { c.taxRate = 8; }, true},
      {"delimiters", [](CConfig& c) { c.delimiters = u","; }, true},
      {"adjustment name", [](CConfig& c) { c.increaseName = u"x"; }, true},
      {"C42", [](CConfig& c) { c.reservedRecords[4].text = u"x"; }, true},
      {"C49", [](CConfig& c) { c.reservedTexts[3] = u"x"; }, true},
      {"font size with font choice", [](CConfig& c) { c.listFontSize = 9; }, false},
      {"font size without font choice",
       [](CConfig& c) {
         c.listFontChoice = 0;
         c.listFontSize = 9;
       },
       true},
      {"list line without font choice",
       [](CConfig& c) {
         c.listFontChoice = 0;
         c.listLineValue = 9;
       },
       true},
      {"period without fixed period", [](CConfig& c) { c.fixedPeriodStart = 100; }, false},
      {"period with fixed period",
       [](CConfig& c) {
         c.fixedTotalsPeriod = 1;
         c.fixedPeriodEnd = 100;
       },
       true},
      {"display mode not saved", [](CConfig& c) { c.displayMode = 2; }, false},
      {"sub-mode not saved", [](CConfig& c) { c.displaySubMode = 2; }, false},
      {"sub-mode saved",
       [](CConfig& c) {
         c.saveDisplayMode = 1;
         c.displaySubMode = 2;
       },
       true},
      {"p26 p32 p33 p47 B5",
       [](CConfig& c) {
         c.reserved3 = c.reserved32 = c.reserved33 = 5;
         c.specialNamesByNumber = 0;
         c.currentItem = 4;
       },
       false},
      {"item counts and versions",
       [](CConfig& c) {
         c.incomeItemCount = 9;
         c.dataVersion = 700;
       },
       false},
      {"C34 C36-C40 C50-C54",
       [](CConfig& c) {
         c.reservedWord8 = c.reservedWord9 = c.reservedWord10 = 1;
         c.reservedByte14 = c.reservedByte15 = 1;
         c.reservedBytes17to20[0] = 1;
         for (size_t i = 4; i < 9; ++i) c.reservedTexts[i] = std::u16string(1, u'x');
       },
       false},
  };
  for (const Case& k : cases) {
    CConfig base;
    CConfig changed;
    k.change(changed);
    base.listFontChoice = changed.listFontChoice;
    base.fixedTotalsPeriod = changed.fixedTotalsPeriod;
    base.saveDisplayMode = changed.saveDisplayMode;
    EXPECT_EQ(changed.differs(base), k.differs) << k.what;
  }
}

// A record as an old file leaves it: every value the upgrades touch set to something else.
CConfig oldRecord(int dataVersion, int blockVersion) {
  CConfig c;
  c.dataVersion = static_cast<uint16_t>(dataVersion);
  c.blockVersion = static_cast<uint16_t>(blockVersion);
  c.hasBlock = true;
  c.taxItemAsData = c.graphFuzzyNames = c.graphLine = 1;
  c.graphMonthCount = 3;
  c.reserved7 = c.sameWeekClosing = c.reserved8 = 1;
  c.adjustmentMode = 0;
  c.decreaseItem = c.increaseItem = 2;
  c.decreaseName = u"x";
  c.reserved10 = 0;
  c.calculatorTaxMode = 0;
  c.reservedByte6 = 0;
  c.reservedGroupFlag = 1;
  c.reservedGroup2Flag = 1;
  c.reservedItems = {1, 2, 3, 4};
  c.reservedTexts = {u"a", u"b", u"c", u"d"};
  c.reservedWords2to5 = {1, 1, 1, 1};
  c.entryStoreOption = 0;
  c.reservedByte10 = 0;
  return c;
}

TEST(Config, UpgradeResetsWhatEachVersionLacked) {
  struct Case {
    int dataVersion, blockVersion;
    int graphMonthCount, reserved7, adjustmentMode, calculatorTaxMode, reservedByte6;
    int group1Item, group2Item, reservedWord2, entryStoreOption, reservedByte10;
    bool mark;
  };
  const Case cases[] = {
      {700, 700, 12, 0, 1, 3, 1, -1, -1, 0, 1, 1, true},
      {740, 952, 3, 1, 0, 3, 1, -1, -1, 1, 0, 0, true},
      {900, 952, 3, 1, 0, 0, 0, 1, -1, 1, 0, 0, true},
      {910, 887, 3, 1, 0, 0, 0, 1, 3, 1, 0, 1, true},
      {950, 884, 3, 1, 0, 0, 0, 1, 3, 1, 1, 1, true},
      {950, 827, 3, 1, 0, 0, 0, 1, 3, 0, 1, 1, true},
      {950, 952, 3, 1, 0, 0, 0, 1, 3, 1, 0, 0, false},
  };
  for (const Case& k : cases) {
    CConfig c = oldRecord(k.dataVersion, k.blockVersion);
    DefaultPrompts prompts;
    const UpgradeResult r = c.upgrade(prompts, {});
    const std::string row = std::to_string(k.dataVersion) + "/" + std::to_string(k.blockVersion);
    EXPECT_EQ(c.graphMonthCount, k.graphMonthCount) << row;
    EXPECT_EQ(c.reserved7, k.reserved7) << row;
    EXPECT_EQ(c.adjustmentMode, k.adjustmentMode) << row;
    EXPECT_EQ(c.decreaseName, k.adjustmentMode == 1 ? u"残高調整" : u"x") << row;
    EXPECT_EQ(c.calculatorTaxMode, k.calculatorTaxMode) << row;
    EXPECT_EQ(c.reservedByte6, k.reservedByte6) << row;
    EXPECT_EQ(c.reservedItems[0], k.group1Item) << row;
    EXPECT_EQ(c.reservedTexts[0], k.group1Item == -1 ? u"" : u"a") << row;
    EXPECT_EQ(c.reservedItems[2], k.group2Item) << row;
    EXPECT_EQ(c.reservedGroup2Flag, k.group2Item == -1 ? 0 : 1) << row;
    EXPECT_EQ(c.reservedWords2to5[0], k.reservedWord2) << row;
    EXPECT_EQ(c.entryStoreOption, k.entryStoreOption) << row;
    EXPECT_EQ(c.reservedByte10, k.reservedByte10) << row;
    EXPECT_EQ(r.markForSaving, k.mark) << row;
    EXPECT_EQ(c.dataVersion, 950) << row;
  }
}

TEST(Config, UpgradeWithoutBlockUsesTheDataVersionForTheBlock) {
  CConfig c = oldRecord(890, 0);
  c.hasBlock = false;
  DefaultPrompts prompts;
  c.upgrade(prompts, {});
  EXPECT_EQ(c.entryStoreOption, 0);  // 890 is past the block versions that reset anything
  EXPECT_EQ(c.reservedWords2to5[0], 1);
}

TEST(Config, OldFilesFindTheTaxItemByName) {
  const std::vector<std::u16string> names = {u"食費", u"税 金 ", u"税金"};
  for (const auto& [version, expected] : {std::pair{819, 1}, std::pair{820, 7}}) {
    CConfig c = oldRecord(version, 952);
    c.taxExpenseItem = 7;
    DefaultPrompts prompts;
    c.upgrade(prompts, names);
    EXPECT_EQ(c.taxExpenseItem, expected) << version;
  }
}

TEST(Config, ThreePercentTaxIsOfferedFiveOnce) {
  struct Case {
    int version;
    double rate;
    Answer answer;
    bool asked;
    double expected;
  };
  const Case cases[] = {
      {940, 3, Answer::Yes, true, 5},
      {940, 3, Answer::No, true, 3},
      {940, 3.5, Answer::Yes, false, 3.5},
      {950, 3, Answer::Yes, false, 3},
  };
  for (const Case& k : cases) {
    CConfig c = oldRecord(k.version, 952);
    c.taxRate = k.rate;
    test::ScriptedPrompts prompts;
    prompts.answers.push_back(k.answer);
    c.upgrade(prompts, {});
    EXPECT_EQ(prompts.wasShown(MessageId::TaxRateThreePercent), k.asked) << k.version;
    EXPECT_EQ(c.taxRate, k.expected) << k.version;
  }
}

TEST(Config, ThreePercentQuestionDefaultsToNo) {
  CConfig c = oldRecord(940, 952);
  c.taxRate = 3;
  test::ScriptedPrompts prompts;  // no answer scripted: the default is taken
  c.upgrade(prompts, {});
  EXPECT_EQ(c.taxRate, 3);
}

}  // namespace
}  // namespace sorami
