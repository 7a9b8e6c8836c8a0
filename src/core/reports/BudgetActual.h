#pragma once
// Budget and actual (予算/実績): for one accounting month, the budget of every income item or
// every expense item against what was recorded, the rate of achievement or consumption, the money
// left over, and the planned and actual balance of the month. The window and the command line
// both work through BudgetSheet, so they show and change the same figures.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/Budget.h"
#include "platform/Messages.h"
#include "rules/Calendar.h"
#include "rules/Period.h"

namespace sorami {

class CBudgetList;
class CHinmeiList;

enum class BudgetSide : int { Income = 0, Expense = 1 };

struct BudgetRow {
  uint16_t item = 0;
  uint16_t flags = 0;
  std::u16string name;
  bool target = false;  // the item's budget option: only targets take part in the sums
  int64_t budget = 0;
  int64_t actual = 0;
  std::optional<int64_t> rate;  // percent, truncated toward zero; none without a budget
  int64_t remaining = 0;  // expense: budget − actual (残金); income: actual − budget (余剰金)
};

struct BudgetSummary {
  int64_t savingsActual = 0;  // deposits into accounts less withdrawals (貯蓄実績)
  int64_t incomeBudget = 0;
  int64_t expenseBudget = 0;
  int64_t plannedBalance = 0;  // income budget − expense budget (収支目標)
  int64_t actualBalance = 0;   // income − expense of the month (収支実績)
};

// a / b in percent, exact in integers and truncated toward zero (29 of 100 is 29, 2 of 3 is 66);
// none when b is 0.
std::optional<int64_t> percentOf(int64_t a, int64_t b);

// The text right-aligned in a field of `width` characters; a longer text stays whole.
std::u16string padLeft(std::u16string text, size_t width);

// What typing a budget did.
struct BudgetEdit {
  bool changed = false;
  std::optional<MessageId> refused;  // the text was not taken, and why
};

class BudgetSheet {
 public:
  // `fixed`: the file's totals use the fixed period, so every month shows that period.
  BudgetSheet(CHinmeiList& store, CBudgetList& budgets, const PeriodSettings& settings, bool fixed,
              const HolidayCalendar& holidays, int decimalPlaces);

  // ---- The month shown.
  // The accounting month that contains the day (今月 with today).
  void showMonthOf(Day day);
  void showMonth(YearMonth month);
  void previousMonth();  // 前月
  void nextMonth();      // 翌月
  void setSide(BudgetSide side);
  BudgetSide side() const { return side_; }
  YearMonth shownMonth() const;
  // The month whose budget record the table uses: the shown one, or the next one when months
  // are named by the month they start in.
  BudgetMonth budgetMonth() const { return budgetMonth_; }
  const Period& bounds() const { return bounds_; }
  // Reads the budgets and the month's totals again (after the ledger changed).
  void refresh();

  // ---- Figures.
  const std::vector<BudgetRow>& rows() const { return rows_; }
  const BudgetRow& total() const { return total_; }
  const BudgetSummary& summary() const { return summary_; }
  // As many check boxes as the longer side has rows, so switching sides moves none.
  int checkBoxCount() const { return checkBoxes_; }
  // "予算/実績 2024年4月期(2024/4/1～2024/4/30)"
  std::u16string caption() const;
  // "貯蓄実績：...", "収支目標：... = ...(収入) - ...(支出)", "収支実績：..."
  std::array<std::u16string, 3> summaryLines() const;

  // ---- The grid: row 0 the header, rows 1 to n the items of the side, n + 1 the total;
  // columns 0 (the item) to 4. Every text begins with its cell code.
  static constexpr int kColumns = 5;
  int rowCount() const { return static_cast<int>(rows_.size()) + 2; }
  std::u16string cellText(int row, int column) const;
  bool isEditable(int row, int column) const;
  // The budget of a row as it is edited: the amount with the file's decimal places, without
  // separators, so that taking it back unchanged changes nothing.
  std::u16string editText(int row) const;

  // ---- Changes, each through the budget list or the store.
  BudgetEdit setBudgetText(int row, std::u16string_view text);
  // Sets the budget of an item of the shown month; false when it already was that amount.
  bool setBudget(uint16_t item, int32_t amount);
  // The check box of a row: the item's budget option.
  bool setTarget(int row, bool on);
  void copyFromStandard();  // <<標準
  void copyToStandard();    // >>標準

 private:
  void computeRows();
  std::vector<uint16_t> sideItems() const;
  std::u16string amountText(int64_t value) const;

  CHinmeiList& store_;
  CBudgetList& budgets_;
  PeriodSettings settings_;
  bool fixed_;
  const HolidayCalendar& holidays_;
  int decimalPlaces_;
  BudgetSide side_ = BudgetSide::Expense;
  Day shownDay_ = MinDay;
  BudgetMonth budgetMonth_{};
  Period bounds_;
  std::vector<BudgetRow> rows_;
  BudgetRow total_;
  BudgetSummary summary_;
  int checkBoxes_ = 0;
};

}  // namespace sorami
