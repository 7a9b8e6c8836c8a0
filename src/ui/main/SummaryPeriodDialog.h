#pragma once
// The dialog "集計期間の設定": the start and end of the shown period as year, month and day, and
// whether summaries always use that period.

#include <QDialog>
#include <array>

#include "rules/Day.h"

class QCheckBox;
class QSpinBox;

namespace sorami {

struct SummaryPeriod {
  Day start = MinDay;
  Day end = MaxDay;
  bool fixed = false;
};

class SummaryPeriodDialog : public QDialog {
 public:
  SummaryPeriodDialog(const SummaryPeriod& proposed, QWidget* parent = nullptr);
  // Each date with its day lowered to the month's length; start and end are not compared.
  SummaryPeriod result() const;

 private:
  void fill(int first, Day day);
  Day dateAt(int first) const;

  std::array<QSpinBox*, 6> fields_{};  // start year, month, day, end year, month, day
  QCheckBox* fixed_;
};

}  // namespace sorami
