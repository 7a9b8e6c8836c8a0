// sorami-cli holidays --year Y [--file FILE] [--holiday-file PATH]: every day of year Y that is a
// holiday (a public, citizens' or substitute holiday, or a bank holiday of the table) with its
// kind and name.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kHolidaysUsage =
    "使い方: sorami-cli holidays --year Y [--file FILE] [--holiday-file PATH]\n";

Json holidaysOfYear(const CHoliday& holidays, int year, int restDays) {
  Json out = Json::array();
  for (Day d = dayFromYmd(year, 1, 1); d <= dayFromYmd(year, 12, 31); ++d) {
    const int kind = holidays.kindOfDay(d);
    if (kind == HK_NONE) continue;
    out.push_back(Json{
        {"date", isoDate(d)}, {"kind", kind}, {"name", toUtf8(holidays.nameOfDay(d, restDays))}});
  }
  return out;
}

}  // namespace

int runHolidays(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseOptions(args, {"--year", "--file", "--holiday-file", "--password"}, {"--yes"}, err);
  const std::optional<int> year = o ? boundedOption(*o, "--year", 100, 9999, err) : std::nullopt;
  if (!year || !o->positional.empty()) {
    err << kHolidaysUsage;
    return kExitUsage;
  }
  // The data file contributes its weekly rest days, the names of the day headings; a day that
  // is listed is a holiday, whose own name comes first.
  if (const std::string* file = o->value("--file")) {
    LedgerCommand ledger(err, *o);
    ledger.readOnly();
    if (const int status = ledger.open(*file); status != kExitOk) return status;
    out << holidaysOfYear(ledger.holidays(), *year, ledger.config().weeklyRestDays).dump(2) << "\n";
    return kExitOk;
  }
  TerminalPrompts prompts(err);
  const std::optional<CHoliday> holidays = holidaysForCommand(*o, prompts, err);
  if (!holidays) return kExitUnreadable;
  out << holidaysOfYear(*holidays, *year, 0).dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
