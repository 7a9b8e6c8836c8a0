#pragma once
// The grid of the annual summary: the items and the derived rows down, the months and the total
// across. Its cells are copied in the amount form of the file, without separators.

#include "grid/SpreadWnd.h"
#include "reports/AnnualSummary.h"

namespace sorami {

class CSumYearSpread : public CSpreadWnd {
  Q_OBJECT

 public:
  CSumYearSpread(const AnnualSummary& summary, int decimalPlaces, QWidget* parent = nullptr);

  GridSize dimensions() const override;
  QString cellText(int row, int column, bool plain) const override;
  int defaultColumnWidth(int column) const override;

 private:
  AnnualSummaryTable table_;
};

}  // namespace sorami
