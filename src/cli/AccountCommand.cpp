// sorami-cli accounts FILE [--date D]: every account and loan with its balance at the start of D
// (today unless given). sorami-cli account FILE changes one: --register NAME --kind K
// [--initial N], --rename OLD --to NEW --kind K, --cancel NAME --kind K, --set-initial NAME
// --kind K --to N, where K is account or loan.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kAccountsUsage = "使い方: sorami-cli accounts FILE [--date YYYY-MM-DD]\n";
constexpr const char* kAccountUsage =
    "使い方: sorami-cli account FILE --kind account|loan\n"
    "         (--register 名前 [--initial N] | --rename 旧 --to 新 | --cancel 名前\n"
    "          | --set-initial 名前 --to N)\n";

constexpr int32_t kLowestAmount = -999999999;
constexpr int32_t kHighestAmount = 999999999;

Json accountJson(const CAccount& a, size_t index) {
  const CHinmei* def = a.definition;
  return Json{{"index", index},
              {"name", toUtf8(a.name)},
              {"initial", def ? def->amount : 0},
              {"balance", a.balance},
              {"outsideAssets", def != nullptr && (def->flags & EF_OUTSIDE_ASSETS) != 0},
              {"watchDays", a.watchDays},
              {"watchThreshold", a.watchThreshold},
              {"card", a.isLoan() && a.cardFlag != 0}};
}

Json tableJson(const std::vector<CAccount>& table) {
  Json out = Json::array();
  for (size_t i = 0; i < table.size(); ++i) out.push_back(accountJson(table[i], i));
  return out;
}

const char* kindWord(uint16_t kind) {
  return kind == kKindAccount ? "account" : "loan";
}

std::optional<uint16_t> kindOption(const Options& o) {
  const std::string* text = o.value("--kind");
  if (text == nullptr) return std::nullopt;
  if (*text == "account") return kKindAccount;
  if (*text == "loan") return kKindLoan;
  return std::nullopt;
}

// The account's place in its table and its figures now, or nothing when it is not registered.
std::optional<Json> registeredJson(CHinmeiList& store, uint16_t kind, std::u16string_view name) {
  const std::vector<CAccount>& table = store.accounts(kind);
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].name == name) return accountJson(table[i], i);
  }
  return std::nullopt;
}

void notRegistered(std::ostream& err, const std::u16string& name) {
  err << "sorami-cli: その口座・借入は登録されていません: " << toUtf8(name) << "\n";
}

struct Change {
  bool done = false;
  bool changed = false;  // false: nothing to save
  Json what;
};

Change registerOne(CHinmeiList& store, uint16_t kind, const Options& o, std::ostream& err) {
  std::optional<int> initial = 0;
  if (o.value("--initial")) {
    // The lowest figure stands for "ask the user", which a command cannot.
    initial = boundedOption(o, "--initial", kLowestAmount + 1, kHighestAmount, err);
  }
  if (!initial) return {};
  const std::u16string name = definitionName(fromUtf8(*o.value("--register")));
  if (name.empty()) {
    store.context().prompts->inform(MessageId::BlankNameRefused, {}, Icon::Warning);
    return {};
  }
  if (store.definitionByName(name, kind)) {
    store.context().prompts->inform(MessageId::AlreadyRegistered, {name, u""}, Icon::Warning);
    return {};
  }
  if (!store.registerAccount(name, kind, -1, *initial)) return {};
  const std::optional<Json> now = registeredJson(store, kind, name);
  return {true, true, {{"registered", now.value_or(Json(nullptr))}}};
}

Change renameOne(CHinmeiList& store, uint16_t kind, const Options& o, std::ostream& err) {
  const std::string* to = o.value("--to");
  if (to == nullptr) {
    err << kAccountUsage;
    return {};
  }
  const std::u16string from = fromUtf8(*o.value("--rename"));
  if (!store.definitionByName(from, kind)) {
    notRegistered(err, from);
    return {};
  }
  const std::u16string name = definitionName(fromUtf8(*to));
  const std::optional<RenameCount> r = store.renameAccount(name, from, kind);
  if (!r) return {};
  return {
      true,
      name != from,
      {{"renamed",
        {{"from", toUtf8(from)}, {"to", toUtf8(name)}, {"lines", r->lines}, {"rules", r->rules}}}}};
}

Change cancelOne(CHinmeiList& store, uint16_t kind, const Options& o, std::ostream& err) {
  const std::u16string name = fromUtf8(*o.value("--cancel"));
  if (!store.cancelAccount(name, kind, false)) {
    notRegistered(err, name);
    return {};
  }
  return {true, true, {{"cancelled", toUtf8(name)}}};
}

Change setInitial(CHinmeiList& store, uint16_t kind, const Options& o, std::ostream& err) {
  if (o.value("--to") == nullptr) {
    err << kAccountUsage;
    return {};
  }
  const std::optional<int> amount = boundedOption(o, "--to", kLowestAmount, kHighestAmount, err);
  if (!amount) return {};
  const std::u16string name = fromUtf8(*o.value("--set-initial"));
  const auto def = store.definitionByName(name, kind);
  if (!def) {
    notRegistered(err, name);
    return {};
  }
  const int32_t before = (*def)->amount;
  store.setInitialBalance(name, kind, *amount);
  const std::optional<Json> now = registeredJson(store, kind, name);
  return {true,
          before != *amount,
          {{"initialChanged", {{"from", before}, {"to", *amount}}},
           {"account", now.value_or(Json(nullptr))}}};
}

}  // namespace

int runAccounts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {"--date"}, err);
  if (!o || (o->value("--date") && !dateOption(*o, err))) {
    err << kAccountsUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  const Day day = o->value("--date") ? *dateOption(*o, err) : ledger.doc().today();
  ledger.computeTo(day);
  CHinmeiList& store = ledger.store();
  const Json j{{"date", isoDate(day)},
               {"accounts", tableJson(store.accounts(kKindAccount))},
               {"loans", tableJson(store.accounts(kKindLoan))}};
  out << j.dump(2) << "\n";
  return kExitOk;
}

int runAccount(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(
      args, {"--kind", "--register", "--initial", "--rename", "--to", "--cancel", "--set-initial"},
      err);
  using Run = Change (*)(CHinmeiList&, uint16_t, const Options&, std::ostream&);
  const std::pair<const char*, Run> changes[] = {{"--register", registerOne},
                                                 {"--rename", renameOne},
                                                 {"--cancel", cancelOne},
                                                 {"--set-initial", setInitial}};
  Run run = nullptr;
  int given = 0;
  for (const auto& [name, what] : changes) {
    if (o && o->value(name)) {
      run = what;
      ++given;
    }
  }
  const std::optional<uint16_t> kind = o ? kindOption(*o) : std::nullopt;
  if (!o || given != 1 || !kind) {
    err << kAccountUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.holdForSaving();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  ledger.show(ledger.doc().today(), DisplayMode::DayInput);
  const Change c = run(ledger.store(), *kind, *o, err);
  if (!c.done) return kExitUsage;
  if (c.changed && !ledger.doc().save()) return kExitWriteFailed;
  Json j{{"kind", kindWord(*kind)}};
  for (auto& [key, value] : c.what.items()) j[key] = value;
  out << j.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
