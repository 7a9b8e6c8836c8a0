#pragma once
// The budget window (予算/実績): the budget of every item of one side for an accounting month
// against what was recorded, with a check box per row for the item's budget option, the
// navigation between months, the copies to and from the standard budget and the three summary
// lines.

#include <QDialog>
#include <array>
#include <vector>

#include "reports/BudgetActual.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace sorami {

class AppSettings;
class CBudgetSpread;
class CSoramiDoc;
class HolidayCalendar;
class Prompts;

class CBudgetDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows the accounting month that contains `currentDay`, on the expense side.
  CBudgetDialog(CSoramiDoc& document, const HolidayCalendar& holidays, Prompts& prompts,
                AppSettings* settings, Day currentDay, QWidget* parent = nullptr);
  ~CBudgetDialog() override;

  BudgetSheet& sheet() { return sheet_; }
  CBudgetSpread* grid() const { return grid_; }
  QPushButton* button(const QString& name) const;
  QRadioButton* incomeButton() const { return income_; }
  QRadioButton* expenseButton() const { return expense_; }
  const std::vector<QCheckBox*>& checkBoxes() const { return checks_; }
  QStringList summaryLines() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* buildButtons();
  void rebuild();
  void refreshFigures();
  void placeCheckBoxes();
  void targetClicked(int row, bool on);
  // An open edit is taken first, as leaving the cell would.
  void move(void (BudgetSheet::*step)());

  BudgetSheet sheet_;
  CSoramiDoc& document_;
  AppSettings* settings_;
  CBudgetSpread* grid_;
  QWidget* checkColumn_;
  std::vector<QCheckBox*> checks_;
  QRadioButton* income_;
  QRadioButton* expense_;
  std::array<QLabel*, 3> summary_{};
};

}  // namespace sorami
