#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "config/Config.h"
#include "config/DefaultData.h"
#include "document/DataFile.h"
#include "platform/TextCodec.h"
#include "support/RunCli.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;

using test::CliRun;
using test::runCli;

class DocumentCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-cli-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string file(const std::string& name) const { return (dir / name).string(); }
  nlohmann::json dump(const std::string& path) {
    const CliRun r = runCli({"dump", path});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return nlohmann::json::parse(r.out);
  }
  fs::path dir;
};

TEST_F(DocumentCommands, NewWritesExactlyTheDefaultContent) {
  for (const bool samples : {true, false}) {
    const std::string p = file(samples ? "s.mtb" : "n.mtb");
    std::vector<std::string> args{"new", p, "--cash", "7000", "--tax-rate", "8"};
    if (!samples) args.push_back("--no-samples");
    ASSERT_EQ(runCli(args).status, kExitOk);
    const nlohmann::json j = dump(p);
    CConfig config;
    const NewLedger expected = buildNewLedger(config, {14, 5, 7000, samples});
    const nlohmann::json& entries = j["entries"];
    ASSERT_EQ(entries.size(), expected.entries->size());
    size_t i = 0;
    for (const CHinmei& e : *expected.entries) {
      const nlohmann::json& got = entries[i++];
      EXPECT_EQ(got["day"], e.date) << i;
      EXPECT_EQ(got["item"], e.item) << i;
      EXPECT_EQ(got["flags"], e.flags) << i;
      EXPECT_EQ(got["name"], toUtf8(e.name)) << i;
      EXPECT_EQ(got["amount"], e.amount) << i;
      if (!e.isHeader()) {
        EXPECT_EQ(got["memo"], toUtf8(e.memo)) << i;
      }
    }
    EXPECT_EQ(j["config"]["p12"], 8.0);
    ASSERT_EQ(j["budgets"].size(), 1u);
    EXPECT_EQ(j["budgets"][0]["kind"], 4096);
  }
}

TEST_F(DocumentCommands, NewRefusesToOverwriteWithoutForce) {
  const std::string p = file("a.mtb");
  ASSERT_EQ(runCli({"new", p}).status, kExitOk);
  const CliRun again = runCli({"new", p, "--cash", "1"});
  EXPECT_EQ(again.status, kExitUsage);
  EXPECT_NE(again.err.find("--force"), std::string::npos);
  EXPECT_EQ(runCli({"new", p, "--cash", "1", "--force"}).status, kExitOk);
  EXPECT_EQ(dump(p)["entries"][0]["amount"], 1);
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"new"},
                                              {"new", file("b.mtb"), "--cash", "-1"},
                                              {"new", file("b.mtb"), "--tax-rate", "x"},
                                              {"new", file("b.mtb"), "--bogus"}}) {
    EXPECT_EQ(runCli(bad).status, kExitUsage);
  }
  EXPECT_FALSE(fs::exists(file("b.mtb")));
}

TEST_F(DocumentCommands, CheckReportsSoundUpgradedAndUnreadableFiles) {
  const std::string p = file("a.mtb");
  ASSERT_EQ(runCli({"new", p}).status, kExitOk);
  CliRun r = runCli({"check", p});
  EXPECT_EQ(r.status, kExitOk);
  nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["ok"], true);
  EXPECT_EQ(j["entries"], 85);
  EXPECT_EQ(j["dataVersion"], 950);
  EXPECT_EQ(j["upgraded"], false);
  EXPECT_EQ(j["damaged"], false);

  r = runCli({"check", (fs::path(SORAMI_FIXTURES) / "version-900.mtb").string()});
  EXPECT_EQ(r.status, kExitOk);
  j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["upgraded"], true);
  EXPECT_EQ(j["dataVersion"], 900);

  r = runCli({"check", (fs::path(SORAMI_FIXTURES) / "truncated-in-entry.mtb").string()});
  EXPECT_EQ(r.status, kExitUnreadable);
  j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["ok"], false);
  ASSERT_FALSE(j["messages"].empty());
  EXPECT_NE(r.err.find("完全に壊れているか"), std::string::npos);
}

TEST_F(DocumentCommands, AddAndClosePeriodGoThroughTheDocument) {
  const std::string p = file("a.mtb");
  ASSERT_EQ(runCli({"new", p, "--cash", "10000", "--no-samples"}).status, kExitOk);
  ASSERT_EQ(runCli({"add", p, "--date", "2024-03-01", "--item", "4", "--name", "パン", "--amount",
                    "300", "--memo", "朝"})
                .status,
            kExitOk);
  ASSERT_EQ(
      runCli({"add", p, "--date", "2024-04-02", "--item", "4", "--name", "牛乳", "--amount", "200"})
          .status,
      kExitOk);
  EXPECT_TRUE(fs::exists(p + ".bak"));
  EXPECT_EQ(
      runCli({"add", p, "--date", "2024-04-02", "--item", "99", "--name", "x", "--amount", "1"})
          .status,
      kExitUsage);
  const std::string next = file("b.mtb");
  EXPECT_EQ(runCli({"close-period", p, "--date", "2024-03-31", "--out", p}).status,
            kExitWriteFailed);
  ASSERT_EQ(runCli({"close-period", p, "--date", "2024-03-31", "--out", next}).status, kExitOk);
  const nlohmann::json j = dump(next);
  EXPECT_EQ(j["entries"][0]["amount"], 9700);
  std::vector<std::string> dated;
  for (const auto& e : j["entries"]) {
    if (e["day"] > -657434) dated.push_back(e["name"]);
  }
  EXPECT_EQ(dated, (std::vector<std::string>{"牛乳", "Last Mark"}));
  EXPECT_EQ(dump(p)["entries"].size(), 23u);  // the old period keeps both lines
}

}  // namespace
}  // namespace sorami::cli
