#include "cli/LoadFile.h"

#include <ostream>

#include "platform/TextCodec.h"

namespace sorami::cli {

std::optional<LoadedFile> loadForCommand(const std::string& path, Prompts& prompts,
                                         std::ostream& err) {
  LoadedFile loaded = loadDataFile(path, prompts);
  if (loaded.failure == LoadFailure::None) return loaded;
  if (const std::optional<MessageId> message = failureMessage(loaded.failure)) {
    err << toUtf8(formatMessage(*message)) << "\n";
  }
  if (!loaded.error.empty()) err << path << ": " << loaded.error << "\n";
  return std::nullopt;
}

}  // namespace sorami::cli
