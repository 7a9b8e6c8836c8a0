// sorami-cli add FILE --date D --item ITEM --name S --amount A [--memo M] [--tax MODE]: one
// ledger line, placed after the other lines of its day, saved through the document.
//
// With --tax outside the amount is net and its tax is written as a tax line beside it; with
// --tax inside the amount holds its tax, the line takes the net amount and the tax line the
// rest. The file's rate, rounding and ten-yen setting decide the tax; the line records them.
//
// ITEM is an item's name (or its number). For a transfer pseudo-item the name is the account or
// loan; one that is not registered yet is registered on the spot with the balance 0 on day D
// (what the registration dialog would ask for), and the command says so.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "ledger/EntryInput.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kAddUsage =
    "使い方: sorami-cli add FILE --date YYYY-MM-DD --item 項目 --name 品名 --amount 金額 "
    "[--memo メモ] [--tax outside|inside]\n";

struct Line {
  Day day = MinDay;
  std::u16string item;
  std::u16string name;
  int32_t amount = 0;
  std::u16string memo;
  std::optional<int> taxMode;
};

std::optional<Line> lineOptions(const Options& o, std::ostream& err) {
  const std::optional<Day> day = dateOption(o, err);
  const std::string* item = o.value("--item");
  const std::string* name = o.value("--name");
  const std::string* amountText = o.value("--amount");
  if (!day || !item || !name || !amountText) return std::nullopt;
  if (*day <= MinDay || *day >= MaxDay) {
    err << "sorami-cli: 0100-01-02 から 9999-12-30 までの日付を指定してください。\n";
    return std::nullopt;
  }
  const std::optional<int64_t> amount = parseIntegerOption(*amountText, err);
  if (!amount) return std::nullopt;
  if (*amount < INT32_MIN || *amount > INT32_MAX) {
    err << toUtf8(formatMessage(MessageId::AmountOutOfRange)) << "\n";
    return std::nullopt;
  }
  const std::string* memo = o.value("--memo");
  std::optional<int> taxMode;
  if (const std::string* tax = o.value("--tax")) {
    const char* modes[] = {"none", "outside", "inside"};
    for (int m = 0; m < kTaxModeCount; ++m) {
      if (*tax == modes[m]) taxMode = m;
    }
    if (!taxMode) {
      err << "sorami-cli: --tax は outside か inside です: " << *tax << "\n";
      return std::nullopt;
    }
  }
  return Line{*day,
              fromUtf8(*item),
              fromUtf8(*name),
              static_cast<int32_t>(*amount),
              memo ? fromUtf8(*memo) : u"",
              taxMode};
}

constexpr std::u16string_view kSpaces = u" \u3000";

bool isBlank(std::u16string_view name) {
  return name.find_first_not_of(kSpaces) == std::u16string_view::npos;
}

// Account and loan names are registered without surrounding spaces; the line must match.
std::u16string trimmed(std::u16string_view name) {
  const size_t first = name.find_first_not_of(kSpaces);
  if (first == std::u16string_view::npos) return {};
  return std::u16string(name.substr(first, name.find_last_not_of(kSpaces) - first + 1));
}

// Registers the account or loan a transfer names when it is new; the kind's word, or nothing
// when none was registered. False in `ok` when the registration was refused.
const char16_t* registerTarget(CHinmeiList& store, const CHinmei& line, Prompts& prompts,
                               bool& ok) {
  ok = true;
  const uint16_t kind = (line.flags & EF_ACCOUNT) != 0 ? kKindAccount : kKindLoan;
  if (!line.isTransfer() || store.definitionByName(line.name, kind)) return nullptr;
  ok = store.registerAccount(line.name, kind, -1, 0).has_value();
  if (!ok) return nullptr;
  const char16_t* word = kind == kKindAccount ? u"貯蓄項目" : u"借入項目";
  prompts.inform(MessageId::AccountRegisteredByCommand, {line.name.str(), word}, Icon::Information);
  return word;
}

Json lineJson(const CHinmei& e, const CHinmei& item, const char16_t* registered) {
  return Json{{"date", isoDate(e.date)},
              {"item", e.item},
              {"itemName", toUtf8(item.name)},
              {"name", toUtf8(e.name)},
              {"amount", e.amount},
              {"memo", toUtf8(e.visibleMemo())},
              {"registered", registered ? Json(toUtf8(registered)) : Json(nullptr)}};
}

// The tax of the line by the file's settings: the line's amount becomes the net amount and its
// flags record how the tax was computed. 0 without --tax.
int64_t applyTax(CHinmei& entry, const Line& line, const CConfig& config) {
  if (!line.taxMode) return 0;
  const TaxSettings s = config.taxSettings();
  const int64_t tax = computeTax(line.amount, s, *line.taxMode);
  entry.flags |= taxFlags(*line.taxMode, s.rounding, s.tenYen);
  if (*line.taxMode == TAX_INSIDE) entry.amount = static_cast<int32_t>(line.amount - tax);
  return tax;
}

// The tax line beside the line just placed, as the input row writes it.
std::optional<CHinmeiList::Position> writeTaxLine(CHinmeiList& store, const CHinmei& entry,
                                                  const CHinmei& item, int64_t tax,
                                                  const CConfig& config) {
  EntryRequest request;
  request.day = entry.date;
  request.item = &item;
  request.name = entry.name;
  const EntryRequest line =
      taxLineRequest(store, request, static_cast<int32_t>(tax), config.taxLineSettings());
  return writeEntry(store, line, config.skipZeroAmounts != 0);
}

}  // namespace

int runAdd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseFileCommand(args, {"--date", "--item", "--name", "--amount", "--memo", "--tax"}, err);
  const std::optional<Line> line = o ? lineOptions(*o, err) : std::nullopt;
  if (!line) {
    err << kAddUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.holdForSaving();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  CHinmeiList& store = ledger.store();
  const CHinmei* item = findItem(store, line->item);
  if (item == nullptr) {
    err << "sorami-cli: その名前または番号の項目はありません: " << toUtf8(line->item) << "\n";
    return kExitUsage;
  }
  if (ledger.config().skipBlankNames != 0 && isBlank(line->name)) {
    ledger.prompts().inform(MessageId::BlankNameRefused, {}, Icon::Warning);
    return kExitUsage;
  }
  ledger.show(line->day, DisplayMode::DayInput);
  const auto flags =
      static_cast<uint16_t>(item->flags & (EF_DIRECTION_MASK | EF_ACCOUNT | EF_LOAN));
  CHinmei entry(line->day, item->item, flags, line->name, line->memo, line->amount);
  if (entry.isTransfer()) entry.name = trimmed(entry.name);
  const int64_t tax = applyTax(entry, *line, ledger.config());
  bool registeredOk = true;
  const char16_t* registered = registerTarget(store, entry, ledger.prompts(), registeredOk);
  if (!registeredOk) return kExitUsage;
  const std::optional<CHinmeiList::Position> placed = store.insert(std::move(entry), -1, false);
  if (!placed) return kExitUsage;
  Json j = lineJson(**placed, *store.itemByNumber((*placed)->item), registered);
  j["tax"] = tax;
  j["taxLine"] = nullptr;
  if (tax != 0) {
    // Refused, the tax line leaves the file as it was: nothing is saved.
    const auto taxLine = writeTaxLine(store, **placed, *item, tax, ledger.config());
    if (!taxLine) return kExitUsage;
    j["taxLine"] = lineJson(**taxLine, *store.itemByNumber((*taxLine)->item), nullptr);
  }
  if (!ledger.doc().save()) return kExitWriteFailed;
  out << j.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
