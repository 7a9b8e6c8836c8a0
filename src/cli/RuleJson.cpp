#include "cli/RuleJson.h"

#include "ledger/AutoEntries.h"
#include "ledger/RuleSettings.h"
#include "platform/TextCodec.h"
#include "rules/Calendar.h"

namespace sorami::cli {

namespace {

const char* kindName(int code) {
  switch (scheduleKind(code)) {
    case ScheduleKind::MonthlyDay:
      return "monthly";
    case ScheduleKind::MonthlyWeekday:
      return "monthlyWeekday";
    case ScheduleKind::OddMonths:
      return "oddMonths";
    case ScheduleKind::EvenMonths:
      return "evenMonths";
    case ScheduleKind::Yearly:
      return "yearly";
    case ScheduleKind::YearlyWeekday:
      return "yearlyWeekday";
    case ScheduleKind::FixedDate:
      return "fixedDate";
    case ScheduleKind::Unknown:
      break;
  }
  return "unknown";
}

// A stored execution date; its day may be a schedule code, so it is taken within its month.
nlohmann::ordered_json executionDate(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12) return nullptr;
  return isoDate(clampDay(year, month, day));
}

}  // namespace

nlohmann::ordered_json ruleJson(CHinmeiList& store, const CAutoRule& rule, int index,
                                int decimalPlaces) {
  return nlohmann::ordered_json{
      {"index", index},
      {"text", toUtf8(rule.toText())},
      {"description", toUtf8(rule.describe())},
      {"source", toUtf8(ruleColumnText(store, rule, RC_SOURCE, decimalPlaces))},
      {"destination", toUtf8(ruleColumnText(store, rule, RC_DESTINATION, decimalPlaces))},
      {"amount", rule.baseAmount},
      {"kind", kindName(rule.scheduleCode)},
      {"executed", rule.executedCount},
      {"planned", rule.plannedCount},
      {"lastOrdinary", executionDate(rule.lastYear, rule.lastMonth, rule.lastDay)},
      {"lastSpecial",
       executionDate(rule.lastSpecialYear, rule.lastSpecialMonth, rule.lastSpecialDay)},
      {"active", !ruleFault(store, rule)}};
}

}  // namespace sorami::cli
