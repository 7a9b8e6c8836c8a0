// sorami-cli names FILE --item ITEM: the special names of an item, and their changes: --add NAME
// [--at K], --change OLD --to NEW [--rename-entries], --delete NAME, --move ROW --by ±1. Rows
// count from 1, as the special-name window numbers them; K is a position from 0 (-1: last).
// For a transfer pseudo-item the names are its accounts or loans: adding registers one (with
// the balance --initial, 0 unless given) and deleting cancels it.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kNamesUsage =
    "使い方: sorami-cli names FILE --item 項目\n"
    "         [--add 品名 [--at K] [--initial N] | --change 旧 --to 新 [--rename-entries]\n"
    "          | --delete 品名 | --move 行 --by ±1]\n";

Json rowJson(int index, const std::u16string& name) {
  return Json{{"row", index + 1}, {"name", toUtf8(name)}};
}

Json listingJson(CHinmeiList& store, const CHinmei& item) {
  Json names = Json::array();
  const std::vector<std::u16string> texts = store.specialNameTexts(item.item);
  for (size_t i = 0; i < texts.size(); ++i) names.push_back(rowJson(static_cast<int>(i), texts[i]));
  int slot = 0;
  while (slot < store.itemCount() && store.itemAt(slot) != &item) ++slot;
  const int remembered = store.rememberedRow(slot);
  return Json{{"item", toUtf8(item.name)},
              {"names", names},
              {"remembered", remembered >= 0 ? Json(remembered + 1) : Json(nullptr)}};
}

int indexOf(CHinmeiList& store, uint16_t item, const std::u16string& name) {
  const std::vector<std::u16string> texts = store.specialNameTexts(item);
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] == name) return static_cast<int>(i);
  }
  return -1;
}

struct Change {
  bool done = false;
  bool changed = false;  // false: nothing to save
  Json what;
};

Change addName(CHinmeiList& store, const CHinmei& item, const Options& o, std::ostream& err) {
  const std::u16string name = fromUtf8(*o.value("--add"));
  std::optional<int> at = -1;
  if (o.value("--at")) at = boundedOption(o, "--at", -1, 1000000, err);
  std::optional<int> initial = 0;
  if (o.value("--initial")) initial = boundedOption(o, "--initial", -999999998, 999999999, err);
  if (!at || !initial) return {};
  if (name.empty()) {
    // An empty name would open the dialog that asks for one.
    store.context().prompts->inform(MessageId::BlankNameRefused, {}, Icon::Warning);
    return {};
  }
  const std::optional<int> placed = store.addSpecialName(item.item, name, *at, true, *initial);
  if (!placed) return {};
  const std::u16string stored = store.specialNameTexts(item.item)[static_cast<size_t>(*placed)];
  return {true, true, {{"added", rowJson(*placed, stored)}}};
}

Change changeName(CHinmeiList& store, const CHinmei& item, const Options& o, std::ostream& err) {
  const std::u16string from = fromUtf8(*o.value("--change"));
  const std::string* to = o.value("--to");
  if (to == nullptr) {
    err << kNamesUsage;
    return {};
  }
  const int index = indexOf(store, item.item, from);
  if (index < 0) {
    err << "sorami-cli: その特別品名はありません: " << toUtf8(from) << "\n";
    return {};
  }
  const std::optional<RenameCount> r =
      store.changeSpecialName(item.item, index, fromUtf8(*to), o.has("--rename-entries"));
  if (!r) return {};
  const std::u16string now = store.specialNameTexts(item.item)[static_cast<size_t>(index)];
  return {
      true,
      now != from,
      {{"changed",
        {{"from", toUtf8(from)}, {"to", toUtf8(now)}, {"lines", r->lines}, {"rules", r->rules}}}}};
}

Change deleteName(CHinmeiList& store, const CHinmei& item, const Options& o, std::ostream& err) {
  const std::u16string name = fromUtf8(*o.value("--delete"));
  const int index = indexOf(store, item.item, name);
  if (index < 0) {
    err << "sorami-cli: その特別品名はありません: " << toUtf8(name) << "\n";
    return {};
  }
  if (!store.deleteSpecialNameAt(item.item, index)) return {};
  return {true, true, {{"deleted", rowJson(index, name)}}};
}

Change moveName(CHinmeiList& store, const CHinmei& item, const Options& o, std::ostream& err) {
  const int count = store.specialNameCount(item.item);
  const std::optional<int> row = boundedOption(o, "--move", 1, count < 1 ? 1 : count, err);
  const std::optional<int> by = o.value("--by") ? boundedOption(o, "--by", -1, 1, err) : 0;
  if (!row || !by || *by == 0) {
    if (by && *by == 0) err << kNamesUsage;
    return {};
  }
  if (*row + *by < 1 || *row + *by > count) {
    err << "sorami-cli: その位置には移動できません: " << *row + *by << "\n";
    return {};
  }
  if (store.moveSpecialName(item.item, *row - 1, *by) == NameMove::None) return {};
  return {true, true, {{"moved", {{"from", *row}, {"to", *row + *by}}}}};
}

// Exactly one change, or none for the listing.
const char* changeOption(const Options& o, bool& ambiguous) {
  const char* found = nullptr;
  int count = 0;
  for (const char* name : {"--add", "--change", "--delete", "--move"}) {
    if (o.value(name)) {
      found = name;
      ++count;
    }
  }
  ambiguous = count > 1;
  return found;
}

}  // namespace

int runNames(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<Options> o = parseFileCommand(
      args,
      {"--item", "--add", "--at", "--initial", "--change", "--to", "--delete", "--move", "--by"},
      err, {"--rename-entries"});
  bool ambiguous = false;
  const char* change = o ? changeOption(*o, ambiguous) : nullptr;
  if (!o || !o->value("--item") || ambiguous) {
    err << kNamesUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (change != nullptr) ledger.holdForSaving();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  CHinmeiList& store = ledger.store();
  const std::u16string itemName = fromUtf8(*o->value("--item"));
  const CHinmei* item = findItem(store, itemName);
  if (item == nullptr) {
    err << "sorami-cli: その名前または番号の項目はありません: " << toUtf8(itemName) << "\n";
    return kExitUsage;
  }
  ledger.show(ledger.doc().today(), DisplayMode::DayInput);
  Json result = Json::object();
  if (change != nullptr) {
    using Run = Change (*)(CHinmeiList&, const CHinmei&, const Options&, std::ostream&);
    const std::string which = change;
    const Run run = which == "--add"      ? addName
                    : which == "--change" ? changeName
                    : which == "--delete" ? deleteName
                                          : moveName;
    const Change c = run(store, *item, *o, err);
    if (!c.done) return kExitUsage;
    if (c.changed && !ledger.doc().save()) return kExitWriteFailed;
    result = c.what;
  }
  Json listing = listingJson(store, *item);
  for (auto& [key, value] : result.items()) listing[key] = value;
  out << listing.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
