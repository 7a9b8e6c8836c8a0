#pragma once
// The figure one row of the item list shows: the day or period total, or in summary mode the
// budget, the daily guide, the consumption rate or the remaining budget of the item.

#include <cstdint>
#include <string>

namespace sorami {

// The column selector's positions.
enum ItemColumn : int {
  IC_DAY_TOTAL = 0,
  IC_PERIOD_TOTAL = 1,
  IC_BUDGET = 2,
  IC_DAILY_GUIDE = 3,
  IC_CONSUMPTION_RATE = 4,
  IC_REMAINING_BUDGET = 5,
};

// One row: an item definition or a summary row, with its total and its budget.
struct ItemRow {
  uint16_t flags = 0;
  uint16_t item = 0;
  int64_t amount = 0;  // total over the shown span
  int64_t work = 0;    // budget of the span's month
};

struct ItemFigure {
  bool empty = false;  // nothing is shown
  bool plain = false;  // digits only, without separators (the rate)
  int64_t value = 0;
  bool red = false;  // negative, or a rate on the wrong side of 100
};

// `remainingDays` are the whole days from the current day to the end of its period; a count of
// 0 or fewer (the current day past the end of a fixed period) makes the daily guide 0.
ItemFigure itemFigure(const ItemRow& row, int column, int64_t remainingDays);

// The figure as the list writes it, with the file's decimal places.
std::u16string itemFigureText(const ItemFigure& figure, int decimalPlaces);

// The header of the item list for the display mode (0 day input, 1 summary, 2 cash book) and
// the column selector: "A  M\t 項目名\t　日集計" and the like.
std::u16string itemHeaderText(int displayMode, int column);

}  // namespace sorami
