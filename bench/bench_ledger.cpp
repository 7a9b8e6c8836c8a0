// Figures of the entry store on a large ledger: 1,000,000 lines over twenty years with 20
// accounts and 10 loans. Prints the time of a full computation, of a step of the current day,
// of the monthly matrix over 60 months and of an insertion on the current day.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"

using namespace sorami;

namespace {

constexpr int kLines = 1'000'000;
constexpr int kYears = 20;
constexpr int kAccounts = 20;
constexpr int kLoans = 10;
constexpr int kExpenseItems = 16;  // the last two are the transfer pseudo-items
constexpr int kIncomeItems = 8;

std::u16string wide(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

void buildLedger(CHinmeiList& store) {
  store.addAtEnd(CHinmei(MinDay, ITEM_HEADER, EF_ITEM, u"", u"", 1'000'000));
  for (int i = 0; i < kExpenseItems + kIncomeItems; ++i) {
    uint16_t flags = i < kExpenseItems ? 0x8100 : 0x8200;
    if (i == kExpenseItems - 2) flags = 0xC100;
    if (i == kExpenseItems - 1) flags = 0xA100;
    if (i == kExpenseItems + kIncomeItems - 2) flags = 0xC200;
    if (i == kExpenseItems + kIncomeItems - 1) flags = 0xA200;
    store.addAtEnd(CHinmei(MinDay, static_cast<uint16_t>(i), flags,
                           wide("item" + std::to_string(i)), u"3", 0));
  }
  for (int i = 0; i < kAccounts; ++i) {
    CHinmei def(MinDay, kExpenseItems - 2, 0x5100, wide("account" + std::to_string(i)), u"",
                100000);
    def.setTail(u"\n\n7,0,0,0,0,0,-1,-1");
    store.addAtEnd(std::move(def));
  }
  for (int i = 0; i < kLoans; ++i) {
    CHinmei def(MinDay, kExpenseItems - 1, 0x3100, wide("loan" + std::to_string(i)), u"", 500000);
    def.setTail(u"\n\n\n7,0,0,0,0,0,-1,-1,0");
    store.addAtEnd(std::move(def));
  }
  std::mt19937 rng(42);
  const Day first = dayFromYmd(2005, 1, 1);
  const int days = kYears * 365;
  for (int i = 0; i < kLines; ++i) {
    const Day d = first + static_cast<Day>(static_cast<int64_t>(i) * days / kLines);
    const int kind = static_cast<int>(rng() % 20);
    const int32_t amount = static_cast<int32_t>(rng() % 20000 + 1);
    if (kind == 0) {
      const bool in = rng() % 2 == 0;
      store.addAtEnd(CHinmei(d, in ? kExpenseItems - 2 : kExpenseItems + kIncomeItems - 2,
                             in ? 0x4100 : 0x4200,
                             wide("account" + std::to_string(rng() % kAccounts)), u"", amount));
    } else if (kind == 1) {
      const bool borrow = rng() % 2 == 0;
      store.addAtEnd(CHinmei(d, borrow ? kExpenseItems + kIncomeItems - 1 : kExpenseItems - 1,
                             borrow ? 0x2200 : 0x2100,
                             wide("loan" + std::to_string(rng() % kLoans)), u"", amount));
    } else if (kind < 5) {
      store.addAtEnd(CHinmei(d, static_cast<uint16_t>(kExpenseItems + rng() % (kIncomeItems - 2)),
                             0x0200, u"income", u"", amount));
    } else {
      store.addAtEnd(CHinmei(d, static_cast<uint16_t>(rng() % (kExpenseItems - 2)), 0x0100, u"shop",
                             u"memo", amount));
    }
  }
  store.addAtEnd(CHinmei(MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0));
  store.rebuildTables();
}

template <typename F>
double microseconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

void showDay(CHinmeiList& store, Day d) {
  store.context().window.currentDay = d;
  store.computeToDay(d);
  store.recomputeWindow();
}

}  // namespace

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
