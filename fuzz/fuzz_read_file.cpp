// Reads arbitrary bytes as a whole data file. Nothing may crash, hang or allocate far beyond the
// input; a file that reads must write, read back and write again to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "archive/Archive.h"
#include "document/DataFile.h"
#include "platform/Prompts.h"

using namespace sorami;

namespace {

bool readBack(std::span<const uint8_t> bytes, CConfig& config, Ledger& ledger) {
  DefaultPrompts prompts;
  try {
    ledger = readDataFile(bytes, config, prompts);
  } catch (const ArchiveError&) {
    return false;
  }
  return ledger.end == ReadEnd::Complete;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  if (recognise(bytes.first(std::min(size, kRecogniseBytes))).failure != FileFailure::None) {
    return 0;
  }
  CConfig config;
  Ledger ledger;
  if (!readBack(bytes, config, ledger)) return 0;
  const std::vector<uint8_t> first = dataFileBytes(config, *ledger.entries, ledger.budgets.get());
  CConfig config2;
  Ledger ledger2;
  if (!readBack(first, config2, ledger2)) std::abort();
  const std::vector<uint8_t> second =
      dataFileBytes(config2, *ledger2.entries, ledger2.budgets.get());
  if (first != second) std::abort();
  return 0;
}
