#pragma once
// The list of automatic-entry rules on the settings page: a grid with one row per rule under
// the header row, its schedule in the header column and ten columns after it. Its column widths
// live in the settings section "AutoSpread".

#include "grid/SpreadWnd.h"

namespace sorami {

class CHinmeiList;

class CAutoSpread : public CSpreadWnd {
  Q_OBJECT

 public:
  CAutoSpread(CHinmeiList& store, int decimalPlaces, QWidget* parent = nullptr);

  GridSize dimensions() const override;
  QString cellText(int row, int column, bool plain) const override;
  int defaultColumnWidth(int column) const override;

 private:
  CHinmeiList& store_;
  int decimalPlaces_;
};

}  // namespace sorami
