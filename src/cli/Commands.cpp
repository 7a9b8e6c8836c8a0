#include "cli/Commands.h"

namespace sorami::cli {

const std::vector<Command>& commands() {
  static const std::vector<Command> all = {{"dump", runDump}, {"resave", runResave}};
  return all;
}

}  // namespace sorami::cli
