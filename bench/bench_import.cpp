// Imports a csv text of a million lines into a new ledger, as `sorami-cli import` does: once
// with every line on one day, once spread over 10,000 days. Each line goes after the lines its
// day already has, so the time must not grow with the lines of a day. Also prints what the
// read-back of a save costs for the resulting store.

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>

#include "config/Config.h"
#include "config/DefaultData.h"
#include "document/DataFile.h"
#include "document/LedgerSetup.h"
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"
#include "platform/TextCodec.h"
#include "reports/CsvImport.h"

using namespace sorami;

namespace {

constexpr size_t kLines = 1000000;

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::string csvText(const std::string& item, size_t days) {
  std::string text;
  text.reserve(kLines * 40);
  const Day first = dayFromYmd(1990, 1, 1);
  const size_t perDay = kLines / days;
  for (size_t i = 0; i < kLines; ++i) {
    text += isoDate(first + static_cast<Day>(i / perDay));
    text += ',' + item + ",昼食,," + std::to_string(100 + i % 900) + ",,\n";
  }
  return text;
}

struct Figures {
  double read = 0;
  double store = 0;
  double readBack = 0;
  bool ok = false;
};

Figures importOnce(size_t days) {
  CConfig config;
  NewLedger ledger = buildNewLedger(config, {});
  CHinmeiList& list = *ledger.entries;
  DefaultPrompts prompts;
  list.context().options = ledgerOptions(config);
  list.context().prompts = &prompts;
  const std::string item = toUtf8(list.itemAt(0)->name);
  std::istringstream in(csvText(item, days));

  Figures f;
  auto start = std::chrono::steady_clock::now();
  ImportResult result = readImportCsv(in, list, {});
  f.read = seconds(start);
  start = std::chrono::steady_clock::now();
  const bool stored = !storeImportedLines(list, result.lines).has_value();
  f.store = seconds(start);

  const std::vector<uint8_t> bytes = dataFileBytes(config, list, ledger.budgets.get());
  start = std::chrono::steady_clock::now();
  const bool readsBack = !readBackFailure(bytes, list, ledger.budgets.get()).has_value();
  f.readBack = seconds(start);
  f.ok = stored && readsBack && result.lines.size() == kLines && list.consistencyProblem().empty();
  return f;
}

}  // namespace

int main() {
  bool ok = true;
  for (const auto& [days, goal] : {std::pair<size_t, double>{1, 3.0}, {10000, 1.5}}) {
    const Figures f = importOnce(days);
    ok = ok && f.ok;
    std::printf(
        "1,000,000 lines over %zu day(s): imported in %.2f s (goal %.1f s): csv read %.2f s, "
        "lines stored %.2f s; read-back of the save %.3f s%s\n",
        days, f.read + f.store, goal, f.read, f.store, f.readBack, f.ok ? "" : " FAILED");
  }
  return ok ? 0 : 1;
}
