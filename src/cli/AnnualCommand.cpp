// sorami-cli annual FILE --end YYYY-MM --months N: the annual summary of the N accounting months
// (1 to 60) that end with the one named YYYY-MM: every item's total per month and the rows below
// the items (income and expense totals, savings, and the month-end balances). Each list of
// figures holds N + 1 values: the total over the span first (for the balances, the values at
// its end), then the months in order.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ReportOptions.h"
#include "platform/TextCodec.h"
#include "reports/AnnualSummary.h"

namespace sorami::cli {

namespace {

constexpr const char* kAnnualUsage =
    "使い方: sorami-cli annual FILE --end YYYY-MM --months N (N は 1 から 60)\n";

Json figures(const std::array<int64_t, kMatrixColumns>& row, int months) {
  return Json(std::vector<int64_t>(row.begin(), row.begin() + months + 1));
}

Json annualJson(const AnnualSummary& s) {
  Json columns = Json::array();
  for (int c = 1; c <= s.months; ++c) columns.push_back(monthText(s.monthOf(c)));
  Json items = Json::array();
  for (size_t i = 0; i < s.items.size(); ++i) {
    items.push_back(Json{{"item", s.items[i].item},
                         {"name", toUtf8(s.items[i].name)},
                         {"values", figures(s.row(i), s.months)}});
  }
  Json rows = Json::object();
  for (int r = 0; r < kDerivedRows; ++r) {
    rows[toUtf8(kDerivedRowNames[static_cast<size_t>(r)])] =
        figures(s.derived[static_cast<size_t>(r)], s.months);
  }
  return Json{{"start", isoDate(s.first)},
              {"end", isoDate(s.last)},
              {"columns", columns},
              {"items", items},
              {"rows", rows}};
}

}  // namespace

int runAnnual(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {"--end", "--months"}, err);
  const std::optional<YearMonth> end = o ? monthOption(*o, "--end", err) : std::nullopt;
  const std::optional<int> months =
      o ? boundedOption(*o, "--months", 1, static_cast<int>(kMaxMatrixMonths), err) : std::nullopt;
  if (!end || !months || !monthsFit(*end, *months, err)) {
    err << kAnnualUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  const CConfig& config = ledger.config();
  const AnnualSummary s =
      buildAnnualSummary(ledger.store(), *end, *months, config.periodSettings(), ledger.holidays(),
                         {config.savingsInTotals != 0, config.loansInTotals != 0});
  out << annualJson(s).dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
