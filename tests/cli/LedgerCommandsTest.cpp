#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "config/Config.h"
#include "config/DefaultData.h"
#include "document/DataFile.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Args = std::vector<std::string>;

// Item numbers of a new file with 14 expense and 5 income items.
constexpr uint16_t kFood = 4;
constexpr uint16_t kIntoAccount = 12;
constexpr uint16_t kSalary = 14;
constexpr uint16_t kBorrow = 18;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun runCli(const Args& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = run(args, out, err);
  return {status, out.str(), err.str()};
}

Json runJson(const Args& args) {
  const CliRun r = runCli(args);
  EXPECT_EQ(r.status, kExitOk) << r.err;
  return r.status == kExitOk ? Json::parse(r.out) : Json();
}

// A ledger with 10,000 in cash, the account 普通預金 (5,000 to start with), the loan カード and
// the loan 親 outside the assets, and six lines in March 2024.
void writeLedger(const fs::path& path, const std::function<void(CConfig&)>& settings = {}) {
  CConfig config;
  if (settings) settings(config);
  NewLedger ledger = buildNewLedger(config, {14, 5, 10000, false});
  CHinmeiList& s = *ledger.entries;
  s.context().today = dayFromYmd(2024, 3, 1);
  s.registerAccount(u"普通預金", kKindAccount, -1, 5000);
  s.registerAccount(u"カード", kKindLoan, -1, 0);
  (*s.registerAccount(u"親", kKindLoan, -1, 0))->flags |= EF_OUTSIDE_ASSETS;
  const struct {
    int day;
    uint16_t item, flags;
    const char16_t* name;
    int32_t amount;
  } lines[] = {{1, kFood, EF_EXPENSE, u"パン", 1200},
               {5, kSalary, EF_INCOME, u"給与", 300000},
               {10, kIntoAccount, EF_EXPENSE | EF_ACCOUNT, u"普通預金", 3000},
               {15, kBorrow, EF_INCOME | EF_LOAN, u"カード", 2000},
               {20, kBorrow, EF_INCOME | EF_LOAN, u"親", 1000},
               {26, kFood, EF_EXPENSE, u"米", 800}};
  for (const auto& l : lines) {
    ASSERT_TRUE(s.insert(
        CHinmei(dayFromYmd(2024, 3, l.day), l.item, l.flags, l.name, u"", l.amount), -1, false));
  }
  replaceFile(path, dataFileBytes(config, s, ledger.budgets.get()));
}

void closingDay25(CConfig& c) {
  c.closingDay = 25;
}

class LedgerCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-ledger-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / "a.mtb").string();
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
  std::string path;
};

TEST_F(LedgerCommands, BalanceAtTheStartOfADay) {
  writeLedger(path);
  Json j = runJson({"balance", path, "--date", "2024-03-21"});
  EXPECT_EQ(j["cash"], 308800);
  EXPECT_EQ(j["accounts"], Json::parse(R"([{"name": "普通預金", "balance": 8000}])"));
  EXPECT_EQ(j["loans"], Json::parse(R"([{"name": "カード", "balance": 2000},
                                         {"name": "親", "balance": 1000}])"));
  EXPECT_EQ(j["accountsTotal"], 8000);
  // The balances to a day count every loan, also one outside the assets.
  EXPECT_EQ(j["loansTotal"], 3000);
  EXPECT_EQ(j["totalAssets"], 313800);
  // The lines of the day itself are not in yet.
  j = runJson({"balance", path, "--date", "2024-03-20"});
  EXPECT_EQ(j["cash"], 307800);
  EXPECT_EQ(j["loansTotal"], 2000);
  // Whatever day the file is opened on, before, inside or after the lines.
  for (const char* today : {"2024-02-01", "2024-03-10", "2024-03-21", "2024-04-01"}) {
    j = runJson({"balance", path, "--date", "2024-03-21", "--today", today});
    EXPECT_EQ(j["cash"], 308800) << today;
    EXPECT_EQ(j["totalAssets"], 313800) << today;
    j = runJson({"balance", path, "--date", "2024-03-11", "--today", today});
    EXPECT_EQ(j["cash"], 305800) << today;
    EXPECT_EQ(j["accountsTotal"], 8000) << today;
  }
}

