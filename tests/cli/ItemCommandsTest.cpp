#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/FileText.h"
#include "support/RunCli.h"

namespace sorami::test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Args = std::vector<std::string>;

class ItemCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-items-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / "a.mtb").string();
    ASSERT_EQ(runCli({"new", path, "--no-samples", "--cash", "10000"}).status, cli::kExitOk);
  }
  void TearDown() override { fs::remove_all(dir); }

  CliRun run(Args args) {
    args.insert(args.begin() + 1, path);
    args.insert(args.end(), {"--today", "2024-04-10"});
    return runCli(args);
  }
  Json ok(const Args& args) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, cli::kExitOk) << r.err;
    return r.status == cli::kExitOk ? Json::parse(r.out) : Json();
  }
  void refused(const Args& args, const std::string& message) {
    const std::string before = readAll(path);
    const CliRun r = run(args);
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(readAll(path), before);
  }
  Json item(const std::string& name) {
    const Json listed = ok({"items"});
    for (const Json& i : listed["items"]) {
      if (i["name"] == name) return i;
    }
    return {};
  }
  void add(const std::string& date, const std::string& itemName, int amount) {
    ok({"add", "--date", date, "--item", itemName, "--name", "x", "--amount",
        std::to_string(amount)});
  }

  fs::path dir;
  std::string path;
};

TEST_F(ItemCommands, ItemsAreListedAddedRenamedSwappedAndDeleted) {
  add("2024-04-01", "雑収入", 500);
  Json listed = item("雑収入");
  EXPECT_TRUE(listed["budgetTarget"].is_boolean());
  listed.erase("budgetTarget");
  EXPECT_EQ(listed, Json({{"position", 16},
                          {"number", 16},
                          {"name", "雑収入"},
                          {"side", "income"},
                          {"lines", 1},
                          {"rules", 0}}));
  Json j = ok({"item", "--add", "子供", "--side", "expense", "--at", "10"});
  EXPECT_EQ(j["added"]["number"], 12);
  EXPECT_EQ(j["added"]["position"], 10);
  EXPECT_EQ(item("雑収入")["number"], 17);
  EXPECT_EQ(item("雑収入")["lines"], 1);
  ok({"item", "--rename", "子供", "--to", "子ども"});
  j = ok({"item", "--swap", "子ども", "娯楽"});
  EXPECT_EQ(item("子ども")["position"], 11);
  refused({"item", "--delete", "貯蓄入"}, "[貯蓄],[借入]項目は削除できません。");
  // The question takes its default answer, No, without --yes.
  refused({"item", "--delete", "雑収入"}, "このデータを削除しますが");
  const std::string before = readAll(path);
  j = ok({"item", "--delete", "雑収入", "--dry-run"});
  EXPECT_EQ(j["removed"], 1);
  EXPECT_EQ(j["initialCashChange"], 500);
  EXPECT_EQ(readAll(path), before);
  j = ok({"item", "--delete", "雑収入", "--yes"});
  EXPECT_TRUE(item("雑収入").is_null());
  EXPECT_TRUE(fs::exists(path + ".bak"));
  const CliRun check = runCli({"check", path});
  EXPECT_EQ(check.status, cli::kExitOk) << check.out;
  EXPECT_TRUE(Json::parse(check.out)["consistent"]) << check.out;
}

TEST_F(ItemCommands, LinesMoveBetweenDaysAndItemsAndTheCashIsCorrected) {
  add("2024-04-01", "事務用品", 100);
  add("2024-04-01", "食費", 200);
  add("2024-04-02", "食費", 300);
  refused({"move", "--from", "2024-04-01", "--to", "2024-04-02", "--shift-days", "7"},
          "3 個のデータを移動します。");
  Json j = ok({"move", "--from", "2024-04-01", "--to", "2024-04-02", "--shift-days", "7", "--yes"});
  EXPECT_EQ(j["moved"], 3);
  j = ok({"move", "--date", "2024-04-08", "--item", "食費", "--to-date", "2024-04-09", "--yes"});
  EXPECT_EQ(j["moved"], 1);
  j = ok({"move", "--from", "2024-04-01", "--to", "2024-04-30", "--item", "事務用品", "--to-item",
          "食費", "--yes"});
  EXPECT_EQ(j["moved"], 1);
  EXPECT_EQ(item("食費")["lines"], 3);
  refused({"move", "--item", "食費", "--to-item", "所得"}, "収入(支出)が異なって");
  j = ok({"move", "--from", "2023-01-01", "--to", "2023-01-31", "--shift-days", "3"});
  EXPECT_EQ(j["moved"], 0);

  j = ok({"adjust-cash", "--date", "2024-04-09", "--balance", "9000"});
  EXPECT_EQ(j["before"], 10000 - 600);
  EXPECT_EQ(j["difference"], -400);
  EXPECT_EQ(j["entry"], Json({{"item", "その他支出"}, {"name", "残高調整"}, {"amount", 400}}));
  j = ok({"balance", "--date", "2024-04-10"});
  EXPECT_EQ(j["cash"], 9000);
  refused({"adjust-cash", "--date", "2024-04-09", "--balance", "9500", "--mode", "initial"},
          "過去のすべての残高が変わります");
  j = ok(
      {"adjust-cash", "--date", "2024-04-09", "--balance", "9500", "--mode", "initial", "--yes"});
  EXPECT_EQ(j["initial"], Json({{"from", 10000}, {"to", 10500}}));
  const CliRun check = runCli({"check", path});
  EXPECT_EQ(check.status, cli::kExitOk) << check.out;
  EXPECT_TRUE(Json::parse(check.out)["consistent"]) << check.out;
}

}  // namespace
}  // namespace sorami::test
