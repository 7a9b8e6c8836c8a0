#include "reports/BudgetActual.h"

#include <algorithm>

#include "ledger/BudgetList.h"
#include "ledger/EntryInput.h"
#include "ledger/HinmeiList.h"
#include "platform/TextCodec.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

std::u16string number(int64_t n) {
  return u16(std::to_string(n));
}

std::u16string padded(int64_t n, size_t width) {
  return padLeft(number(n), width);
}

bool isIncome(const BudgetRow& row) {
  return (row.flags & EF_INCOME) != 0;
}

// Red where the figure is negative; the text follows the code.
std::u16string amountCell(int64_t value, const std::u16string& text) {
  return (value < 0 ? u"rCR" : u"rCN") + text;
}

std::u16string rateCell(const std::optional<int64_t>& rate) {
  return rate ? u"rCN" + number(*rate) : u"rCN ";
}

std::u16string dateText(Day day) {
  const Ymd ymd = ymdFromDay(day);
  return number(ymd.year) + u"/" + number(ymd.month) + u"/" + number(ymd.day);
}

}  // namespace

std::optional<int64_t> percentOf(int64_t a, int64_t b) {
  if (b == 0) return std::nullopt;
  // Sums of a month stay far below the range where a × 100 could overflow 64 bits.
  return a * 100 / b;
}

std::u16string padLeft(std::u16string text, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), u' ');
  return text;
}

BudgetSheet::BudgetSheet(CHinmeiList& store, CBudgetList& budgets, const PeriodSettings& settings,
                         bool fixed, const HolidayCalendar& holidays, int decimalPlaces)
    : store_(store),
      budgets_(budgets),
      settings_(settings),
      fixed_(fixed),
      holidays_(holidays),
      decimalPlaces_(decimalPlaces) {}

void BudgetSheet::showMonthOf(Day day) {
  shownDay_ = periodOf(day, false, settings_, holidays_).naming;
  refresh();
}

void BudgetSheet::showMonth(YearMonth month) {
  shownDay_ = firstDayOfMonth(month.year, month.month);
  refresh();
}

void BudgetSheet::previousMonth() {
  shownDay_ = sameDayPreviousMonth(shownDay_);
  refresh();
}

void BudgetSheet::nextMonth() {
  shownDay_ = sameDayNextMonth(shownDay_);
  refresh();
}

void BudgetSheet::setSide(BudgetSide side) {
  side_ = side;
  // Before a month is shown there is nothing to compute.
  if (shownDay_ != MinDay) computeRows();
}

YearMonth BudgetSheet::shownMonth() const {
  const Ymd ymd = ymdFromDay(shownDay_);
  return {ymd.year, ymd.month};
}

void BudgetSheet::refresh() {
  const YearMonth shown = shownMonth();
  bounds_ = monthBounds(shown, fixed_, settings_, holidays_);
  const YearMonth record = settings_.namedByStart ? sorami::nextMonth(shown) : shown;
  budgetMonth_ = {static_cast<uint16_t>(record.year), static_cast<uint16_t>(record.month)};
  computeRows();
}

void BudgetSheet::computeRows() {
  const CBudget& budget = budgets_.budgetFor(budgetMonth_.year, budgetMonth_.month);
  const std::array<int64_t, kMaxItems> actual = store_.totalsByItem(bounds_.first, bounds_.last);
  rows_.clear();
  total_ = {};
  summary_ = {};
  int incomeRows = 0;
  int expenseRows = 0;
  const uint16_t sideFlag = side_ == BudgetSide::Income ? EF_INCOME : EF_EXPENSE;
  for (int slot = 0; slot < store_.itemCount(); ++slot) {
    const CHinmei& def = *store_.itemAt(slot);
    BudgetRow row;
    row.item = def.item;
    row.flags = def.flags;
    row.name = def.name;
    row.target = def.itemOption(1) != 0;
    row.budget = def.item < budget.amounts.size() ? budget.amounts[def.item] : 0;
    row.actual = def.item < actual.size() ? actual[def.item] : 0;
    row.rate = percentOf(row.actual, row.budget);
    row.remaining = isIncome(row) ? row.actual - row.budget : row.budget - row.actual;
    const bool income = isIncome(row);
    if ((def.flags & EF_ACCOUNT) != 0) {
      // Savings move money without spending it: they make their own summary line.
      summary_.savingsActual += income ? -row.actual : row.actual;
      continue;
    }
    ++(income ? incomeRows : expenseRows);
    if (row.target) {
      (income ? summary_.incomeBudget : summary_.expenseBudget) += row.budget;
      summary_.actualBalance += income ? row.actual : -row.actual;
    }
    if ((def.flags & sideFlag) == 0) continue;
    if (row.target) {
      total_.budget += row.budget;
      total_.actual += row.actual;
    }
    rows_.push_back(std::move(row));
  }
  summary_.plannedBalance = summary_.incomeBudget - summary_.expenseBudget;
  total_.target = true;
  total_.flags = sideFlag;
  total_.rate = percentOf(total_.actual, total_.budget);
  const int64_t over = total_.actual - total_.budget;
  total_.remaining = side_ == BudgetSide::Income ? over : -over;
  checkBoxes_ = std::max(incomeRows, expenseRows);
}

