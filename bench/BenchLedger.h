#pragma once
// The large ledger the benchmarks measure: 1,000,000 lines with 20 accounts and 10 loans, the
// items of a file with 16 expense and 8 income items, and a clock of microseconds.
#include <chrono>
#include <random>
#include <string>

#include "ledger/HinmeiList.h"

namespace sorami::bench {

inline constexpr int kLines = 1'000'000;
inline constexpr int kAccounts = 20;
inline constexpr int kLoans = 10;
inline constexpr int kExpenseItems = 16;  // the last two are the transfer pseudo-items
inline constexpr int kIncomeItems = 8;

// The window on another day, with its figures, as the day keys leave it.
inline void showDay(CHinmeiList& store, Day d) {
  store.context().window.currentDay = d;
  store.computeToDay(d);
  store.recomputeWindow();
}
inline constexpr int kIntoAccountItem = kExpenseItems - 2;
inline constexpr int kOutOfAccountItem = kExpenseItems + kIncomeItems - 2;

inline std::u16string wide(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

// The lines are spread evenly over `years` years from `first`.
inline void buildLedger(CHinmeiList& store, Day first = dayFromYmd(2005, 1, 1), int years = 20) {
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
  const int days = years * 365;
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
inline double microseconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace sorami::bench
