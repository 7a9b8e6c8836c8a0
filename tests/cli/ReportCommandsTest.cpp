#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "config/Config.h"
#include "config/DefaultData.h"
#include "document/DataFile.h"
#include "support/DocumentFixture.h"
#include "support/RunCli.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test::runCli;

// Item numbers of a new file with 14 expense and 5 income items.
constexpr uint16_t kFood = 4;
constexpr uint16_t kIntoAccount = 12;
constexpr uint16_t kSalary = 14;

Json runJson(const std::vector<std::string>& args) {
  const test::CliRun r = runCli(args);
  EXPECT_EQ(r.status, kExitOk) << r.err;
  return r.status == kExitOk ? Json::parse(r.out) : Json();
}

// Food, a salary and deposits into the account 普通預金 over three months of 2024, and 食費's
// special names 朝食 and その他.
void writeLedger(const fs::path& path) {
  CConfig config;
  NewLedger ledger = buildNewLedger(config, {14, 5, 10000, false});
  CHinmeiList& s = *ledger.entries;
  s.registerAccount(u"普通預金", kKindAccount, -1, 5000);
  for (const char16_t* name : {u"朝食", u"その他"}) {
    s.insertDefinition(CHinmei(MinDay, kFood, EF_DEFINITION | EF_EXPENSE, name, u"", 0));
  }
  const struct {
    int month, day;
    uint16_t item, flags;
    const char16_t* name;
    int32_t amount;
  } lines[] = {{1, 5, kSalary, EF_INCOME, u"給与", 2'000'000'000},
               {2, 5, kSalary, EF_INCOME, u"給与", 2'000'000'000},
               {2, 6, kFood, EF_EXPENSE, u"朝食", 300},
               {2, 7, kFood, EF_EXPENSE, u"肉", 900},
               {2, 8, kIntoAccount, EF_EXPENSE | EF_ACCOUNT, u"普通預金", 4000},
               {3, 9, kFood, EF_EXPENSE, u"朝食", 500}};
  for (const auto& l : lines) {
    ASSERT_TRUE(
        s.insert(CHinmei(dayFromYmd(2024, l.month, l.day), l.item, l.flags, l.name, u"", l.amount),
                 -1, false));
  }
  replaceFile(path, dataFileBytes(config, s, ledger.budgets.get()));
}

class ReportCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-report-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / "a.mtb").string();
    writeLedger(path);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::vector<uint8_t> bytes() const { return test::fileBytes(path); }

  fs::path dir;
  std::string path;
};

TEST_F(ReportCommands, BudgetIsSetForTheMonthAndComparedWithWhatWasSpent) {
  Json j = runJson({"budget", path, "--month", "2024-02", "--item", "食費", "--set", "1000"});
  EXPECT_EQ(j["caption"], "予算/実績 2024年2月期(2024/2/1～2024/2/29)");
  EXPECT_EQ(j["budgetMonth"], "2024-02");
  const Json& food = j["rows"][kFood];
  EXPECT_EQ(food["name"], "食費");
  EXPECT_EQ(food["budget"], 1000);
  EXPECT_EQ(food["actual"], 1200);
  EXPECT_EQ(food["rate"], 120);
  EXPECT_EQ(food["remaining"], -200);
  EXPECT_TRUE(j["rows"][0]["rate"].is_null());
  EXPECT_EQ(j["total"]["budget"], 1000);
  // The savings item makes no row; its deposit is the savings line.
  for (const Json& row : j["rows"]) EXPECT_NE(row["item"], kIntoAccount);
  EXPECT_EQ(j["summary"]["savingsActual"], 4000);
  EXPECT_EQ(j["summary"]["lines"][0], "貯蓄実績：       4,000");
  // Saved: the next run reads it back; the income side shows the salary.
  j = runJson({"budget", path, "--month", "2024-02", "--side", "income"});
  EXPECT_EQ(j["rows"][0]["actual"], 2'000'000'000);
  EXPECT_EQ(j["summary"]["expenseBudget"], 1000);
  const Json dump = runJson({"dump", path});
  ASSERT_EQ(dump["budgets"].size(), 2u);
  EXPECT_EQ(dump["budgets"][1]["amounts"][kFood], 1000);
}

TEST_F(ReportCommands, TheStandardBudgetIsSetWithoutMakingTheMonthsBudget) {
  Json j = runJson(
      {"budget", path, "--month", "2024-03", "--item", "食費", "--set", "700", "--standard"});
  // The month shown has no budget of its own yet, so it shows the standard one.
  EXPECT_EQ(j["rows"][kFood]["budget"], 700);
  const Json dump = runJson({"dump", path});
  ASSERT_EQ(dump["budgets"].size(), 1u);
  EXPECT_EQ(dump["budgets"][0]["amounts"][kFood], 700);
}

TEST_F(ReportCommands, RefusedBudgetsLeaveTheFileAlone) {
  const std::vector<uint8_t> before = bytes();
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"budget", path, "--month", "2024-02", "--item", "無い", "--set", "1"}, kExitUsage},
      {{"budget", path, "--month", "2024-02", "--item", "貯蓄入", "--set", "1"}, kExitUsage},
      {{"budget", path, "--month", "2024-02", "--item", "食費", "--set", "3000000000"}, kExitUsage},
      {{"budget", path, "--month", "2024-02", "--item", "食費"}, kExitUsage},
      {{"budget", path, "--month", "2024-2"}, kExitUsage},
      {{"budget", path, "--month", "2024-02", "--side", "both"}, kExitUsage},
      {{"budget", (dir / "none.mtb").string(), "--month", "2024-02"}, kExitUnreadable},
  };
  for (const auto& c : cases) {
    const test::CliRun r = runCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[4];
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_EQ(bytes(), before);
}

