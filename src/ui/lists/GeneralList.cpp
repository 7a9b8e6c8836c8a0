#include "lists/GeneralList.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "ledger/Hinmei.h"
#include "main/DisplayColors.h"

namespace sorami {

namespace {

QChar markOf(uint16_t flags) {
  if (flags & EF_INCOME) return u'+';
  if (flags & EF_EXPENSE) return u'-';
  return u' ';
}

int pairOf(uint16_t flags, bool selected) {
  int pair = CP_OTHER;
  if (flags & EF_INCOME) {
    pair = CP_INCOME;
  } else if (flags & EF_EXPENSE) {
    pair = CP_EXPENSE;
  }
  return selected ? pair + 1 : pair;
}

}  // namespace

CGeneralList::CGeneralList(const DisplayColors& colors, QWidget* parent)
    : QAbstractScrollArea(parent), colors_(colors) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::ClickFocus);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGeneralList::setRows(std::vector<GeneralRow> rows) {
  rows_ = std::move(rows);
  if (selected_ >= static_cast<int>(rows_.size())) selected_ = -1;
  updateScrollRange();
  // A refilled list shows its first row; the sideways offset stays as it was.
  verticalScrollBar()->setValue(0);
  viewport()->update();
}

void CGeneralList::setSelected(int row) {
  if (row < -1 || row >= static_cast<int>(rows_.size())) row = -1;
  const int old = selected_;
  selected_ = row;
  if (old >= 0 && old != row) viewport()->update(rowRect(old));
  // Also when the row stays selected: a refilled list starts at its first row again.
  if (row >= 0) {
    // Keep the selected row in view.
    QScrollBar* bar = verticalScrollBar();
    const int visible = qMax(1, viewport()->height() / rowHeight());
    if (row < bar->value()) bar->setValue(row);
    if (row >= bar->value() + visible) bar->setValue(row - visible + 1);
    viewport()->update(rowRect(row));
  }
}

void CGeneralList::setColumn(int column) {
  if (column == column_) return;
  column_ = column;
  viewport()->update();
}

void CGeneralList::setRemainingDays(int64_t days) {
  if (days == remainingDays_) return;
  remainingDays_ = days;
  if (column_ == IC_DAILY_GUIDE) viewport()->update();
}

void CGeneralList::setHorizontalOffset(int pixels) {
  if (pixels == horizontalOffset_) return;
  horizontalOffset_ = pixels;
  viewport()->update();
}

void CGeneralList::setDecimalPlaces(int places) {
  decimalPlaces_ = places;
  viewport()->update();
}

ItemFigure CGeneralList::figureOf(int row) const {
  return itemFigure(rows_.at(static_cast<size_t>(row)).figures, column_, remainingDays_);
}

QString CGeneralList::lineText(int row) const {
  const GeneralRow& r = rows_.at(static_cast<size_t>(row));
  return QStringLiteral("%1\t%2\t%3")
      .arg(markOf(r.figures.flags), r.name,
           QString::fromStdU16String(itemFigureText(figureOf(row), decimalPlaces_)));
}

QStringList CGeneralList::lines() const {
  QStringList out;
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) out << lineText(i);
  return out;
}

bool CGeneralList::isRed(int row) const {
  return figureOf(row).red;
}

int CGeneralList::rowHeight() const {
  return fontMetrics().height() + 2;
}

QRect CGeneralList::rowRect(int row) const {
  const int top = (row - verticalScrollBar()->value()) * rowHeight();
  return {0, top, viewport()->width(), rowHeight()};
}

void CGeneralList::updateScrollRange() {
  QScrollBar* bar = verticalScrollBar();
  const int visible = qMax(1, viewport()->height() / rowHeight());
  bar->setRange(0, qMax(0, static_cast<int>(rows_.size()) - visible));
  bar->setPageStep(visible);
}

void CGeneralList::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(font());
  const int unit = fontMetrics().horizontalAdvance(u'1');
  const QRect clip = event->rect();
  painter.fillRect(clip, palette().base());
  const int first = verticalScrollBar()->value();
  for (int row = first; row < static_cast<int>(rows_.size()); ++row) {
    const QRect rect = rowRect(row);
    if (rect.top() > clip.bottom()) break;
    if (rect.intersects(clip)) drawRow(painter, row, rect, unit);
  }
}

void CGeneralList::drawRow(QPainter& painter, int row, const QRect& rect, int unit) const {
  const GeneralRow& r = rows_.at(static_cast<size_t>(row));
  const ColorPair& pair = colors_.pair(pairOf(r.figures.flags, row == selected_));
  painter.fillRect(rect, pair.background);
  painter.setPen(pair.text);
  const int x = -horizontalOffset_;  // from the row's left edge
  const QRect text = rect.adjusted(0, 1, 0, -1);
  painter.drawText(text.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QString(markOf(r.figures.flags)));
  painter.drawText(text.adjusted(x + unit, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, r.name);
  const ItemFigure figure = figureOf(row);
  const QString value = QString::fromStdU16String(itemFigureText(figure, decimalPlaces_));
  if (value.isEmpty()) return;
  // The figure ends one digit's width before the right edge and covers what the name left.
  const int width = painter.fontMetrics().horizontalAdvance(value);
  const QRect valueRect(rect.right() - unit - width - unit / 2, rect.top(), width + unit / 2,
                        rect.height());
  painter.fillRect(valueRect, pair.background);
  painter.setPen(figure.red ? QColor(255, 0, 0) : pair.text);
  painter.drawText(text.adjusted(0, 0, -unit, 0), Qt::AlignRight | Qt::AlignVCenter, value);
}

void CGeneralList::mousePressEvent(QMouseEvent* event) {
  const int row = verticalScrollBar()->value() + event->position().toPoint().y() / rowHeight();
  if (row >= 0 && row < static_cast<int>(rows_.size())) emit rowClicked(row);
  QAbstractScrollArea::mousePressEvent(event);
}

void CGeneralList::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollRange();
}

void CGeneralList::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateScrollRange();
    viewport()->update();
  }
}

}  // namespace sorami
