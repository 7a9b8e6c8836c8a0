// sorami-cli cards FILE: the loans that are credit cards, with their settings.
// sorami-cli card FILE --loan NAME ...: sets a card's settings and saves; a loan that is no
// card yet becomes one (--off makes it a plain loan again).
// sorami-cli settle FILE [--today D] [--dry-run]: the settlement of the cards whose closing has
// passed, as opening the file in the program runs it (with the automatic entries that follow);
// --dry-run computes the same and leaves the file as it was.

#include <charconv>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "cli/StartUpCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kCardsUsage = "使い方: sorami-cli cards FILE\n";
constexpr const char* kCardUsage =
    "使い方: sorami-cli card FILE --loan 借入名 [--closing-day N] [--payment-day N]\n"
    "         [--payment-account 口座名] [--payment-offset N] [--next-closing YYYY-MM]\n"
    "         [--closing-holiday stay|before|after] [--payment-holiday stay|before|after]\n"
    "         [--revolving fixed|rate|off [--amount N] [--bound N] [--rate R] [--minimum N]\n"
    "          [--fee-rate R] [--fee-added-to payment|balance] [--first-fee none|pay]]\n"
    "         [--off]\n";
constexpr const char* kSettleUsage =
    "使い方: sorami-cli settle FILE [--today YYYY-MM-DD] [--dry-run]\n";

constexpr int kHighestAmount = 999999999;
constexpr int kLongestOffset = 12;
constexpr double kHighestRate = 100;

const char* const kHolidayWords[] = {"stay", "before", "after"};

Json revolvingJson(const CardSettings& c) {
  return Json{{"method", c.method == 1 ? "rate" : "fixed"},
              {"bounds", c.balanceBounds},
              {"payments", c.payments},
              {"rate", c.paymentRate},
              {"minimum", c.minimumPayment},
              {"feeRate", c.feeRate},
              {"feeAddedTo", c.feeAddedTo == 0 ? "payment" : "balance"},
              {"firstFee", c.feeAtFirstSettlement != 0 ? "pay" : "none"},
              {"carried", c.carriedBalance}};
}

const char* holidayWord(int rule) {
  return rule >= 0 && rule <= 2 ? kHolidayWords[rule] : kHolidayWords[0];
}

Json cardJson(const CAccount& loan) {
  const CardSettings& c = *loan.card;
  return Json{{"loan", toUtf8(loan.name)},
              {"paymentAccount", toUtf8(c.settlementAccount)},
              {"closingDay", c.closingDay},
              {"closingHoliday", holidayWord(c.closingHolidayRule)},
              {"paymentOffset", c.paymentMonthOffset},
              {"paymentDay", c.paymentDay},
              {"paymentHoliday", holidayWord(c.paymentHolidayRule)},
              {"revolving", c.revolving != 0 ? revolvingJson(c) : Json(nullptr)},
              {"nextClosing", monthText(YearMonth{c.nextClosingYear, c.nextClosingMonth})}};
}

Json settlementJson(const CardSettlement& s) {
  Json rule(nullptr);
  if (s.rule) rule = Json{{"date", isoDate(cardRuleDate(*s.rule))}, {"amount", s.rule->baseAmount}};
  return Json{{"loan", toUtf8(s.loan)},
              {"closing", isoDate(s.period.closing)},
              {"periodStart", isoDate(s.period.start)},
              {"periodEnd", isoDate(s.period.closing)},
              {"purchases", s.purchases},
              {"fee", s.fee},
              {"due", s.due},
              {"carried", s.carried},
              {"rule", rule},
              {"nextClosing", monthText(s.nextClosing)}};
}

std::optional<double> rateOption(const Options& o, const std::string& name, std::ostream& err) {
  const std::string& text = *o.value(name);
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !(value >= 0) ||
      value > kHighestRate) {
    err << "sorami-cli: " << name << " は 0 から 100 までの数です: " << text << "\n";
    return std::nullopt;
  }
  return value;
}

// The value of a choice among `words`, as its index; nothing (and a word on `err`) when the
// option names none of them.
template <size_t N>
std::optional<int> wordOption(const Options& o, const std::string& name,
                              const char* const (&words)[N], std::ostream& err) {
  const std::string& text = *o.value(name);
  for (size_t i = 0; i < N; ++i) {
    if (text == words[i]) return static_cast<int>(i);
  }
  err << "sorami-cli: " << name << " の値が違います: " << text << "\n";
  return std::nullopt;
}

