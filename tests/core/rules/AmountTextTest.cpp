#include "rules/AmountText.h"

#include <gtest/gtest.h>

#include <limits>

namespace sorami {
namespace {

TEST(AmountText, Formats) {
  struct Case {
    int64_t value;
    bool separators;
    int places;
    std::u16string text;
  };
  const Case cases[] = {
      {1234567, true, 0, u"1,234,567"},
      {-1234, true, 0, u"-1,234"},
      {1234567, false, 0, u"1234567"},
      {0, true, 0, u"0"},
      {999, true, 0, u"999"},
      {-100000, true, 0, u"-100,000"},
      {5, true, 2, u"0.05"},
      {0, true, 2, u"0.00"},
      {-5, true, 2, u"-0.05"},
      {1234567, true, 2, u"12,345.67"},
      {1234567, false, 3, u"1234.567"},
      {100, true, 1, u"10.0"},
      // Decimal places outside 0 to 3 are brought into range.
      {1234, true, 7, u"1.234"},
      {1234, true, -1, u"1,234"},
      // Wide sums print too, down to the smallest 64-bit value.
      {int64_t{1} << 32, true, 0, u"4,294,967,296"},
      {std::numeric_limits<int64_t>::min(), false, 0, u"-9223372036854775808"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatAmount(c.value, c.separators, c.places), c.text)
        << c.value << " places " << c.places;
  }
}

TEST(AmountText, Parses) {
  struct Case {
    std::u16string text;
    int places;
    int64_t value;
  };
  const Case cases[] = {
      {u"1,234", 0, 1234},
      {u"  -50", 0, -50},
      {u"\t+7", 0, 7},
      {u"\u300012", 0, 12},
      {u"12.9", 0, 12},
      {u"12円", 0, 12},
      {u"", 0, 0},
      {u"-", 0, 0},
      {u"+", 2, 0},
      {u"abc", 0, 0},
      {u"1,23,4", 0, 1234},
      {u",1,", 0, 1},
      {u"1.5", 2, 150},
      {u"1.234", 2, 123},
      {u"-1.239", 2, -123},
      {u".5", 3, 500},
      {u"7", 3, 7000},
      {u"1.2.3", 3, 1200},
      {u"- 5", 0, 0},  // a space after the sign ends the number
      {u"1 000", 0, 1},
      {u"１２", 0, 0},  // full-width digits are not digits of an amount
      {u"1.2", 9, 1200},
      {u"99999999999999999999999", 0, std::numeric_limits<int64_t>::max()},
      {u"-99999999999999999999999", 0, -std::numeric_limits<int64_t>::max()},
      {u"9223372036854775807", 0, std::numeric_limits<int64_t>::max()},
      {u"922337203685477580.9", 1, std::numeric_limits<int64_t>::max()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseAmount(c.text, c.places), c.value)
        << std::string(c.text.begin(), c.text.end()) << " places " << c.places;
  }
}

TEST(AmountText, ParseReadsWhatFormatWrites) {
  const int64_t values[] = {0,
                            1,
                            -1,
                            9,
                            10,
                            999,
                            1000,
                            -1001,
                            123456,
                            1234567,
                            -98765432,
                            2147483647,
                            -2147483648,
                            int64_t{1} << 40,
                            std::numeric_limits<int64_t>::max(),
                            -std::numeric_limits<int64_t>::max()};
  for (int places = 0; places <= 3; ++places) {
    for (int64_t v : values) {
      for (bool separators : {true, false}) {
        EXPECT_EQ(parseAmount(formatAmount(v, separators, places), places), v)
            << v << " places " << places;
      }
    }
  }
}

}  // namespace
}  // namespace sorami
