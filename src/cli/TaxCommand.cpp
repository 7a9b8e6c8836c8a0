// sorami-cli tax: the consumption tax of one amount, as the calculator panel and the tax lines
// compute it.
// sorami-cli calc: keys typed into a numeric field, as the field and the panel calculate them.
// Neither opens a file.

#include <charconv>
#include <cmath>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"
#include "rules/ParsedCalc.h"

namespace sorami::cli {

namespace {

constexpr const char* kTaxUsage =
    "使い方: sorami-cli tax --amount 金額 --rate 税率 --mode outside|inside|none "
    "--rounding down|half|up [--ten-yen] [--decimals D]\n";
constexpr const char* kCalcUsage =
    "使い方: sorami-cli calc --keys キー [--decimals D] [--precedence on|off]\n";

// The index of `text` among `words`; nothing (and a word on `err`) when it is none of them.
std::optional<int> choice(const Options& o, const std::string& name,
                          std::initializer_list<const char*> words, std::ostream& err) {
  const std::string* text = o.value(name);
  if (text == nullptr) return std::nullopt;
  int i = 0;
  for (const char* w : words) {
    if (*text == w) return i;
    ++i;
  }
  err << "sorami-cli: " << name << " の値が違います: " << *text << "\n";
  return std::nullopt;
}

std::optional<double> rateOption(const Options& o, std::ostream& err) {
  const std::string* text = o.value("--rate");
  if (text == nullptr) return std::nullopt;
  double rate = 0;
  const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), rate);
  if (ec != std::errc() || end != text->data() + text->size() || !std::isfinite(rate) || rate < 0 ||
      rate > kMaxTaxRatePercent) {
    err << "sorami-cli: 税率は 0 から 100 までの数で指定してください: " << *text << "\n";
    return std::nullopt;
  }
  return rate;
}

std::optional<int32_t> amountOption(const Options& o, std::ostream& err) {
  const std::string* text = o.value("--amount");
  if (text == nullptr) return std::nullopt;
  const std::optional<int64_t> amount = parseIntegerOption(*text, err);
  if (!amount) return std::nullopt;
  if (*amount < INT32_MIN || *amount > INT32_MAX) {
    err << toUtf8(formatMessage(MessageId::AmountOutOfRange)) << "\n";
    return std::nullopt;
  }
  return static_cast<int32_t>(*amount);
}

// The calculator's messages, remembered for the JSON and shown on standard error.
class CalcPrompts : public TerminalPrompts {
 public:
  using TerminalPrompts::TerminalPrompts;
  void inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) override {
    last = formatMessage(id, args);
    TerminalPrompts::inform(id, args, icon);
  }
  std::optional<std::u16string> last;
};

}  // namespace

int runTax(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseOptions(
      args, {"--amount", "--rate", "--mode", "--rounding", "--decimals"}, {"--ten-yen"}, err);
  if (!o || !o->positional.empty()) {
    err << kTaxUsage;
    return kExitUsage;
  }
  const std::optional<int32_t> amount = amountOption(*o, err);
  const std::optional<double> rate = rateOption(*o, err);
  const std::optional<int> mode = choice(*o, "--mode", {"none", "outside", "inside"}, err);
  const std::optional<int> rounding = choice(*o, "--rounding", {"down", "up", "half"}, err);
  const std::optional<int> decimals =
      o->value("--decimals") ? boundedOption(*o, "--decimals", 0, 3, err) : 0;
  if (!amount || !rate || !mode || !rounding || !decimals) {
    err << kTaxUsage;
    return kExitUsage;
  }
  TaxSettings s;
  s.rate = TaxRate::fromPercent(*rate);
  s.rounding = *rounding;
  s.tenYen = o->has("--ten-yen");
  s.decimalPlaces = *decimals;
  const int64_t tax = computeTax(*amount, s, *mode);
  const int64_t net = *mode == TAX_INSIDE ? *amount - tax : *amount;
  out << Json{{"tax", tax}, {"net", net}, {"gross", net + tax}}.dump(2) << "\n";
  return kExitOk;
}

int runCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseOptions(args, {"--keys", "--decimals", "--precedence"}, {}, err);
  const std::string* keys = o ? o->value("--keys") : nullptr;
  const std::optional<int> decimals =
      o && o->value("--decimals") ? boundedOption(*o, "--decimals", 0, 3, err) : 0;
  const std::optional<int> precedence =
      o && o->value("--precedence") ? choice(*o, "--precedence", {"off", "on"}, err) : 0;
  if (!o || !o->positional.empty() || !keys || !decimals || !precedence) {
    err << kCalcUsage;
    return kExitUsage;
  }
  CalcPrompts prompts(err);
  ParsedCalc calc(&prompts);
  calc.settings().decimalPlaces = *decimals;
  calc.settings().precedence = *precedence != 0;
  std::u16string text;
  for (char16_t c : fromUtf8(*keys)) {
    switch (calc.key(c, text)) {
      case ParsedCalc::Outcome::Insert:
        text.push_back(c);
        break;
      case ParsedCalc::Outcome::Handled:
        break;
      case ParsedCalc::Outcome::PassOn:
        err << "sorami-cli: 電卓のキーではありません: " << toUtf8(std::u16string(1, c)) << "\n"
            << kCalcUsage;
        return kExitUsage;
    }
  }
  out << Json{{"display", toUtf8(text)},
              {"value", calc.value(text)},
              {"error", prompts.last ? Json(toUtf8(*prompts.last)) : Json(nullptr)}}
             .dump(2)
      << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
