// sorami-cli run-due FILE [--today D] [--yes]: the processing the program runs when it opens a
// file (the automatic entries due as of today, the removal of finished rules, the balance
// watch), every confirmation answered by its default; prints what was written and saves.
//
// An account or loan a rule names that is not registered yet is registered with the balance 0,
// and the command says so.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "cli/RuleJson.h"
#include "cli/StartUpCommand.h"
#include "document/StartUpProcessing.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kRunDueUsage =
    "使い方: sorami-cli run-due FILE [--today YYYY-MM-DD] [--yes]\n";

Json writtenJson(const std::vector<WrittenLine>& lines) {
  Json out = Json::array();
  for (const WrittenLine& l : lines) {
    out.push_back(Json{{"date", isoDate(l.date)},
                       {"item", l.item},
                       {"name", toUtf8(l.name)},
                       {"memo", toUtf8(l.memo)},
                       {"amount", l.amount},
                       {"flags", l.flags}});
  }
  return out;
}

Json shortfallsJson(const std::vector<ShortfallWarning>& warnings) {
  Json out = Json::array();
  for (const ShortfallWarning& w : warnings) {
    out.push_back(Json{{"account", toUtf8(w.account)},
                       {"date", isoDate(w.date)},
                       {"balance", w.balance},
                       {"message", toUtf8(w.message)}});
  }
  return out;
}

}  // namespace

int openWithStartUp(LedgerCommand& ledger, const std::string& path, StartUpResult& result) {
  ledger.prompts().registerNewAccounts = true;
  // After what every command's document does once its file is read.
  ledger.doc().postOpen = [&, before = ledger.doc().postOpen](CSoramiDoc& doc) {
    if (before) before(doc);
    result = runStartUp(doc, ledger.holidays());
  };
  return ledger.open(path);
}

int saveAfterStartUp(LedgerCommand& ledger, const StartUpResult& result) {
  reportShortfalls(result, ledger.prompts());
  return ledger.doc().isModified() && !ledger.doc().save() ? kExitWriteFailed : kExitOk;
}

int runRunDue(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {}, err);
  if (!o) {
    err << kRunDueUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.holdForSaving();
  StartUpResult result;
  if (const int status = openWithStartUp(ledger, o->positional[0], result); status != kExitOk) {
    return status;
  }
  if (const int status = saveAfterStartUp(ledger, result); status != kExitOk) return status;
  Json removed = Json::array();
  for (const CAutoRule& rule : result.removedRules) {
    removed.push_back(ruleJson(ledger.store(), rule, 0, ledger.config().decimalPlaces));
  }
  out << Json{{"written", writtenJson(result.written.written)},
              {"removedRules", removed},
              {"shortfalls", shortfallsJson(result.shortfalls)}}
             .dump(2)
      << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
