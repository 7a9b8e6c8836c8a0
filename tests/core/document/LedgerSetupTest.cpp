#include <gtest/gtest.h>

#include "document/LedgerSetup.h"

namespace sorami::test {
namespace {

TEST(LedgerSetup, OptionsComeFromTheirPositions) {
  const struct {
    int CConfig::*field;
    bool LedgerOptions::*option;
  } cases[] = {{&CConfig::savingsInTotals, &LedgerOptions::savingsInTotals},
               {&CConfig::loansInTotals, &LedgerOptions::loansInTotals},
               {&CConfig::skipZeroAmounts, &LedgerOptions::skipZeroAmounts},
               {&CConfig::swapNegativeTransfers, &LedgerOptions::swapNegativeTransfers},
               {&CConfig::confirmDeletion, &LedgerOptions::confirmDeletion}};
  for (const auto& c : cases) {
    for (int value : {0, 1}) {
      CConfig config;
      config.*c.field = value;
      EXPECT_EQ(ledgerOptions(config).*c.option, value != 0);
    }
  }
  CConfig config;
  EXPECT_TRUE(ledgerOptions(config).pairOption);
  config.entryStoreOption = 0;
  EXPECT_FALSE(ledgerOptions(config).pairOption);
}

TEST(LedgerSetup, TheWindowIsTheDayOrItsPeriodWithTheBudgetMonth) {
  CConfig config;
  config.closingDay = 25;
  const NoHolidays holidays;
  const Day day = dayFromYmd(2024, 3, 26);
  LedgerWindow w = ledgerWindow(config, holidays, day, DisplayMode::DayInput);
  EXPECT_EQ(w.first(), day);
  EXPECT_EQ(w.last(), day);
  EXPECT_EQ(w.budgetMonth, (BudgetMonth{2024, 4}));

  w = ledgerWindow(config, holidays, day, DisplayMode::Summary);
  EXPECT_EQ(w.first(), dayFromYmd(2024, 3, 26));
  EXPECT_EQ(w.last(), dayFromYmd(2024, 4, 25));

  // Periods named by their first month take the budget of the month after.
  config.closedMonthNaming = 1;
  EXPECT_EQ(ledgerWindow(config, holidays, day, DisplayMode::CashBook).budgetMonth,
            (BudgetMonth{2024, 4}));

  // The fixed totals period replaces the accounting month.
  config.fixedTotalsPeriod = 1;
  config.totalsPeriodStart = dayFromYmd(2024, 1, 1);
  config.totalsPeriodEnd = dayFromYmd(2024, 12, 31);
  w = ledgerWindow(config, holidays, day, DisplayMode::Summary);
  EXPECT_EQ(w.first(), dayFromYmd(2024, 1, 1));
  EXPECT_EQ(w.last(), dayFromYmd(2024, 12, 31));
}

}  // namespace
}  // namespace sorami::test
