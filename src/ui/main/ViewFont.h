#pragma once
// The one font of the main view's windows: IPA Gothic, whose half-width characters are exactly
// half as wide as full-width ones at even pixel sizes, so text columns line up.

#include <QFont>

namespace sorami {

inline constexpr int MinViewFontPixels = 12;
inline constexpr int MaxViewFontPixels = 48;

// Within 12 to 48 pixels, rounded down to an even size.
int viewFontPixels(int wanted);

// Falls back to the system's fixed-pitch font when IPA Gothic is not installed.
QFont makeViewFont(int pixels);

}  // namespace sorami