TEST_F(LedgerCommands, TotalsOfADayAndOfItsAccountingPeriod) {
  writeLedger(path, closingDay25);
  // The day: borrowing from a loan outside the assets raises the assets, not the loans.
  Json j = runJson({"totals", path, "--date", "2024-03-20", "--mode", "day"});
  EXPECT_EQ(j["start"], "2024-03-20");
  EXPECT_EQ(j["end"], "2024-03-20");
  EXPECT_EQ(j["前日残高"], 307800);
  EXPECT_EQ(j["現金残高"], 308800);
  EXPECT_EQ(j["収入合計"], 0);
  EXPECT_EQ(j["支出合計"], 0);
  EXPECT_EQ(j["口座残高"], 8000);
  EXPECT_EQ(j["借入残高"], 2000);
  EXPECT_EQ(j["総資産"], 314800);
  ASSERT_EQ(j["items"].size(), 19u);
  EXPECT_EQ(j["items"][kBorrow]["name"], "借入");
  EXPECT_EQ(j["items"][kBorrow]["total"], 1000);
  EXPECT_EQ(j["items"][kFood]["total"], 0);

  // The period 26 February to 25 March leaves out the line of the 26th.
  j = runJson({"totals", path, "--date", "2024-03-20", "--mode", "period"});
  EXPECT_EQ(j["start"], "2024-02-26");
  EXPECT_EQ(j["end"], "2024-03-25");
  EXPECT_EQ(j["前日残高"], 10000);
  EXPECT_EQ(j["現金残高"], 308800);
  EXPECT_EQ(j["収入合計"], 300000);  // borrowing is no income unless the option says so
  EXPECT_EQ(j["支出合計"], 1200);    // nor is a deposit an expense
  EXPECT_EQ(j["総資産"], 314800);
  EXPECT_EQ(j["items"][kFood]["total"], 1200);
  EXPECT_EQ(j["items"][kIntoAccount]["total"], 3000);
  EXPECT_EQ(j["items"][kBorrow]["total"], 3000);
  for (const Json& item : j["items"]) EXPECT_TRUE(item["budget"].is_number_integer());
}

TEST_F(LedgerCommands, TotalsFollowTheFileOptions) {
  writeLedger(path, [](CConfig& c) {
    c.savingsInTotals = 1;
    c.loansInTotals = 1;
  });
  const Json j = runJson({"totals", path, "--date", "2024-03-15", "--mode", "period"});
  EXPECT_EQ(j["収入合計"], 303000);
  EXPECT_EQ(j["支出合計"], 5000);
}

TEST_F(LedgerCommands, PeriodWithClosingDay25) {
  const struct {
    const char* date;
    bool namedByStart;
    const char *start, *end, *naming;
  } cases[] = {{"2024-01-25", false, "2023-12-26", "2024-01-25", "2024-01"},
               {"2024-01-26", false, "2024-01-26", "2024-02-25", "2024-02"},
               {"2024-01-25", true, "2023-12-26", "2024-01-25", "2023-12"},
               {"2024-01-26", true, "2024-01-26", "2024-02-25", "2024-01"}};
  for (const auto& c : cases) {
    writeLedger(path, [&](CConfig& config) {
      config.closingDay = 25;
      config.closedMonthNaming = c.namedByStart ? 1 : 0;
    });
    const Json j = runJson({"period", path, "--date", c.date});
    EXPECT_EQ(j, Json({{"start", c.start}, {"end", c.end}, {"naming", c.naming}}))
        << c.date << " " << c.namedByStart;
  }
}

