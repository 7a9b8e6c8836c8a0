#pragma once
// A small ledger for the store's tests: a header with the initial cash, two expense items, the
// four transfer pseudo-items, one income item and the end marker.

#include <string>

#include "ledger/HinmeiList.h"
#include "support/ScriptedPrompts.h"

namespace sorami::test {

// Item numbers of the fixture.
inline constexpr uint16_t kFood = 0;
inline constexpr uint16_t kGoods = 1;
inline constexpr uint16_t kIntoAccount = 2;
inline constexpr uint16_t kRepayLoan = 3;
inline constexpr uint16_t kSalary = 4;
inline constexpr uint16_t kOutOfAccount = 5;
inline constexpr uint16_t kBorrow = 6;

inline Day day(int d) {
  return dayFromYmd(2024, 1, 1) + d - 1;
}

class LedgerFixture {
 public:
  explicit LedgerFixture(int32_t initialCash = 10000) {
    store.addAtEnd(CHinmei(MinDay, ITEM_HEADER, EF_ITEM, u"", u"", initialCash));
    const struct {
      const char16_t* name;
      uint16_t flags;
    } items[] = {{u"食費", 0x8100},     {u"日用品", 0x8100}, {u"口座へ", 0xC100},
                 {u"借入返済", 0xA100}, {u"給料", 0x8200},   {u"口座から", 0xC200},
                 {u"借入から", 0xA200}};
    uint16_t n = 0;
    for (const auto& i : items) store.addAtEnd(CHinmei(MinDay, n++, i.flags, i.name, u"3", 0));
    store.addAtEnd(CHinmei(MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0));
    store.rebuildTables();
    store.context().prompts = &prompts;
    store.context().today = day(1);
    showDay(day(1));
  }

  // Registers without questions.
  void account(const std::u16string& name, int32_t initial, bool outside = false) {
    auto p = store.registerAccount(name, kKindAccount, -1, initial);
    if (outside && p) (*p)->flags |= EF_OUTSIDE_ASSETS;
  }
  void loan(const std::u16string& name, int32_t initial, bool outside = false) {
    auto p = store.registerAccount(name, kKindLoan, -1, initial);
    if (outside && p) (*p)->flags |= EF_OUTSIDE_ASSETS;
  }

  static CHinmei line(Day d, uint16_t item, int32_t amount, std::u16string name = u"x") {
    static constexpr uint16_t flags[] = {0x0100, 0x0100, 0x4100, 0x2100, 0x0200, 0x4200, 0x2200};
    return CHinmei(d, item, flags[item], std::move(name), u"", amount);
  }

  CHinmeiList::Position add(Day d, uint16_t item, int32_t amount, std::u16string name = u"x",
                            int index = -1) {
    return store.insert(line(d, item, amount, std::move(name)), index).value();
  }

  // Inserts two lines as a pair; returns the first.
  CHinmeiList::Position addPair(CHinmei first, CHinmei second) {
    first.flags |= EF_PAIR;
    second.flags |= EF_PAIR_MASK;
    const CHinmeiList::Position p = store.insert(std::move(first)).value();
    store.insert(std::move(second)).value();
    return p;
  }

  // Shows one day in the day input mode, computed as the view does.
  void showDay(Day d, bool full = false) {
    store.context().window.currentDay = d;
    store.context().window.mode = DisplayMode::DayInput;
    store.computeToDay(d, full);
    store.recomputeWindow();
  }
  void showPeriod(Day first, Day last, bool full = false) {
    LedgerWindow& w = store.context().window;
    w.currentDay = first;
    w.mode = DisplayMode::Summary;
    w.periodStart = first;
    w.periodEnd = last;
    store.computeToDay(first, full);
    store.recomputeWindow();
  }

  int64_t row(uint16_t r) const { return store.rowValue(r); }

  CHinmeiList store;
  ScriptedPrompts prompts;
};

}  // namespace sorami::test
