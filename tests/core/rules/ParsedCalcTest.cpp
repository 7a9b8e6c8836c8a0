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
      // Scaled in whole numbers: a binary fraction makes 0.23 ÷ 0.05 come to 4.59.
      {u"0.23/0.05=", false, 2, u"4.60"},
      {u"0.7/0.1=", false, 1, u"7.0"},
      {u"-1.005*3=", false, 3, u"-3.015"},
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

// A result beyond what an amount holds is refused with a message, as a division by zero is:
// the field keeps its figure and the operator stays pending, so the operand can be mended.
TEST(ParsedCalc, OverflowIsRefusedAndLeavesTheDisplay) {
  struct Case {
    std::u16string_view keys;
    bool precedence;
    std::u16string_view shown;
  };
  const Case cases[] = {
      {u"100000*30000=", false, u"30000"},
      {u"2000000000+2000000000=", false, u"2000000000"},
      {u"-2000000000-2000000000=", false, u"2000000000"},
      {u"1+2000000000*2=", true, u"2"},
      {u"2000000000+200%", false, u"200"},
      {u"99999999999+", false, u"99999999999"},
  };
  for (const Case& c : cases) {
    test::ScriptedPrompts prompts;
    ParsedCalc calc(&prompts);
    calc.settings().precedence = c.precedence;
    EXPECT_EQ(type(calc, c.keys), c.shown) << std::string(c.keys.begin(), c.keys.end());
    EXPECT_TRUE(prompts.wasShown(MessageId::AmountOutOfRange))
        << std::string(c.keys.begin(), c.keys.end());
  }
  test::ScriptedPrompts prompts;
  ParsedCalc calc(&prompts);
  std::u16string text = type(calc, u"100000*30000=");
  EXPECT_EQ(calc.pending(), ParsedCalc::OpMul);
  EXPECT_EQ(calc.accumulator(), 100000);
  EXPECT_EQ(type(calc, u"C3=", text), u"300,000");
  // The largest amounts themselves still work.
  EXPECT_EQ(type(calc, u"A2147483647-1=", text), u"2,147,483,646");
  EXPECT_EQ(type(calc, u"A-2147483647-1=", text), u"-2,147,483,648");
}

TEST(ParsedCalc, ZAddsTheOutsideTaxOfTheFile) {
  ParsedCalc calc;
  std::u16string shown = u"100";
  EXPECT_EQ(calc.key(u'Z', shown), ParsedCalc::Outcome::PassOn);  // without a tax: a shortcut
  TaxSettings tax;
  tax.rate = TaxRate::fromPercent(8);
  tax.rounding = TAX_ROUND_HALF_UP;
  calc.settings().tax = tax;
  EXPECT_EQ(type(calc, u"1234Z"), u"1,333");  // 98.72 rounds to 99
  EXPECT_EQ(type(calc, u"1000+500Z="), u"1,540");
  calc.settings().separators = false;
  EXPECT_EQ(type(calc, u"A12500z"), u"13500");
  calc.settings().tax->tenYen = true;
  EXPECT_EQ(type(calc, u"A100Z"), u"100");
  test::ScriptedPrompts prompts;
  calc.setPrompts(&prompts);
  EXPECT_EQ(type(calc, u"A2147483000Z"), u"2147483000");
  EXPECT_TRUE(prompts.wasShown(MessageId::AmountOutOfRange));
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
