// sorami-cli totals FILE --date D --mode day|period: the figures of the window around day D, the
// one day or its accounting period: the summary rows and every item's total and budget.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kTotalsUsage =
    "使い方: sorami-cli totals FILE --date YYYY-MM-DD --mode day|period\n";

std::optional<DisplayMode> modeOption(const Options& o) {
  const std::string* mode = o.value("--mode");
  if (mode == nullptr) return std::nullopt;
  if (*mode == "day") return DisplayMode::DayInput;
  if (*mode == "period") return DisplayMode::Summary;
  return std::nullopt;
}

Json itemsJson(CHinmeiList& store) {
  Json items = Json::array();
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei* def = store.itemAt(slot);
    items.push_back(Json{{"item", def->item},
                         {"name", toUtf8(def->name)},
                         {"total", store.itemTotal(def->item)},
                         {"budget", def->work}});
  }
  return items;
}

}  // namespace

int runTotals(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {"--date", "--mode"}, err);
  const std::optional<Day> day = o ? dateOption(*o, err) : std::nullopt;
  const std::optional<DisplayMode> mode = o ? modeOption(*o) : std::nullopt;
  if (!day || !mode) {
    err << kTotalsUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  ledger.figuresOnDemand();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  ledger.show(*day, *mode);
  CHinmeiList& store = ledger.store();
  const LedgerWindow& w = store.context().window;
  Json j{{"start", isoDate(w.first())}, {"end", isoDate(w.last())}};
  for (uint16_t row = ITEM_SUMMARY_FIRST; row <= ITEM_SUMMARY_LAST; ++row) {
    j[toUtf8(store.summaryRow(row).name)] = store.rowValue(row);
  }
  j["items"] = itemsJson(store);
  out << j.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
