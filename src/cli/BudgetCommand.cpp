// sorami-cli budget FILE --month YYYY-MM [--side expense|income]: the budget of every item of one
// side against what was spent or received in the accounting month named YYYY-MM, with the rates,
// what is left and the summary lines of the budget window.
//
// With --item NAME --set N the budget of that item (in the smallest unit) is set for the month,
// or with --standard in the standard budget, and the file is saved through the document.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ReportOptions.h"
#include "ledger/BudgetList.h"
#include "platform/TextCodec.h"
#include "reports/BudgetActual.h"

namespace sorami::cli {

namespace {

constexpr const char* kBudgetUsage =
    "使い方: sorami-cli budget FILE --month YYYY-MM [--side expense|income]\n"
    "        [--item 項目 --set 金額 [--standard]]\n";

std::optional<BudgetSide> sideOption(const Options& o) {
  const std::string* side = o.value("--side");
  if (side == nullptr || *side == "expense") return BudgetSide::Expense;
  if (*side == "income") return BudgetSide::Income;
  return std::nullopt;
}

Json rateJson(const std::optional<int64_t>& rate) {
  return rate ? Json(*rate) : Json(nullptr);
}

Json rowJson(const BudgetRow& r) {
  return Json{{"item", r.item},          {"name", toUtf8(r.name)}, {"target", r.target},
              {"budget", r.budget},      {"actual", r.actual},     {"rate", rateJson(r.rate)},
              {"remaining", r.remaining}};
}

Json sheetJson(const BudgetSheet& sheet) {
  Json rows = Json::array();
  for (const BudgetRow& r : sheet.rows()) rows.push_back(rowJson(r));
  const BudgetRow& t = sheet.total();
  const BudgetSummary& s = sheet.summary();
  Json lines = Json::array();
  for (const std::u16string& line : sheet.summaryLines()) lines.push_back(toUtf8(line));
  const BudgetMonth b = sheet.budgetMonth();
  return Json{{"caption", toUtf8(sheet.caption())},
              {"start", isoDate(sheet.bounds().first)},
              {"end", isoDate(sheet.bounds().last)},
              {"month", monthText(sheet.shownMonth())},
              {"budgetMonth", monthText(YearMonth{b.year, b.month})},
              {"side", sheet.side() == BudgetSide::Income ? "income" : "expense"},
              {"rows", rows},
              {"total",
               {{"budget", t.budget},
                {"actual", t.actual},
                {"rate", rateJson(t.rate)},
                {"remaining", t.remaining}}},
              {"summary",
               {{"savingsActual", s.savingsActual},
                {"incomeBudget", s.incomeBudget},
                {"expenseBudget", s.expenseBudget},
                {"plannedBalance", s.plannedBalance},
                {"actualBalance", s.actualBalance},
                {"lines", lines}}}};
}

// The item of that name among the rows of a side; a word on `err` when it takes no budget.
const CHinmei* budgetItemNamed(const CHinmeiList& store, const std::string& name, BudgetSide side,
                               std::ostream& err) {
  const std::u16string wanted = fromUtf8(name);
  const uint16_t sideFlag = side == BudgetSide::Income ? EF_INCOME : EF_EXPENSE;
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei* def = store.itemAt(slot);
    if ((def->flags & sideFlag) == 0 || (def->flags & EF_ACCOUNT) != 0 || def->name != wanted) {
      continue;
    }
    if (def->itemOption(1) != 0) return def;
    err << "sorami-cli: 予算の対象ではない項目です: " << name << "\n";
    return nullptr;
  }
  err << "sorami-cli: この側に予算を立てられる項目がありません: " << name << "\n";
  return nullptr;
}

struct Change {
  std::string item;
  int32_t amount = 0;
  bool standard = false;
};

std::optional<Change> changeOptions(const Options& o, bool& wanted, std::ostream& err) {
  const std::string* item = o.value("--item");
  const std::string* set = o.value("--set");
  wanted = item != nullptr || set != nullptr || o.has("--standard");
  if (!wanted || item == nullptr || set == nullptr) return std::nullopt;
  const std::optional<int64_t> amount = parseIntegerOption(*set, err);
  if (!amount) return std::nullopt;
  if (*amount < INT32_MIN || *amount > INT32_MAX) {
    err << toUtf8(formatMessage(MessageId::AmountOutOfRange)) << "\n";
    return std::nullopt;
  }
  return Change{*item, static_cast<int32_t>(*amount), o.has("--standard")};
}

}  // namespace

int runBudget(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<Options> o = parseOptions(
      args, {"--month", "--side", "--item", "--set", "--password", "--holiday-file", "--today"},
      {"--standard", "--yes"}, err);
  if (o && (o->positional.size() != 1 || !todayOptionValid(*o, err))) o.reset();
  const std::optional<YearMonth> month = o ? monthOption(*o, "--month", err) : std::nullopt;
  const std::optional<BudgetSide> side = o ? sideOption(*o) : std::nullopt;
  bool changeWanted = false;
  const std::optional<Change> change = o ? changeOptions(*o, changeWanted, err) : std::nullopt;
  if (!month || !side || (changeWanted && !change)) {
    err << kBudgetUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  ledger.setUp(ledger.doc().today(), DisplayMode::DayInput);
  CBudgetList* budgets = ledger.doc().budgets();
  if (budgets == nullptr) return kExitUnreadable;
  const CConfig& config = ledger.config();
  BudgetSheet sheet(ledger.store(), *budgets, config.periodSettings(),
                    config.fixedTotalsPeriod != 0, ledger.holidays(), config.decimalPlaces);
  const CHinmei* item =
      change ? budgetItemNamed(ledger.store(), change->item, *side, err) : nullptr;
  if (change && item == nullptr) return kExitUsage;
  // The standard budget is saved before the month is shown: showing a month that has no budget
  // of its own makes one, and that one is not the user's change.
  if (change && change->standard) {
    budgets->setAmount({kStandardBudgetYear, kStandardBudgetMonth}, item->item, change->amount);
    if (!ledger.doc().save()) return kExitWriteFailed;
  }
  sheet.setSide(*side);
  sheet.showMonth(*month);
  if (change && !change->standard) {
    sheet.setBudget(item->item, change->amount);
    if (!ledger.doc().save()) return kExitWriteFailed;
  }
  out << sheetJson(sheet).dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
