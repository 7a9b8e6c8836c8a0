// generate, export and import: sample ledgers, text that survives spreadsheets, journals that
// the plain-text accounting tools read with the same balances.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "document/DataFile.h"
#include "platform/TextCodec.h"
#include "reports/CsvImport.h"
#include "reports/CsvText.h"
#include "support/FileText.h"
#include "support/RunCli.h"
#include "support/ScriptedPrompts.h"

namespace sorami::cli {
namespace {

namespace fs = std::filesystem;

using test::CliRun;
using test::readAll;
using test::runCli;
using test::writeText;

// The records of a csv text, each record's fields joined by a bar for easy comparison.
std::vector<std::vector<std::string>> csvRecords(const std::string& text) {
  std::istringstream in(text);
  CsvReader reader(in, ",");
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> fields;
  while (reader.next(fields) == CsvReader::Status::Record) records.push_back(fields);
  return records;
}

class ExchangeCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          (std::string("sorami-exchange-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string file(const std::string& name) const { return (dir / name).string(); }
  std::string generate(const std::string& name, int entries, int seed = 7) {
    const std::string p = file(name);
    const CliRun r = runCli(
        {"generate", p, "--entries", std::to_string(entries), "--seed", std::to_string(seed)});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return p;
  }
  std::string exportText(const std::string& p, const std::string& format) {
    const CliRun r = runCli({"export", p, "--format", format});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return r.out;
  }
  fs::path dir;
};

LoadedFile load(const std::string& path) {
  test::ScriptedPrompts prompts;
  return loadDataFile(path, prompts);
}

TEST_F(ExchangeCommands, GenerateGivesTheSameFileForASeedAndExactlyTheEntriesAsked) {
  for (const int n : {1, 7, 300, 10'000}) {
    const std::string a = generate("a.mtb", n);
    const std::string b = generate("b.mtb", n, 7);
    EXPECT_EQ(readAll(a), readAll(b)) << n;
    LoadedFile f = load(a);
    ASSERT_EQ(f.failure, LoadFailure::None);
    size_t dated = 0;
    bool diary = false;
    bool pair = false;
    for (const CHinmei& e : *f.ledger.entries) {
      if (e.isDated() && !e.isEndMarker()) ++dated;
      diary = diary || e.isDiary();
      pair = pair || e.isPairSecond();
    }
    EXPECT_EQ(dated, static_cast<size_t>(n));
    if (n == 10'000) {
      EXPECT_TRUE(diary);
      EXPECT_TRUE(pair);
      EXPECT_EQ(f.ledger.entries->entries().back().name, u"Last Mark");
    }
    fs::remove(a);
    fs::remove(b);
  }
  const std::string other = generate("c.mtb", 300, 8);
  EXPECT_NE(readAll(generate("d.mtb", 300, 7)), readAll(other));
  EXPECT_EQ(runCli({"generate", other, "--entries", "5"}).status, kExitUsage);
  EXPECT_EQ(runCli({"generate", other, "--entries", "5", "--force"}).status, kExitOk);
  EXPECT_EQ(runCli({"generate", file("e.mtb"), "--entries", "0"}).status, kExitUsage);
}

TEST_F(ExchangeCommands, CsvExportImportedIntoANewFileGivesTheSameOrdinaryLines) {
  const std::string source = generate("source.mtb", 3000);
  const std::string csv = exportText(source, "csv");
  writeText(dir / "lines.csv", csv);
  const std::string target = file("target.mtb");
  ASSERT_EQ(runCli({"new", target}).status, kExitOk);
  const CliRun imported = runCli({"import", target, (dir / "lines.csv").string()});
  ASSERT_EQ(imported.status, kExitOk) << imported.err;

  const auto records = csvRecords(csv);
  std::vector<std::vector<std::string>> ordinary{records.front()};  // the column titles
  for (const auto& r : records) {
    if (r.back().empty()) ordinary.push_back(r);  // no account or loan: an ordinary line
  }
  const auto back = csvRecords(exportText(target, "csv"));
  ASSERT_GT(ordinary.size(), 2000u);
  EXPECT_EQ(back, ordinary);
  // Memos with commas, quotes and line breaks came through.
  EXPECT_NE(csv.find("\"友人と, \"\"打ち上げ\"\"\""), std::string::npos);
  EXPECT_NE(csv.find("\"特売\r\n2割引\""), std::string::npos);
}

TEST_F(ExchangeCommands, ExportNeverChangesTheFileAndRefusesToWriteOverIt) {
  const std::string p = generate("x.mtb", 500);
  const std::string before = readAll(p);
  for (const char* format : {"csv", "json", "ledger"}) {
    EXPECT_EQ(runCli({"export", p, "--format", format, "--out", file("out.txt")}).status, kExitOk);
  }
  EXPECT_EQ(runCli({"export", p, "--format", "csv", "--out", p}).status, kExitUsage);
  EXPECT_EQ(runCli({"export", p, "--format", "xml"}).status, kExitUsage);
  EXPECT_EQ(readAll(p), before);
  EXPECT_FALSE(fs::exists(p + ".bak"));
}

TEST_F(ExchangeCommands, JsonHoldsTheLinesOfTheRangeWithAccountsLoansAndItems) {
  const std::string p = generate("j.mtb", 2000);
  const CliRun r =
      runCli({"export", p, "--format", "json", "--from", "2025-03-01", "--to", "2025-03-31"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  ASSERT_FALSE(j["lines"].empty());
  for (const auto& line : j["lines"]) {
    EXPECT_GE(line["date"].get<std::string>(), "2025-03-01");
    EXPECT_LE(line["date"].get<std::string>(), "2025-03-31");
  }
  EXPECT_EQ(j["accounts"].size(), 3u);
  EXPECT_EQ(j["accounts"][2]["outsideAssets"], true);
  EXPECT_EQ(j["loans"].size(), 2u);
  EXPECT_EQ(j["items"].size(), 19u);
}

TEST(CsvText, FieldsSurviveEveryDelimiter) {
  const std::vector<std::string> fields{
      "",         "plain",     "a,b",        "say \"hi\"", "two\r\nlines", "lf\nonly",
      " spaced ", "tab\there", "semi;colon", "読点、あり", "\"",           "end\r"};
  for (const std::string delimiter : {",", "\t", " ", ";", "、"}) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
      text += (i ? delimiter : "") + csvField(fields[i], delimiter);
    }
    text += "\r\nnext" + delimiter + "line";
    std::istringstream in(text);
    CsvReader reader(in, delimiter);
    std::vector<std::string> got;
    ASSERT_EQ(reader.next(got), CsvReader::Status::Record) << delimiter;
    EXPECT_EQ(got, fields) << delimiter;
    ASSERT_EQ(reader.next(got), CsvReader::Status::Record);
    EXPECT_EQ(got, (std::vector<std::string>{"next", "line"}));
    EXPECT_EQ(reader.recordLine(), 5u);  // three line breaks inside the fields before it
    EXPECT_EQ(reader.next(got), CsvReader::Status::End);
  }
  EXPECT_EQ(csvField("a,b", ","), "\"a,b\"");
  EXPECT_EQ(csvField("a,b", "\t"), "a,b");
  EXPECT_EQ(csvField("say \"hi\"", ","), "\"say \"\"hi\"\"\"");
}

TEST_F(ExchangeCommands, HostileCsvIsReportedAndTheFileStaysAsItWas) {
  const std::string p = generate("h.mtb", 200);
  const std::string before = readAll(p);
  const std::string good = "2025-01-05,食費,昼食,,800,,\r\n";
  const struct {
    const char* name;
    std::string text;
    const char* said;
  } cases[] = {
      {"columns", good + "2025-01-05,食費,昼食,800\r\n", "2行目"},
      {"beyond range", good + "2025-01-05,食費,昼食,,2147483648,,\r\n", "範囲"},
      {"below range", "2025-01-05,食費,昼食,,-2147483649,,\r\n", "範囲"},
      {"not a number", "2025-01-05,食費,昼食,,12円,,\r\n", "金額"},
      {"both amounts", "2025-01-05,食費,昼食,5,5,,\r\n", "金額"},
      {"bad date", "2025-02-30,食費,昼食,,5,,\r\n", "日付"},
      {"open quote", good + "2025-01-05,食費,\"昼食,,5,,\r\n", "引用符"},
      {"binary", std::string("\x00\xff\x01,\x02", 5), "列"},
      {"nul in a name", good + "2025-01-05,食費,昼" + std::string(1, '\0') + "食,,5,,\r\n",
       "2行目: CSV として読めません: 3列目に NUL"},
      {"not utf-8", good + good + "2025-01-05,食費,昼食,,5,\xff\xfe,\r\n",
       "3行目: CSV として読めません: 6列目に UTF-8"},
  };
  for (const auto& c : cases) {
    writeText(dir / "bad.csv", c.text);
    const CliRun r = runCli({"import", p, (dir / "bad.csv").string()});
    EXPECT_EQ(r.status, kExitBadInput) << c.name;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << c.name << ": " << r.err;
    EXPECT_EQ(readAll(p), before) << c.name;
  }
  // Unknown items are passed over with a word; the rest is stored.
  writeText(dir / "mixed.csv", good + "2025-01-05,宇宙旅行,月,,800,,\r\n");
  const CliRun mixed = runCli({"import", p, (dir / "mixed.csv").string()});
  EXPECT_EQ(mixed.status, kExitOk) << mixed.err;
  EXPECT_NE(mixed.err.find("宇宙旅行"), std::string::npos);
  EXPECT_NE(readAll(p), before);
}

TEST(CsvImport, MoreLinesThanTheLimitAreRefusedWhileReading) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "2025-01-05,どこにもない項目,x,,1,,\n";
  std::istringstream in(text);
  CHinmeiList empty;
  ImportOptions options;
  options.maxLines = 10;
  const ImportResult r = readImportCsv(in, empty, options);
  EXPECT_EQ(r.failure, ImportFailure::TooManyLines);
  EXPECT_EQ(r.failureLine, 11u);
  EXPECT_EQ(r.skipped.size(), 10u);
  EXPECT_TRUE(r.lines.empty());
}

// ---- The plain-text accounting tools.

bool toolPresent(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string runTool(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pclose(pipe);
  EXPECT_EQ(status, 0) << command << "\n" << out;
  return out;
}

// "   ¥-1234  資産:貯蓄:普通預金" lines of a flat balance report, by account.
std::map<std::string, int64_t> balances(const std::string& report) {
  std::map<std::string, int64_t> out;
  static const std::regex line(R"(^\s*¥(-?[0-9]+)\s+(\S+)\s*$)");
  std::istringstream in(report);
  std::string text;
  std::smatch m;
  while (std::getline(in, text)) {
    if (std::regex_match(text, m, line)) out[m[2]] = std::stoll(m[1]);
  }
  return out;
}

// Cash, accounts and loans at the start of a day as `sorami-cli balance` gives them, by the
// journal's account names; loans are owed, so the journal holds them negative.
std::map<std::string, int64_t> soramiBalances(const std::string& file, const std::string& date) {
  const CliRun r = runCli({"balance", file, "--date", date});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  std::map<std::string, int64_t> out{{"資産:現金", j["cash"].get<int64_t>()}};
  for (const auto& a : j["accounts"]) {
    out["資産:貯蓄:" + a["name"].get<std::string>()] = a["balance"].get<int64_t>();
  }
  for (const auto& l : j["loans"]) {
    out["負債:借入:" + l["name"].get<std::string>()] = -l["balance"].get<int64_t>();
  }
  std::erase_if(out, [](const auto& kv) { return kv.second == 0; });
  return out;
}

TEST_F(ExchangeCommands, LedgerAndHledgerReadTheJournalWithTheSameBalances) {
  if (!toolPresent("ledger") || !toolPresent("hledger")) {
    GTEST_SKIP() << "ledger and hledger are not installed";
  }
  const std::string p = generate("tools.mtb", 10'000);
  // Names and memos that look like the journal's own structure: status marks, codes, account
  // separators, comments, dates and value expressions.
  writeText(dir / "odd.csv",
            "2025-12-31,食費,\"*(特売): [2割引]; 再\",,800,\"a:: b [=2020/01/01] ; c\r\nx\",\r\n"
            "2025-12-31,食費,!注意\t2,,100,date:2020-01-01,\r\n");
  ASSERT_EQ(runCli({"import", p, (dir / "odd.csv").string()}).status, kExitOk);
  const std::string journal = file("tools.journal");
  ASSERT_EQ(runCli({"export", p, "--format", "ledger", "--out", journal}).status, kExitOk);
  for (const char* date : {"2022-01-01", "2023-07-15", "2025-06-01", "2026-01-01"}) {
    const std::map<std::string, int64_t> expected = soramiBalances(p, date);
    ASSERT_GT(expected.size(), 3u) << date;
    const std::string tail = std::string(" bal --flat --no-total -e ") + date + " 資産 負債";
    EXPECT_EQ(balances(runTool("ledger -f " + journal + tail)), expected) << date;
    EXPECT_EQ(balances(runTool("hledger -f " + journal + tail)), expected) << date;
  }
}

}  // namespace
}  // namespace sorami::cli