TEST_F(LedgerCommands, HolidaysOfAYear) {
  const Json j = runJson({"holidays", "--year", "2026"});
  const auto find = [&](const Json& list, const std::string& date) {
    for (const Json& d : list) {
      if (d["date"] == date) return d;
    }
    return Json();
  };
  EXPECT_EQ(find(j, "2026-09-21"),
            Json({{"date", "2026-09-21"}, {"kind", 1}, {"name", "敬老の日"}}));
  EXPECT_EQ(find(j, "2026-09-22"),
            Json({{"date", "2026-09-22"}, {"kind", 1}, {"name", "国民の休日"}}));
  EXPECT_EQ(find(j, "2026-09-23"),
            Json({{"date", "2026-09-23"}, {"kind", 1}, {"name", "秋分の日"}}));
  EXPECT_EQ(find(j, "2026-01-02"),
            Json({{"date", "2026-01-02"}, {"kind", 4}, {"name", "銀行休日"}}));
  // 2026-05-06: Constitution Day fell on a Sunday.
  EXPECT_EQ(find(j, "2026-05-06")["kind"], 2);
  EXPECT_TRUE(find(j, "2026-01-04").is_null());  // a Sunday, but no holiday

  // A table of one's own: a bank holiday is listed, a named day that is no holiday is not.
  const fs::path table = dir / "HOLIDAY.TXT";
  std::ofstream(table, std::ios::binary) << "4,8,14,夏季休業\r\n0,3,3,ひなまつり\r\n";
  const Json own = runJson({"holidays", "--year", "2026", "--holiday-file", table.string()});
  EXPECT_EQ(find(own, "2026-08-14")["kind"], 4);
  EXPECT_TRUE(find(own, "2026-03-03").is_null());
  EXPECT_TRUE(find(own, "2026-01-02").is_null());
  EXPECT_EQ(find(own, "2026-09-22")["name"], "国民の休日");  // the rules stay

  writeLedger(path);
  EXPECT_EQ(runJson({"holidays", "--year", "2026", "--file", path}), j);
}

TEST_F(LedgerCommands, MatrixColumnsAreAccountingMonths) {
  writeLedger(path, closingDay25);
  const Json j = runJson({"matrix", path, "--year", "2024", "--month", "3", "--months", "2"});
  EXPECT_EQ(j["start"], "2024-01-26");
  EXPECT_EQ(j["end"], "2024-03-25");
  EXPECT_EQ(j["columns"], Json({"2024-02", "2024-03"}));
  ASSERT_EQ(j["rows"].size(), 52u);
  for (const Json& row : j["rows"]) ASSERT_EQ(row.size(), 3u);
  EXPECT_EQ(j["rows"][kFood], Json({1200, 0, 1200}));  // the 26th is April's
  EXPECT_EQ(j["rows"][kSalary], Json({300000, 0, 300000}));
  EXPECT_EQ(j["rows"][48], Json({308800, 10000, 308800}));  // cash
  EXPECT_EQ(j["rows"][49], Json({8000, 5000, 8000}));       // accounts
  EXPECT_EQ(j["rows"][50], Json({3000, 0, 3000}));          // loans
  EXPECT_EQ(j["rows"][51], Json({313800, 15000, 313800}));  // total assets
}

