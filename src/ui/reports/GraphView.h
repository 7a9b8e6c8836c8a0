#pragma once
// The drawing area of a graph window. A click on a legend entry shows that series alone (with
// Shift, Ctrl or Alt it toggles it); clicking the only series shown of an item opens the graph
// of its special names; a click beside the legend shows every series again. Hovering a bar or a
// point tells its month, series and value.

#include <QWidget>
#include <functional>

#include "reports/GraphPainter.h"

namespace sorami {

class CGraphView : public QWidget {
  Q_OBJECT

 public:
  explicit CGraphView(GraphDrawing drawing, QWidget* parent = nullptr);

  const GraphDrawing& drawing() const { return drawing_; }
  const GraphPainter& painter() const { return painter_; }
  // The drill-down from an item's series to its special names.
  std::function<void(uint16_t item)> openSpecialNames;

  QSize sizeHint() const override { return {900, 580}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void legendClicked(int series, Qt::KeyboardModifiers modifiers);

  GraphDrawing drawing_;
  GraphPainter painter_;
};

}  // namespace sorami
