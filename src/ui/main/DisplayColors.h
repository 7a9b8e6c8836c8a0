#pragma once
// The twelve text and background colour pairs with which the lists and coded lines draw: the
// colour table, or the monochrome table when DisplayColor is 1.

#include <QColor>
#include <array>

namespace sorami {

struct ColorPair {
  QColor text;
  QColor background;
};

// Even pairs are the normal look of a row, the odd pair after each is the same row selected.
enum ColorPairIndex : int {
  CP_INCOME = 0,
  CP_INCOME_SELECTED = 1,
  CP_EXPENSE = 2,
  CP_EXPENSE_SELECTED = 3,
  CP_OTHER = 4,
  CP_OTHER_SELECTED = 5,
  CP_DETAIL = 6,
  CP_DETAIL_SELECTED = 7,
  CP_SPECIAL_NAME = 8,
  CP_SPECIAL_NAME_SELECTED = 9,
  CP_CODED_STYLE2 = 10,
  CP_SPARE = 11,
};

class DisplayColors {
 public:
  static constexpr int PairCount = 12;
  static constexpr int Monochrome = 1;

  explicit DisplayColors(int displayColor = 0) { select(displayColor); }

  // Copies the table that the DisplayColor setting names.
  void select(int displayColor);
  int displayColor() const { return displayColor_; }
  const ColorPair& pair(int index) const { return pairs_.at(static_cast<size_t>(index)); }

 private:
  int displayColor_ = 0;
  std::array<ColorPair, PairCount> pairs_;
};

}  // namespace sorami
