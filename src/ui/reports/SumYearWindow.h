#pragma once
// The annual summary window (総集計表, dialog 265): the month table of a span, computed once
// when the window opens, in a grid whose cells can be copied.

#include <QDialog>

#include "reports/AnnualSummary.h"

namespace sorami {

class AppSettings;
class CSumYearSpread;

class CSumYearWnd : public QDialog {
  Q_OBJECT

 public:
  CSumYearWnd(AnnualSummary summary, int decimalPlaces, AppSettings* settings,
              QWidget* parent = nullptr);
  ~CSumYearWnd() override;

  CSumYearSpread* grid() const { return grid_; }
  const AnnualSummary& summary() const { return summary_; }

 private:
  void showMenu(const QPoint& globalPos);

  AnnualSummary summary_;
  AppSettings* settings_;
  CSumYearSpread* grid_;
};

}  // namespace sorami
