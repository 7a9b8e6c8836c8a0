// sorami-cli close-period FILE --date D --out NEW: start-of-period processing. The old file
// stays as it is; NEW begins the day after D with the balances of that day.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"

namespace sorami::cli {

int runClosePeriod(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<Options> o =
      parseOptions(args, {"--date", "--out", "--password"}, {"--yes"}, err);
  if (!o || o->positional.size() != 1 || !o->value("--date") || !o->value("--out")) {
    err << "使い方: sorami-cli close-period FILE --date YYYY-MM-DD --out NEW\n";
    return kExitUsage;
  }
  const std::optional<Day> closing = parseDateOption(*o->value("--date"), err);
  if (!closing) return kExitUsage;
  CommandDocument d(err, *o);
  if (!d.doc.open(o->positional[0])) return kExitUnreadable;
  return d.doc.closePeriod(*closing, *o->value("--out")) ? kExitOk : kExitWriteFailed;
}

}  // namespace sorami::cli
