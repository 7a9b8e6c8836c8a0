// What the commands that write files guarantee: no line lost to another writer, read-only files
// left alone, damage reported, and the password asked before any content is shown.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "cli/Cli.h"
#include "cli/DocumentCommand.h"
#include "document/DataFile.h"
#include "support/FileText.h"
#include "support/RunCli.h"
#include "support/ScriptedPrompts.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;

using test::CliRun;
using test::readAll;
using test::runCli;

class SaveCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-save-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    afterReadSeam() = nullptr;
    fs::remove_all(dir);
  }
  std::string created(const std::string& name) {
    const std::string p = (dir / name).string();
    EXPECT_EQ(runCli({"new", p}).status, kExitOk);
    return p;
  }
  static CliRun add(const std::string& p, const std::string& name) {
    return runCli(
        {"add", p, "--date", "2024-04-01", "--item", "食費", "--name", name, "--amount", "100"});
  }
  static size_t linesNamed(const std::string& p, const std::string& name) {
    const CliRun r = runCli({"dump", p});
    const nlohmann::json j = nlohmann::json::parse(r.out);
    size_t n = 0;
    for (const auto& e : j["entries"]) n += e["name"] == name;
    return n;
  }
  fs::path dir;
};

TEST_F(SaveCommands, AnAddHeldBetweenReadAndSaveLosesNoLineOfAnotherAdd) {
  const std::string p = created("a.mtb");
  std::atomic<bool> firstHasRead = false;
  std::atomic<bool> secondStarted = false;
  std::atomic<int> calls = 0;
  // The first add to read its file waits there until the second add has begun.
  afterReadSeam() = [&] {
    if (calls++ != 0) return;
    firstHasRead = true;
    while (!secondStarted) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  };
  CliRun first{};
  std::thread t([&] { first = add(p, "先"); });
  while (!firstHasRead) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  secondStarted = true;
  const CliRun second = add(p, "後");
  t.join();
  EXPECT_EQ(first.status, kExitOk) << first.err;
  EXPECT_EQ(second.status, kExitOk) << second.err;
  EXPECT_EQ(linesNamed(p, "先"), 1u);
  EXPECT_EQ(linesNamed(p, "後"), 1u);
}

TEST_F(SaveCommands, AReadOnlyFileIsRefusedWithExitThree) {
  const std::string p = created("a.mtb");
  fs::permissions(p, fs::perms(0444));
  const std::string before = readAll(p);
  const CliRun r = add(p, "行");
  EXPECT_EQ(r.status, kExitWriteFailed);
  EXPECT_NE(r.err.find("読み取り専用"), std::string::npos) << r.err;
  EXPECT_EQ(readAll(p), before);
}

TEST_F(SaveCommands, CheckReportsABudgetListCutShortAsDamage) {
  const std::string p = created("a.mtb");
  const std::string whole = readAll(p);
  std::ofstream(p, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() - 3);
  const CliRun r = runCli({"check", p});
  EXPECT_EQ(r.status, kExitDamaged);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["damaged"], true);
  EXPECT_EQ(j["ok"], false);
}

TEST_F(SaveCommands, DumpAsksForThePasswordLikeEveryOtherCommand) {
  const std::string p = created("a.mtb");
  {
    test::ScriptedPrompts prompts;
    LoadedFile loaded = loadDataFile(p, prompts);
    ASSERT_EQ(loaded.failure, LoadFailure::None);
    loaded.ledger.entries->begin()->name = u"ひみつ";
    replaceFile(p,
                dataFileBytes(loaded.config, *loaded.ledger.entries, loaded.ledger.budgets.get()));
  }
  for (const std::vector<std::string>& refused :
       {std::vector<std::string>{"dump", p}, {"dump", p, "--password", "ちがう"}}) {
    const CliRun r = runCli(refused);
    EXPECT_EQ(r.status, kExitUnreadable);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--password"), std::string::npos) << r.err;
  }
  const CliRun ok = runCli({"dump", p, "--password", "ひみつ"});
  EXPECT_EQ(ok.status, kExitOk) << ok.err;
  EXPECT_FALSE(nlohmann::json::parse(ok.out)["entries"].empty());
}

TEST_F(SaveCommands, AFileWithoutHeaderIsResavedAsOneThatChecksClean) {
  const std::string p = (dir / "v.mtb").string();
  fs::copy_file(fs::path(SORAMI_FIXTURES) / "first-entry-not-header.mtb", p);
  ASSERT_EQ(runCli({"resave", p, p}).status, kExitOk);
  const CliRun r = runCli({"check", p});
  EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
}

}  // namespace
}  // namespace sorami::cli
