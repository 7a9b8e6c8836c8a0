// sorami-cli period FILE --date D: the accounting month that contains day D under the file's
// closing settings.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"

namespace sorami::cli {

int runPeriod(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {"--date"}, err);
  const std::optional<Day> day = o ? dateOption(*o, err) : std::nullopt;
  if (!day) {
    err << "使い方: sorami-cli period FILE --date YYYY-MM-DD\n";
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  const Period p = periodOf(*day, false, ledger.config().periodSettings(), ledger.holidays());
  const Json j{
      {"start", isoDate(p.first)}, {"end", isoDate(p.last)}, {"naming", monthText(p.naming)}};
  out << j.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
