// The numeric field's calculator, driven key by key as the field hands the keys over.

#include "rules/ParsedCalc.h"

#include <gtest/gtest.h>

#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

// Types the keys into a field the way the widget does: inserted characters go at the end.
std::u16string type(ParsedCalc& calc, std::u16string_view keys, std::u16string text = u"") {
  for (char16_t c : keys) {
    if (calc.key(c, text) == ParsedCalc::Outcome::Insert) text.push_back(c);
  }
  return text;
}

TEST(ParsedCalc, WorksThroughTheUsualSums) {
  struct Case {
    std::u16string_view keys;
    bool precedence;
    int places;
    std::u16string_view shown;
  };
  const Case cases[] = {
      {u"2+3*4=", true, 0, u"14"},
      {u"2+3*4=", false, 0, u"20"},
      {u"10-2*3+1=", true, 0, u"5"},
      {u"8/2-1=", true, 0, u"3"},
      {u"100+10%", false, 0, u"110"},
      {u"200*10%", false, 0, u"20"},
      {u"50/20%", false, 0, u"250"},
      {u"5++3=", false, 0, u"8"},
      {u"5+-3=", false, 0, u"2"},  // the second operator only replaces the first
      {u"7/2=", false, 0, u"3"},
      {u"7.00/2.00=", false, 2, u"3.50"},
      {u"1.5*2=", false, 2, u"3.00"},
      // Percentages of amounts in hundredths are the same percentages.
      {u"100.00+10.00%", false, 2, u"110.00"},
      {u"200*10%", false, 2, u"20.00"},
      {u"50/20%", false, 2, u"250.00"},
      {u"-5+2=", false, 0, u"-3"},
      {u"1000*1000=", false, 0, u"1,000,000"},
      {u"3+4=5+1=", false, 0, u"6"},  // a digit after a result starts a new number
      {u"12C7+1=", false, 0, u"8"},   // clear entry keeps the calculation
      {u"12+A7+1=", false, 0, u"8"},  // clear all forgets it
  };
  for (const Case& c : cases) {
    ParsedCalc calc;
    calc.settings().precedence = c.precedence;
    calc.settings().decimalPlaces = c.places;
    EXPECT_EQ(type(calc, c.keys), c.shown) << std::string(c.keys.begin(), c.keys.end());
  }
}

TEST(ParsedCalc, DivisionByZeroLeavesTheDivisionPending) {
  test::ScriptedPrompts prompts;
  ParsedCalc calc(&prompts);
  std::u16string text = type(calc, u"50/0=");
  EXPECT_TRUE(prompts.wasShown(MessageId::DivisionByZero));
  EXPECT_EQ(calc.pending(), ParsedCalc::OpDiv);
  EXPECT_EQ(calc.accumulator(), 50);
  EXPECT_EQ(text, u"0");
  EXPECT_EQ(type(calc, u"C5=", text), u"10");
}

TEST(ParsedCalc, PointKeyWithoutDecimalsDoesWhatIsConfigured) {
  struct Case {
    int pointKey;
    std::u16string_view keys;
    std::u16string_view shown;
  };
  const Case cases[] = {
      {0, u"12.", u"12"},   {1, u"12.", u"12000"}, {1, u".", u""},   {2, u"12+3.4=", u"4"},
      {3, u"12.", u"1200"}, {4, u"2+3.", u"5"},    {3, u"0.", u"0"},
  };
  for (const Case& c : cases) {
    ParsedCalc calc;
    calc.settings().pointKey = c.pointKey;
    EXPECT_EQ(type(calc, c.keys), c.shown) << c.pointKey;
  }
  ParsedCalc withDecimals;
  withDecimals.settings().decimalPlaces = 2;
  EXPECT_EQ(type(withDecimals, u"1.2.5"), u"1.25");
}

TEST(ParsedCalc, ArrowsWrapAtTheEndsOfTheRange) {
  ParsedCalc calc;
  calc.settings().lowest = -10;
  calc.settings().highest = 999;
  std::u16string text = u"999";
  calc.stepUp(text);
  EXPECT_EQ(text, u"-10");
  calc.stepDown(text);
  EXPECT_EQ(text, u"999");
  text = u"5,000";
  calc.stepDown(text);
  EXPECT_EQ(text, u"999");
  text = u"41";
  calc.stepUp(text);
  EXPECT_EQ(text, u"42");
}

TEST(ParsedCalc, MinusOnAnEmptyFieldStartsANegativeNumberAndLettersPassOn) {
  ParsedCalc calc;
  std::u16string text = u"0";
  EXPECT_EQ(calc.key(u'-', text), ParsedCalc::Outcome::Handled);
  EXPECT_EQ(text, u"-");
  EXPECT_EQ(calc.key(u'q', text), ParsedCalc::Outcome::PassOn);
}

}  // namespace
}  // namespace sorami
