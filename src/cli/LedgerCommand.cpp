#include "cli/LedgerCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>

#include "cli/Cli.h"
#include "platform/Clock.h"
#include "platform/TextCodec.h"
#include "rules/Calendar.h"

namespace sorami::cli {

std::optional<Options> parseFileCommand(const std::vector<std::string>& args,
                                        std::set<std::string> values, std::ostream& err,
                                        std::set<std::string> flags) {
  values.insert({"--password", "--holiday-file", "--today"});
  flags.insert("--yes");
  std::optional<Options> o = parseOptions(args, values, flags, err);
  if (o && o->positional.size() != 1) return std::nullopt;
  if (const std::string* today = o ? o->value("--today") : nullptr) {
    if (!parseDateOption(*today, err)) return std::nullopt;
  }
  return o;
}

std::optional<Day> dateOption(const Options& options, std::ostream& err) {
  const std::string* text = options.value("--date");
  if (text == nullptr) return std::nullopt;
  return parseDateOption(*text, err);
}

std::optional<CHoliday> holidaysForCommand(const Options& options, Prompts& prompts,
                                           std::ostream& err) {
  CHoliday holidays;
  const std::string* path = options.value("--holiday-file");
  if (path == nullptr) return holidays;
  std::ifstream in(*path, std::ios::binary);
  if (!in) {
    err << "sorami-cli: " << *path << ": " << std::strerror(errno) << "\n";
    return std::nullopt;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const CHoliday::LoadResult result = holidays.loadText(text);
  if (result.dropped > 0) {
    prompts.inform(MessageId::HolidayTableFull,
                   {u16(std::to_string(CHoliday::MaxEntries)), u16(std::to_string(result.dropped))},
                   Icon::Warning);
  }
  return holidays;
}

LedgerCommand::LedgerCommand(std::ostream& err, const Options& options)
    : err_(err), options_(options), document_(err, options) {}

int LedgerCommand::open(const std::string& path) {
  std::optional<CHoliday> holidays = holidaysForCommand(options_, document_.prompts, err_);
  if (!holidays) return kExitUnreadable;
  holidays_ = std::move(*holidays);
  return document_.doc.open(path) ? kExitOk : kExitUnreadable;
}

LedgerSetup LedgerCommand::setupFor(Day day, DisplayMode mode) {
  LedgerSetup setup;
  setup.currentDay = day;
  setup.mode = mode;
  setup.today = today(document_.clock, config().hourOffset);
  setup.prompts = &document_.prompts;
  setup.budgets = document_.doc.budgets();
  return setup;
}

void LedgerCommand::setUp(Day day, DisplayMode mode) {
  applyFileSettings(store(), config(), holidays_, setupFor(day, mode));
}

void LedgerCommand::show(Day day, DisplayMode mode) {
  showWindow(store(), config(), holidays_, setupFor(day, mode));
}

void LedgerCommand::computeTo(Day day) {
  setUp(day, DisplayMode::DayInput);
  // When opening the file computed every balance from the head section to the opening day, the
  // running state moves from there to `day` instead of passing over every line a second time;
  // otherwise it is computed from the head section to `day`.
  store().computeToDay(day);
}

const CHinmei* findItem(const CHinmeiList& store, const std::u16string& text) {
  const int byName = store.itemNumberByName(text, EF_DIRECTION_MASK >> 8);
  if (byName >= 0) return store.itemByNumber(byName);
  if (text.empty() || text.size() > 5) return nullptr;
  int n = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return nullptr;
    n = n * 10 + (c - u'0');
  }
  return store.itemByNumber(n);
}

std::string monthText(YearMonth ym) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d", ym.year, ym.month);
  return text;
}

std::string monthText(Day day) {
  const Ymd ymd = ymdFromDay(day);
  return monthText(YearMonth{ymd.year, ymd.month});
}

std::optional<YearMonth> parseMonthOption(const std::string& text, std::ostream& err) {
  int year = 0;
  int month = 0;
  char rest = 0;
  const bool shaped = text.size() == 7 && text[4] == '-' &&
                      std::sscanf(text.c_str(), "%4d-%2d%c", &year, &month, &rest) == 2;
  if (!shaped || year < 100 || month < 1 || month > 12) {
    err << "sorami-cli: 月は 0100-01 から 9999-12 までを YYYY-MM で指定してください: " << text
        << "\n";
    return std::nullopt;
  }
  return YearMonth{year, month};
}

std::optional<int> boundedOption(const Options& options, const std::string& name, int low, int high,
                                 std::ostream& err) {
  const std::string* text = options.value(name);
  if (text == nullptr) return std::nullopt;
  const std::optional<int64_t> n = parseIntegerOption(*text, err);
  if (!n) return std::nullopt;
  if (*n < low || *n > high) {
    err << "sorami-cli: " << name << " は " << low << " から " << high << " までです。\n";
    return std::nullopt;
  }
  return static_cast<int>(*n);
}

}  // namespace sorami::cli
