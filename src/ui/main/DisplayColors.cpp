#include "main/DisplayColors.h"

namespace sorami {

namespace {

struct Rgb {
  int r, g, b;
};
struct RgbPair {
  Rgb text, background;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{192, 192, 192};
constexpr RgbPair kSelected{kWhite, {0, 0, 128}};

constexpr RgbPair kColourTable[DisplayColors::PairCount] = {
    {kBlack, {0, 255, 128}}, kSelected, {kBlack, kWhite}, kSelected,
    {kBlack, {0, 255, 255}}, kSelected, {kBlack, kWhite}, kSelected,
    {kBlack, kWhite},        kSelected, {kBlack, kGrey},  kSelected,
};

constexpr RgbPair kMonochromeTable[DisplayColors::PairCount] = {
    {kBlack, kGrey},  kSelected, {kBlack, kWhite}, kSelected, {kBlack, kGrey}, kSelected,
    {kBlack, kWhite}, kSelected, {kBlack, kWhite}, kSelected, {kBlack, kGrey}, kSelected,
};

QColor toColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

}  // namespace

void DisplayColors::select(int displayColor) {
  displayColor_ = displayColor;
  const RgbPair* table = displayColor == Monochrome ? kMonochromeTable : kColourTable;
  for (int i = 0; i < PairCount; ++i) {
    pairs_[static_cast<size_t>(i)] = {toColor(table[i].text), toColor(table[i].background)};
  }
}

}  // namespace sorami
