// sorami-cli rules FILE [--due --from D --to D]: the automatic-entry rules of a file, or the lines
// a run as of D would write, without writing anything.
// sorami-cli rule FILE --add TEXT | --edit INDEX TEXT | --delete INDEX | --move INDEX --by ±1:
// changes the rules as the settings page does, through the same checks, and saves.
//
// INDEX counts from 1, as the settings page numbers its rows. TEXT is a rule's stored text: the
// source name, a line break, the destination name, a line break and the 33 numbers; "\n" typed
// as two characters stands for the line break.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "cli/RuleJson.h"
#include "document/StartUpProcessing.h"
#include "ledger/RuleSettings.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kRulesUsage =
    "使い方: sorami-cli rules FILE [--due --from YYYY-MM-DD --to YYYY-MM-DD]\n";
constexpr const char* kRuleUsage =
    "使い方: sorami-cli rule FILE --add TEXT | --edit INDEX TEXT | --delete INDEX |"
    " --move INDEX --by ±1\n";

Json listing(CHinmeiList& store, int decimalPlaces) {
  Json rules = Json::array();
  for (int slot = 0; slot < store.ruleCount(); ++slot) {
    rules.push_back(ruleJson(store, *store.rule(slot), slot + 1, decimalPlaces));
  }
  return rules;
}

int printDue(LedgerCommand& ledger, const Options& o, std::ostream& out, std::ostream& err) {
  const std::string* from = o.value("--from");
  const std::string* to = o.value("--to");
  const std::optional<Day> first = from ? parseDateOption(*from, err) : std::nullopt;
  const std::optional<Day> last = to ? parseDateOption(*to, err) : std::nullopt;
  if (!first || !last) {
    err << kRulesUsage;
    return kExitUsage;
  }
  CHinmeiList& store = ledger.store();
  const std::vector<DueLine> lines =
      CAutoEntries(store, autoEntryOptions(ledger.config()), ledger.holidays()).preview(*last);
  Json due = Json::array();
  for (const DueLine& line : lines) {
    if (line.date < *first || line.date > *last) continue;
    due.push_back(
        Json{{"rule", line.rule + 1}, {"date", isoDate(line.date)}, {"amount", line.amount}});
  }
  out << Json{{"due", due}}.dump(2) << "\n";
  return kExitOk;
}

// The text as typed on a command line: "\n" may stand for the line break.
std::u16string ruleTextOption(const std::string& text) {
  std::u16string t = fromUtf8(text);
  if (t.find(u'\n') != std::u16string::npos) return t;
  std::u16string out;
  for (size_t i = 0; i < t.size(); ++i) {
    const bool lineBreak = t[i] == u'\\' && i + 1 < t.size() && t[i + 1] == u'n';
    out.push_back(lineBreak ? u'\n' : t[i]);
    if (lineBreak) ++i;
  }
  return out;
}

std::optional<int> indexOption(const CHinmeiList& store, const std::string& text,
                               std::ostream& err) {
  const std::optional<int64_t> n = parseIntegerOption(text, err);
  if (!n) return std::nullopt;
  if (*n < 1 || *n > store.ruleCount()) {
    err << "sorami-cli: 自動記入の設定 " << text << " はありません（1 から " << store.ruleCount()
        << " まで）。\n";
    return std::nullopt;
  }
  return static_cast<int>(*n - 1);
}

// A rule given as text, through the checks of the settings dialog; the accounts and loans it
// names are registered with the balance 0, as the command says.
std::optional<CAutoRule> checkedRule(LedgerCommand& ledger, const std::string& text,
                                     Json& registered) {
  CHinmeiList& store = ledger.store();
  CommandPrompts& prompts = ledger.prompts();
  const std::u16string ruleText = ruleTextOption(text);
  if (ruleText.find(u'\n') == std::u16string::npos ||
      ruleText.find(u'\n', ruleText.find(u'\n') + 1) == std::u16string::npos) {
    prompts.inform(MessageId::RuleFieldInvalid, {u"支出先"}, Icon::Warning);
    return std::nullopt;
  }
  CAutoRule rule = CAutoRule::fromText(ruleText, ledger.doc().today());
  if (const std::optional<RuleProblem> problem = checkRule(store, rule)) {
    prompts.inform(problem->id, problem->args, Icon::Warning);
    return std::nullopt;
  }
  for (const auto& [kind, name] : unregisteredAccounts(store, rule)) {
    if (!store.registerAccount(name, kind, -1, 0)) return std::nullopt;
    const char16_t* word = kind == kKindAccount ? u"貯蓄項目" : u"借入項目";
    prompts.inform(MessageId::AccountRegisteredByCommand, {name, word}, Icon::Information);
    registered.push_back(toUtf8(name));
  }
  return rule;
}

