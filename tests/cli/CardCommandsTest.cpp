#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/DocumentFixture.h"
#include "support/FileText.h"
#include "support/RunCli.h"

namespace sorami::cli {
namespace {

using Json = nlohmann::json;
using test::runCli;

// A new file with the account 普通預金 and the loan カード, made a card that closes on the 10th
// and is paid on the 27th of the next month from 普通預金, first closing in April 2024.
class CardCommandsTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    path = file("c.mtb").string();
    ASSERT_EQ(runCli({"new", path, "--no-samples"}).status, kExitOk);
    ok({"account", path, "--today", "2024-04-01", "--kind", "account", "--register", "普通預金",
        "--initial", "100000"});
    ok({"account", path, "--today", "2024-04-01", "--kind", "loan", "--register", "カード"});
  }

  Json ok(const std::vector<std::string>& args) {
    const test::CliRun r = runCli(args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return r.status == kExitOk ? Json::parse(r.out) : Json();
  }

  void buy(const char* date, const char* amount) {
    ok({"add", path, "--today", "2024-04-01", "--date", date, "--item", "借入", "--name", "カード",
        "--amount", amount});
  }

  std::string path;
};

TEST_F(CardCommandsTest, ACardIsSetUpListedAndRefusedWithWrongNames) {
  const Json set = ok({"card", path, "--today", "2024-04-01", "--loan", "カード", "--closing-day",
                       "10", "--payment-day", "27", "--payment-account", "普通預金",
                       "--next-closing", "2024-04"})["card"];
  EXPECT_EQ(set["loan"], "カード");
  const Json cards = ok({"cards", path})["cards"];
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0], set);
  EXPECT_EQ(cards[0]["paymentAccount"], "普通預金");
  EXPECT_EQ(cards[0]["closingDay"], 10);
  EXPECT_EQ(cards[0]["paymentDay"], 27);
  EXPECT_EQ(cards[0]["nextClosing"], "2024-04");
  EXPECT_TRUE(cards[0]["revolving"].is_null());

  const Json revolving = ok({"card", path, "--loan", "カード", "--revolving", "rate", "--rate",
                             "7.5", "--amount", "5000", "--fee-rate", "15"})["card"]["revolving"];
  EXPECT_EQ(revolving["method"], "rate");
  EXPECT_EQ(revolving["rate"], 7.5);
  EXPECT_EQ(revolving["minimum"], 5000);
  EXPECT_EQ(revolving["feeRate"], 15.0);

  const std::string before = test::readAll(path);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"card", path, "--loan", "ない"},
        {"card", path, "--loan", "カード", "--payment-account", "ない"},
        {"card", path, "--loan", "カード", "--closing-day", "32"},
        {"card", path, "--loan", "カード", "--revolving", "sometimes"}}) {
    EXPECT_EQ(runCli(args).status, kExitUsage) << args[3];
  }
  EXPECT_EQ(test::readAll(path), before);
  EXPECT_TRUE(ok({"card", path, "--loan", "カード", "--off"})["card"].is_null());
  EXPECT_TRUE(ok({"cards", path})["cards"].empty());
}

TEST_F(CardCommandsTest, SettleBillsEachClosedMonthOnceAndDryRunWritesNothing) {
  ok({"card", path, "--today", "2024-04-01", "--loan", "カード", "--closing-day", "10",
      "--payment-day", "27", "--payment-account", "普通預金", "--next-closing", "2024-04"});
  buy("2024-04-10", "3000");
  buy("2024-04-11", "5000");
  const std::string before = test::readAll(path);
  const Json dry = ok({"settle", path, "--today", "2024-05-20", "--dry-run"});
  EXPECT_EQ(test::readAll(path), before);
  const Json done = ok({"settle", path, "--today", "2024-05-20"});
  EXPECT_EQ(done, dry);
  const Json& s = done["settlements"];
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0], (Json{{"loan", "カード"},
                        {"closing", "2024-04-10"},
                        {"periodStart", "2024-03-11"},
                        {"periodEnd", "2024-04-10"},
                        {"purchases", 3000},
                        {"fee", 0},
                        {"due", 3000},
                        {"carried", 0},
                        {"rule", {{"date", "2024-05-27"}, {"amount", 3000}}},
                        {"nextClosing", "2024-05"}}));
  EXPECT_EQ(s[1]["periodStart"], "2024-04-11");
  EXPECT_EQ(s[1]["purchases"], 5000);
  EXPECT_EQ(s[1]["rule"]["date"], "2024-06-27");
  EXPECT_EQ(ok({"cards", path})["cards"][0]["nextClosing"], "2024-06");
  EXPECT_EQ(ok({"rules", path})["rules"].size(), 2u);
  EXPECT_TRUE(ok({"settle", path, "--today", "2024-05-20"})["settlements"].empty());
  // Opened after the payment days: each payment is written once, from the account.
  ok({"run-due", path, "--today", "2024-07-01"});
  const Json accounts = ok({"accounts", path, "--date", "2024-07-01"});
  EXPECT_EQ(accounts["accounts"][0]["balance"], 100000 - 8000);
  EXPECT_EQ(accounts["loans"][0]["balance"], 0);
}

}  // namespace
}  // namespace sorami::cli
