// sorami-cli calendar --month YYYY-MM [--file FILE] [--holiday-file PATH]: every day of the
// month as the calendar window marks it: its holiday kind and name, and whether it is a weekly
// rest day (of the file, or of a new file's settings without one).

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kCalendarUsage =
    "使い方: sorami-cli calendar --month YYYY-MM [--file FILE] [--holiday-file PATH]\n";

Json monthJson(YearMonth month, const CHoliday& holidays, unsigned restDays) {
  Json days = Json::array();
  const Day first = dayFromYmd(month.year, month.month, 1);
  for (Day d = first; d <= lastDayOfMonth(month.year, month.month); ++d) {
    const int weekday = weekdayOf(d);
    const std::u16string name = holidays.nameOfDay(d);
    days.push_back(Json{{"date", isoDate(d)},
                        {"weekday", weekday},
                        {"kind", holidays.kindOfDay(d)},
                        {"name", name.empty() ? Json(nullptr) : Json(toUtf8(name))},
                        {"rest", ((restDays >> weekday) & 1U) != 0}});
  }
  return Json{{"month", monthText(month)}, {"days", std::move(days)}};
}

}  // namespace

int runCalendar(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseOptions(
      args, {"--month", "--file", "--holiday-file", "--password", "--today"}, {"--yes"}, err);
  const std::string* monthArg = o ? o->value("--month") : nullptr;
  const std::optional<YearMonth> month = monthArg ? parseMonthOption(*monthArg, err) : std::nullopt;
  const std::string* today = o ? o->value("--today") : nullptr;
  if (!month || !o->positional.empty() || (today && !parseDateOption(*today, err))) {
    err << kCalendarUsage;
    return kExitUsage;
  }
  if (const std::string* file = o->value("--file")) {
    LedgerCommand ledger(err, *o);
    ledger.readOnly();
    if (const int status = ledger.open(*file); status != kExitOk) return status;
    const auto restDays = static_cast<unsigned>(ledger.config().weeklyRestDays);
    out << monthJson(*month, ledger.holidays(), restDays).dump(2) << "\n";
    return kExitOk;
  }
  TerminalPrompts prompts(err);
  const std::optional<CHoliday> holidays = holidaysForCommand(*o, prompts, err);
  if (!holidays) return kExitUnreadable;
  out << monthJson(*month, *holidays, static_cast<unsigned>(CConfig().weeklyRestDays)).dump(2)
      << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
