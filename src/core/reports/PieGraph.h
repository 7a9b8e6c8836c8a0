#pragma once
// The pie graph of a free period (期間ｸﾞﾗﾌ): one pie of the graphed expense items and one of the
// graphed income items, each sector the share of its item in the side's total.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/Day.h"

namespace sorami {

class CHinmeiList;

struct PieSlice {
  uint16_t item = 0;
  std::u16string name;
  uint32_t rgb = 0;
  int64_t total = 0;
  int share = 0;  // percent of the side's absolute total, rounded half up
};

struct PieSide {
  std::u16string label;          // 支出 or 収入
  int64_t absoluteSum = 0;       // what the sectors share
  int64_t signedSum = 0;         // the side's total as the caption shows it
  std::vector<PieSlice> slices;  // every graphed item of the side, in item order

  // "支出計:\12,345"
  std::u16string caption(const std::u16string& currency, int decimalPlaces) const;
};

struct PieGraph {
  Day first = MinDay;
  Day last = MaxDay;
  PieSide expense;
  PieSide income;
};

// The item totals over the days from `first` to `last` as the main view counts them for a period
// (the file's options apply); the store's shown figures are restored afterwards.
PieGraph buildPieGraph(CHinmeiList& store, Day first, Day last);

// The share of `part` in `whole` in percent, rounded half up; 0 when the whole is 0.
int sharePercent(int64_t part, int64_t whole);

}  // namespace sorami
