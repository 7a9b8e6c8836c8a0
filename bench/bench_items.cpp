// Items and data moves over 1,000,000 lines: adding an item and deleting it again (every later
// item number renumbered, the figures computed from the start), and moving a year of lines by a
// week and back (the fastest of five runs of each), and deleting an item with its lines.
#include <algorithm>
#include <cstdio>

#include "BenchLedger.h"

using namespace sorami;
using namespace sorami::bench;

namespace {

template <typename F>
double fastestMilliseconds(F&& f) {
  double best = 1e18;
  for (int i = 0; i < 5; ++i) best = std::min(best, microseconds(f));
  return best / 1000;
}

}  // namespace

int main() {
  CHinmeiList store;
  buildLedger(store);
  const Day last = dayFromYmd(2024, 12, 31);
  store.context().window.currentDay = last;
  store.computeToDay(last, true);
  store.recomputeWindow();
  const int slot = kExpenseItems - 2;

  const double add = fastestMilliseconds([&] {
    store.addItem(u"bench", false, slot);
    store.deleteItem(slot, false);
  });
  std::printf("add and delete an item (no lines) over %zu entries: %.2f ms each (goal 150 ms)\n",
              store.size(), add / 2);

  const Day from = dayFromYmd(2015, 1, 1);
  const Day to = dayFromYmd(2015, 12, 31);
  const size_t lines = store.countPeriodMove(from, to, false);
  bool forward = true;
  const double move = fastestMilliseconds([&] {
    if (forward) {
      store.movePeriod(from, to, from + 7, false);
    } else {
      store.movePeriod(from + 7, to + 7, from, false);
    }
    forward = !forward;
  });
  std::printf("move a year of %zu lines by a week: %.2f ms (goal 150 ms)\n", lines, move);
  size_t removed = 0;
  const double withLines = microseconds([&] {
                             const auto deleted = store.deleteItem(0, false);
                             removed = deleted ? deleted->removed : 0;
                           }) /
                           1000;
  std::printf("delete an item with its %zu lines (one run): %.2f ms (goal 150 ms)\n", removed,
              withLines);
  return store.consistencyProblem().empty() && store.itemProblem().empty() ? 0 : 1;
}
