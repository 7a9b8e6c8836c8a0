#include "main/ViewFont.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

namespace sorami {
namespace {

TEST(ViewFont, EvenSizesWithinTheBounds) {
  const int cases[][2] = {{1, 12}, {12, 12}, {15, 14}, {16, 16}, {47, 46}, {48, 48}, {90, 48}};
  for (const auto& c : cases) EXPECT_EQ(viewFontPixels(c[0]), c[1]) << c[0];
}

// The lists place their columns by counting characters, which holds only when a full-width
// character is exactly two half-width ones.
TEST(ViewFont, AFullWidthCharacterIsTwoHalfWidthOnes) {
  for (int px : {12, 14, 16, 20, 24, 48}) {
    const QFont font = makeViewFont(px);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAGothic"));
    const QFontMetrics m(font);
    const int half = m.horizontalAdvance(u'1');
    EXPECT_EQ(m.horizontalAdvance(QStringLiteral("ｶﾚﾝﾀﾞｰ")), 6 * half) << px;
    EXPECT_EQ(m.horizontalAdvance(QStringLiteral("金額")), 4 * half) << px;
    EXPECT_EQ(m.horizontalAdvance(QStringLiteral("　")), 2 * half) << px;
  }
}

}  // namespace
}  // namespace sorami
