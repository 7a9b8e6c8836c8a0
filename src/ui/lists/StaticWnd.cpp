#include "lists/StaticWnd.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include "lists/CellPainter.h"
#include "main/DisplayColors.h"

namespace sorami {

namespace {

constexpr int LeftMargin = 2;
constexpr int VerticalPadding = 4;

}  // namespace

CStaticWnd::CStaticWnd(const QString& text, int style, QWidget* parent)
    : QWidget(parent), text_(text), style_(style) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CStaticWnd::setText(const QString& text) {
  if (text == text_ && scrollOffset_ == 0) return;
  text_ = text;
  scrollOffset_ = 0;
  update();
}

void CStaticWnd::setStyle(int style) {
  style_ = style;
  update();
}

void CStaticWnd::setScrollOffset(int pixels) {
  if (pixels == scrollOffset_) return;
  scrollOffset_ = pixels;
  update();
}

void CStaticWnd::setGeometryUnits(const DetailGeometry& geometry) {
  geometry_ = geometry;
  update();
}

void CStaticWnd::setColors(const DisplayColors* colors) {
  colors_ = colors;
  update();
}

TextMeasure CStaticWnd::measure() const {
  const QFontMetrics fm(font());
  return {fm.horizontalAdvance(u'1'), [fm](const QString& s) { return fm.horizontalAdvance(s); }};
}

CodedLineLayout CStaticWnd::layout() const {
  return layoutCodedLine(text_, geometry_, measure(), LeftMargin - scrollOffset_, width());
}

QSize CStaticWnd::sizeHint() const {
  const QFontMetrics fm(font());
  return {fm.horizontalAdvance(text_), fm.height() + VerticalPadding};
}

QSize CStaticWnd::minimumSizeHint() const {
  return {0, QFontMetrics(font()).height() + VerticalPadding};
}

void CStaticWnd::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const DisplayColors fallback;
  const ColorPair& pair = (colors_ != nullptr ? *colors_ : fallback).pair(CP_CODED_STYLE2);
  CellPalette colours{palette().buttonText().color(), pair.text, palette().highlight().color()};
  QColor background = palette().button().color();
  if (style_ == TableStyle) {
    colours.text = pair.text;
    background = pair.background;
  }
  painter.fillRect(event->rect(), background);
  painter.setFont(font());
  const CodedLineLayout l = layout();
  const TextMeasure m = measure();
  drawCells(painter, l.cells, m, rect(), 0, colours);
  if (l.bold) drawCells(painter, l.cells, m, rect(), 1, colours);
}

}  // namespace sorami
