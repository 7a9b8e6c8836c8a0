// sorami-cli items FILE: every item with its number, side and use. sorami-cli item FILE changes
// the items: --add NAME --side expense|income [--at K], --delete NAME, --rename OLD --to NEW,
// --swap A B. sorami-cli move FILE moves lines between days and items, sorami-cli adjust-cash
// FILE corrects the cash of a day. The changing commands take --dry-run (what would change,
// without saving and without questions) and otherwise ask as the program does (--yes answers).

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "document/CashChange.h"
#include "document/ItemChanges.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kItemsUsage = "使い方: sorami-cli items FILE\n";
constexpr const char* kItemUsage =
    "使い方: sorami-cli item FILE (--add 名前 --side expense|income [--at K]\n"
    "         | --delete 名前 | --rename 旧 --to 新 | --swap A B) [--dry-run] [--yes]\n";
constexpr const char* kMoveUsage =
    "使い方: sorami-cli move FILE --from YYYY-MM-DD --to YYYY-MM-DD --shift-days N [--diary]\n"
    "       sorami-cli move FILE [--from YYYY-MM-DD --to YYYY-MM-DD] --item A --to-item B\n"
    "       sorami-cli move FILE --date YYYY-MM-DD --item A --to-date YYYY-MM-DD\n"
    "         [--dry-run] [--yes]\n";
constexpr const char* kAdjustUsage =
    "使い方: sorami-cli adjust-cash FILE --date YYYY-MM-DD --balance N [--mode entry|initial]\n"
    "         [--dry-run] [--yes]\n";

const char* sideWord(const CHinmei& def) {
  return (def.flags & EF_INCOME) != 0 ? "income" : "expense";
}

int slotOf(const CHinmeiList& store, const CHinmei* def) {
  for (int i = 0; i < store.itemCount(); ++i) {
    if (store.itemAt(i) == def) return i;
  }
  return -1;
}

Json itemJson(const CHinmei& def, int slot) {
  return Json{{"position", slot},
              {"number", def.item},
              {"name", toUtf8(def.name)},
              {"side", sideWord(def)}};
}

void unknownItem(std::ostream& err, const std::string& name) {
  err << "sorami-cli: その項目はありません: " << name << "\n";
}

// A dry run answers every question Yes: it shows what the change would do and saves nothing.
Options forRun(const Options& o) {
  Options run = o;
  if (o.has("--dry-run")) run.flags.insert("--yes");
  return run;
}

// Opens the file for a change; kExitOk or the status to end with.
// The shown day is `day`, else today.
int openForChange(LedgerCommand& ledger, const Options& o, std::optional<Day> day = {}) {
  if (!o.has("--dry-run")) ledger.holdForSaving();
  if (const int status = ledger.open(o.positional[0]); status != kExitOk) return status;
  ledger.show(day.value_or(ledger.doc().today()), DisplayMode::DayInput);
  return kExitOk;
}

int finish(LedgerCommand& ledger, const Options& o, const Json& j, std::ostream& out,
           bool changed) {
  if (changed && !o.has("--dry-run") && !ledger.doc().save()) return kExitWriteFailed;
  Json result = j;
  result["dryRun"] = o.has("--dry-run");
  out << result.dump(2) << "\n";
  return kExitOk;
}

const CHinmei* itemOption(LedgerCommand& ledger, const Options& o, const char* name,
                          std::ostream& err) {
  const std::string* text = o.value(name);
  if (text == nullptr) return nullptr;
  const CHinmei* def = findItem(ledger.store(), fromUtf8(*text));
  if (def == nullptr) unknownItem(err, *text);
  return def;
}

// "--swap A B" names two items; the second becomes the value of --swap-with.
std::vector<std::string> withSwapPair(const std::vector<std::string>& args) {
  std::vector<std::string> out;
  for (size_t i = 0; i < args.size(); ++i) {
    out.push_back(args[i]);
    if (args[i] == "--swap" && i + 2 < args.size()) {
      out.push_back(args[++i]);
      out.emplace_back("--swap-with");
    }
  }
  return out;
}

}  // namespace