std::u16string BudgetSheet::amountText(int64_t value) const {
  return formatAmount(value, true, decimalPlaces_);
}

std::u16string BudgetSheet::caption() const {
  const YearMonth shown = shownMonth();
  return u"予算/実績 " + number(shown.year) + u"年" + number(shown.month) + u"月期(" +
         dateText(bounds_.first) + u"～" + dateText(bounds_.last) + u")";
}

// The amounts are padded to their field and never cut, so that no figure loses a digit.
std::array<std::u16string, 3> BudgetSheet::summaryLines() const {
  const BudgetSummary& s = summary_;
  return {u"貯蓄実績：" + padLeft(amountText(s.savingsActual), 12),
          u"収支目標：" + padLeft(amountText(s.plannedBalance), 12) + u" = " +
              amountText(s.incomeBudget) + u"(収入) - " + amountText(s.expenseBudget) + u"(支出)",
          u"収支実績：" + padLeft(amountText(s.actualBalance), 12)};
}

std::u16string BudgetSheet::cellText(int row, int column) const {
  const bool expense = side_ == BudgetSide::Expense;
  if (row == 0) {
    const YearMonth shown = shownMonth();
    switch (column) {
      case 0:
        return u"CCB" + padded(shown.year, 4) + u"年" + padded(shown.month, 2) + u"月";
      case 1:
        return u"CCN予 算";
      case 2:
        return u"CCN実 績";
      case 3:
        return expense ? u"CCN消化率％" : u"CCN達成率％";
      default:
        return expense ? u"CCN残 金" : u"CCN余剰金";
    }
  }
  const auto index = static_cast<size_t>(row - 1);
  if (row < 0 || index > rows_.size()) return u"CCN ";
  const bool isTotal = index == rows_.size();
  const BudgetRow& r = isTotal ? total_ : rows_[index];
  if (column == 0) {
    if (isTotal) return u"CCB合 計";
    return (isIncome(r) ? u"LCN+" : u"LCN-") + r.name;
  }
  if (!r.target) return u"CCN";
  switch (column) {
    case 1:
      return amountCell(r.budget, amountText(r.budget));
    case 2:
      return amountCell(r.actual, amountText(r.actual));
    case 3:
      return rateCell(r.rate);
    default:
      return amountCell(r.remaining, amountText(r.remaining));
  }
}

bool BudgetSheet::isEditable(int row, int column) const {
  return column == 1 && row >= 1 && static_cast<size_t>(row) <= rows_.size() &&
         rows_[static_cast<size_t>(row - 1)].target;
}

std::u16string BudgetSheet::editText(int row) const {
  if (row < 1 || static_cast<size_t>(row) > rows_.size()) return {};
  return formatAmount(rows_[static_cast<size_t>(row - 1)].budget, false, decimalPlaces_);
}

BudgetEdit BudgetSheet::setBudgetText(int row, std::u16string_view text) {
  if (!isEditable(row, 1)) return {};
  const std::u16string narrow = narrowFigures(text);
  if (!isAmountText(narrow)) return {false, MessageId::AmountNotANumber};
  const int64_t value = parseAmount(narrow, decimalPlaces_);
  if (value < INT32_MIN || value > INT32_MAX) return {false, MessageId::AmountOutOfRange};
  return {setBudget(rows_[static_cast<size_t>(row - 1)].item, static_cast<int32_t>(value)), {}};
}

bool BudgetSheet::setBudget(uint16_t item, int32_t amount) {
  if (!budgets_.setAmount(budgetMonth_, item, amount)) return false;
  computeRows();
  return true;
}

bool BudgetSheet::setTarget(int row, bool on) {
  if (row < 1 || static_cast<size_t>(row) > rows_.size()) return false;
  if (!store_.setItemOption(rows_[static_cast<size_t>(row - 1)].item, 1, on)) return false;
  computeRows();
  return true;
}

std::vector<uint16_t> BudgetSheet::sideItems() const {
  std::vector<uint16_t> items;
  for (const BudgetRow& r : rows_) items.push_back(r.item);
  return items;
}

void BudgetSheet::copyFromStandard() {
  budgets_.copyAmounts({kStandardBudgetYear, kStandardBudgetMonth}, budgetMonth_, sideItems());
  computeRows();
}

void BudgetSheet::copyToStandard() {
  budgets_.copyAmounts(budgetMonth_, {kStandardBudgetYear, kStandardBudgetMonth}, sideItems());
  computeRows();
}

}  // namespace sorami
