#include "reports/PieGraph.h"

#include <cstdlib>

#include "ledger/HinmeiList.h"
#include "reports/GraphSeries.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

// The window figures of a period, computed as the main view computes its own; the window the
// store showed before is computed again afterwards, so the view's figures stay as they were.
std::array<int64_t, kMaxItems> periodTotals(CHinmeiList& store, Day first, Day last) {
  LedgerWindow& window = store.context().window;
  const LedgerWindow shown = window;
  window.mode = DisplayMode::Summary;
  window.currentDay = first;
  window.periodStart = first;
  window.periodEnd = last;
  store.computeToDay(first);
  store.recomputeWindow();
  std::array<int64_t, kMaxItems> totals{};
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const uint16_t item = store.itemAt(slot)->item;
    if (item < totals.size()) totals[item] = store.itemTotal(item);
  }
  window = shown;
  store.computeToDay(window.first());
  store.recomputeWindow();
  return totals;
}

void fillSide(PieSide& side, const CHinmeiList& store, const std::array<int64_t, kMaxItems>& totals,
              uint16_t flag) {
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei& def = *store.itemAt(slot);
    if ((def.flags & flag) == 0 || def.itemOption(0) == 0) continue;
    const int64_t total = def.item < totals.size() ? totals[def.item] : 0;
    side.slices.push_back({def.item, def.name.str(), itemColour(store, def.item), total, 0});
    side.absoluteSum += std::llabs(total);
    side.signedSum += total;
  }
  for (PieSlice& s : side.slices) s.share = sharePercent(std::llabs(s.total), side.absoluteSum);
}

}  // namespace

int sharePercent(int64_t part, int64_t whole) {
  if (whole == 0) return 0;
  // Twice the share plus one whole, halved: exact rounding half up in integers.
  return static_cast<int>((part * 200 + whole) / (whole * 2));
}

std::u16string PieSide::caption(const std::u16string& currency, int decimalPlaces) const {
  return label + u"計:" + currency + formatAmount(signedSum, true, decimalPlaces);
}

PieGraph buildPieGraph(CHinmeiList& store, Day first, Day last) {
  PieGraph pie;
  pie.first = first;
  pie.last = last;
  pie.expense.label = u"支出";
  pie.income.label = u"収入";
  const std::array<int64_t, kMaxItems> totals = periodTotals(store, first, last);
  fillSide(pie.expense, store, totals, EF_EXPENSE);
  fillSide(pie.income, store, totals, EF_INCOME);
  return pie;
}

}  // namespace sorami
