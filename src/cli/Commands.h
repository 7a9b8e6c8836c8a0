#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace sorami::cli {

struct Command {
  const char* name;
  std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)> run;
};

int runDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runResave(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runAdd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runBalance(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runTotals(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runPeriod(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runHolidays(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runMatrix(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runClosePeriod(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

int runGenerate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reports: budget and actual, the annual summary, the graphs.
int runBudget(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runAnnual(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runGraph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The diary, the calendar and the search.
int runDiary(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runDiarySearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCalendar(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Bank and card statements.
int runImportStatement(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Special names, accounts and loans.
int runNames(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runAccounts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runAccount(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Automatic entries.
int runRules(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runRule(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runRunDue(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Credit cards.
int runCards(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCard(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runSettle(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Consumption tax and the numeric field.
int runTax(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Items, data moves and the cash balance change.
int runItems(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runItem(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runMove(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runAdjustCash(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Every command of the program, in the order the usage text lists them.
const std::vector<Command>& commands();

}  // namespace sorami::cli