int runItems(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {}, err);
  if (!o) {
    err << kItemsUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  CHinmeiList& store = ledger.store();
  std::array<size_t, kMaxItems> lines{};
  std::array<size_t, kMaxItems> rules{};
  for (const CHinmei& e : store) {
    if (e.isDated() && !e.isEndMarker() && !e.isDiary() && e.item < kMaxItems) ++lines[e.item];
  }
  for (int i = 0; i < store.ruleCount(); ++i) {
    const std::optional<CAutoRule> r = store.rule(i);
    if (!r) continue;
    for (const int32_t item : {r->sourceItem, r->destinationItem}) {
      if (item >= 0 && item < static_cast<int32_t>(kMaxItems)) ++rules[static_cast<size_t>(item)];
    }
    if (r->sourceItem == r->destinationItem && r->sourceItem >= 0) {
      --rules[static_cast<size_t>(r->sourceItem)];
    }
  }
  Json items = Json::array();
  for (int i = 0; i < store.itemCount(); ++i) {
    const CHinmei& def = *store.itemAt(i);
    Json j = itemJson(def, i);
    j["lines"] = def.item < kMaxItems ? lines[def.item] : 0;
    j["rules"] = def.item < kMaxItems ? rules[def.item] : 0;
    j["budgetTarget"] = def.itemOption(1) != 0;
    items.push_back(j);
  }
  out << Json{{"items", items}}.dump(2) << "\n";
  return kExitOk;
}

int runItem(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(
      withSwapPair(args),
      {"--add", "--side", "--at", "--delete", "--rename", "--to", "--swap", "--swap-with"}, err,
      {"--dry-run"});
  int given = 0;
  for (const char* name : {"--add", "--delete", "--rename", "--swap"}) {
    if (o && o->value(name)) ++given;
  }
  if (!o || given != 1 || (o->value("--rename") && !o->value("--to")) ||
      (o->value("--swap") && !o->value("--swap-with"))) {
    err << kItemUsage;
    return kExitUsage;
  }
  const Options run = forRun(*o);
  LedgerCommand ledger(err, run);
  if (const int status = openForChange(ledger, *o); status != kExitOk) return status;
  CHinmeiList& store = ledger.store();
  if (const std::string* name = o->value("--add")) {
    const std::string* side = o->value("--side");
    if (side == nullptr || (*side != "expense" && *side != "income")) {
      err << kItemUsage;
      return kExitUsage;
    }
    std::optional<int> at = -1;
    if (o->value("--at")) at = boundedOption(*o, "--at", 0, store.itemCount(), err);
    if (!at) return kExitUsage;
    const auto added = addItem(ledger.doc(), fromUtf8(*name), *side == "income", *at);
    if (!added) return kExitUsage;
    const CHinmei* def = store.itemByNumber(added->number);
    const Json j{{"added", itemJson(*def, slotOf(store, def))},
                 {"renumbered", added->renumbered},
                 {"rules", added->rules}};
    return finish(ledger, *o, j, out, true);
  }
  if (o->value("--delete")) {
    const CHinmei* def = itemOption(ledger, *o, "--delete", err);
    if (def == nullptr) return kExitUsage;
    const std::u16string name = def->name.str();
    const auto deleted = deleteItem(ledger.doc(), slotOf(store, def));
    if (!deleted) return kExitUsage;
    const Json j{
        {"deleted", toUtf8(name)},           {"removed", deleted->removed},
        {"unpaired", deleted->unpaired},     {"rules", deleted->rules},
        {"renumbered", deleted->renumbered}, {"initialCashChange", deleted->cashCompensation}};
    return finish(ledger, *o, j, out, true);
  }
  if (o->value("--rename")) {
    const CHinmei* def = itemOption(ledger, *o, "--rename", err);
    if (def == nullptr) return kExitUsage;
    const std::u16string from = def->name.str();
    const std::u16string typed = fromUtf8(*o->value("--to"));
    const size_t messagesBefore = ledger.prompts().ids.size();
    const bool changed = store.renameItem(slotOf(store, def), typed);
    if (!changed && ledger.prompts().ids.size() > messagesBefore) return kExitUsage;
    const Json j{{"renamed", {{"from", toUtf8(from)}, {"to", toUtf8(def->name)}}},
                 {"changed", changed}};
    return finish(ledger, *o, j, out, changed);
  }
  const CHinmei* a = itemOption(ledger, *o, "--swap", err);
  const CHinmei* b = a != nullptr ? itemOption(ledger, *o, "--swap-with", err) : nullptr;
  if (a == nullptr || b == nullptr) return kExitUsage;
  const std::string first = toUtf8(a->name);
  const std::string second = toUtf8(b->name);
  const bool changed = store.exchangeItems(slotOf(store, a), slotOf(store, b));
  return finish(ledger, *o, Json{{"swapped", {first, second}}, {"changed", changed}}, out, changed);
}

