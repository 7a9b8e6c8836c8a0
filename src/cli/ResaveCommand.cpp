// sorami-cli resave IN OUT: reads a data file and writes it back in the current layout.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LoadFile.h"
#include "cli/TerminalPrompts.h"
#include "document/Archive.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

int runResave(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  if (args.size() != 2) {
    err << "使い方: sorami-cli resave IN OUT\n";
    return kExitUsage;
  }
  TerminalPrompts prompts(err);
  std::optional<LoadedFile> file = loadForCommand(args[0], prompts, err);
  if (!file) return kExitUnreadable;
  try {
    replaceFile(args[1],
                dataFileBytes(file->config, *file->ledger.entries, file->ledger.budgets.get()));
  } catch (const ArchiveError& e) {
    err << toUtf8(formatMessage(MessageId::SaveFailed)) << "\n" << e.what() << "\n";
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace sorami::cli
