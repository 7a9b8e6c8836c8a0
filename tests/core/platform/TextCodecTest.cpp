#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace sorami {
namespace {

TEST(TextCodec, RoundTrips) {
  const std::u16string samples[] = {u"", u"abc", u"食費 ｶﾞｿﾘﾝ、メモ", u"\U0001F600"};
  for (const auto& s : samples) {
    EXPECT_EQ(fromUtf8(toUtf8(s)), s);
  }
  EXPECT_EQ(fromShiftJis(toShiftJis(u"祝日 元旦")), u"祝日 元旦");
}

TEST(TextCodec, BadInputIsReplacedNotFatal) {
  EXPECT_EQ(fromUtf8("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(fromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(fromShiftJis("a\x81"), u"a\uFFFD");
}

}  // namespace
}  // namespace sorami