TEST_F(LedgerCommands, AddPlacesTheLineAtTheEndOfItsDayAndSaves) {
  writeLedger(path);
  Json j = runJson({"add", path, "--date", "2024-03-20", "--item", "食費", "--name", "牛乳",
                    "--amount", "250", "--memo", "朝"});
  EXPECT_EQ(j["item"], kFood);
  EXPECT_EQ(j["registered"], nullptr);
  // By number too, and a transfer to an account not registered yet.
  runJson(
      {"add", path, "--date", "2024-03-20", "--item", "12", "--name", "新口座", "--amount", "700"});
  const CliRun r = runCli({"add", path, "--date", "2024-03-20", "--item", "貯蓄入", "--name",
                           " 積立 ", "--amount", "100"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(Json::parse(r.out)["registered"], "貯蓄項目");
  EXPECT_NE(r.err.find("「積立」を貯蓄項目に登録しました。"), std::string::npos);

  j = runJson({"balance", path, "--date", "2024-03-21"});
  EXPECT_EQ(j["cash"], 308800 - 250 - 700 - 100);
  EXPECT_EQ(j["accounts"], Json::parse(R"([{"name": "普通預金", "balance": 8000},
                                            {"name": "新口座", "balance": 700},
                                            {"name": "積立", "balance": 100}])"));
  EXPECT_EQ(j["totalAssets"], 313800 - 250);

  std::vector<std::string> day20;
  const Json dumped = runJson({"dump", path});
  for (const Json& e : dumped["entries"]) {
    if (e["date"] == "2024-03-20") day20.push_back(e["name"]);
  }
  EXPECT_EQ(day20, (std::vector<std::string>{"親", "牛乳", "新口座", "積立"}));
}

TEST_F(LedgerCommands, AddRefusesWithoutTouchingTheFile) {
  writeLedger(path);
  const std::optional<std::vector<uint8_t>> before = readWholeFile(path);
  const struct {
    Args args;
    const char* message;
  } cases[] = {
      {{"--item", "食費", "--name", "x", "--amount", "0"}, "金額がｾﾞﾛのﾃﾞｰﾀは入力出来ません。"},
      {{"--item", "食費", "--name", "　 ", "--amount", "5"}, "空白は登録できません。"},
      {{"--item", "なし", "--name", "x", "--amount", "5"}, "項目はありません"},
      {{"--item", "食費", "--name", "x", "--amount", "2147483648"}, "扱える範囲"},
  };
  for (const auto& c : cases) {
    Args args{"add", path, "--date", "2024-03-20"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = runCli(args);
    EXPECT_EQ(r.status, kExitUsage) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(readWholeFile(path), before);
}

TEST_F(LedgerCommands, ExitStatuses) {
  writeLedger(path);
  const std::string missing = (dir / "none.mtb").string();
  const std::string broken = (fs::path(SORAMI_FIXTURES) / "truncated-in-entry.mtb").string();
  const struct {
    Args args;
    int status;
  } cases[] = {
      {{"balance", path}, kExitUsage},
      {{"balance", path, "--date", "2024-02-30"}, kExitUsage},
      {{"balance", "--date", "2024-03-01"}, kExitUsage},
      {{"totals", path, "--date", "2024-03-01"}, kExitUsage},
      {{"totals", path, "--date", "2024-03-01", "--mode", "week"}, kExitUsage},
      {{"period", path, "--date", "x"}, kExitUsage},
      {{"holidays"}, kExitUsage},
      {{"holidays", "--year", "2026", "extra"}, kExitUsage},
      {{"matrix", path, "--year", "2024", "--month", "13", "--months", "1"}, kExitUsage},
      {{"matrix", path, "--year", "2024", "--month", "3", "--months", "61"}, kExitUsage},
      {{"add", path, "--date", "2024-03-01", "--item", "食費"}, kExitUsage},
      {{"balance", missing, "--date", "2024-03-01"}, kExitUnreadable},
      {{"totals", broken, "--date", "2024-03-01", "--mode", "day"}, kExitUnreadable},
      {{"matrix", missing, "--year", "2024", "--month", "3", "--months", "1"}, kExitUnreadable},
      {{"add", missing, "--date", "2024-03-01", "--item", "食費", "--name", "x", "--amount", "1"},
       kExitUnreadable},
      {{"holidays", "--year", "2026", "--file", missing}, kExitUnreadable},
      {{"holidays", "--year", "2026", "--holiday-file", missing}, kExitUnreadable},
      {{"period", path, "--date", "2024-03-01", "--holiday-file", missing}, kExitUnreadable},
  };
  for (const auto& c : cases) {
    const CliRun r = runCli(c.args);
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    EXPECT_EQ(r.status, c.status) << line << r.err;
    EXPECT_TRUE(r.out.empty()) << line;
    EXPECT_FALSE(r.err.empty()) << line;
  }
  EXPECT_FALSE(fs::exists(missing));
}

}  // namespace
}  // namespace sorami::cli
