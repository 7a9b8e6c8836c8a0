#pragma once
// An owner-drawn list of item rows: a mark, the name and one figure per row, in the colour pair
// of the row's side. Serves as the item list and the summary list of the main view.

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>
#include <vector>

#include "reports/ItemFigure.h"

namespace sorami {

class DisplayColors;

struct GeneralRow {
  ItemRow figures;
  QString name;
};

class CGeneralList : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CGeneralList(const DisplayColors& colors, QWidget* parent = nullptr);

  void setRows(std::vector<GeneralRow> rows);
  const std::vector<GeneralRow>& rows() const { return rows_; }
  // -1: no row selected.
  void setSelected(int row);
  int selected() const { return selected_; }
  // The figure the rows show: a position of the column selector.
  void setColumn(int column);
  int column() const { return column_; }
  void setRemainingDays(int64_t days);
  int64_t remainingDays() const { return remainingDays_; }
  void setDecimalPlaces(int places);
  // Shifts the marks and names left by `pixels`, as a list scrolled sideways; the figures stay
  // at the right edge.
  void setHorizontalOffset(int pixels);
  int horizontalOffset() const { return horizontalOffset_; }

  // What a row shows, for tests and the clipboard: mark, name and figure separated by tabs.
  QString lineText(int row) const;
  QStringList lines() const;
  // The figure of a row in red.
  bool isRed(int row) const;

  int rowHeight() const;

 signals:
  void rowClicked(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  ItemFigure figureOf(int row) const;
  void drawRow(QPainter& painter, int row, const QRect& rect, int unit) const;
  void updateScrollRange();
  QRect rowRect(int row) const;

  const DisplayColors& colors_;
  std::vector<GeneralRow> rows_;
  int selected_ = -1;
  int column_ = 0;
  int64_t remainingDays_ = 31;
  int decimalPlaces_ = 0;
  int horizontalOffset_ = 0;
};

}  // namespace sorami
