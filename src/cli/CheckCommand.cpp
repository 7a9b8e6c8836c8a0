// sorami-cli check FILE [--password P] [--yes]: opens a file through the document (upgrades,
// recovery) without saving and tells how it went.

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"
#include "document/ItemChanges.h"
#include "document/Recovery.h"

namespace sorami::cli {

int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseOptions(args, {"--password"}, {"--yes"}, err);
  if (!o || o->positional.size() != 1) {
    err << "使い方: sorami-cli check FILE [--password P] [--yes]\n";
    return kExitUsage;
  }
  CommandDocument d(err, *o);
  const bool opened = d.doc.open(o->positional[0]);
  const OpenReport& report = d.doc.lastOpen();
  const auto& ids = d.prompts.ids;
  // A file that could be read in part is damaged, whether or not the user kept the part.
  const bool damaged = report.damaged || report.budgetsDamaged ||
                       std::find(ids.begin(), ids.end(), MessageId::FilePartlyBroken) != ids.end();
  // The order of the entries, their item numbers and pairs, and the settings that name items.
  const std::string problem = opened ? ledgerProblem(*d.doc.entries(), d.doc.config()) : "";
  nlohmann::ordered_json j;
  j["ok"] = opened && !damaged;
  j["entries"] = opened ? d.doc.entries()->size() : 0;
  j["dataVersion"] = report.dataVersion;
  j["upgraded"] = report.upgraded;
  j["damaged"] = damaged;
  // Unsaved changes the window kept when it ended unexpectedly; it offers them at its next open.
  const std::filesystem::path copy = newerRecoveryCopy(o->positional[0]);
  j["recoveryCopy"] =
      copy.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(copy.string());
  j["consistent"] = opened && problem.empty();
  if (!problem.empty()) j["problem"] = problem;
  j["messages"] = d.prompts.messages;
  out << j.dump(2) << "\n";
  if (damaged) return kExitDamaged;
  return opened ? kExitOk : kExitUnreadable;
}

}  // namespace sorami::cli
