// sorami-cli import FILE CSV [--day D]: the lines of a csv export added to a data file, each
// placed after the other lines of its day. Lines whose item the file lacks are reported and
// passed over; a text that cannot be trusted changes nothing, and the file is written only
// when every line taken was stored.

#include <fstream>
#include <map>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"
#include "cli/LedgerCommand.h"
#include "reports/CsvImport.h"
#include "reports/LedgerExport.h"

namespace sorami::cli {

namespace {

constexpr const char* kImportUsage = "使い方: sorami-cli import FILE CSV [--day YYYY-MM-DD]\n";

const char* skipText(SkipReason reason) {
  switch (reason) {
    case SkipReason::UnknownItem:
      return "この名前の項目がないため取り込みません";
    case SkipReason::Transfer:
      return "口座・借入の振替は取り込みません";
    case SkipReason::ZeroAmount:
      return "金額がゼロのため取り込みません";
  }
  return "";
}

const char* failureText(ImportFailure failure) {
  switch (failure) {
    case ImportFailure::None:
      return "";
    case ImportFailure::Syntax:
      return "CSV として読めません";
    case ImportFailure::Columns:
      return "列の数が違います（日付,項目,品名,収入,支出,メモ[,口座・借入]の7列）";
    case ImportFailure::Date:
      return "日付が読めません（YYYY-MM-DD）";
    case ImportFailure::Amount:
      return "金額が読めません（収入か支出のどちらか一方に数値）";
    case ImportFailure::AmountRange:
      return "金額が扱える範囲（-2147483648～2147483647）を超えています";
    case ImportFailure::TooManyLines:
      return "行が多すぎます。一度に取り込める行数の上限";
  }
  return "";
}

// Unknown items are named line by line (the first few); the other reasons are counted.
void reportSkipped(const std::vector<SkippedLine>& skipped, const std::string& csv,
                   std::ostream& err) {
  constexpr size_t kNamedLines = 20;
  std::map<SkipReason, size_t> counts;
  size_t named = 0;
  for (const SkippedLine& s : skipped) {
    ++counts[s.reason];
    if (s.reason == SkipReason::UnknownItem && named++ < kNamedLines) {
      err << "sorami-cli: " << csv << ": " << s.line << "行目: 「" << s.item << "」 "
          << skipText(s.reason) << "\n";
    }
  }
  for (const auto& [reason, count] : counts) {
    if (reason == SkipReason::UnknownItem && count <= kNamedLines) continue;
    err << "sorami-cli: " << csv << ": " << count << " 行: " << skipText(reason) << "\n";
  }
}

void reportFailure(const ImportResult& r, const std::string& csv, std::ostream& err) {
  err << "sorami-cli: " << csv << ": " << r.failureLine << "行目: " << failureText(r.failure)
      << ": " << r.detail << "\n"
      << "sorami-cli: 何も取り込まず、データファイルは変更していません。\n";
}

}  // namespace

int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseOptions(args, {"--day", "--password"}, {"--yes"}, err);
  if (!o || o->positional.size() != 2) {
    err << kImportUsage;
    return kExitUsage;
  }
  ImportOptions options;
  if (const std::string* day = o->value("--day")) {
    options.day = parseDateOption(*day, err);
    if (!options.day) return kExitUsage;
  }
  const std::string& csv = o->positional[1];
  std::ifstream in(csv, std::ios::binary);
  if (!in) {
    err << "sorami-cli: 開けません: " << csv << "\n";
    return kExitUnreadable;
  }
  LedgerCommand ledger(err, *o);
  ledger.holdForSaving();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  ledger.setUp(ledger.doc().today(), DisplayMode::DayInput);
  CHinmeiList& list = ledger.store();
  const CConfig& config = ledger.config();
  options.delimiter = textOutputDelimiter(config);
  options.decimalPlaces = config.decimalPlaces;
  options.skipZeroAmounts = list.context().options.skipZeroAmounts;
  ImportResult result = readImportCsv(in, list, options);
  reportSkipped(result.skipped, csv, err);
  if (result.failure != ImportFailure::None) {
    reportFailure(result, csv, err);
    return kExitBadInput;
  }
  if (const std::optional<Day> refused = storeImportedLines(list, result.lines)) {
    err << "sorami-cli: " << isoDate(*refused)
        << " の行を記入できませんでした。データファイルは変更していません。\n";
    return kExitBadInput;
  }
  if (!result.lines.empty() && !ledger.doc().save()) return kExitWriteFailed;
  out << result.lines.size() << " 行を取り込みました（" << result.skipped.size()
      << " 行は取り込んでいません）。\n";
  return kExitOk;
}

}  // namespace sorami::cli
