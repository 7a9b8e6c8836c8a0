// import-statement: a card statement in with the shipped card profile, once only; refused lines
// stop it until they are skipped on purpose; every mistake named with its exit status.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "config/Config.h"
#include "config/DefaultData.h"
#include "document/DataFile.h"
#include "platform/TextCodec.h"
#include "support/FileText.h"
#include "support/RunCli.h"
#include "support/ScriptedPrompts.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test::CliRun;
using test::readAll;
using test::runCli;
using test::writeText;

class StatementCommand : public ::testing::Test {
 protected:
  StatementCommand()
      : dir(fs::temp_directory_path() /
            (std::string("sorami-statement-") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        data(dir / "household.mtb"),
        card(dir / "card.csv") {}

  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir);
    // A new file's items, the loan カード and the account 普通預金.
    CConfig config;
    NewLedger ledger = buildNewLedger(config, {14, 5, 10000, false});
    CHinmeiList& s = *ledger.entries;
    s.context().today = dayFromYmd(2024, 3, 1);
    s.registerAccount(u"カード", kKindLoan, -1, 0);
    s.registerAccount(u"普通預金", kKindAccount, -1, 5000);
    replaceFile(data, dataFileBytes(config, s, ledger.budgets.get()));
    // What a card company sends: Shift-JIS, era dates, separators, a refund.
    writeText(card, toShiftJis(u"ご利用日,ご利用店名,ご利用金額,支払区分,備考\r\n"
                               u"R6.4.1,ｾﾌﾞﾝｲﾚﾌﾞﾝ,\"1,280\",1回,\r\n"
                               u"令和6年4月2日,書店,\"3,300\",1回,雑誌\r\n"
                               u"R6.4.3,書店,-500,1回,返品\r\n"));
  }
  void TearDown() override { fs::remove_all(dir); }

  CliRun import(std::vector<std::string> extra, const fs::path& csv) {
    std::vector<std::string> args = {"import-statement", data.string(), csv.string(), "--profile",
                                     "generic-card",     "--today",     "2024-05-01"};
    args.insert(args.end(), extra.begin(), extra.end());
    return runCli(args);
  }

  // The dated lines of the data file.
  std::vector<CHinmei> lines() {
    test::ScriptedPrompts prompts;
    LoadedFile loaded = loadDataFile(data, prompts);
    std::vector<CHinmei> out;
    if (!loaded.ledger.entries) return out;
    for (const CHinmei& e : loaded.ledger.entries->entries()) {
      if (e.isDated() && !e.isEndMarker()) out.push_back(e);
    }
    return out;
  }

  fs::path dir;
  fs::path data;
  fs::path card;
};

TEST_F(StatementCommand, CardStatementOnceWithTheShippedProfile) {
  const std::string before = readAll(data);
  const CliRun dry = import({"--dry-run", "--money", "loan:カード"}, card);
  ASSERT_EQ(dry.status, kExitOk) << dry.err;
  const Json preview = Json::parse(dry.out);
  EXPECT_EQ(preview["added"], 3);
  ASSERT_EQ(preview["lines"].size(), 3u);
  EXPECT_EQ(preview["lines"][0],
            Json::parse(R"({"line": 2, "date": "2024-04-01", "item": "その他支出",
                            "name": "ｾﾌﾞﾝｲﾚﾌﾞﾝ", "amount": 1280, "side": "expense",
                            "status": "new", "source": "default"})"));
  EXPECT_EQ(preview["lines"][2]["side"], "income");
  EXPECT_EQ(preview["lines"][2]["item"], "雑収入");
  EXPECT_EQ(readAll(data), before) << "a dry run writes nothing";

  // The only loan of the file is the card the profile leaves open.
  const CliRun done = import({}, card);
  ASSERT_EQ(done.status, kExitOk) << done.err;
  EXPECT_EQ(Json::parse(done.out)["added"], 3);
  const std::vector<CHinmei> written = lines();
  ASSERT_EQ(written.size(), 6u);
  EXPECT_EQ(written[0].name, u"カード");  // the borrowing half goes first
  EXPECT_EQ(written[1].name, u"ｾﾌﾞﾝｲﾚﾌﾞﾝ");
  EXPECT_EQ(written[1].memo, u"借入:カードから");

  const std::string imported = readAll(data);
  const CliRun again = import({}, card);
  ASSERT_EQ(again.status, kExitOk) << again.err;
  const Json second = Json::parse(again.out);
  EXPECT_EQ(second["added"], 0);
  EXPECT_EQ(second["duplicates"], 3);
  EXPECT_EQ(readAll(data), imported) << "nothing new: the file is not written";
}

