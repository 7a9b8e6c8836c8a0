// sorami-cli generate FILE --entries N [--seed S] [--years Y] [--force]: a new data file with a
// sample household of N dated entries, the same for the same seed.

#include <climits>
#include <filesystem>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"
#include "cli/LedgerCommand.h"
#include "ledger/SampleHousehold.h"

namespace sorami::cli {

namespace {

constexpr const char* kGenerateUsage =
    "使い方: sorami-cli generate FILE --entries N [--seed S] [--years Y] [--force]\n";

constexpr NewFileValues kSampleFileValues{50'000, true, 10};

std::optional<SampleRequest> sampleRequest(const Options& o, std::ostream& err) {
  SampleRequest r;
  const auto entries = boundedOption(o, "--entries", 1, static_cast<int>(kSampleMaxEntries), err);
  if (!entries) return std::nullopt;
  r.entries = static_cast<uint64_t>(*entries);
  if (o.value("--seed")) {
    const auto seed = boundedOption(o, "--seed", 0, INT_MAX, err);
    if (!seed) return std::nullopt;
    r.seed = static_cast<uint64_t>(*seed);
  }
  if (o.value("--years")) {
    const auto years = boundedOption(o, "--years", 1, kSampleMaxYears, err);
    if (!years) return std::nullopt;
    r.years = static_cast<int>(*years);
  }
  return r;
}

}  // namespace

int runGenerate(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<Options> o =
      parseOptions(args, {"--entries", "--seed", "--years"}, {"--force"}, err);
  const std::optional<SampleRequest> request = o ? sampleRequest(*o, err) : std::nullopt;
  if (!o || !request || o->positional.size() != 1) {
    err << kGenerateUsage;
    return kExitUsage;
  }
  const std::filesystem::path path = o->positional[0];
  if (refuseExisting(path.string(), *o, err)) return kExitUsage;
  CommandDocument d(err, *o);
  if (!d.doc.createFile(path, kSampleFileValues)) return kExitWriteFailed;
  fillSampleHousehold(*d.doc.entries(), *request);
  // The settings carry the sample's year, not the day it was made, so a seed gives one file.
  d.doc.config().settingsYear = ymdFromDay(kSampleLastDay).year;
  return d.doc.save() ? kExitOk : kExitWriteFailed;
}

}  // namespace sorami::cli
