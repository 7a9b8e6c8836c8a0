#include "reports/AnnualSummary.h"

#include <algorithm>

#include "ledger/LedgerPeriods.h"
#include "platform/TextCodec.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

// Whether an item's lines count in the income and expense totals: transfers only when the file
// counts them there.
bool countsInTotals(const SummaryItem& item, SummaryOptions options) {
  if ((item.flags & EF_ACCOUNT) != 0) return options.savingsInTotals;
  if ((item.flags & EF_LOAN) != 0) return options.loansInTotals;
  return true;
}

void deriveRows(AnnualSummary& s, SummaryOptions options) {
  const size_t columns = static_cast<size_t>(s.months) + 1;
  for (const SummaryItem& item : s.items) {
    const auto& values = s.matrix.cells[item.item];
    const bool income = (item.flags & EF_INCOME) != 0;
    const bool expense = (item.flags & EF_EXPENSE) != 0;
    for (size_t c = 0; c < columns; ++c) {
      if (countsInTotals(item, options)) {
        if (income) s.derived[DR_INCOME][c] += values[c];
        if (expense) s.derived[DR_EXPENSE][c] += values[c];
      }
      // Deposits into accounts are saved, withdrawals spend the savings again.
      if ((item.flags & EF_ACCOUNT) != 0)
        s.derived[DR_SAVINGS][c] += income ? -values[c] : values[c];
    }
  }
  const std::pair<DerivedRow, size_t> balances[] = {{DR_CASH, kRowCash},
                                                    {DR_ACCOUNTS, kRowAccounts},
                                                    {DR_LOANS, kRowLoans},
                                                    {DR_TOTAL_ASSETS, kRowAssets}};
  for (const auto& [row, matrixRow] : balances) s.derived[row] = s.matrix.cells[matrixRow];
}

std::u16string number(int n) {
  return u16(std::to_string(n));
}

}  // namespace

const std::array<int64_t, kMatrixColumns>& AnnualSummary::row(size_t index) const {
  if (index < items.size()) return matrix.cells[items[index].item];
  return derived[std::min(index - items.size(), static_cast<size_t>(kDerivedRows - 1))];
}

AnnualSummary buildAnnualSummary(CHinmeiList& store, YearMonth last, int n,
                                 const PeriodSettings& settings, const HolidayCalendar& holidays,
                                 SummaryOptions options) {
  AnnualSummary s;
  s.months = std::clamp(n, 1, static_cast<int>(kMaxMatrixMonths));
  s.firstMonth = addMonths(last, 1 - s.months);
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei& def = *store.itemAt(slot);
    s.items.push_back({def.item, def.flags, def.name.str(), def.itemOptions()});
  }
  s.matrix = store.monthlyMatrix(matrixMonths(last, s.months, settings, holidays));
  s.first = s.matrix.first;
  s.last = s.matrix.last;
  deriveRows(s, options);
  return s;
}

std::u16string AnnualSummaryTable::cellText(int row, int column, bool plain) const {
  const AnnualSummary& s = summary_;
  if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return u"CCN ";
  if (row == 0) {
    if (column == 0) return u"CCB総集計表";
    if (column == s.months + 1) return u"CCB総 計";
    const YearMonth ym = s.monthOf(column);
    return u"CCN" + number(ym.year) + u"/" + number(ym.month);
  }
  const auto index = static_cast<size_t>(row - 1);
  const bool isItem = index < s.items.size();
  if (column == 0) {
    if (!isItem) return std::u16string(u"LCN ") + kDerivedRowNames[index - s.items.size()];
    const SummaryItem& item = s.items[index];
    return ((item.flags & EF_EXPENSE) != 0 ? u"LCN-" : u"LCN+") + item.name;
  }
  const int64_t value = s.row(index)[static_cast<size_t>(matrixColumn(column))];
  const std::u16string text = formatAmount(value, !plain, decimalPlaces_);
  if (value < 0) return u"rCR" + text;
  return (isItem ? u"rCN" : u"rCG") + text;
}

}  // namespace sorami
