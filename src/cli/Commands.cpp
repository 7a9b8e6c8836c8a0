#include "cli/Commands.h"

namespace sorami::cli {

const std::vector<Command>& commands() {
  static const std::vector<Command> all = {{"dump", runDump},
                                           {"resave", runResave},
                                           {"new", runNew},
                                           {"check", runCheck},
                                           {"balance", runBalance},
                                           {"totals", runTotals},
                                           {"period", runPeriod},
                                           {"holidays", runHolidays},
                                           {"matrix", runMatrix},
                                           {"add", runAdd},
                                           {"close-period", runClosePeriod},
                                           {"generate", runGenerate},
                                           {"export", runExport},
                                           {"import", runImport},
                                           // Reports
                                           {"budget", runBudget},
                                           {"annual", runAnnual},
                                           {"graph", runGraph},
                                           // The diary, the calendar and the search.
                                           {"diary", runDiary},
                                           {"diary-search", runDiarySearch},
                                           {"search", runSearch},
                                           {"calendar", runCalendar},
                                           // Special names, accounts and loans.
                                           {"names", runNames},
                                           {"accounts", runAccounts},
                                           {"account", runAccount},
                                           // Bank and card statements.
                                           {"import-statement", runImportStatement},
                                           // Automatic entries.
                                           {"rules", runRules},
                                           {"rule", runRule},
                                           {"run-due", runRunDue},
                                           // Credit cards.
                                           {"cards", runCards},
                                           {"card", runCard},
                                           {"settle", runSettle},
                                           // Consumption tax and the numeric field.
                                           {"tax", runTax},
                                           {"calc", runCalc},
                                           // Items, data moves and the cash balance change.
                                           {"items", runItems},
                                           {"item", runItem},
                                           {"move", runMove},
                                           {"adjust-cash", runAdjustCash}};
  return all;
}

}  // namespace sorami::cli
