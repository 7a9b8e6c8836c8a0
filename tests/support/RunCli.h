#pragma once
// Runs sorami-cli in the test process and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace sorami::test {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun runCli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::run(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace sorami::test