TEST_F(ReportCommands, AnnualTableWithItsDerivedRows) {
  const Json j = runJson({"annual", path, "--end", "2024-03", "--months", "3"});
  EXPECT_EQ(j["columns"], Json::parse(R"(["2024-01", "2024-02", "2024-03"])"));
  EXPECT_EQ(j["items"][kFood]["values"], Json::parse("[1700, 0, 1200, 500]"));
  // Two salaries pass what 32 bits hold.
  EXPECT_EQ(j["rows"]["収入合計"][0], 4'000'000'000);
  EXPECT_EQ(j["rows"]["貯蓄額"][2], 4000);
  EXPECT_EQ(j["rows"]["貯蓄残高"], Json::parse("[9000, 5000, 9000, 9000]"));
  EXPECT_EQ(j["rows"]["現金残高"][3], int64_t{10000} + 4'000'000'000 - 1700 - 4000);
  EXPECT_EQ(runCli({"annual", path, "--end", "2024-03", "--months", "61"}).status, kExitUsage);
}

TEST_F(ReportCommands, GraphSeriesWithTheirScale) {
  Json j = runJson(
      {"graph", path, "--kind", "names", "--item", "食費", "--end", "2024-03", "--months", "3"});
  EXPECT_EQ(j["title"], "特別品名毎の集計推移グラフ（項目:食費）");
  ASSERT_EQ(j["series"].size(), 2u);
  EXPECT_EQ(j["series"][0]["values"], Json::parse("[800, 0, 300, 500]"));
  EXPECT_EQ(j["series"][1]["name"], "その他");
  EXPECT_EQ(j["series"][1]["values"], Json::parse("[900, 0, 900, 0]"));
  EXPECT_EQ(j["series"][1]["colour"], "#d7ebff");
  EXPECT_EQ(j["scale"]["top"], 1202);
  EXPECT_EQ(j["scale"]["step"], 200);
  j = runJson({"graph", path, "--kind", "assets", "--end", "2024-06", "--months", "6"});
  EXPECT_EQ(j["series"][0]["name"], "総資産");
  EXPECT_EQ(j["series"][0]["lastColumn"], 3);  // no months after the last line
  j = runJson({"graph", path, "--kind", "pie", "--end", "2024-02", "--months", "1"});
  EXPECT_EQ(j["start"], "2024-02-01");
  EXPECT_EQ(j["sides"][0]["name"], "支出");
  EXPECT_EQ(j["sides"][0]["slices"][kFood]["total"], 1200);
  // An account's names are drawn up to today's month.
  j = runJson({"graph", path, "--kind", "names", "--item", "貯蓄入", "--end", "2024-03", "--months",
               "3", "--today", "2024-02-10"});
  EXPECT_EQ(j["series"][0]["lastColumn"], 2);
}

TEST_F(ReportCommands, GraphRefusalsSayWhy) {
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"--kind", "item", "--item", "無い"}, kExitUsage, "この項目は存在しません。"},
      {{"--kind", "product", "--item", "食費"}, kExitUsage, "この品名は存在しません。"},
      {{"--kind", "bars"}, kExitUsage, "使い方"},
      {{"--kind", "assets", "--out", "x.gif"}, kExitUsage, ".png、.svg、.pdf のどれか"},
      {{"--kind", "assets", "--today", "someday"}, kExitUsage, "日付"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"graph", path, "--end", "2024-03", "--months", "3"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::CliRun r = runCli(args);
    EXPECT_EQ(r.status, c.status) << c.args[1];
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

TEST_F(ReportCommands, GraphIsDrawnIntoAFileBySoramiGraph) {
  const std::string out = (dir / "assets.svg").string();
  const std::vector<std::string> args{"graph",   path,       "--kind", "assets", "--end",
                                      "2024-03", "--months", "3",      "--out",  out};
  ::setenv("SORAMI_GRAPH", (dir / "missing").c_str(), 1);
  test::CliRun r = runCli(args);
  EXPECT_EQ(r.status, kExitWriteFailed);
  EXPECT_NE(r.err.find("sorami-graph"), std::string::npos);
  EXPECT_FALSE(fs::exists(out));
#ifdef SORAMI_GRAPH_PROGRAM
  ::setenv("SORAMI_GRAPH", SORAMI_GRAPH_PROGRAM, 1);
  r = runCli(args);
  EXPECT_EQ(r.status, kExitOk) << r.err;
  ASSERT_TRUE(fs::exists(out));
  EXPECT_GT(fs::file_size(out), 1000u);
#endif
  ::unsetenv("SORAMI_GRAPH");
}

}  // namespace
}  // namespace sorami::cli