int runMove(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(
      args, {"--from", "--to", "--shift-days", "--item", "--to-item", "--date", "--to-date"}, err,
      {"--diary", "--dry-run"});
  const bool shift = o && o->value("--shift-days");
  const bool reassign = o && o->value("--to-item");
  const bool toDay = o && o->value("--to-date");
  if (!o || shift + reassign + toDay != 1 ||
      (shift && (!o->value("--from") || !o->value("--to"))) || (reassign && !o->value("--item")) ||
      (toDay && (!o->value("--date") || !o->value("--item")))) {
    err << kMoveUsage;
    return kExitUsage;
  }
  std::optional<Day> from = MinDay;
  std::optional<Day> to = MaxDay;
  if (o->value("--from")) from = parseDateOption(*o->value("--from"), err);
  if (o->value("--to")) to = parseDateOption(*o->value("--to"), err);
  if (!from || !to) return kExitUsage;
  const Options run = forRun(*o);
  LedgerCommand ledger(err, run);
  if (const int status = openForChange(ledger, *o); status != kExitOk) return status;
  std::optional<size_t> moved;
  if (shift) {
    const std::optional<int> days = boundedOption(*o, "--shift-days", -3000000, 3000000, err);
    if (!days) return kExitUsage;
    moved = moveSpan(ledger.doc(), *from, *to, std::min(*from, *to) + *days, o->has("--diary"));
  } else {
    const CHinmei* item = itemOption(ledger, *o, "--item", err);
    if (item == nullptr) return kExitUsage;
    if (reassign) {
      const CHinmei* target = itemOption(ledger, *o, "--to-item", err);
      if (target == nullptr) return kExitUsage;
      moved = reassignSpan(ledger.doc(), *from, *to, item->item, target->item);
    } else {
      const std::optional<Day> day = parseDateOption(*o->value("--date"), err);
      const std::optional<Day> target = parseDateOption(*o->value("--to-date"), err);
      if (!day || !target) return kExitUsage;
      std::vector<CHinmeiList::Position> lines;
      CHinmeiList& store = ledger.store();
      for (auto p = store.firstAfterDay(*day - 1); p != store.end() && p->date == *day; ++p) {
        if (p->item == item->item && !p->isDiary()) lines.push_back(p);
      }
      moved = moveLinesToDay(ledger.doc(), *target, lines);
    }
  }
  if (!moved) return kExitUsage;
  if (*moved == 0) ledger.prompts().inform(MessageId::NothingMoved, {}, Icon::Information);
  return finish(ledger, *o, Json{{"moved", *moved}}, out, *moved > 0);
}

int runAdjustCash(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseFileCommand(args, {"--date", "--balance", "--mode"}, err, {"--dry-run"});
  const std::string* mode = o ? o->value("--mode") : nullptr;
  if (!o || !o->value("--balance") || (mode && *mode != "entry" && *mode != "initial")) {
    err << kAdjustUsage;
    return kExitUsage;
  }
  const std::optional<Day> day = dateOption(*o, err);
  const std::optional<int64_t> balance = parseIntegerOption(*o->value("--balance"), err);
  if (!day || !balance) {
    err << kAdjustUsage;
    return kExitUsage;
  }
  const Options run = forRun(*o);
  LedgerCommand ledger(err, run);
  if (const int status = openForChange(ledger, *o, *day); status != kExitOk) return status;
  const CashChangeChoice choice = cashChangeChoice(ledger.store(), ledger.config(), *day);
  CashChangeRequest request;
  request.newBalance = *balance;
  request.mode = mode ? (*mode == "initial" ? kCashModeInitial : kCashModeEntry) : choice.mode;
  request.decreaseItem = choice.decreaseItem;
  request.increaseItem = choice.increaseItem;
  request.decreaseName = choice.decreaseName;
  request.increaseName = choice.increaseName;
  request.negativeIncrease = choice.negativeIncrease;
  const std::optional<CashChangeResult> r = changeCashBalance(ledger.doc(), *day, request);
  if (!r) return kExitUsage;
  Json j{{"date", isoDate(*day)},
         {"before", r->before},
         {"after", *balance},
         {"difference", r->difference},
         {"mode", request.mode == kCashModeInitial ? "initial" : "entry"},
         {"entry", nullptr},
         {"initial", nullptr}};
  if (r->entryItem) {
    const CHinmei* def = ledger.store().itemByNumber(*r->entryItem);
    j["entry"] = {{"item", def ? toUtf8(def->name) : std::string()},
                  {"name", toUtf8(r->entryName)},
                  {"amount", r->entryAmount}};
  }
  if (r->initialFrom) j["initial"] = {{"from", *r->initialFrom}, {"to", r->initialTo}};
  // The remembered choices are a change of the file even when the balance stayed.
  return finish(ledger, *o, j, out, true);
}

}  // namespace sorami::cli