// Applies the options to the settings; false after a word on `err` about a bad value.
bool applyOptions(const Options& o, CHinmeiList& store, CardSettings& c, std::ostream& err) {
  const auto number = [&](const char* name, int low, int high, int32_t& field) {
    if (!o.value(name)) return true;
    const std::optional<int> v = boundedOption(o, name, low, high, err);
    if (v) field = *v;
    return v.has_value();
  };
  const auto word = [&](const char* name, const auto& words, int32_t& field) {
    if (!o.value(name)) return true;
    const std::optional<int> v = wordOption(o, name, words, err);
    if (v) field = *v;
    return v.has_value();
  };
  const auto rate = [&](const char* name, double& field) {
    if (!o.value(name)) return true;
    const std::optional<double> v = rateOption(o, name, err);
    if (v) field = *v;
    return v.has_value();
  };
  static const char* const kRevolvingWords[] = {"fixed", "rate", "off"};
  static const char* const kAddedToWords[] = {"payment", "balance"};
  static const char* const kFirstFeeWords[] = {"none", "pay"};
  int32_t revolving = -1;
  if (!number("--closing-day", 1, 31, c.closingDay) ||
      !number("--payment-day", 1, 31, c.paymentDay) ||
      !number("--payment-offset", 0, kLongestOffset, c.paymentMonthOffset) ||
      !word("--closing-holiday", kHolidayWords, c.closingHolidayRule) ||
      !word("--payment-holiday", kHolidayWords, c.paymentHolidayRule) ||
      !word("--revolving", kRevolvingWords, revolving) ||
      !number("--bound", 0, kHighestAmount, c.balanceBounds[0]) ||
      !number("--minimum", 0, kHighestAmount, c.minimumPayment) || !rate("--rate", c.paymentRate) ||
      !rate("--fee-rate", c.feeRate) || !word("--fee-added-to", kAddedToWords, c.feeAddedTo) ||
      !word("--first-fee", kFirstFeeWords, c.feeAtFirstSettlement)) {
    return false;
  }
  if (revolving >= 0) {
    c.revolving = revolving == 2 ? 0 : 1;
    if (revolving < 2) c.method = revolving;
  }
  // The monthly payment: of the table's first row, or the least a rate pays.
  if (!number("--amount", 0, kHighestAmount, c.method == 1 ? c.minimumPayment : c.payments[0])) {
    return false;
  }
  if (const std::string* month = o.value("--next-closing")) {
    const std::optional<YearMonth> ym = parseMonthOption(*month, err);
    if (!ym) return false;
    c.nextClosingYear = ym->year;
    c.nextClosingMonth = ym->month;
  }
  if (const std::string* account = o.value("--payment-account")) {
    const std::u16string name = fromUtf8(*account);
    if (!store.findAccount(name)) {
      err << "sorami-cli: その口座は登録されていません: " << *account << "\n";
      return false;
    }
    c.settlementAccount = name;
  }
  return true;
}

}  // namespace

int runCards(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {}, err);
  if (!o) {
    err << kCardsUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  Json cards = Json::array();
  for (const CAccount& loan : ledger.store().accounts(kKindLoan)) {
    if (loan.cardFlag != 0 && loan.card) cards.push_back(cardJson(loan));
  }
  out << Json{{"cards", cards}}.dump(2) << "\n";
  return kExitOk;
}

int runCard(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(
      args,
      {"--loan", "--closing-day", "--payment-day", "--payment-account", "--payment-offset",
       "--next-closing", "--closing-holiday", "--payment-holiday", "--revolving", "--amount",
       "--bound", "--rate", "--minimum", "--fee-rate", "--fee-added-to", "--first-fee"},
      err, {"--off"});
  if (!o || !o->value("--loan")) {
    err << kCardUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.holdForSaving();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  CHinmeiList& store = ledger.store();
  const std::u16string name = fromUtf8(*o->value("--loan"));
  const CAccount* loan = store.findLoan(name);
  if (loan == nullptr || loan->definition == nullptr) {
    err << "sorami-cli: その借入は登録されていません: " << *o->value("--loan") << "\n";
    return kExitUsage;
  }
  const Ymd today = ymdFromDay(ledger.doc().today());
  CardSettings settings =
      loan->card ? *loan->card : CardSettings::newRecord(today.year, today.month);
  if (!applyOptions(*o, store, settings, err)) {
    err << kCardUsage;
    return kExitUsage;
  }
  const std::u16string before(loan->definition->tailView());
  store.setCardSettings(name, settings, !o->has("--off"));
  loan = store.findLoan(name);
  if (std::u16string(loan->definition->tailView()) != before && !ledger.doc().save()) {
    return kExitWriteFailed;
  }
  out << Json{{"card", loan->cardFlag != 0 ? cardJson(*loan) : Json(nullptr)}}.dump(2) << "\n";
  return kExitOk;
}

int runSettle(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {}, err, {"--dry-run"});
  if (!o) {
    err << kSettleUsage;
    return kExitUsage;
  }
  const bool dryRun = o->has("--dry-run");
  LedgerCommand ledger(err, *o);
  if (!dryRun) ledger.holdForSaving();
  StartUpResult result;
  if (const int status = openWithStartUp(ledger, o->positional[0], result); status != kExitOk) {
    return status;
  }
  if (!dryRun) {
    if (const int status = saveAfterStartUp(ledger, result); status != kExitOk) return status;
  }
  Json settlements = Json::array();
  for (const CardSettlement& s : result.settlements) settlements.push_back(settlementJson(s));
  out << Json{{"settlements", settlements}}.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
