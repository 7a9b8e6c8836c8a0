#include "main/ViewFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>

namespace sorami {

int viewFontPixels(int wanted) {
  return std::clamp(wanted, MinViewFontPixels, MaxViewFontPixels) & ~1;
}

QFont makeViewFont(int pixels) {
  QFont font(QStringLiteral("IPAGothic"));
  font.setStyleHint(QFont::Monospace);
  font.setWeight(QFont::Normal);
  if (!QFontInfo(font).family().contains(QStringLiteral("IPA"))) {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  }
  font.setPixelSize(viewFontPixels(pixels));
  return font;
}

}  // namespace sorami
