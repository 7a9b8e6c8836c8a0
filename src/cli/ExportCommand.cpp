// sorami-cli export FILE --format csv|json|ledger [--from D] [--to D] [--out PATH]: the ledger
// lines for spreadsheets, scripts and plain-text accounting. The data file is only read.

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"
#include "reports/CsvExport.h"
#include "reports/JournalExport.h"

namespace sorami::cli {

namespace {

constexpr const char* kExportUsage =
    "使い方: sorami-cli export FILE --format csv|json|ledger [--from YYYY-MM-DD] "
    "[--to YYYY-MM-DD] [--out PATH]\n";

Json holdingsJson(const std::vector<CAccount>& holdings) {
  Json out = Json::array();
  for (const CAccount& a : holdings) {
    const bool outside = a.definition != nullptr && (a.definition->flags & EF_OUTSIDE_ASSETS) != 0;
    out.push_back(Json{{"name", toUtf8(a.name)},
                       {"initialBalance", a.definition ? a.definition->amount : 0},
                       {"outsideAssets", outside}});
  }
  return out;
}

const char* itemKind(const CHinmei& def) {
  if ((def.flags & EF_ACCOUNT) != 0) return "savings";
  if ((def.flags & EF_LOAN) != 0) return "loan";
  return "ordinary";
}

Json itemsJson(const CHinmeiList& list) {
  Json out = Json::array();
  for (int i = 0; i < list.itemCount(); ++i) {
    const CHinmei& def = *list.itemAt(i);
    out.push_back(Json{{"item", def.item},
                       {"name", toUtf8(def.name)},
                       {"side", (def.flags & EF_INCOME) != 0 ? "income" : "expense"},
                       {"kind", itemKind(def)}});
  }
  return out;
}

Json pairJson(const CHinmei& e) {
  if (e.isPairFirst()) return "first";
  if (e.isPairSecond()) return "second";
  return nullptr;
}

Json lineJson(const ExportLine& l) {
  const CHinmei& e = *l.entry;
  return Json{{"date", isoDate(e.date)},
              {"item", e.item},
              {"itemName", toUtf8(l.itemName)},
              {"name", toUtf8(e.name)},
              {"income", l.income ? Json(e.amount) : Json(nullptr)},
              {"expense", l.income ? Json(nullptr) : Json(e.amount)},
              {"memo", toUtf8(e.visibleMemo())},
              {"account", l.account.empty() ? Json(nullptr) : Json(toUtf8(l.account))},
              {"pair", pairJson(e)}};
}

// Written a line at a time, so a million lines never stand in memory as one JSON tree.
void writeJson(CHinmeiList& list, const CConfig& config, ExportRange range, std::ostream& out) {
  list.computeToDay(MinDay + 1, true);  // fills the account and loan tables
  const Json head{{"decimalPlaces", config.decimalPlaces},
                  {"currencySymbol", toUtf8(config.currencySymbol)},
                  {"items", itemsJson(list)},
                  {"accounts", holdingsJson(list.accounts(kKindAccount))},
                  {"loans", holdingsJson(list.accounts(kKindLoan))}};
  std::string text = head.dump(2);
  text.resize(text.size() - 2);  // the closing "\n}"
  out << text << ",\n  \"lines\": [";
  const char* separator = "\n    ";
  forEachExportLine(list, range, [&](const ExportLine& l) {
    out << separator << lineJson(l).dump();
    separator = ",\n    ";
  });
  out << "\n  ]\n}\n";
}

bool writeFormat(const std::string& format, CSoramiDoc& doc, ExportRange range, std::ostream& out) {
  CHinmeiList& list = *doc.entries();
  const CConfig& config = doc.config();
  if (format == "csv") {
    writeCsv(list, range, {textOutputDelimiter(config), config.decimalPlaces}, out);
  } else if (format == "json") {
    writeJson(list, config, range, out);
  } else if (format == "ledger") {
    writeJournal(list, range, {config.decimalPlaces, config.currencySymbol, doc.today()}, out);
  } else {
    return false;
  }
  return true;
}

std::optional<ExportRange> rangeOptions(const Options& o, std::ostream& err) {
  ExportRange range;
  for (const auto& [name, day] : {std::pair{"--from", &range.from}, {"--to", &range.to}}) {
    if (const std::string* text = o.value(name)) {
      const std::optional<Day> d = parseDateOption(*text, err);
      if (!d) return std::nullopt;
      *day = *d;
    }
  }
  return range;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseOptions(args, {"--format", "--from", "--to", "--out", "--password"}, {}, err);
  const std::optional<ExportRange> range = o ? rangeOptions(*o, err) : std::nullopt;
  const std::string* format = o ? o->value("--format") : nullptr;
  if (!o || !range || !format || o->positional.size() != 1 ||
      (*format != "csv" && *format != "json" && *format != "ledger")) {
    err << kExportUsage;
    return kExitUsage;
  }
  const std::string& file = o->positional[0];
  const std::string* outPath = o->value("--out");
  if (outPath && sameFile(file, *outPath)) {
    err << "sorami-cli: 書き出し先がデータファイルと同じです: " << *outPath << "\n";
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  if (const int status = ledger.open(file); status != kExitOk) return status;
  ledger.setUp(ledger.doc().today(), DisplayMode::DayInput);
  if (!outPath) {
    writeFormat(*format, ledger.doc(), *range, out);
    return out ? kExitOk : kExitWriteFailed;
  }
  std::ofstream target(*outPath, std::ios::binary | std::ios::trunc);
  if (target) writeFormat(*format, ledger.doc(), *range, target);
  target.close();
  if (!target) {
    err << "sorami-cli: 書き出せませんでした: " << *outPath << "\n";
    return kExitWriteFailed;
  }
  return kExitOk;
}

}  // namespace sorami::cli
