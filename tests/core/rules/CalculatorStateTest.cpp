// The calculator panel's tax state and memory, short of the widgets.

#include "rules/CalculatorState.h"

#include <gtest/gtest.h>

#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

TaxSettings eightPercent(int rounding = TAX_ROUND_DOWN, bool tenYen = false) {
  TaxSettings t;
  t.rate = TaxRate::fromPercent(8);
  t.rounding = rounding;
  t.tenYen = tenYen;
  return t;
}

TEST(CalculatorState, OpensWithTheFilesRoundingAndTheConfiguredMode) {
  const CalculatorState s = CalculatorState::opening(eightPercent(TAX_ROUND_UP, true), 2, 1);
  EXPECT_EQ(s.mode(), TAX_INSIDE);
  EXPECT_EQ(s.rounding(), TAX_ROUND_UP);
  EXPECT_TRUE(s.tenYen());
  // 3 keeps the mode last used.
  EXPECT_EQ(CalculatorState::opening(eightPercent(), 3, TAX_OUTSIDE).mode(), TAX_OUTSIDE);
  EXPECT_EQ(CalculatorState::opening(eightPercent(), 3, 7).mode(), TAX_EXCLUDED);
}

TEST(CalculatorState, FiguresByMode) {
  CalculatorState s = CalculatorState::opening(eightPercent(), TAX_OUTSIDE, 0);
  EXPECT_EQ(s.figures(1000).amount, 1000);
  EXPECT_EQ(s.figures(1000).tax, 80);
  EXPECT_EQ(s.handedTax(80), 80);
  EXPECT_EQ(s.entryFlags(), TF_MODE_OUTSIDE | TF_ROUND_DOWN);
  s.cycleMode();
  ASSERT_EQ(s.mode(), TAX_INSIDE);
  EXPECT_EQ(s.figures(1080).amount, 1000);  // the gross amount typed, the net amount shown
  EXPECT_EQ(s.figures(1080).tax, 80);
  EXPECT_EQ(s.figures(-198).amount, -184);
  s.cycleMode();
  ASSERT_EQ(s.mode(), TAX_EXCLUDED);
  EXPECT_EQ(s.handedTax(s.figures(1000).tax), 0);  // 税抜 hands over no tax
  s.cycleRounding();
  s.cycleRounding();
  EXPECT_EQ(s.rounding(), TAX_ROUND_HALF_UP);
  s.cycleRounding();
  EXPECT_EQ(s.rounding(), TAX_ROUND_DOWN);
}

TEST(CalculatorState, TakesOverWhatALineRecords) {
  CalculatorState s = CalculatorState::opening(eightPercent(TAX_ROUND_DOWN, true), 3, TAX_INSIDE);
  // A line written in 内税 is stored net: its tax comes back on top.
  EXPECT_EQ(s.takeOver(taxFlags(TAX_INSIDE, TAX_ROUND_HALF_UP, false), 926, 3), 1000);
  EXPECT_EQ(s.rounding(), TAX_ROUND_HALF_UP);
  EXPECT_FALSE(s.tenYen());
  // A line without tax bits changes nothing but the amount shown.
  EXPECT_EQ(s.takeOver(0x0100, 1000, 3), 1080);
  EXPECT_EQ(s.rounding(), TAX_ROUND_HALF_UP);
  // The line's mode counts only while the panel keeps the previous mode.
  EXPECT_EQ(s.takeOver(taxFlags(TAX_OUTSIDE, TAX_ROUND_UP, true), 500, 2), 540);
  EXPECT_EQ(s.mode(), TAX_INSIDE);
  EXPECT_TRUE(s.tenYen());
  EXPECT_EQ(s.takeOver(taxFlags(TAX_OUTSIDE, TAX_ROUND_UP, false), 500, 3), 500);
  EXPECT_EQ(s.mode(), TAX_OUTSIDE);
}

TEST(CalculatorState, MemoryStaysWithinAnAmount) {
  test::ScriptedPrompts prompts;
  CalculatorState s;
  s.setMemory(2000000000);
  EXPECT_TRUE(s.addToMemory(147483647, &prompts));
  EXPECT_EQ(s.memory(), 2147483647);
  EXPECT_FALSE(s.addToMemory(1, &prompts));
  EXPECT_TRUE(prompts.wasShown(MessageId::AmountOutOfRange));
  EXPECT_EQ(s.memory(), 2147483647);
  EXPECT_TRUE(s.addToMemory(-2147483647LL * 2, &prompts));
  EXPECT_EQ(s.memory(), -2147483647);
}

TEST(CalculatorState, DefaultWriteButton) {
  EXPECT_EQ(defaultWriteButton(true, true, false), WriteButton::Account);
  EXPECT_EQ(defaultWriteButton(false, true, false), WriteButton::Loan);
  EXPECT_EQ(defaultWriteButton(false, false, false), WriteButton::Cash);
  EXPECT_EQ(defaultWriteButton(true, true, true), WriteButton::Cash);
}

}  // namespace
}  // namespace sorami
