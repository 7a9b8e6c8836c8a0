#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/RunCli.h"

namespace sorami::test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Args = std::vector<std::string>;

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A new file without sample names, changed only through the commands under test.
class NameCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-names-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / "a.mtb").string();
    ASSERT_EQ(runCli({"new", path, "--no-samples", "--cash", "10000"}).status, cli::kExitOk);
  }
  void TearDown() override { fs::remove_all(dir); }

  Json ok(Args args) {
    const bool dated = args.front() != "export";
    args.insert(args.begin() + 1, path);
    if (dated) args.insert(args.end(), {"--today", "2024-04-10"});
    const CliRun r = runCli(args);
    EXPECT_EQ(r.status, cli::kExitOk) << r.err;
    return r.status == cli::kExitOk ? Json::parse(r.out) : Json();
  }
  // A refusal: status 1, the message on standard error, the file as it was.
  void refused(Args args, const std::string& message) {
    args.insert(args.begin() + 1, path);
    const std::string before = bytesOf(path);
    const CliRun r = runCli(args);
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(bytesOf(path), before);
  }
  static Json rows(std::initializer_list<const char*> names) {
    Json out = Json::array();
    int row = 1;
    for (const char* n : names) out.push_back({{"row", row++}, {"name", n}});
    return out;
  }

  fs::path dir;
  std::string path;
};

TEST_F(NameCommands, NamesAreAddedChangedMovedAndDeleted) {
  ok({"names", "--item", "食費", "--add", "米"});
  ok({"names", "--item", "食費", "--add", "牛乳"});
  Json j = ok({"names", "--item", "食費", "--add", "パン", "--at", "0"});
  EXPECT_EQ(j["added"], Json({{"row", 1}, {"name", "パン"}}));
  EXPECT_EQ(j["names"], rows({"パン", "米", "牛乳"}));
  EXPECT_EQ(j["remembered"], 1);
  // A listing opens the file afresh: nothing is remembered.
  j = ok({"names", "--item", "食費"});
  EXPECT_EQ(
      j,
      Json({{"item", "食費"}, {"names", rows({"パン", "米", "牛乳"})}, {"remembered", nullptr}}));

  ok({"add", "--date", "2024-04-01", "--item", "食費", "--name", "米", "--amount", "2000"});
  j = ok({"names", "--item", "食費", "--change", "米", "--to", "玄米", "--rename-entries"});
  EXPECT_EQ(j["changed"], Json({{"from", "米"}, {"to", "玄米"}, {"lines", 1}, {"rules", 0}}));
  j = ok({"names", "--item", "食費", "--move", "1", "--by", "1"});
  EXPECT_EQ(j["moved"], Json({{"from", 1}, {"to", 2}}));
  EXPECT_EQ(j["names"], rows({"玄米", "パン", "牛乳"}));
  j = ok({"names", "--item", "食費", "--delete", "パン"});
  EXPECT_EQ(j["names"], rows({"玄米", "牛乳"}));
  j = ok({"export", "--format", "json"});
  EXPECT_NE(j.dump().find("玄米"), std::string::npos);
}

TEST_F(NameCommands, RefusalsCarryTheMessageAndLeaveTheFile) {
  ok({"names", "--item", "食費", "--add", "米"});
  ok({"names", "--item", "食費", "--add", "パン"});
  refused({"names", "--item", "食費", "--add", " 米"}, "「米」は特別品名として登録済です。");
  refused({"names", "--item", "食費", "--change", "パン", "--to", "米"},
          "「米」は特別品名として登録済です。");
  refused({"names", "--item", "食費", "--change", "パン", "--to", "　"}, "空白は登録できません。");
  refused({"names", "--item", "食費", "--delete", "卵"}, "卵");
  refused({"names", "--item", "食費", "--move", "2", "--by", "1"}, "3");
  refused({"names", "--item", "無い項目"}, "無い項目");
  refused({"names", "--item", "食費", "--add", "卵", "--delete", "米"}, "使い方");
}

TEST_F(NameCommands, AccountsAreRegisteredRenamedAndCancelledWithTheirBalances) {
  Json j = ok({"account", "--register", "普通", "--kind", "account", "--initial", "1000"});
  EXPECT_EQ(j["registered"]["index"], 0);
  EXPECT_EQ(j["registered"]["balance"], 1000);
  ok({"account", "--register", "普通", "--kind", "loan"});  // a loan may share the name
  ok({"add", "--date", "2024-04-01", "--item", "貯蓄入", "--name", "普通", "--amount", "300"});

  j = ok({"accounts"});
  EXPECT_EQ(j["date"], "2024-04-10");
  ASSERT_EQ(j["accounts"].size(), 1u);
  EXPECT_EQ(j["accounts"][0], Json({{"index", 0},
                                    {"name", "普通"},
                                    {"initial", 1000},
                                    {"balance", 1300},
                                    {"outsideAssets", false},
                                    {"watchDays", 7},
                                    {"watchThreshold", 0},
                                    {"card", false}}));
  EXPECT_EQ(j["loans"][0]["balance"], 0);
  EXPECT_EQ(ok({"accounts", "--date", "2024-04-01"})["accounts"][0]["balance"], 1000);

  j = ok({"account", "--rename", "普通", "--to", "生活口座", "--kind", "account"});
  EXPECT_EQ(j["renamed"], Json({{"from", "普通"}, {"to", "生活口座"}, {"lines", 1}, {"rules", 0}}));
  j = ok({"accounts"});
  EXPECT_EQ(j["accounts"][0]["name"], "生活口座");
  EXPECT_EQ(j["accounts"][0]["balance"], 1300);
  EXPECT_EQ(j["loans"][0]["name"], "普通");
  EXPECT_EQ(ok({"names", "--item", "貯蓄入"})["names"], rows({"生活口座"}));

  j = ok({"account", "--set-initial", "生活口座", "--kind", "account", "--to", "5000"});
  EXPECT_EQ(j["initialChanged"], Json({{"from", 1000}, {"to", 5000}}));
  EXPECT_EQ(j["account"]["balance"], 5300);

  j = ok({"account", "--cancel", "生活口座", "--kind", "account"});
  EXPECT_EQ(j["cancelled"], "生活口座");
  EXPECT_TRUE(ok({"accounts"})["accounts"].empty());
  // The line stays, naming no account now.
  EXPECT_NE(ok({"export", "--format", "json"}).dump().find("生活口座"), std::string::npos);
}

TEST_F(NameCommands, AccountRefusals) {
  ok({"account", "--register", "A", "--kind", "account"});
  ok({"account", "--register", "B", "--kind", "account"});
  refused({"account", "--rename", "A", "--to", "B", "--kind", "account"}, "「B」は登録済です。");
  refused({"account", "--register", "A", "--kind", "account"}, "「A」は登録済です。");
  refused({"account", "--cancel", "A", "--kind", "loan"}, "A");
  refused({"account", "--set-initial", "C", "--kind", "account", "--to", "1"}, "C");
  refused({"account", "--register", "C", "--kind", "card"}, "使い方");
  refused({"account", "--register", "C", "--kind", "account", "--initial", "-999999999"},
          "--initial");
}

}  // namespace
}  // namespace sorami::test
