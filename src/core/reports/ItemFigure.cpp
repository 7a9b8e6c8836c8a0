#include "reports/ItemFigure.h"

#include "ledger/Hinmei.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr uint16_t kLastItemNumber = 100;

ItemFigure plainValue(int64_t value) {
  return {false, false, value, value < 0};
}

ItemFigure consumptionRate(const ItemRow& row) {
  if ((row.flags & EF_ACCOUNT) != 0 || row.work == 0) return {true, false, 0, false};
  // In integers: a quotient in double precision, times 100, lands just below a whole percent
  // (23 of 5 gave 459). Division truncates toward zero.
  const int64_t rate = row.amount * 100 / row.work;
  const bool income = (row.flags & EF_INCOME) != 0;
  const bool expense = (row.flags & EF_EXPENSE) != 0;
  const bool red = rate < 0 || (income && rate <= 100) || (expense && rate > 100);
  return {false, true, rate, red};
}

ItemFigure remainingBudget(const ItemRow& row) {
  if ((row.flags & EF_ACCOUNT) != 0) return {true, false, 0, false};
  const bool income = (row.flags & EF_INCOME) != 0;
  return plainValue(income ? row.amount - row.work : row.work - row.amount);
}

ItemFigure dailyGuide(const ItemRow& row, int64_t remainingDays) {
  if ((row.flags & EF_ACCOUNT) != 0) return consumptionRate(row);
  if (row.work == 0) return plainValue(0);
  // Past the end of a fixed period no days are left to spread the rest over.
  if (remainingDays < 0) return plainValue(0);
  return plainValue((row.work - row.amount) / (remainingDays + 1));
}

}  // namespace

ItemFigure itemFigure(const ItemRow& row, int column, int64_t remainingDays) {
  if (row.flags == 0 || row.item > kLastItemNumber) return plainValue(row.amount);
  switch (column) {
    case IC_BUDGET:
      if ((row.flags & EF_ACCOUNT) != 0) return dailyGuide(row, remainingDays);
      return plainValue(row.work);
    case IC_DAILY_GUIDE:
      return dailyGuide(row, remainingDays);
    case IC_CONSUMPTION_RATE:
      return consumptionRate(row);
    case IC_REMAINING_BUDGET:
      return remainingBudget(row);
    default:
      return plainValue(row.amount);
  }
}

std::u16string itemFigureText(const ItemFigure& figure, int decimalPlaces) {
  if (figure.empty) return {};
  if (figure.plain) return formatAmount(figure.value, false, 0);
  return formatAmount(figure.value, true, decimalPlaces);
}

std::u16string itemHeaderText(int displayMode, int column) {
  if (displayMode != 1) return u"A  M\t 項目名\t　日集計";
  switch (column) {
    case IC_BUDGET:
      return u"A  M\t 項目名\t　予算額";
    case IC_DAILY_GUIDE:
      return u"A  M\t 項目名\t1日消費目安";
    case IC_CONSUMPTION_RATE:
      return u"A  M\t 項目名\t消化率％";
    case IC_REMAINING_BUDGET:
      return u"A  M\t 項目名\t予算残金";
    default:
      return u"A  M\t 項目名\t期間集計";
  }
}

}  // namespace sorami
