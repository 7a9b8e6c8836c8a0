#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "document/DataFile.h"
#include "support/RunCli.h"

namespace sorami::cli {
namespace {

std::string fixture(const std::string& name) {
  return (std::filesystem::path(SORAMI_FIXTURES) / name).string();
}

using test::CliRun;
using test::runCli;

nlohmann::json dump(const std::string& name) {
  const CliRun r = runCli({"dump", fixture(name)});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  return nlohmann::json::parse(r.out);
}

TEST(DumpCommand, PrintsTheWholeFileAsJson) {
  const nlohmann::json j = dump("current-minimal.mtb");
  EXPECT_EQ(j["dataVersion"], 950);
  EXPECT_EQ(j["blockVersion"], 952);
  EXPECT_EQ(j["blockSubVersion"], 4);
  EXPECT_EQ(j["hasBlock"], true);
  EXPECT_EQ(j["scrambled"], false);

  const nlohmann::json& c = j["config"];
  const auto has = [&c](char list, int count) {
    for (int i = 1; i <= count; ++i) {
      std::string key(1, list);
      key += std::to_string(i);
      EXPECT_TRUE(c.contains(key)) << key;
    }
  };
  has('p', 58);
  has('B', 31);
  has('C', 54);
  EXPECT_EQ(c.size(), 58u + 31u + 1u + 54u + 3u);
  EXPECT_EQ(c["p1"], 950);
  EXPECT_TRUE(c["p12"].is_number());
  EXPECT_EQ(c["p12"], 5.0);
  EXPECT_EQ(c["p44"], "0100-01-01");
  EXPECT_EQ(c["B4"], "9999-12-31");
  EXPECT_EQ(c["H"], 6);
  EXPECT_EQ(c["C16"], 2);
  EXPECT_EQ(c["C40"], nlohmann::json({1, 2, 3, 4}));
  ASSERT_EQ(c["C42"].size(), 5u);
  EXPECT_EQ(c["C42"][1]["values"], nlohmann::json({1, 1, 1, 1, 1}));
  EXPECT_EQ(c["C41"], "日記 / スケジュール");
  EXPECT_EQ(c["C52"], "秘密");
  EXPECT_EQ(c["decreaseName"], "残高調整");

  const nlohmann::json& entries = j["entries"];
  ASSERT_EQ(entries.size(), 13u);
  EXPECT_EQ(entries[0]["item"], 0x8000);
  EXPECT_TRUE(entries[0]["tail"].is_null());
  EXPECT_EQ(entries[6]["memo"], "");
  EXPECT_EQ(entries[6]["tail"], "口座設定");
  EXPECT_EQ(entries[7], nlohmann::json::parse(R"({"date": "2024-04-01", "day": 45383,
      "item": 0, "flags": 256, "name": "牛乳", "memo": "特売", "tail": null, "amount": 198})"));

  ASSERT_EQ(j["budgets"].size(), 2u);
  EXPECT_EQ(j["budgets"][1]["year"], 2024);
  EXPECT_EQ(j["budgets"][1]["amounts"].size(), 48u);
  EXPECT_EQ(j["budgets"][1]["amounts"][2], 10000);
}

TEST(DumpCommand, ShowsWhatTheFileLacks) {
  EXPECT_TRUE(dump("no-budgets.mtb")["budgets"].is_null());
  const nlohmann::json old = dump("no-block-scrambled.mtb");
  EXPECT_EQ(old["hasBlock"], false);
  EXPECT_EQ(old["scrambled"], true);
  EXPECT_EQ(old["dataVersion"], 700);
  EXPECT_EQ(old["config"]["p58"], 1);
}

TEST(DataFileCommands, ExitStatuses) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;  // part of standard error
  };
  const Case cases[] = {
      {{"dump"}, kExitUsage, "使い方"},
      {{"dump", fixture("current-minimal.mtb"), "extra"}, kExitUsage, "使い方"},
      {{"resave", fixture("current-minimal.mtb")}, kExitUsage, "使い方"},
      {{"no-such-command"}, kExitUsage, "不明なコマンド"},
      {{"dump", fixture("no-such-file.mtb")},
       kExitUnreadable,
       "データファイルを開くことに失敗しました。"},
      {{"dump", fixture("version-951.mtb")}, kExitUnreadable, "新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄが必要です。"},
      {{"dump", fixture("truncated-in-entry.mtb")}, kExitUnreadable, "完全に壊れているか"},
      {{"dump", fixture("unreadable-config-text.mtb")}, kExitUnreadable, "開くことに失敗"},
      {{"resave", fixture("bad-class-name.mtb"), "/tmp/never-written.mtb"},
       kExitUnreadable,
       "完全に壊れているか"},
      {{"dump", fixture("damaged-budget.mtb")}, kExitOk, "予算部分データが壊れています"},
  };
  for (const Case& c : cases) {
    const CliRun r = runCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[0];
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    if (c.status != kExitOk) {
      EXPECT_TRUE(r.out.empty()) << r.out;
    }
  }
  EXPECT_FALSE(std::filesystem::exists("/tmp/never-written.mtb"));
}

TEST(ResaveCommand, WritesCurrentFilesBackUnchangedAndOldOnesInTheCurrentLayout) {
  const auto dir = std::filesystem::temp_directory_path() / "sorami-resave-test";
  std::filesystem::create_directories(dir);
  const std::string out = (dir / "out.mtb").string();
  for (const char* name : {"current-minimal.mtb", "scrambled.mtb"}) {
    ASSERT_EQ(runCli({"resave", fixture(name), out}).status, kExitOk) << name;
    EXPECT_EQ(readWholeFile(out), readWholeFile(fixture(name))) << name;
  }
  ASSERT_EQ(runCli({"resave", fixture("version-820.mtb"), out}).status, kExitOk);
  const nlohmann::json before = dump("version-820.mtb");
  const CliRun after = runCli({"dump", out});
  const nlohmann::json j = nlohmann::json::parse(after.out);
  EXPECT_EQ(j["dataVersion"], 950);
  // Saving writes the live configuration text into the header; every other entry stays.
  nlohmann::json entries = j["entries"];
  nlohmann::json expected = before["entries"];
  ASSERT_FALSE(entries.empty());
  EXPECT_NE(entries[0]["memo"].get<std::string>().find("\t950,"), std::string::npos);
  entries.erase(0);
  expected.erase(0);
  EXPECT_EQ(entries, expected);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sorami::cli
