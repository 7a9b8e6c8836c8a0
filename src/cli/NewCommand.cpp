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

std::optional<NewFileValues> newFileValues(const Options& o, const CSoramiDoc& doc,
                                           std::ostream& err) {
  NewFileValues values;
  values.sampleNames = !o.has("--no-samples");
  values.taxRate = proposedTaxRate(doc.today());
  if (const std::string* cash = o.value("--cash")) {
    const std::optional<int64_t> n = parseIntegerOption(*cash, err);
    if (!n || *n < 0 || *n > 999999999) {
      err << "sorami-cli: --cash は 0 から 999999999 までです。\n";
      return std::nullopt;
    }
    values.initialCash = static_cast<int32_t>(*n);
  }
  if (const std::string* rate = o.value("--tax-rate")) {
    const std::optional<int64_t> n = parseIntegerOption(*rate, err);
    if (!n || *n < 0 || *n > 100) {
      err << "sorami-cli: --tax-rate は 0 から 100 までです。\n";
      return std::nullopt;
    }
    values.taxRate = static_cast<double>(*n);
  }
  return values;
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
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !o->has("--force")) {
    err << "sorami-cli: ファイルが既にあります（上書きするには --force）: " << path.string()
        << "\n";
    return kExitUsage;
  }
  CommandDocument d(err, *o);
  const std::optional<NewFileValues> values = newFileValues(*o, d.doc, err);
  if (!values) return kExitUsage;
  return d.doc.createFile(path, *values) ? kExitOk : kExitWriteFailed;
}

}  // namespace sorami::cli
