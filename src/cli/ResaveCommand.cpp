// sorami-cli resave IN OUT: reads a data file through the document (upgrades, recovery) and
// writes it in the current layout.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"

namespace sorami::cli {

int runResave(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<Options> o = parseOptions(args, {"--password"}, {"--yes"}, err);
  if (!o || o->positional.size() != 2) {
    err << "使い方: sorami-cli resave IN OUT [--password P] [--yes]\n";
    return kExitUsage;
  }
  CommandDocument d(err, *o);
  d.holdForSaving();
  if (!d.doc.open(o->positional[0])) return kExitUnreadable;
  return d.doc.save(o->positional[1]) ? kExitOk : kExitWriteFailed;
}

}  // namespace sorami::cli
