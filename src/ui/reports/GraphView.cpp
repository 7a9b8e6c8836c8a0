#include "reports/GraphView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace sorami {

CGraphView::CGraphView(GraphDrawing drawing, QWidget* parent)
    : QWidget(parent), drawing_(std::move(drawing)), painter_(drawing_) {
  setMouseTracking(true);
  setMinimumSize(480, 320);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGraphView::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  painter_.paint(p, rect());
}

void CGraphView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !drawing_.trend) return;
  legendClicked(painter_.legendAt(event->position()), event->modifiers());
}

void CGraphView::legendClicked(int series, Qt::KeyboardModifiers modifiers) {
  std::vector<GraphSeries>& all = drawing_.trend->series;
  if (series < 0) {
    for (GraphSeries& s : all) s.visible = true;
  } else if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
    all[static_cast<size_t>(series)].visible = !all[static_cast<size_t>(series)].visible;
  } else {
    GraphSeries& clicked = all[static_cast<size_t>(series)];
    const bool alone = clicked.visible && std::count_if(all.begin(), all.end(), [](const auto& s) {
                                            return s.visible;
                                          }) == 1;
    if (alone && clicked.itemSeries) {
      if (openSpecialNames) openSpecialNames(clicked.item);
      return;
    }
    for (GraphSeries& s : all) s.visible = &s == &clicked;
  }
  update();
}

void CGraphView::mouseMoveEvent(QMouseEvent* event) {
  const std::optional<GraphHit> hit = painter_.hitAt(event->position());
  if (hit) {
    QToolTip::showText(event->globalPosition().toPoint(), painter_.hitText(*hit), this);
  } else {
    QToolTip::hideText();
  }
}

}  // namespace sorami
