#pragma once
// The annual summary (総集計表): the total of every item in each of up to 60 accounting months,
// and below the items the income and expense totals, the savings of each month and the
// month-end balances of cash, savings, loans and total assets. The table and the trend graphs
// are made from one pass over the ledger.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"
#include "rules/Calendar.h"
#include "rules/Period.h"

namespace sorami {

// An item as the table shows it, copied when the table is made.
struct SummaryItem {
  uint16_t item = 0;
  uint16_t flags = 0;
  std::u16string name;
  int32_t options = 0;  // the item's option bits (0 graphs, 1 budgets)
};

// The rows below the items, in table order.
enum DerivedRow : int {
  DR_INCOME = 0,   // 収入合計
  DR_EXPENSE,      // 支出合計
  DR_SAVINGS,      // 貯蓄額
  DR_CASH,         // 現金残高
  DR_ACCOUNTS,     // 貯蓄残高
  DR_LOANS,        // 借入残高
  DR_TOTAL_ASSETS  // 総資産
};
inline constexpr int kDerivedRows = 7;
// The row names as the table's label column and the command line give them.
inline constexpr std::array<const char16_t*, kDerivedRows> kDerivedRowNames = {
    u"収入合計", u"支出合計", u"貯蓄額", u"現金残高", u"貯蓄残高", u"借入残高", u"総資産"};

// What the income and expense totals count besides ordinary items.
struct SummaryOptions {
  bool savingsInTotals = false;
  bool loansInTotals = false;
};

struct AnnualSummary {
  YearMonth firstMonth;  // the naming month of the first column
  int months = 0;        // the month columns, 1 to 60
  Day first = MinDay;    // the span's first and last day
  Day last = MaxDay;
  std::vector<SummaryItem> items;  // in item-table order
  MonthlyMatrix matrix;            // column 0 the total, 1 to `months` the months
  // The derived rows, columns as in the matrix.
  std::array<std::array<int64_t, kMatrixColumns>, kDerivedRows> derived{};

  YearMonth monthOf(int column) const { return addMonths(firstMonth, column - 1); }
  // The figures of the table's rows: the items in order, then the derived rows.
  size_t rowCount() const { return items.size() + kDerivedRows; }
  const std::array<int64_t, kMatrixColumns>& row(size_t index) const;
};

// The n accounting months (1 to 60) that end with the one named `last`.
AnnualSummary buildAnnualSummary(CHinmeiList& store, YearMonth last, int n,
                                 const PeriodSettings& settings, const HolidayCalendar& holidays,
                                 SummaryOptions options);

// The grid over the summary: row 0 the header, then one row per item and the seven derived rows;
// column 0 the labels, columns 1 to n the months and n + 1 the total (総 計). Every text begins
// with its cell code; `plain` gives the figure as it is copied: the amount with the file's
// decimal places and without separators.
class AnnualSummaryTable {
 public:
  AnnualSummaryTable(const AnnualSummary& summary, int decimalPlaces)
      : summary_(summary), decimalPlaces_(decimalPlaces) {}

  int columnCount() const { return summary_.months + 2; }
  int rowCount() const { return static_cast<int>(summary_.items.size()) + kDerivedRows + 1; }
  std::u16string cellText(int row, int column, bool plain = false) const;
  // The matrix column of a grid column: the months in order, then the total.
  int matrixColumn(int column) const { return column == summary_.months + 1 ? 0 : column; }

 private:
  const AnnualSummary& summary_;
  int decimalPlaces_;
};

}  // namespace sorami
