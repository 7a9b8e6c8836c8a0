#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/DocumentCommand.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
#if !defined(__SANITIZE_ADDRESS__)
  // The process ends after the one command: its store goes with it (the leak checker of the
  // sanitized builds would count it as lost).
  sorami::cli::leaveStoresToProcessExit();
#endif
  return sorami::cli::run(args, std::cout, std::cerr);
}
