// sorami-cli dump FILE: a data file as one JSON document on standard output.

#include <nlohmann/json.hpp>
#include <ostream>
#include <type_traits>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"
#include "cli/LoadFile.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

using Json = nlohmann::ordered_json;

Json dayJson(Day day) {
  if (!isValidDay(day)) return nullptr;
  return isoDate(day);
}

Json recordJson(const ConfigRecord& r) {
  return Json{{"values", r.values}, {"bytes", r.bytes}, {"text", toUtf8(r.text)}};
}

Json valueJson(const ConfigValue& value) {
  return std::visit(
      [](const auto& v) -> Json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::u16string>) {
          return toUtf8(v);
        } else if constexpr (std::is_same_v<T, ConfigDay>) {
          return dayJson(v.day);
        } else if constexpr (std::is_same_v<T, std::array<ConfigRecord, 5>>) {
          Json records = Json::array();
          for (const ConfigRecord& r : v) records.push_back(recordJson(r));
          return records;
        } else {
          return v;
        }
      },
      value);
}

Json configJson(const CConfig& config) {
  Json out = Json::object();
  for (const ConfigField& field : config.positions()) out[field.name] = valueJson(field.value);
  out["delimiters"] = toUtf8(config.delimiters);
  out["decreaseName"] = toUtf8(config.decreaseName);
  out["increaseName"] = toUtf8(config.increaseName);
  return out;
}

Json entryJson(const CHinmei& e) {
  return Json{{"date", dayJson(e.date)},
              {"day", e.date},
              {"item", e.item},
              {"flags", e.flags},
              {"name", toUtf8(e.name)},
              {"memo", toUtf8(e.visibleMemo())},
              {"tail", e.hasTail() ? Json(toUtf8(e.tailView())) : Json(nullptr)},
              {"amount", e.amount}};
}

Json budgetsJson(const Ledger& ledger) {
  if (!ledger.budgetsFromFile) return nullptr;
  Json out = Json::array();
  for (const CBudget& b : *ledger.budgets) {
    out.push_back(Json{{"kind", b.kind},
                       {"year", b.year},
                       {"month", b.month},
                       {"reserved", b.reserved},
                       {"amounts", b.amounts}});
  }
  return out;
}

// The document is written piece by piece, one entry a line, so a file of a million entries
// never stands in memory as one JSON tree.
void printFile(const LoadedFile& file, std::ostream& out) {
  const CConfig& c = file.config;
  const Json head{{"dataVersion", c.dataVersion},
                  {"blockVersion", c.blockVersion},
                  {"blockSubVersion", c.blockSubVersion},
                  {"hasBlock", c.hasBlock},
                  {"scrambled", c.scrambleMarker == kScrambleMarker},
                  {"config", configJson(c)}};
  std::string text = head.dump(2);
  text.resize(text.size() - 2);  // the closing "\n}"
  out << text << ",\n  \"entries\": [";
  const char* separator = "\n    ";
  for (const CHinmei& e : *file.ledger.entries) {
    out << separator << entryJson(e).dump();
    separator = ",\n    ";
  }
  out << "\n  ],\n  \"budgets\": " << budgetsJson(file.ledger).dump() << "\n}\n";
}

}  // namespace

int runDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseOptions(args, {"--password"}, {}, err);
  if (!o || o->positional.size() != 1) {
    err << "使い方: sorami-cli dump FILE [--password P]\n";
    return kExitUsage;
  }
  CommandPrompts prompts(err, *o);
  const std::optional<LoadedFile> file = loadForCommand(o->positional[0], prompts, err);
  if (!file) return kExitUnreadable;
  // The password locks every view of the file's content, this one too.
  if (const std::optional<PasswordCheck> check = passwordCheckOf(*file->ledger.entries)) {
    if (prompts.askPassword(*check, false).action != PasswordReply::Action::Ok) {
      return kExitUnreadable;
    }
  }
  printFile(*file, out);
  return kExitOk;
}

}  // namespace sorami::cli
