#pragma once
// sorami-cli: the command-line companion. Every command is a thin layer over the core.

#include <iosfwd>
#include <string>
#include <vector>

namespace sorami::cli {

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitUnreadable = 2;
inline constexpr int kExitWriteFailed = 3;
// check: the file is damaged and could be read in part.
inline constexpr int kExitDamaged = 3;
// import: the text to read was refused; the data file is as it was.
inline constexpr int kExitBadInput = 4;

// Runs one command line (without the program name) and returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sorami::cli
