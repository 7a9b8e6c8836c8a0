#pragma once
// The dialog "集計期間の設定": the start and end of the shown period as year, month and day, and
// whether summaries always use that period.

#include <QDialog>
#include <array>

#include "rules/Day.h"

class QCheckBox;

namespace sorami {

class CRangeSpin;
class Prompts;

inline constexpr int IDD_SUMMARY_PERIOD = 206;

struct SummaryPeriod {
  Day start = MinDay;
  Day end = MaxDay;
  bool fixed = false;
};

class SummaryPeriodDialog : public QDialog {
 public:
  // A field out of range on OK is named through `prompts` and the dialog stays open.
  SummaryPeriodDialog(const SummaryPeriod& proposed, Prompts& prompts, QWidget* parent = nullptr);
  // Each date with its day lowered to the month's length; start and end are not compared.
  SummaryPeriod result() const;
  // Start year, month, day, end year, month, day.
  CRangeSpin* field(int index) const { return fields_.at(static_cast<size_t>(index)); }

  void accept() override;

 private:
  void fill(int first, Day day);
  Day dateAt(int first) const;

  Prompts& prompts_;
  std::array<CRangeSpin*, 6> fields_{};
  QCheckBox* fixed_;
};

}  // namespace sorami
