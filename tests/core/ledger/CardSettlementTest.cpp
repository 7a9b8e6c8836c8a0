#include "ledger/CardSettlement.h"

#include <gtest/gtest.h>

#include "LedgerFixture.h"
#include "rules/Holidays.h"

namespace sorami::test {
namespace {

constexpr unsigned kSaturdaySunday = 0x41;

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

CardSettings cardClosing(int closingDay, int holidayRule = 0) {
  CardSettings c = CardSettings::newRecord(2024, 1);
  c.closingDay = closingDay;
  c.closingHolidayRule = holidayRule;
  return c;
}

TEST(CardPeriod, EveryDayBelongsToExactlyOnePeriod) {
  const CHoliday holidays;
  const struct {
    int closingDay;
    int holidayRule;
    YearMonth month;
    Day start;
    Day closing;
  } cases[] = {
      // The month's end, through a leap February: March's 31st is billed in March only.
      {31, 0, {2024, 2}, ymd(2024, 2, 1), ymd(2024, 2, 29)},
      {31, 0, {2024, 3}, ymd(2024, 3, 1), ymd(2024, 3, 31)},
      {31, 0, {2024, 4}, ymd(2024, 4, 1), ymd(2024, 4, 30)},
      // 2024-02-10 is a Saturday and 02-12 a substitute holiday; 03-10 is a Sunday.
      {10, 0, {2024, 2}, ymd(2024, 1, 11), ymd(2024, 2, 10)},
      {10, 1, {2024, 2}, ymd(2024, 1, 11), ymd(2024, 2, 9)},
      {10, 1, {2024, 3}, ymd(2024, 2, 10), ymd(2024, 3, 8)},
      {10, 2, {2024, 2}, ymd(2024, 1, 11), ymd(2024, 2, 13)},
      {10, 2, {2024, 3}, ymd(2024, 2, 14), ymd(2024, 3, 11)},
      // January looks back into December of the year before.
      {25, 0, {2024, 1}, ymd(2023, 12, 26), ymd(2024, 1, 25)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.closingDay << " rule " << c.holidayRule << " "
                                    << c.month.year << "-" << c.month.month);
    const CardPeriod p =
        cardPeriod(cardClosing(c.closingDay, c.holidayRule), c.month, kSaturdaySunday, holidays);
    EXPECT_EQ(isoDate(p.start), isoDate(c.start));
    EXPECT_EQ(isoDate(p.closing), isoDate(c.closing));
  }
}

TEST(CardPeriod, PaymentMonthsStepByAnyCount) {
  const struct {
    YearMonth closing;
    int offset;
    YearMonth payment;
  } cases[] = {{{2024, 12}, 1, {2025, 1}},
               {{2024, 11}, 14, {2026, 1}},
               {{2024, 3}, 0, {2024, 3}},
               {{2024, 1}, -1, {2023, 12}},
               {{2024, 6}, 30, {2026, 12}}};
  for (const auto& c : cases) {
    EXPECT_EQ(cardPaymentMonth(c.closing, c.offset), c.payment) << c.offset;
  }
}

// A card "カード" paid from the account "普通預金", on the fixture's pseudo-items.
class CardTest : public LedgerFixture, public testing::Test {
 protected:
  CardTest() : LedgerFixture(1'000'000) {
    account(u"普通預金", 500'000);
    loan(u"カード", 0);
  }

  CardSettings& card() { return *store.findLoan(u"カード")->card; }

  void makeCard(YearMonth next, bool revolving = false) {
    CardSettings c = CardSettings::newRecord(next.year, next.month);
    c.settlementAccount = u"普通預金";
    c.revolving = revolving ? 1 : 0;
    edit(c);
  }
  template <typename Change>
  void change(Change f) {
    CardSettings c = card();
    f(c);
    edit(c);
  }
  void edit(const CardSettings& c) { ASSERT_TRUE(store.setCardSettings(u"カード", c, true)); }

  // A purchase with the card: the goods, paid by borrowing on the card.
  void buy(Day d, int32_t amount) {
    addPair(line(d, kGoods, amount, u"買物"), line(d, kBorrow, amount, u"カード"));
  }

  CardSettlementRun settle(Day today) {
    store.context().today = today;
    AutoEntryOptions options;
    options.restDays = kSaturdaySunday;
    return settleCards(store, options, holidays, today);
  }

  // The card's lines on the loan item of the expense side (its payments), as date and amount.
  std::vector<std::pair<std::string, int32_t>> payments() {
    std::vector<std::pair<std::string, int32_t>> out;
    for (auto p = store.firstDated(); p != store.end(); ++p) {
      if (p->item == kRepayLoan && p->name == u"カード")
        out.emplace_back(isoDate(p->date), p->amount);
    }
    return out;
  }

  const CHoliday holidays;
};

TEST_F(CardTest, EachMonthsPurchasesAreBilledOnceAndPaidFromTheAccount) {
  makeCard({2024, 1});
  buy(ymd(2024, 1, 10), 1000);  // the closing day
  buy(ymd(2024, 1, 11), 2000);  // the day after
  buy(ymd(2024, 2, 10), 4000);
  buy(ymd(2024, 3, 20), 8000);  // after the last closing settled
  // Opened again on 04-15: January to April are settled in one go, March without purchases.
  const CardSettlementRun run = settle(ymd(2024, 4, 15));
  ASSERT_EQ(run.settlements.size(), 4u);
  const struct {
    const char* closing;
    const char* start;
    int64_t due;
  } expected[] = {{"2024-01-10", "2023-12-11", 1000},
                  {"2024-02-10", "2024-01-11", 6000},
                  {"2024-03-10", "2024-02-11", 0},
                  {"2024-04-10", "2024-03-11", 8000}};
  for (size_t i = 0; i < 4; ++i) {
    const CardSettlement& s = run.settlements[i];
    SCOPED_TRACE(expected[i].closing);
    EXPECT_EQ(isoDate(s.period.closing), expected[i].closing);
    EXPECT_EQ(isoDate(s.period.start), expected[i].start);
    EXPECT_EQ(s.due, expected[i].due);
    EXPECT_EQ(s.purchases, expected[i].due);
    EXPECT_EQ(s.rule.has_value(), expected[i].due != 0);
    EXPECT_EQ(s.nextClosing, nextMonth(s.month));
  }
  const CAutoRule& rule = *run.settlements[3].rule;
  EXPECT_EQ(isoDate(cardRuleDate(rule)), "2024-05-10");
  EXPECT_EQ(rule.sourceItem, kOutOfAccount);
  EXPECT_EQ(rule.sourceName, u"普通預金");
  EXPECT_EQ(rule.destinationItem, kRepayLoan);
  EXPECT_EQ(rule.destinationName, u"カード");
  EXPECT_EQ(rule.plannedCount, 1);
  EXPECT_EQ(rule.deleteAfterLast, 1);
  // The payments due by each closing were written on the way; the April one waits for its day.
  EXPECT_EQ(payments(), (std::vector<std::pair<std::string, int32_t>>{{"2024-02-10", 1000},
                                                                      {"2024-03-10", 6000}}));
  EXPECT_EQ(store.ruleCount(), 1);
  EXPECT_EQ(card().nextClosingMonth, 5);
  // Nothing more until May's closing has passed.
  EXPECT_TRUE(settle(ymd(2024, 5, 10)).settlements.empty());
  EXPECT_EQ(settle(ymd(2024, 5, 11)).settlements.size(), 1u);
}

TEST_F(CardTest, APaymentMonthPastDecemberRaisesTheYear) {
  makeCard({2024, 12});
  change([](CardSettings& c) {
    c.paymentMonthOffset = 2;
    c.paymentDay = 31;
  });
  buy(ymd(2024, 12, 1), 3000);
  const CardSettlementRun run = settle(ymd(2024, 12, 11));
  ASSERT_EQ(run.settlements.size(), 1u);
  EXPECT_EQ(isoDate(cardRuleDate(*run.settlements[0].rule)), "2025-02-28");
  EXPECT_EQ(card().nextClosingYear, 2025);
  EXPECT_EQ(card().nextClosingMonth, 1);
}

TEST_F(CardTest, RevolvingFeesAreChargedToTheYen) {
  makeCard({2024, 2}, true);
  change([](CardSettings& c) { c.feeAtFirstSettlement = 1; });
  buy(ymd(2024, 1, 15), 100'000);
  const CardSettlementRun run = settle(ymd(2024, 2, 11));
  ASSERT_EQ(run.settlements.size(), 1u);
  const CardSettlement& s = run.settlements[0];
  EXPECT_EQ(s.fee, 940);  // 26 days at 13.2 %
  EXPECT_EQ(s.due, 10'940);
  EXPECT_EQ(s.carried, 90'000);
  EXPECT_EQ(card().carriedBalance, 90'000);
  const auto fee = store.lastDatedOfItem(kBorrow);
  ASSERT_TRUE(fee);
  EXPECT_EQ((*fee)->date, ymd(2024, 2, 10));
  EXPECT_EQ((*fee)->amount, 940);
  EXPECT_EQ((*fee)->name, u"カード");
  EXPECT_EQ((*fee)->visibleMemo(), u"手数料");
  // March: the payment of March 10 is in before the closing of that day; the balance of
  // 90,000 changed only on the closing day, so nothing accrued, and the table pays 10,000.
  const CardSettlementRun march = settle(ymd(2024, 3, 11));
  ASSERT_EQ(march.settlements.size(), 1u);
  EXPECT_EQ(march.settlements[0].fee, 0);
  EXPECT_EQ(march.settlements[0].due, 10'000);
  EXPECT_EQ(march.settlements[0].carried, 80'000);
}

TEST_F(CardTest, TheRevolvingRulesAsStored) {
  makeCard({2024, 2}, true);
  const struct {
    const char* what;
    int method;
    int32_t bought;
    int firstFee;
    int addedTo;
    int64_t fee;
    int64_t due;
  } cases[] = {
      // 定額 with the default table.
      {"table row 1", 0, 150'000, 0, 0, 0, 10'000},
      {"above the last bound", 0, 200'001, 1, 0, 2169, 2169},
      {"fee raises the balance only", 0, 200'001, 1, 1, 2169, 0},
      {"less than payment 1", 0, 8000, 1, 0, 86, 8086},
      // 定率 5 % with the minimum 10,000.
      {"rate", 1, 300'000, 0, 0, 0, 15'000},
      {"less than the minimum", 1, 9000, 0, 0, 0, 9000},
      // 700,000.00 with two decimal places: the balance times the days passes 32 bits.
      {"wide balance", 1, 70'000'000, 1, 0, 759'452, 3'500'000 + 759'452},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    change([&](CardSettings& s) {
      s.method = c.method;
      s.feeAtFirstSettlement = c.firstFee;
      s.feeAddedTo = c.addedTo;
    });
    // Bought on the first day of the period, so the balance runs 30 days to the closing.
    const auto p = store.insert(line(ymd(2024, 1, 11), kBorrow, c.bought, u"カード")).value();
    const CAccount& loan = *store.findLoan(u"カード");
    const RevolvingPayment r =
        revolvingPayment(store, loan, cardPeriod(*loan.card, {2024, 2}, kSaturdaySunday, holidays));
    EXPECT_EQ(r.fee, c.fee);
    EXPECT_EQ(r.due, c.due);
    EXPECT_EQ(r.carried, c.bought + c.fee - c.due);
    store.remove(p);
  }
}

TEST_F(CardTest, APaidOffBalanceIsNotBilledAgain) {
  makeCard({2024, 2}, true);
  buy(ymd(2024, 1, 15), 5000);
  const CardSettlementRun feb = settle(ymd(2024, 2, 11));
  ASSERT_EQ(feb.settlements.size(), 1u);
  EXPECT_EQ(feb.settlements[0].due, 5000);  // the whole balance, no fee the first time
  EXPECT_EQ(feb.settlements[0].carried, 0);
  // The payment falls on March's closing day; it is written before March is settled.
  const CardSettlementRun march = settle(ymd(2024, 3, 11));
  ASSERT_EQ(march.settlements.size(), 1u);
  EXPECT_EQ(march.settlements[0].due, 0);
  EXPECT_FALSE(march.settlements[0].rule);
  EXPECT_EQ(payments(), (std::vector<std::pair<std::string, int32_t>>{{"2024-03-10", 5000}}));
}

TEST_F(CardTest, APaymentTheRuleTableCannotTakeKeepsItsMonth) {
  makeCard({2024, 1}, true);
  change([](CardSettings& c) { c.feeAtFirstSettlement = 1; });
  buy(ymd(2024, 1, 1), 50'000);
  CAutoRule filler = CAutoRule::makeDefault(ymd(2024, 1, 1));
  filler.destinationItem = kFood;
  filler.scheduleCode = 1;
  filler.startYear = 2030;
  for (size_t i = 0; i < kMaxRules; ++i) ASSERT_TRUE(store.addRule(filler, false));
  const size_t lines = store.size();
  const CardSettlementRun run = settle(ymd(2024, 3, 1));
  ASSERT_EQ(run.settlements.size(), 1u);
  EXPECT_TRUE(run.settlements[0].refused);
  EXPECT_FALSE(run.settlements[0].rule);
  EXPECT_EQ(store.size(), lines);  // no fee entry either
  EXPECT_EQ(card().nextClosingMonth, 1);
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_EQ(prompts.shown.back().id, MessageId::CardPaymentNotStored);
  // With room again, January and February are settled; January's fee is charged once, and
  // February's balance changed only with its payment, so it accrued none.
  ASSERT_TRUE(store.removeRule(0));
  ASSERT_TRUE(store.removeRule(0));
  const CardSettlementRun later = settle(ymd(2024, 3, 1));
  ASSERT_EQ(later.settlements.size(), 2u);
  EXPECT_FALSE(later.settlements[0].refused);
  EXPECT_EQ(card().nextClosingMonth, 3);
  size_t fees = 0;
  for (const CHinmei& e : store) fees += e.isDated() && e.visibleMemo() == u"手数料";
  EXPECT_EQ(fees, 1u);
}

TEST_F(CardTest, ALoanWithoutTheCardFlagIsNotSettled) {
  makeCard({2024, 1});
  buy(ymd(2024, 1, 5), 1000);
  ASSERT_TRUE(store.setCardSettings(u"カード", card(), false));
  EXPECT_TRUE(settle(ymd(2024, 6, 1)).settlements.empty());
  EXPECT_EQ(store.ruleCount(), 0);
}

}  // namespace
}  // namespace sorami::test
