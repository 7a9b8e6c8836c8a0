#pragma once
// Opening a data file for a command: the failure's message goes to standard error.

#include <iosfwd>
#include <optional>
#include <string>

#include "document/DataFile.h"

namespace sorami::cli {

// The file read, or nothing after its failure was reported on `err`.
std::optional<LoadedFile> loadForCommand(const std::string& path, Prompts& prompts,
                                         std::ostream& err);

}  // namespace sorami::cli