int changeRules(LedgerCommand& ledger, const Options& o, Json& registered, std::ostream& err) {
  CHinmeiList& store = ledger.store();
  if (const std::string* text = o.value("--add")) {
    std::optional<CAutoRule> rule = checkedRule(ledger, *text, registered);
    if (!rule) return kExitUsage;
    rule->startAsNew();
    return store.addRule(*rule) ? kExitOk : kExitUsage;
  }
  if (const std::string* index = o.value("--edit")) {
    const std::optional<int> slot = indexOption(store, *index, err);
    if (!slot || o.positional.size() != 2) return kExitUsage;
    std::optional<CAutoRule> rule = checkedRule(ledger, o.positional[1], registered);
    if (!rule) return kExitUsage;
    rule->keepStateOf(*store.rule(*slot));
    store.setRule(*slot, *rule);
    return kExitOk;
  }
  if (const std::string* index = o.value("--delete")) {
    const std::optional<int> slot = indexOption(store, *index, err);
    if (!slot) return kExitUsage;
    const bool ask = ledger.config().confirmDeletion != 0;
    if (ask && ledger.prompts().ask(MessageId::ConfirmDeleteRule,
                                    ruleDeleteQuestionArgs(store, *store.rule(*slot)),
                                    Buttons::YesNo, Answer::Yes) != Answer::Yes) {
      return kExitUsage;
    }
    store.removeRule(*slot);
    return kExitOk;
  }
  const std::string* index = o.value("--move");
  const std::string* by = o.value("--by");
  const std::optional<int> slot = index ? indexOption(store, *index, err) : std::nullopt;
  if (!slot || by == nullptr || (*by != "1" && *by != "+1" && *by != "-1")) return kExitUsage;
  const int other = *slot + (*by == "-1" ? -1 : 1);
  if (other < 0 || other >= store.ruleCount()) {
    err << "sorami-cli: 自動記入の設定 " << *index << " はその向きには動かせません。\n";
    return kExitUsage;
  }
  store.exchangeRules(*slot, other);
  return kExitOk;
}

}  // namespace

int runRules(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {"--from", "--to"}, err, {"--due"});
  if (!o) {
    err << kRulesUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  if (o->has("--due")) return printDue(ledger, *o, out, err);
  out << Json{{"rules", listing(ledger.store(), ledger.config().decimalPlaces)}}.dump(2) << "\n";
  return kExitOk;
}

int runRule(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseOptions(
      args,
      {"--add", "--edit", "--delete", "--move", "--by", "--password", "--holiday-file", "--today"},
      {"--yes"}, err);
  const int actions = o ? static_cast<int>(o->values.count("--add") + o->values.count("--edit") +
                                           o->values.count("--delete") + o->values.count("--move"))
                        : 0;
  const size_t files = o && o->values.count("--edit") != 0 ? 2 : 1;
  const std::string* today = o ? o->value("--today") : nullptr;
  if (!o || actions != 1 || o->positional.size() != files ||
      (today != nullptr && !parseDateOption(*today, err))) {
    err << kRuleUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.holdForSaving();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  Json registered = Json::array();
  if (const int status = changeRules(ledger, *o, registered, err); status != kExitOk) {
    return status;
  }
  if (!ledger.doc().save()) return kExitWriteFailed;
  out << Json{{"rules", listing(ledger.store(), ledger.config().decimalPlaces)},
              {"registered", registered}}
             .dump(2)
      << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
