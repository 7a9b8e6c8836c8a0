// Figures of the entry store on a large ledger: 1,000,000 lines over twenty years with 20
// accounts and 10 loans. Prints the time of a full computation, of a step of the current day,
// of the monthly matrix over 60 months and of an insertion on the current day.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchLedger.h"
#include "ledger/HinmeiList.h"

using namespace sorami;
using namespace sorami::bench;

int main() {
  CHinmeiList store;
  buildLedger(store);
  const Day last = dayFromYmd(2024, 12, 31);
  store.context().window.mode = DisplayMode::DayInput;
  store.context().window.currentDay = last;

  double full = 1e18;
  for (int i = 0; i < 5; ++i)
    full = std::min(full, microseconds([&] { store.computeToDay(last, true); }));
  std::printf("full compute to day over %zu entries: %.2f ms (goal 30 ms)\n", store.size(),
              full / 1000);

  const Day middle = dayFromYmd(2015, 6, 15);
  showDay(store, middle);
  constexpr int kSteps = 2000;
  const double forward = microseconds([&] {
    for (int i = 1; i <= kSteps; ++i) showDay(store, middle + i);
  });
  const double backward = microseconds([&] {
    for (int i = kSteps - 1; i >= 0; --i) showDay(store, middle + i);
  });
  std::printf("day step forward: %.2f us, backward: %.2f us (goal 50 us)\n", forward / kSteps,
              backward / kSteps);

  std::vector<DaySpan> months;
  for (int m = 0; m < 60; ++m) {
    const int y = 2020 + m / 12;
    const int mo = m % 12 + 1;
    const Day first = dayFromYmd(y, mo, 1);
    const Day end = mo == 12 ? dayFromYmd(y + 1, 1, 1) - 1 : dayFromYmd(y, mo + 1, 1) - 1;
    months.push_back({first, end});
  }
  double matrix = 1e18;
  int64_t check = 0;
  for (int i = 0; i < 5; ++i) {
    matrix = std::min(
        matrix, microseconds([&] { check += store.monthlyMatrix(months).cells[kRowAssets][0]; }));
  }
  std::printf("monthly matrix over 60 months: %.2f ms (goal 40 ms)\n", matrix / 1000);

  // Ten entries a day, as a user writes them, on a thousand days in turn.
  constexpr int kDays = 1000;
  constexpr int kPerDay = 10;
  double inserts = 0;
  for (int d = 0; d < kDays; ++d) {
    showDay(store, middle + d);
    inserts += microseconds([&] {
      for (int i = 0; i < kPerDay; ++i) {
        store.insert(CHinmei(middle + d, 1, 0x0100, u"bench", u"", 100 + i));
      }
    });
  }
  constexpr int kInserts = kDays * kPerDay;
  std::printf("insert on the current day: %.3f us (goal 10 us)\n", inserts / kInserts);
  return check == 42 ? 1 : 0;
}
