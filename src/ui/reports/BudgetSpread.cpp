#include "reports/BudgetSpread.h"

#include <array>

#include "platform/Prompts.h"
#include "reports/BudgetActual.h"

namespace sorami {

namespace {

// Widths in half-width characters: the item, then budget, actual, rate and what is left.
constexpr std::array<int, BudgetSheet::kColumns> kChars = {16, 11, 11, 11, 11};

}  // namespace

CBudgetSpread::CBudgetSpread(BudgetSheet& sheet, Prompts& prompts, QWidget* parent)
    : CSpreadWnd(parent), sheet_(sheet), prompts_(prompts) {
  setProfileSection(QStringLiteral("BudgetSpread"));
}

GridSize CBudgetSpread::dimensions() const {
  return {BudgetSheet::kColumns - 1, sheet_.rowCount() - 1};
}

QString CBudgetSpread::cellText(int row, int column, bool plain) const {
  if (plain && sheet_.isEditable(row, column)) {
    return QStringLiteral("rCN") + QString::fromStdU16String(sheet_.editText(row));
  }
  return QString::fromStdU16String(sheet_.cellText(row, column));
}

int CBudgetSpread::defaultColumnWidth(int column) const {
  const auto c = static_cast<size_t>(column);
  return (c < kChars.size() ? kChars[c] : kChars.back()) * charWidth();
}

bool CBudgetSpread::isCellEditable(int row, int column) const {
  return sheet_.isEditable(row, column);
}

bool CBudgetSpread::commitCellText(int row, int /*column*/, const QString& text) {
  const BudgetEdit edit = sheet_.setBudgetText(row, text.toStdU16String());
  if (edit.refused) {
    prompts_.inform(*edit.refused, {}, Icon::Warning);
    return false;
  }
  // The total row and the summary follow the new budget.
  viewport()->update();
  return true;
}

}  // namespace sorami
