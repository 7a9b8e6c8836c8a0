#pragma once
// Draws a graph with QPainter into any rectangle: the trend graphs as stacked three-dimensional
// bars or as lines over an automatic scale, with a legend, or the two pies of a period. The same
// code draws on the screen, into PNG, SVG and PDF files and on the printer, so everything is drawn
// in logical coordinates and stays crisp at any device pixel ratio.

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "reports/GraphDrawing.h"

class QPainter;

namespace sorami {

// A drawn bar or point: what hovering over it tells.
struct GraphHit {
  QRectF rect;
  int series = -1;
  int column = 0;
  int64_t value = 0;
};

class GraphPainter {
 public:
  explicit GraphPainter(const GraphDrawing& drawing) : drawing_(drawing) {}

  // Fills the area white and draws the graph; remembers where the legend and the bars went.
  void paint(QPainter& painter, const QRectF& area);

  // The series whose legend entry is at the point, or -1.
  int legendAt(const QPointF& point) const;
  std::optional<GraphHit> hitAt(const QPointF& point) const;
  // "2024年3月 食費: 1,234"
  QString hitText(const GraphHit& hit) const;
  const std::vector<QRectF>& legendRects() const { return legend_; }
  const GraphScale& scale() const { return scale_; }

 private:
  void paintTrend(QPainter& p, const QRectF& area, const TrendGraph& g);
  void paintPie(QPainter& p, const QRectF& area, const PieGraph& pie);
  void paintPieSide(QPainter& p, const QRectF& area, const PieSide& side);
  void paintLegend(QPainter& p, const QRectF& area, const TrendGraph& g, double textWidth);
  double paintTitles(QPainter& p, const QRectF& area, const QString& title, Day first, Day last);

  const GraphDrawing& drawing_;
  GraphScale scale_;
  std::vector<QRectF> legend_;
  std::vector<GraphHit> hits_;
};

}  // namespace sorami