TEST_F(StatementCommand, RefusedLinesStopTheImportUntilSkipped) {
  writeText(card,
            "ご利用日,ご利用店名,ご利用金額,支払区分,備考\n"
            "2024/04/01,八百屋,100,1回,\n"
            "2024/04/31,魚屋,200,1回,\n"
            "合計,,300,,\n");
  const std::string before = readAll(data);
  const CliRun refused = import({}, card);
  EXPECT_EQ(refused.status, kExitUsage);
  EXPECT_NE(refused.err.find("3行目: 日付が読めません: 2024/04/31"), std::string::npos)
      << refused.err;
  EXPECT_NE(refused.err.find("--skip-refused"), std::string::npos);
  const Json listed = Json::parse(refused.out);
  EXPECT_EQ(listed["added"], 0);
  EXPECT_EQ(listed["refused"],
            Json::parse(R"([{"line": 3, "reason": "日付が読めません: 2024/04/31"},
                                               {"line": 4, "reason": "日付が読めません: 合計"}])"));
  EXPECT_EQ(readAll(data), before);

  const CliRun skipped = import({"--skip-refused"}, card);
  ASSERT_EQ(skipped.status, kExitOk) << skipped.err;
  EXPECT_EQ(Json::parse(skipped.out)["added"], 1);
  EXPECT_EQ(lines().size(), 2u);
}

TEST_F(StatementCommand, MistakesAreNamedWithTheirStatus) {
  const fs::path badProfile = dir / "bad.profile";
  writeText(badProfile, "date-column = 1\nname-column = 2\namount-column = 3\ncolour = red\n");
  const std::string before = readAll(data);
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const std::string d = data.string();
  const std::string c = card.string();
  const Case cases[] = {
      {{"import-statement", d, c}, kExitUsage, "使い方"},
      {{"import-statement", d, c, "--profile", "none-such"},
       kExitUnreadable,
       "取り込み設定が見つかりません"},
      {{"import-statement", d, c, "--profile", badProfile.string()},
       kExitUsage,
       "4行目: 知らない設定です: colour"},
      {{"import-statement", d, (dir / "missing.csv").string(), "--profile", "generic-card"},
       kExitUnreadable,
       "明細のファイルを読めません"},
      {{"import-statement", d, c, "--profile", "generic-card", "--money", "bank"},
       kExitUsage,
       "--money"},
      {{"import-statement", d, c, "--profile", "generic-card", "--money", "loan:他社"},
       kExitUsage,
       "借入「他社」がこのデータに登録されていません"},
      {{"import-statement", d, c, "--profile", "generic-card", "--today", "soon"},
       kExitUsage,
       "YYYY-MM-DD"},
      {{"import-statement", (dir / "none.mtb").string(), c, "--profile", "generic-card"},
       kExitUnreadable,
       ""},
  };
  for (const Case& k : cases) {
    const CliRun r = runCli(k.args);
    EXPECT_EQ(r.status, k.status) << k.args.back() << "\n" << r.err;
    EXPECT_NE(r.err.find(k.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(readAll(data), before);
}

}  // namespace
}  // namespace sorami::cli
