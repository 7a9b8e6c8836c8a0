// The incremental computation, and the figures kept current on every change, must always agree
// with a computation from the start.
#include <gtest/gtest.h>

#include <random>

#include "LedgerFixture.h"

namespace sorami::test {
namespace {

struct Figures {
  std::array<int64_t, 7> rows{};
  std::array<int64_t, kMaxItems> items{};
  int64_t cash = 0;
  std::vector<int64_t> balances;
  friend bool operator==(const Figures&, const Figures&) = default;
};

Figures figuresOf(const LedgerFixture& f, bool withState) {
  Figures g;
  for (uint16_t r = ITEM_SUMMARY_FIRST; r <= ITEM_SUMMARY_LAST; ++r) {
    g.rows[r - ITEM_SUMMARY_FIRST] = f.store.rowValue(r);
  }
  for (int i = 0; i < static_cast<int>(kMaxItems); ++i) g.items[i] = f.store.itemTotal(i);
  g.cash = f.store.cashBalance();
  if (withState) {
    for (uint16_t kind : {kKindAccount, kKindLoan}) {
      for (const CAccount& a : f.store.accounts(kind)) g.balances.push_back(a.balance);
    }
  }
  return g;
}

const std::u16string kNames[] = {u"A", u"B", u"L", u"M", u"nobody"};

class RandomLedger {
 public:
  explicit RandomLedger(unsigned seed) : rng_(seed) {}

  void fill(LedgerFixture& f, int lines) {
    f.account(u"A", 1000);
    f.account(u"B", 0, true);
    f.loan(u"L", 5000);
    f.loan(u"M", 0, true);
    f.store.noAutoDefinition = true;
    for (int i = 0; i < lines; ++i) addRandom(f);
    f.store.setDiary(day(3), u"diary");
  }

  void addRandom(LedgerFixture& f) {
    const Day d = day(pick(1, kDays));
    const int kind = pick(0, 9);
    if (kind == 0) {
      addPair(f, d);
    } else {
      const uint16_t item = static_cast<uint16_t>(pick(0, 6));
      const std::u16string& name = kNames[pick(0, 4)];
      f.store.insert(LedgerFixture::line(d, item, pick(1, 5000), name), pick(-1, 3));
    }
  }

  void addPair(LedgerFixture& f, Day d) {
    CHinmei first = LedgerFixture::line(d, kOutOfAccount, 0, u"A");
    CHinmei second = LedgerFixture::line(d, pick(0, 1) ? kIntoAccount : kFood, 0, u"B");
    first.amount = second.amount = pick(1, 900);
    f.addPair(first, second);
  }

  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  static constexpr int kDays = 120;

 private:
  std::mt19937 rng_;
};

// The other store computes every day from the start.
Figures fullFigures(LedgerFixture& f, Day d) {
  f.showDay(d, true);
  return figuresOf(f, true);
}

TEST(IncrementalBalances, EveryDayInBothDirectionsAgreesWithTheFullComputation) {
  for (unsigned seed : {1u, 2u, 3u}) {
    LedgerFixture stepped(20000);
    LedgerFixture full(20000);
    RandomLedger(seed).fill(stepped, 600);
    RandomLedger(seed).fill(full, 600);
    std::vector<Day> days;
    for (int i = 0; i <= RandomLedger::kDays + 1; ++i) days.push_back(day(i));
    for (int i = RandomLedger::kDays + 1; i >= 0; --i) days.push_back(day(i));
    RandomLedger jumps(seed);
    for (int i = 0; i < 100; ++i) days.push_back(day(jumps.pick(0, RandomLedger::kDays + 1)));
    for (Day d : days) {
      stepped.showDay(d);
      ASSERT_EQ(figuresOf(stepped, true), fullFigures(full, d)) << "seed " << seed << " day " << d;
    }
    // Accounting periods as windows.
    for (int m = 0; m < 4; ++m) {
      const Day first = dayFromYmd(2024, 1 + m, 1);
      const Day last = dayFromYmd(2024, 2 + m, 1) - 1;
      stepped.showPeriod(first, last);
      full.showPeriod(first, last, true);
      ASSERT_EQ(figuresOf(stepped, true), figuresOf(full, true)) << "month " << m;
    }
  }
}

TEST(IncrementalBalances, FiguresKeptCurrentOnEveryChangeAgreeWithARecomputation) {
  for (unsigned seed : {7u, 8u}) {
    LedgerFixture kept(20000);
    RandomLedger random(seed);
    random.fill(kept, 300);
    LedgerFixture scratch(20000);
    for (int step = 0; step < 400; ++step) {
      // Day windows and month windows in turn.
      if (step % 50 == 0) {
        const Day d = day(random.pick(1, RandomLedger::kDays));
        if (step % 100 == 0) {
          kept.showDay(d);
        } else {
          const Ymd ymd = ymdFromDay(d);
          kept.showPeriod(dayFromYmd(ymd.year, ymd.month, 1),
                          dayFromYmd(ymd.year, ymd.month, 1) + 29);
        }
      }
      const int op = random.pick(0, 2);
      if (op == 0) {
        random.addRandom(kept);
      } else {
        std::vector<CHinmeiList::Position> dated;
        for (auto p = kept.store.firstDated(); p != kept.store.end(); ++p) {
          if (!p->isEndMarker() && !p->isDiary()) dated.push_back(p);
        }
        if (dated.empty()) continue;
        const auto p =
            dated[static_cast<size_t>(random.pick(0, static_cast<int>(dated.size()) - 1))];
        if (op == 1) {
          kept.store.removeWithTotals(p);
        } else {
          kept.store.editEntry(p, {EntryEdit::Action::Ok, p->name.str(), random.pick(1, 9000), {}});
        }
      }
      const Figures current = figuresOf(kept, false);
      kept.store.computeToDay(kept.store.context().window.first(), true);
      kept.store.recomputeWindow();
      ASSERT_EQ(current, figuresOf(kept, false)) << "seed " << seed << " step " << step;
    }
  }
}

}  // namespace
}  // namespace sorami::test
