// sorami-cli new FILE [--cash N] [--no-samples] [--tax-rate R] [--force]: a new data file with
// the default content, without dialogs.

#include <filesystem>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"

namespace sorami::cli {

namespace {

constexpr const char* kNewUsage =
    "使い方: sorami-cli new FILE [--cash N] [--no-samples] [--tax-rate R] [--force]\n";

// A whole number option within its range; false (with a word on `err`) when it is not.
bool boundedOption(const Options& o, const std::string& name, int64_t max, int64_t& out,
                   std::ostream& err) {
  const std::string* text = o.value(name);
  if (!text) return true;
  const std::optional<int64_t> n = parseIntegerOption(*text, err);
  if (!n || *n < 0 || *n > max) {
    err << "sorami-cli: " << name << " は 0 から " << max << " までです。\n";
    return false;
  }
  out = *n;
  return true;
}

std::optional<NewFileValues> newFileValues(const Options& o, const CSoramiDoc& doc,
                                           std::ostream& err) {
  int64_t cash = kDefaultInitialCash;
  auto rate = static_cast<int64_t>(proposedTaxRate(doc.today()));
  if (!boundedOption(o, "--cash", 999999999, cash, err) ||
      !boundedOption(o, "--tax-rate", 100, rate, err)) {
    return std::nullopt;
  }
  return NewFileValues{static_cast<int32_t>(cash), !o.has("--no-samples"),
                       static_cast<double>(rate)};
}

}  // namespace

int runNew(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<Options> o =
      parseOptions(args, {"--cash", "--tax-rate"}, {"--no-samples", "--force"}, err);
  if (!o || o->positional.size() != 1) {
    err << kNewUsage;
    return kExitUsage;
  }
  const std::filesystem::path path = o->positional[0];
  if (refuseExisting(path.string(), *o, err)) return kExitUsage;
  CommandDocument d(err, *o);
  const std::optional<NewFileValues> values = newFileValues(*o, d.doc, err);
  if (!values) return kExitUsage;
  return d.doc.createFile(path, *values) ? kExitOk : kExitWriteFailed;
}

}  // namespace sorami::cli
