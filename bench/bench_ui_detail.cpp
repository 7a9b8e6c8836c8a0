// Figures of the detail list on a ledger of 100,000 lines over ten years (about 27 a day) with
// five accounts: the fill of a day for an item, and of an accounting month as an item, as the
// savings item and as the cash book, each with the texts of a screenful of lines.
#include <chrono>
#include <cstdio>
#include <string>

#include "Timing.h"
#include "lists/DetailLines.h"

using namespace sorami;
using sorami::bench::microseconds;

namespace {

constexpr int kLines = 100'000;
constexpr int kDays = 3650;
constexpr int kAccounts = 5;
constexpr int kScreenLines = 40;
constexpr uint16_t kFood = 0;
constexpr uint16_t kIntoAccount = 2;

void buildLedger(CHinmeiList& store) {
  store.addAtEnd(CHinmei(MinDay, ITEM_HEADER, EF_ITEM, u"", u"", 1'000'000));
  const uint16_t items[] = {0x8100, 0x8100, 0xC100, 0xA100, 0x8200, 0xC200, 0xA200};
  for (uint16_t i = 0; i < std::size(items); ++i) {
    store.addAtEnd(CHinmei(MinDay, i, items[i], u"項目" + std::u16string(1, u'0' + i), u"3", 0));
  }
  for (int i = 0; i < kAccounts; ++i) {
    store.addAtEnd(
        CHinmei(MinDay, kIntoAccount, 0x5100, u"口座" + std::u16string(1, u'0' + i), u"", 100000));
  }
  const Day first = dayFromYmd(2015, 1, 1);
  for (int i = 0; i < kLines; ++i) {
    const Day d = first + i * kDays / kLines;
    const uint16_t item = static_cast<uint16_t>(i % 7 == 3 ? 4 : i % 11 == 5 ? 2 : i % 2);
    const uint16_t flags = item == 2 ? 0x4100 : item == 4 ? 0x0200 : 0x0100;
    store.addAtEnd(CHinmei(d, item, flags,
                           item == 2 ? u"口座" + std::u16string(1, u'0' + i % kAccounts) : u"品名",
                           u"備考", 100 + i % 5000));
  }
  store.addAtEnd(CHinmei(MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0));
  store.rebuildTables();
}

}  // namespace

int main() {
  CHinmeiList store;
  buildLedger(store);
  const Day day = dayFromYmd(2020, 6, 15);
  const Day monthStart = dayFromYmd(2020, 6, 1);
  const Day monthEnd = dayFromYmd(2020, 6, 30);
  const TextMeasure m = TextMeasure::cells(8);
  DetailLines lines;
  const auto show = [&](DisplayMode mode, uint16_t item, Day from, Day to) {
    LedgerWindow& w = store.context().window;
    w.mode = mode;
    w.currentDay = from;
    w.periodStart = from;
    w.periodEnd = to;
    store.computeToDay(from);
    store.recomputeWindow();
    DetailSource s;
    s.store = &store;
    s.item = mode == DisplayMode::CashBook ? nullptr : store.itemByNumber(item);
    s.mode = mode;
    s.first = from;
    s.last = to;
    lines.fill(s);
    for (int i = 0; i < std::min(kScreenLines, lines.size()); ++i) (void)lines.cells(i, m);
    (void)lines.totalText();
  };
  store.computeToDay(day, true);
  const struct {
    const char* name;
    DisplayMode mode;
    uint16_t item;
    Day from, to;
  } cases[] = {
      {"day, item", DisplayMode::DayInput, kFood, day, day},
      {"month, item", DisplayMode::Summary, kFood, monthStart, monthEnd},
      {"month, savings", DisplayMode::Summary, kIntoAccount, monthStart, monthEnd},
      {"month, cash book", DisplayMode::CashBook, kFood, monthStart, monthEnd},
  };
  for (const auto& c : cases) {
    const double us = microseconds([&] { show(c.mode, c.item, c.from, c.to); }, 200);
    std::printf("%-18s %5d lines  %8.1f us per fill with a screen of texts\n", c.name, lines.size(),
                us);
  }
  return 0;
}
