// sorami-cli diary, diary-search, search and calendar on a small file made through the command
// line itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/RunCli.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test::runCli;

std::string bytesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DiaryCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-diary-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / "a.mtb").string();
    ASSERT_EQ(runCli({"new", path, "--no-samples"}).status, 0);
  }
  void TearDown() override { fs::remove_all(dir); }
  Json json(const std::vector<std::string>& args) {
    const test::CliRun r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? Json::parse(r.out) : Json();
  }
  void add(const char* date, const char* item, const char* name, const char* amount,
           const char* memo = "") {
    ASSERT_EQ(runCli({"add", path, "--date", date, "--item", item, "--name", name, "--amount",
                      amount, "--memo", memo})
                  .status,
              0);
  }
  fs::path dir;
  std::string path;
};

TEST_F(DiaryCommands, SetShowAndRemoveADaysText) {
  Json j = json({"diary", path, "--date", "2024-02-29", "--set", "一行目\n二行目"});
  EXPECT_EQ(j["text"], "一行目\n二行目");
  const fs::path textFile = dir / "text.txt";
  std::ofstream(textFile, std::ios::binary) << "\xEF\xBB\xBF"
                                            << "ファイルから\r\n読んだ";
  json({"diary", path, "--date", "2024-02-03", "--set-file", textFile.string()});

  j = json({"diary", path, "--month", "2024-02"});
  EXPECT_EQ(j["month"], "2024-02");
  ASSERT_EQ(j["days"].size(), 29u);
  EXPECT_EQ(j["days"][28]["text"], "一行目\n二行目");
  EXPECT_EQ(j["days"][2]["text"], "ファイルから\n読んだ");
  EXPECT_EQ(j["days"][10]["date"], "2024-02-11");
  EXPECT_EQ(j["days"][10]["holiday"], "建国記念の日");
  EXPECT_EQ(j["days"][10]["red"], true);
  EXPECT_EQ(j["days"][4]["red"], false);
  EXPECT_EQ(j["days"][4]["weekday"], 1);
  EXPECT_TRUE(j["days"][4]["text"].is_null());

  json({"diary", path, "--date", "2024-02-29", "--set", ""});
  j = json({"diary", path, "--date", "2024-02-29"});
  EXPECT_TRUE(j["text"].is_null());
}

TEST_F(DiaryCommands, RefusalsLeaveTheFileAlone) {
  json({"diary", path, "--date", "2024-02-01", "--set", "元の日記"});
  const std::string before = bytesOf(path);
  const std::vector<std::vector<std::string>> refused = {
      {"diary", path, "--month", "2024-13"},
      {"diary", path, "--month", "0099-12"},
      {"diary", path, "--date", "0100-01-01", "--set", "x"},
      {"diary", path, "--date", "2024-02-30", "--set", "x"},
      {"diary", path, "--date", "2024-02-01", "--set", std::string(30'001, 'a')},
      {"diary", path, "--date", "2024-02-01", "--set", "x", "--set-file", "f"},
      {"diary", path, "--month", "2024-02", "--set", "x"},
      {"diary-search", path, "--date", "2024-02-01", "--keyword", std::string(256, 'a'),
       "--direction", "later"},
      {"diary-search", path, "--date", "2024-02-01", "--keyword", "a", "--direction", "up"},
      {"search", path, "--keyword", std::string(21, 'a')},
      {"search", path, "--from", "2024-13-01"},
      {"search", path, "--to", "0099-12-31"},
      {"search", path, "--item", "ない項目"},
      {"calendar", "--month", "2024-00"},
  };
  for (const auto& args : refused) {
    EXPECT_EQ(runCli(args).status, 1) << args[0] << " " << args[2];
  }
  EXPECT_EQ(bytesOf(path), before);
  EXPECT_EQ(runCli({"diary", path, "--date", "2024-02-01", "--set", "元の日記"}).status, 0);
  EXPECT_EQ(bytesOf(path), before) << "an unchanged text is not written again";
  EXPECT_EQ(runCli({"diary", (dir / "none.mtb").string(), "--month", "2024-02"}).status, 2);
}

TEST_F(DiaryCommands, DiarySearchSkipsTheDayItself) {
  json({"diary", path, "--date", "2024-03-01", "--set", "雨"});
  json({"diary", path, "--date", "2024-03-05", "--set", "雨のち晴れ"});
  json({"diary", path, "--date", "2024-03-09", "--set", "晴れ"});
  auto found = [&](const char* date, const char* word, const char* direction) {
    return json({"diary-search", path, "--date", date, "--keyword", word, "--direction",
                 direction})["date"];
  };
  EXPECT_EQ(found("2024-03-05", "雨", "earlier"), "2024-03-01");
  EXPECT_EQ(found("2024-03-05", "晴れ", "later"), "2024-03-09");
  EXPECT_TRUE(found("2024-03-01", "雨", "earlier").is_null());
  EXPECT_TRUE(found("2024-03-01", "雪", "later").is_null());
}

TEST_F(DiaryCommands, SearchListsNewestFirstWithCountAndSum) {
  add("2023-01-20", "住居、公金", "電気料金", "9000");
  add("2023-02-20", "住居、公金", "電気料金", "8000", "口座振替");
  add("2023-02-20", "食費", "牛乳", "200", "電気店の隣");
  add("2024-01-20", "住居、公金", "電気料金", "7000");
  Json j =
      json({"search", path, "--keyword", "電気", "--from", "2023-01-31", "--to", "2023-02-31"});
  EXPECT_EQ(j["from"], "2023-01-31");
  EXPECT_EQ(j["to"], "2023-02-28");
  EXPECT_EQ(j["count"], 1);
  EXPECT_EQ(j["sum"], 8000);
  EXPECT_EQ(j["results"][0],
            Json::parse(R"({"date": "2023-02-20", "item": "住居、公金", "name": "電気料金",
                            "memo": "口座振替", "amount": 8000})"));
  j = json({"search", path, "--keyword", "電気", "--memo", "--to", "2023-12-31"});
  EXPECT_EQ(j["count"], 3);
  EXPECT_EQ(j["results"][0]["name"], "牛乳");  // the later of the day's two lines comes first
  EXPECT_EQ(j["results"][2]["date"], "2023-01-20");
  EXPECT_EQ(j["from"], "0100-01-02");
  j = json({"search", path, "--item", "食費"});
  EXPECT_EQ(j["count"], 1);
  const test::CliRun nothing = runCli({"search", path, "--keyword", "ガス"});
  EXPECT_EQ(nothing.status, 0);
  EXPECT_EQ(Json::parse(nothing.out)["count"], 0);
  EXPECT_NE(nothing.err.find("検索条件に合ったﾃﾞｰﾀは見つかりませんでした。"), std::string::npos);
}

TEST_F(DiaryCommands, CalendarMarksHolidaysAndRestDays) {
  Json j = json({"calendar", "--month", "2024-05"});
  ASSERT_EQ(j["days"].size(), 31u);
  EXPECT_EQ(j["days"][2], Json::parse(R"({"date": "2024-05-03", "weekday": 5, "kind": 1,
                                          "name": "憲法記念日", "rest": false})"));
  EXPECT_EQ(j["days"][5]["kind"], 2);  // 振替休日
  EXPECT_EQ(j["days"][4]["rest"], true);
  EXPECT_EQ(j["days"][6]["rest"], false);
  j = json({"calendar", "--month", "2024-05", "--file", path});
  EXPECT_EQ(j["days"][4]["rest"], true);
}

}  // namespace
}  // namespace sorami::cli
