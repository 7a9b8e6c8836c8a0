#pragma once
// The grid of the budget window: one row per item of the side shown and the total row, with the
// budget, the actual total, the rate and what is left. The budget cell of a target item is typed
// into as an amount.

#include "grid/SpreadWnd.h"

namespace sorami {

class BudgetSheet;
class Prompts;

class CBudgetSpread : public CSpreadWnd {
  Q_OBJECT

 public:
  CBudgetSpread(BudgetSheet& sheet, Prompts& prompts, QWidget* parent = nullptr);

  GridSize dimensions() const override;
  QString cellText(int row, int column, bool plain) const override;
  int defaultColumnWidth(int column) const override;
  bool isCellEditable(int row, int column) const override;
  bool commitCellText(int row, int column, const QString& text) override;

 private:
  BudgetSheet& sheet_;
  Prompts& prompts_;
};

}  // namespace sorami
