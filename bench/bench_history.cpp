// Figures of the history on the 1,000,000-line ledger: what recording adds to typing lines and
// to a paste, how long one step takes to be taken back and made again with every figure
// computed afresh, and how long the recovery copy of the whole ledger takes.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "BenchLedger.h"
#include "config/Config.h"
#include "document/DataFile.h"
#include "document/Recovery.h"
#include "ledger/HinmeiList.h"

using namespace sorami;
using namespace sorami::bench;

namespace {

// Ten lines a day on 200 days, each line a step of its own as the input row makes it.
double typing(CHinmeiList& store, Day from) {
  double spent = 0;
  for (int d = 0; d < 200; ++d) {
    showDay(store, from + d);
    spent += microseconds([&] {
      for (int i = 0; i < 10; ++i) {
        store.insert(CHinmei(from + d, 1, 0x0100, u"bench", u"", 100 + i));
        store.closeStep();
      }
    });
  }
  return spent / 2000;
}

// 1,000 lines pasted on one day as one step.
double pasting(CHinmeiList& store, Day day) {
  showDay(store, day);
  return microseconds([&] {
           store.beginStep();
           for (int i = 0; i < 1000; ++i) {
             store.insert(CHinmei(day, 2, 0x0100, u"paste", u"", 10 + i));
           }
           store.endStep();
         }) /
         1000;
}

// Taking the last step back, then making it again, each with the figures of the day.
void undoRedo(CHinmeiList& store, Day day, const char* what) {
  const double undo = microseconds([&] {
    store.undo();
    store.computeToDay(day, true);
    store.recomputeWindow();
  });
  const double redo = microseconds([&] {
    store.redo();
    store.computeToDay(day, true);
    store.recomputeWindow();
  });
  std::printf("%-34s undo %.1f ms, redo %.1f ms (goal 50 ms)\n", what, undo / 1000, redo / 1000);
}

}  // namespace

int main() {
  CHinmeiList store;
  buildLedger(store);
  store.clearHistory();
  store.context().window.mode = DisplayMode::DayInput;
  const Day middle = dayFromYmd(2015, 6, 1);

  // Interleaved, best of three, so the two see the same machine.
  double typedOff = 1e18, typedOn = 1e18, pastedOff = 1e18, pastedOn = 1e18;
  for (int run = 0; run < 3; ++run) {
    store.setRecording(false);
    typedOff = std::min(typedOff, typing(store, middle + run * 400));
    pastedOff = std::min(pastedOff, pasting(store, middle + run * 400 + 300));
    store.setRecording(true);
    typedOn = std::min(typedOn, typing(store, middle + run * 400 + 200));
    pastedOn = std::min(pastedOn, pasting(store, middle + run * 400 + 301));
  }
  std::printf("typing a line: %.3f us, recorded %.3f us (%+.1f %%, goal +5 %%)\n", typedOff,
              typedOn, (typedOn / typedOff - 1) * 100);
  std::printf("pasting a line: %.3f us, recorded %.3f us (%+.1f %%, goal +5 %%)\n", pastedOff,
              pastedOn, (pastedOn / pastedOff - 1) * 100);

  const Day day = dayFromYmd(2024, 12, 31);
  store.context().window.currentDay = day;
  store.computeToDay(day, true);
  undoRedo(store, day, "a paste of 1,000 lines:");

  store.beginStep();
  for (auto p = store.firstOnOrAfter(middle); p != store.end() && p->date < middle + 7;) {
    const auto next = std::next(p);
    if (!p->isPairSecond()) store.removeWithTotals(p);
    p = next;
    while (p != store.end() && p->isPairSecond()) ++p;
  }
  store.endStep();
  undoRedo(store, day, "a week of lines deleted:");

  store.beginStep();
  const size_t moved = store.reassignItem(MinDay + 1, MaxDay - 1, 3, 4);
  store.endStep();
  std::printf("moving %zu lines between items: %zu bytes of records\n", moved,
              store.historyBytes());
  undoRedo(store, day, "that move:");

  // Every line of the ledger a week later: one step, however many lines it moves.
  const Day first = std::next(store.firstDated())->date;
  store.beginStep();
  const size_t shifted = store.movePeriod(first, day, first + 7, true).value_or(0);
  store.endStep();
  std::printf("moving a period of %zu lines: %zu bytes of records\n", shifted,
              store.historyBytes());
  undoRedo(store, day, "that period move:");

  CConfig config;
  double serialize = 0;
  std::vector<uint8_t> bytes;
  serialize = microseconds([&] { bytes = dataFileBytes(config, store, nullptr); }) / 1000;
  const std::filesystem::path copy = std::filesystem::temp_directory_path() / "bench-recovery.mtb";
  const double write = microseconds([&] { writeRecoveryCopy(copy, bytes); }) / 1000;
  std::filesystem::remove(copy);
  std::printf(
      "recovery copy of %zu entries: bytes %.1f ms, written %.1f ms off the input "
      "(goal 300 ms)\n",
      store.size(), serialize, write);
  return 0;
}
