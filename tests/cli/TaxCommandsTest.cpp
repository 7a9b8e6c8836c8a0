// sorami-cli tax, calc and add --tax: the tax routine, the numeric field's calculator and the
// tax line, without a window.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "document/DataFile.h"
#include "support/RunCli.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Args = std::vector<std::string>;
using test::CliRun;
using test::runCli;

Json runJson(const Args& args) {
  const CliRun r = runCli(args);
  EXPECT_EQ(r.status, kExitOk) << r.err;
  return r.status == kExitOk ? Json::parse(r.out) : Json();
}

TEST(TaxCommand, GivesTaxNetAndGross) {
  const struct {
    Args args;
    int64_t tax, net, gross;
  } cases[] = {
      {{"--amount", "103", "--rate", "3", "--mode", "inside", "--rounding", "down"}, 3, 100, 103},
      {{"--amount", "100", "--rate", "7", "--mode", "outside", "--rounding", "up"}, 7, 100, 107},
      {{"--amount", "1050", "--rate", "5", "--mode", "outside", "--rounding", "half"},
       53,
       1050,
       1103},
      {{"--amount", "-198", "--rate", "8", "--mode", "inside", "--rounding", "up"},
       -15,
       -183,
       -198},
      {{"--amount", "198", "--rate", "5", "--mode", "outside", "--rounding", "down", "--ten-yen"},
       0,
       198,
       198},
      {{"--amount", "123456", "--rate", "10", "--mode", "outside", "--rounding", "down",
        "--ten-yen", "--decimals", "2"},
       12000,
       123456,
       135456},
      {{"--amount", "5000", "--rate", "8.5", "--mode", "none", "--rounding", "up"}, 0, 5000, 5000},
  };
  for (const auto& c : cases) {
    Args args{"tax"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Json j = runJson(args);
    EXPECT_EQ(j, (Json{{"tax", c.tax}, {"net", c.net}, {"gross", c.gross}})) << j.dump();
  }
}

TEST(TaxCommand, RefusesWhatIsNoAmountRateOrMode) {
  const Args good{"--amount", "100", "--rate", "8", "--mode", "outside", "--rounding", "down"};
  const struct {
    size_t at;
    const char* value;
    const char* message;
  } cases[] = {
      {1, "2147483648", "扱える範囲"}, {1, "1e3", "数値ではありません"}, {3, "-100", "0 から 100"},
      {3, "101", "0 から 100"},        {3, "nan", "0 から 100"},         {5, "both", "--mode"},
      {7, "round", "--rounding"},
  };
  for (const auto& c : cases) {
    Args args{"tax"};
    args.insert(args.end(), good.begin(), good.end());
    args[c.at + 1] = c.value;
    const CliRun r = runCli(args);
    EXPECT_EQ(r.status, kExitUsage) << c.value;
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(runCli({"tax", "--amount", "1", "--rate", "8", "--mode", "inside"}).status, kExitUsage);
}

TEST(CalcCommand, CalculatesAsTheNumericField) {
  const struct {
    Args args;
    const char* display;
    int64_t value;
    const char* error;
  } cases[] = {
      {{"--keys", "2+3*4=", "--precedence", "on"}, "14", 14, nullptr},
      {{"--keys", "2+3*4="}, "20", 20, nullptr},
      {{"--keys", "100+10%"}, "110", 110, nullptr},
      {{"--keys", "0.23/0.05=", "--decimals", "2"}, "4.60", 460, nullptr},
      {{"--keys", "50/0="}, "0", 0, "ｾﾞﾛでは割り算ができません。"},
      {{"--keys", "100000*30000="}, "30000", 30000, "扱える範囲"},
      {{"--keys", "1234567"}, "1234567", 1234567, nullptr},
  };
  for (const auto& c : cases) {
    Args args{"calc"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = runCli(args);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const Json j = Json::parse(r.out);
    EXPECT_EQ(j["display"], c.display) << c.args[1];
    EXPECT_EQ(j["value"], c.value) << c.args[1];
    if (c.error) {
      EXPECT_NE(j["error"].get<std::string>().find(c.error), std::string::npos) << j.dump();
      EXPECT_NE(r.err.find(c.error), std::string::npos);
    } else {
      EXPECT_EQ(j["error"], nullptr) << j.dump();
    }
  }
  for (const Args& bad : {Args{"calc"}, Args{"calc", "--keys", "2x3"},
                          Args{"calc", "--keys", "1", "--precedence", "yes"},
                          Args{"calc", "--keys", "1", "--decimals", "4"}}) {
    EXPECT_EQ(runCli(bad).status, kExitUsage) << bad.back();
  }
}

class AddTaxCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-tax-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / "a.mtb").string();
    ASSERT_EQ(runCli({"new", path, "--no-samples", "--tax-rate", "8"}).status, kExitOk);
  }
  void TearDown() override { fs::remove_all(dir); }
  Json add(const std::string& item, const std::string& name, const std::string& amount,
           const std::string& tax) {
    return runJson({"add", path, "--date", "2024-04-01", "--item", item, "--name", name, "--amount",
                    amount, "--tax", tax});
  }
  fs::path dir;
  std::string path;
};

TEST_F(AddTaxCommand, WritesTheLineAndItsTaxLine) {
  // 8 % within 1,000 is 74.07: the line keeps 926, the tax item 74.
  Json j = add("食費", "パン", "1000", "inside");
  EXPECT_EQ(j["amount"], 926);
  EXPECT_EQ(j["tax"], 74);
  EXPECT_EQ(j["taxLine"]["itemName"], "税金");
  EXPECT_EQ(j["taxLine"]["name"], "消費税");
  EXPECT_EQ(j["taxLine"]["memo"], "食費:パン");
  EXPECT_EQ(j["taxLine"]["amount"], 74);
  j = add("事務用品", "工具", "1980", "outside");
  EXPECT_EQ(j["amount"], 1980);
  EXPECT_EQ(j["taxLine"]["amount"], 158);
  // A transfer item's tax goes the same way as its line: from the same account.
  j = add("貯蓄入", "普通", "10000", "outside");
  EXPECT_EQ(j["taxLine"]["itemName"], "貯蓄入");
  EXPECT_EQ(j["taxLine"]["name"], "普通");
  EXPECT_EQ(j["taxLine"]["memo"], "消費税");

  std::vector<Json> lines;
  const Json dumped = runJson({"dump", path});
  for (const Json& e : dumped["entries"]) {
    if (e["date"] == "2024-04-01") lines.push_back(e);
  }
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0]["flags"], 0x0100 | 0x08 | 0x20);  // 内税, 切り捨て
  EXPECT_EQ(lines[2]["flags"], 0x0100 | 0x04 | 0x20);  // 外税
  EXPECT_EQ(lines[1]["flags"], 0x0100);                // the tax line records nothing
  const Json balance = runJson({"balance", path, "--date", "2024-04-02"});
  EXPECT_EQ(balance["cash"], 5000 - 1000 - 1980 - 158 - 10800);
}

TEST_F(AddTaxCommand, RefusesAnUnknownModeWithoutTouchingTheFile) {
  const auto before = readWholeFile(path);
  const CliRun r = runCli({"add", path, "--date", "2024-04-01", "--item", "食費", "--name", "x",
                           "--amount", "100", "--tax", "half"});
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_EQ(readWholeFile(path), before);
}

}  // namespace
}  // namespace sorami::cli
