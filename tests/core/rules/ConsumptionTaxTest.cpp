// The tax routine in whole numbers, the tax bits of an entry's flags and the button cycles.

#include "rules/ConsumptionTax.h"

#include <gtest/gtest.h>

namespace sorami {
namespace {

TaxSettings at(double percent) {
  TaxSettings s;
  s.rate = TaxRate::fromPercent(percent);
  return s;
}

TEST(ConsumptionTax, EveryRateModeAndRoundingIsExactToTheYen) {
  struct Case {
    int64_t amount;
    double rate;
    int kind;
    int64_t down, up, half;
  };
  const Case cases[] = {
      // Held as binary fractions these rates lose the yen: 3 % of 103 within is 2.999…, 7 %
      // of 100 on top is 7.000…1.
      {103, 3, TAX_INSIDE, 3, 3, 3},
      {1030, 3, TAX_INSIDE, 30, 30, 30},
      {100, 7, TAX_OUTSIDE, 7, 7, 7},
      {1234, 3, TAX_OUTSIDE, 37, 38, 37},
      {300, 3, TAX_OUTSIDE, 9, 9, 9},
      {1050, 5, TAX_OUTSIDE, 52, 53, 53},
      {1000, 5, TAX_INSIDE, 47, 48, 48},
      {1000, 5, TAX_OUTSIDE, 50, 50, 50},  // an exact product gains nothing by rounding up
      {10, 5, TAX_OUTSIDE, 0, 1, 1},       // exactly one half rounds up
      {21, 5, TAX_OUTSIDE, 1, 2, 1},
      {198, 8, TAX_INSIDE, 14, 15, 15},
      {1234, 8, TAX_OUTSIDE, 98, 99, 99},
      {1080, 8, TAX_INSIDE, 80, 80, 80},
      {1980, 10, TAX_OUTSIDE, 198, 198, 198},
      {1234, 10, TAX_INSIDE, 112, 113, 112},
      {110, 10, TAX_INSIDE, 10, 10, 10},
      {-1050, 5, TAX_OUTSIDE, -52, -53, -53},  // a negative amount: the same tax, negative
      {-198, 8, TAX_INSIDE, -14, -15, -15},
      {2147483647, 10, TAX_OUTSIDE, 214748364, 214748365, 214748365},
      {-2147483648LL, 100, TAX_INSIDE, -1073741824, -1073741824, -1073741824},
      {5000, 0, TAX_OUTSIDE, 0, 0, 0},
      {5000, 0, TAX_INSIDE, 0, 0, 0},
      {5000, 8, TAX_EXCLUDED, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const TaxSettings s = at(c.rate);
    const int64_t expected[] = {c.down, c.up, c.half};
    for (int rounding = 0; rounding < kTaxRoundingCount; ++rounding) {
      EXPECT_EQ(computeTax(c.amount, s, rounding, false, c.kind), expected[rounding])
          << c.amount << " at " << c.rate << "% kind " << c.kind << " rounding " << rounding;
    }
  }
  EXPECT_EQ(computeTax(1050, at(5), 3, false, TAX_OUTSIDE), 0);  // no such rounding
}

TEST(ConsumptionTax, TenYenTruncationDropsTaxesBelowTenWholeUnits) {
  TaxSettings s = at(5);
  s.tenYen = true;
  EXPECT_EQ(computeTax(198, s, TAX_OUTSIDE), 0);  // 9 is below ten
  EXPECT_EQ(computeTax(10000, s, TAX_OUTSIDE), 500);
  EXPECT_EQ(computeTax(-3980, s, TAX_OUTSIDE), -190);
  s.rounding = TAX_ROUND_UP;
  EXPECT_EQ(computeTax(1050, s, TAX_INSIDE), 50);
  // With two decimal places ten units are 10.00, not 0.10.
  s.decimalPlaces = 2;
  s.rounding = TAX_ROUND_DOWN;
  EXPECT_EQ(computeTax(19800, s, TAX_OUTSIDE), 0);      // 9.90
  EXPECT_EQ(computeTax(123456, s, TAX_OUTSIDE), 6000);  // 61.72 → 60.00
}

TEST(ConsumptionTax, RatesAreReadAsTheFileWritesThem) {
  EXPECT_EQ(TaxRate::fromPercent(8), (TaxRate{8, 2}));
  EXPECT_EQ(TaxRate::fromPercent(100), (TaxRate{1, 0}));
  EXPECT_EQ(TaxRate::fromPercent(8.25), (TaxRate{825, 4}));
  EXPECT_EQ(TaxRate::fromPercent(0.1 + 0.2), (TaxRate{3, 3}));  // ten digits: 0.3
  // Rates outside 0 to 100 never reach the division: a rate of -100 would divide by zero.
  EXPECT_EQ(TaxRate::fromPercent(-100), (TaxRate{0, 0}));
  EXPECT_EQ(TaxRate::fromPercent(250), (TaxRate{1, 0}));
  EXPECT_EQ(computeTax(1000, at(-100), TAX_INSIDE), 0);
  EXPECT_EQ(computeTax(1000, at(1e-40), TAX_ROUND_UP, false, TAX_OUTSIDE), 1);
  EXPECT_EQ(computeTax(1000, at(1e-40), TAX_ROUND_HALF_UP, false, TAX_OUTSIDE), 0);
}

TEST(ConsumptionTax, FlagsRecordModeRoundingAndTenYen) {
  EXPECT_EQ(taxFlags(TAX_EXCLUDED, TAX_ROUND_DOWN, false), 0x2C);
  EXPECT_EQ(taxFlags(TAX_OUTSIDE, TAX_ROUND_UP, true), 0x54);
  EXPECT_EQ(taxFlags(TAX_INSIDE, TAX_ROUND_HALF_UP, false), 0x68);
  for (int mode = 0; mode < kTaxModeCount; ++mode) {
    for (int rounding = 0; rounding < kTaxRoundingCount; ++rounding) {
      // The bits of a paired expense line around them do not count.
      const TaxAttributes a = taxAttributesOf(taxFlags(mode, rounding, mode == 1) | 0x0901);
      EXPECT_EQ(a.mode, mode);
      EXPECT_EQ(a.rounding, rounding);
      EXPECT_EQ(a.tenYen, mode == 1);
    }
  }
  // Lines written without the panel record neither.
  const TaxAttributes none = taxAttributesOf(0x0100);
  EXPECT_FALSE(none.mode);
  EXPECT_FALSE(none.rounding);
  EXPECT_FALSE(none.tenYen);
}

TEST(ConsumptionTax, ButtonsWrapFromTheThirdValueToTheFirst) {
  EXPECT_EQ(nextTaxMode(TAX_EXCLUDED), TAX_OUTSIDE);
  EXPECT_EQ(nextTaxMode(TAX_OUTSIDE), TAX_INSIDE);
  EXPECT_EQ(nextTaxMode(TAX_INSIDE), TAX_EXCLUDED);
  EXPECT_EQ(nextTaxRounding(TAX_ROUND_HALF_UP), TAX_ROUND_DOWN);
  EXPECT_EQ(std::u16string(taxModeLabel(TAX_INSIDE)), u"内税(&Z)");
  EXPECT_EQ(std::u16string(taxRoundingLabel(TAX_ROUND_UP)), u"切り上げ");
}

}  // namespace
}  // namespace sorami
