#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/DocumentFixture.h"
#include "support/RunCli.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test::runCli;

// Rules on a new file: 所得 (14) on the 25th, 住居、公金 (7) on the 27th, a deposit into the
// account 普通預金 (貯蓄入, 12) on the 5th and 保健衛生 (8) every year on 10 May.
const std::vector<std::string> kRules = {
    "現金\\n給与\\n-1,14,2024,4,25,0,0,250000,0,0,0,0,0,0,0,2024,3,25,0,1,2024,3,25,4,25,4,4,0,"
    "2024,0,0,0,0",
    "現金\\n家賃\\n-1,7,2024,4,27,0,0,80000",
    "現金\\n普通預金\\n-1,12,2024,4,5,0,0,30000",
    "現金\\n保険\\n-1,8,2024,4,121,0,0,120000,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,5,10",
};

class RuleCommandsTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    path = file("h.mtb").string();
    ASSERT_EQ(runCli({"new", path, "--no-samples"}).status, kExitOk);
  }

  Json ok(const std::vector<std::string>& args) {
    const test::CliRun r = runCli(args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return r.status == kExitOk ? Json::parse(r.out) : Json();
  }

  void addRules() {
    for (const std::string& text : kRules)
      ok({"rule", path, "--today", "2024-04-01", "--add", text});
  }

  std::string path;
};

TEST_F(RuleCommandsTest, ThreeMonthsLaterEveryLineIsWrittenOnceAndASecondRunWritesNothing) {
  addRules();
  const Json due =
      ok({"rules", path, "--due", "--from", "2024-04-01", "--to", "2024-07-01"})["due"];
  const Json first = ok({"run-due", path, "--today", "2024-07-01"});
  ASSERT_EQ(first["written"].size(), 10u);
  ASSERT_EQ(due.size(), 10u);
  for (size_t i = 0; i < due.size(); ++i) {
    EXPECT_EQ(due[i]["date"], first["written"][i]["date"]);
    EXPECT_EQ(due[i]["amount"], first["written"][i]["amount"]);
  }
  EXPECT_EQ(first["written"][0], (Json{{"date", "2024-04-05"},
                                       {"item", 12},
                                       {"name", "普通預金"},
                                       {"memo", ""},
                                       {"amount", 30000},
                                       {"flags", 0x4100}}));
  EXPECT_EQ(first["written"][4]["date"], "2024-05-10");
  EXPECT_TRUE(ok({"run-due", path, "--today", "2024-07-01"})["written"].empty());
  const Json rules = ok({"rules", path})["rules"];
  const int executed[] = {3, 3, 3, 1};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(rules[i]["executed"], executed[i]);
  EXPECT_EQ(rules[3]["description"], "毎年 5月10日");
  EXPECT_EQ(rules[2]["destination"], "貯蓄入:普通預金");
  EXPECT_EQ(ok({"balance", path, "--date", "2024-07-01"})["cash"],
            5000 + 750000 - 240000 - 90000 - 120000);
}

TEST_F(RuleCommandsTest, ATextThatMakesNoValidRuleIsRefusedAndTheFileStaysAsItWas) {
  const std::vector<uint8_t> before = test::fileBytes(path);
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"現金\\n家賃\\n-1,99,2024,4,27", "この項目は存在しません。"},
      {"現金\\n\\n-1,7,2024,4,27", "支出先の品名を空白以外にしてください。"},
      {"現金\\n家賃\\n-1,7,2024,4,0", "実施日を指定して下さい。"},
      {"現金\\n家賃\\n-1,7,0,4,27", "開始年月を指定して下さい。"},
      {"現金\\n家賃\\n-1,7,2024,4,27,0,0,100,0,0,500", "特別金額が設定されているので"},
      {"現金\\n家賃\\n-1,7,2024,4,27,0,0,10000000", "自動記入の設定の金額が正しくありません。"},
      {"現金\\n家賃\\n-1,7,2024,4,111,0,0,100,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,1,1,1,9",
       "自動記入の設定の実施日が正しくありません。"},
      {"家賃だけ", "正しくありません"},
  };
  for (const Case& c : cases) {
    const test::CliRun r = runCli({"rule", path, "--add", c.text});
    EXPECT_EQ(r.status, kExitUsage) << c.text;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.text << "\n" << r.err;
  }
  EXPECT_EQ(test::fileBytes(path), before);
}

TEST_F(RuleCommandsTest, EditKeepsTheStateMoveAndDeleteFollowTheListOrder) {
  addRules();
  ok({"run-due", path, "--today", "2024-05-01"});
  Json rules = ok({"rule", path, "--edit", "2", "現金\\n家賃\\n-1,7,2024,4,26,0,0,85000"})["rules"];
  EXPECT_EQ(rules[1]["description"], "毎月26日");
  EXPECT_EQ(rules[1]["amount"], 85000);
  EXPECT_EQ(rules[1]["executed"], 1);
  rules = ok({"rule", path, "--move", "2", "--by", "-1"})["rules"];
  EXPECT_EQ(rules[0]["destination"], "住居、公金:家賃");
  EXPECT_EQ(runCli({"rule", path, "--move", "1", "--by", "-1"}).status, kExitUsage);
  rules = ok({"rule", path, "--delete", "1"})["rules"];
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[0]["destination"], "所得:給与");
  EXPECT_EQ(runCli({"rule", path, "--delete", "4"}).status, kExitUsage);
}

TEST_F(RuleCommandsTest, ReadOnlyCommandsLeaveDueLinesAlone) {
  addRules();
  const std::vector<uint8_t> before = test::fileBytes(path);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"rules", path, "--today", "2024-07-01"},
        {"balance", path, "--date", "2024-07-01", "--today", "2024-07-01"},
        {"check", path}}) {
    runCli(args);
  }
  EXPECT_EQ(test::fileBytes(path), before);
  EXPECT_EQ(ok({"rules", path})["rules"][0]["executed"], 0);
}

}  // namespace
}  // namespace sorami::cli
