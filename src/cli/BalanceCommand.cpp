// sorami-cli balance FILE --date D: cash, every account and loan and the total assets at the start
// of day D.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kBalanceUsage = "使い方: sorami-cli balance FILE --date YYYY-MM-DD\n";

Json balancesJson(const std::vector<CAccount>& accounts) {
  Json out = Json::array();
  for (const CAccount& a : accounts) {
    out.push_back(Json{{"name", toUtf8(a.name)}, {"balance", a.balance}});
  }
  return out;
}

}  // namespace

int runBalance(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o = parseFileCommand(args, {"--date"}, err);
  const std::optional<Day> day = o ? dateOption(*o, err) : std::nullopt;
  if (!day) {
    err << kBalanceUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  ledger.figuresOnDemand();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  ledger.computeTo(*day);
  CHinmeiList& store = ledger.store();
  const Json j{{"date", isoDate(*day)},
               {"cash", store.cashBalance()},
               {"accounts", balancesJson(store.accounts(kKindAccount))},
               {"loans", balancesJson(store.accounts(kKindLoan))},
               {"accountsTotal", store.rowValue(ITEM_ACCOUNT_BALANCE)},
               {"loansTotal", store.rowValue(ITEM_LOAN_BALANCE)},
               {"totalAssets", store.rowValue(ITEM_TOTAL_ASSETS)}};
  out << j.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
