// sorami-cli matrix FILE --year Y --month M --months N: the monthly matrix of the N accounting
// months that end with the one named Y-M: a row for every item number, then cash, accounts,
// loans and total assets; column 0 holds the totals, columns 1 to N the months.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "ledger/LedgerPeriods.h"

namespace sorami::cli {

namespace {

constexpr const char* kMatrixUsage =
    "使い方: sorami-cli matrix FILE --year Y --month M --months N (N は 1 から 60)\n";

// One row of the matrix a line, so 52 rows of up to 61 figures stay readable.
void printMatrix(const MonthlyMatrix& m, YearMonth last, int n, std::ostream& out) {
  Json columns = Json::array();
  for (int i = n - 1; i >= 0; --i) columns.push_back(monthText(addMonths(last, -i)));
  const Json head{{"start", isoDate(m.first)}, {"end", isoDate(m.last)}, {"columns", columns}};
  std::string text = head.dump(2);
  text.resize(text.size() - 2);  // the closing "\n}"
  out << text << ",\n  \"rows\": [";
  const char* separator = "\n    ";
  for (const auto& cells : m.cells) {
    out << separator << Json(std::vector<int64_t>(cells.begin(), cells.begin() + n + 1)).dump();
    separator = ",\n    ";
  }
  out << "\n  ]\n}\n";
}

}  // namespace

int runMatrix(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {"--year", "--month", "--months"}, err);
  const std::optional<int> year = o ? boundedOption(*o, "--year", 101, 9998, err) : std::nullopt;
  const std::optional<int> month = o ? boundedOption(*o, "--month", 1, 12, err) : std::nullopt;
  const std::optional<int> months =
      o ? boundedOption(*o, "--months", 1, static_cast<int>(kMaxMatrixMonths), err) : std::nullopt;
  if (!year || !month || !months) {
    err << kMatrixUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  ledger.figuresOnDemand();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  const YearMonth last{*year, *month};
  if (addMonths(last, 1 - *months).year < 101) {
    err << "sorami-cli: 101年より前の月は集計できません。\n" << kMatrixUsage;
    return kExitUsage;
  }
  const std::vector<DaySpan> spans =
      matrixMonths(last, *months, ledger.config().periodSettings(), ledger.holidays());
  printMatrix(ledger.store().monthlyMatrix(spans), last, *months, out);
  return kExitOk;
}

}  // namespace sorami::cli
