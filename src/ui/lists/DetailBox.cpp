#include "lists/DetailBox.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "lists/CellPainter.h"
#include "lists/StaticWnd.h"
#include "main/DisplayColors.h"

namespace sorami {

namespace {

constexpr int LinePadding = 2;
// Where the coded lines start their columns, from their window's left edge.
constexpr int CodedLineMargin = 2;

QColor inverse(const QColor& c) {
  return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
}

}  // namespace

CDetailBox::CDetailBox(CStaticWnd* header, CStaticWnd* total, QWidget* parent)
    : QAbstractScrollArea(parent), header_(header), total_(total) {
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setSingleStep(1);
}

// ---- Filling.

void CDetailBox::setSource(CHinmeiList* store, const CConfig& config, DisplayMode mode,
                           const CHinmei* item, Day first, Day last,
                           const HolidayCalendar* holidays) {
  DetailSource source;
  source.store = store;
  source.item = item;
  source.mode = mode;
  source.first = first;
  source.last = last;
  const DetailSettings settings = detailSettingsOf(config);
  source.geometry = settings.geometry;
  source.decimalPlaces = settings.decimalPlaces;
  source.weeklyRestDays = settings.weeklyRestDays;
  source.holidays = holidays;
  setSource(source);
}

void CDetailBox::setSource(const DetailSource& source) {
  source_ = source;
  for (CStaticWnd* w : {header_, total_}) {
    if (w != nullptr) w->setGeometryUnits(source.geometry);
  }
  rebuild();
  verticalScrollBar()->setValue(0);
}

void CDetailBox::fillForItem(const CHinmei* item) {
  source_.item = item;
  setSource(source_);
}

void CDetailBox::refresh() {
  const int top = topLine();
  rebuild();
  setTopLine(top);
}

void CDetailBox::rebuild() {
  lines_.fill(source_);
  selected_.assign(static_cast<size_t>(lines_.size()), 0);
  cursor_ = -1;
  anchor_ = -1;
  selectedAmount_ = 0;
  if (header_ != nullptr) header_->setText(lines_.headerText());
  updateTotals();
  updateScrollBars();
  syncScrollOffsets();
  viewport()->update();
}

void CDetailBox::syncScrollOffsets() {
  for (CStaticWnd* w : {header_, total_}) {
    if (w != nullptr) w->setScrollOffset(horizontalScrollBar()->value());
  }
}

int CDetailBox::appendEntry(CHinmeiList::Position entry) {
  const int at = lines_.append(entry);
  selected_.insert(selected_.begin() + at, 0);
  updateScrollBars();
  setTopLine(lines_.firstLineFrom(entry->date));
  selectOnly(at);
  viewport()->update();
  return at;
}

void CDetailBox::updateTotals() {
  const QString text = lines_.selectionText(selectedLines(), &selectedAmount_);
  if (total_ != nullptr) {
    // The total window keeps the list's sideways scroll.
    const int offset = total_->scrollOffset();
    total_->setText(text);
    total_->setScrollOffset(offset);
  }
}

// ---- Geometry.

int CDetailBox::lineHeight() const {
  return QFontMetrics(font()).height() + LinePadding;
}

TextMeasure CDetailBox::measure() const {
  const QFontMetrics fm(font());
  return {fm.horizontalAdvance(u'1'), [fm](const QString& s) { return fm.horizontalAdvance(s); }};
}

int CDetailBox::contentLeft() const {
  // The columns start where those of the header and total windows do.
  return std::max(0, CodedLineMargin - frameWidth());
}

int CDetailBox::pageLines() const {
  return std::max(1, viewport()->height() / lineHeight());
}

QRect CDetailBox::lineRect(int line) const {
  return {0, (line - topLine()) * lineHeight(), viewport()->width(), lineHeight()};
}

int CDetailBox::lineAt(int y) const {
  const int line = topLine() + y / lineHeight();
  return line >= 0 && line < count() ? line : -1;
}

int CDetailBox::topLine() const {
  return verticalScrollBar()->value();
}

void CDetailBox::setTopLine(int line) {
  verticalScrollBar()->setValue(std::max(line, 0));
}

void CDetailBox::updateScrollBars() {
  const TextMeasure m = measure();
  extent_ = 0;
  for (int i = 0; i < count(); ++i) extent_ = std::max(extent_, lines_.extent(i, m));
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(0, count() - pageLines()));
  v->setPageStep(pageLines());
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, std::max(0, contentLeft() + extent_ - viewport()->width()));
  h->setPageStep(viewport()->width());
  h->setSingleStep(m.unit);
}

void CDetailBox::ensureVisible(int line) {
  if (line < 0) return;
  if (line < topLine()) {
    setTopLine(line);
  } else if (line >= topLine() + pageLines()) {
    setTopLine(line - pageLines() + 1);
  }
}

void CDetailBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void CDetailBox::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    for (CStaticWnd* w : {header_, total_}) {
      if (w != nullptr) w->setFont(font());
    }
    updateScrollBars();
    viewport()->update();
  }
}

void CDetailBox::scrollContentsBy(int dx, int dy) {
  // Only the uncovered strip is painted anew.
  viewport()->scroll(dx, dy * lineHeight());
  if (dx != 0) syncScrollOffsets();
}

// ---- Painting.

void CDetailBox::setColors(const DisplayColors* colors) {
  colors_ = colors;
  viewport()->update();
}

void CDetailBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(font());
  const DisplayColors fallback;
  const DisplayColors& table = colors_ != nullptr ? *colors_ : fallback;
  const ColorPair& normal = table.pair(CP_DETAIL);
  const ColorPair& chosen = table.pair(CP_DETAIL_SELECTED);
  const QColor highlight = palette().highlight().color();
  const TextMeasure m = measure();
  const QRect area = event->rect();
  const int h = lineHeight();
  const int first = topLine() + std::max(0, area.top()) / h;
  const int last = std::min(count() - 1, topLine() + area.bottom() / h);
  const int dx = contentLeft() - horizontalScrollBar()->value();
  for (int i = first; i <= last; ++i) {
    const QRect r = lineRect(i);
    const bool on = isSelected(i);
    const ColorPair& pair = on ? chosen : normal;
    painter.fillRect(r, pair.background);
    const CellPalette colours{pair.text, pair.text, on ? inverse(highlight) : highlight};
    drawCells(painter, lines_.cells(i, m), m, r, dx, colours);
    if (i == cursor_ && hasFocus()) {
      painter.setPen(QPen(pair.text, 1, Qt::DotLine));
      painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
  }
  const int below = (last + 1 - topLine()) * h;
  if (below <= area.bottom()) {
    painter.fillRect(QRect(area.left(), below, area.width(), area.bottom() - below + 1),
                     normal.background);
  }
}

void CDetailBox::repaintLine(int line) {
  if (line >= 0 && line < count()) viewport()->update(lineRect(line));
}

// ---- Selection.

bool CDetailBox::isSelected(int line) const {
  return line >= 0 && line < count() && selected_[static_cast<size_t>(line)] != 0;
}

std::vector<int> CDetailBox::selectedLines() const {
  std::vector<int> out;
  for (int i = 0; i < count(); ++i) {
    if (selected_[static_cast<size_t>(i)] != 0) out.push_back(i);
  }
  return out;
}

void CDetailBox::setSelected(int line, bool on) {
  if (line < 0 || line >= count() || isSelected(line) == on) return;
  selected_[static_cast<size_t>(line)] = on ? 1 : 0;
  repaintLine(line);
  selectionEdited();
}

void CDetailBox::clearSelection() {
  bool any = false;
  for (int i = 0; i < count(); ++i) {
    if (selected_[static_cast<size_t>(i)] == 0) continue;
    selected_[static_cast<size_t>(i)] = 0;
    repaintLine(i);
    any = true;
  }
  if (any) selectionEdited();
}

void CDetailBox::selectOnly(int line) {
  for (int i = 0; i < count(); ++i) {
    const char on = i == line ? 1 : 0;
    if (selected_[static_cast<size_t>(i)] == on) continue;
    selected_[static_cast<size_t>(i)] = on;
    repaintLine(i);
  }
  setCursor(line);
  anchor_ = line;
  selectionEdited();
}

void CDetailBox::selectRange(int from, int to) {
  const int lo = std::min(from, to);
  const int hi = std::max(from, to);
  for (int i = 0; i < count(); ++i) {
    const char on = i >= lo && i <= hi ? 1 : 0;
    if (selected_[static_cast<size_t>(i)] == on) continue;
    selected_[static_cast<size_t>(i)] = on;
    repaintLine(i);
  }
  selectionEdited();
}

void CDetailBox::selectionEdited() {
  updateTotals();
  emit selectionChanged(selectedAmount_);
}

void CDetailBox::setCursor(int line) {
  if (line == cursor_) return;
  const int old = cursor_;
  cursor_ = line >= 0 && line < count() ? line : -1;
  repaintLine(old);
  repaintLine(cursor_);
  ensureVisible(cursor_);
}

int CDetailBox::moveToDay(Day day, bool select) {
  const int first = lines_.firstLineFrom(day);
  if (first < 0) return -1;
  setTopLine(first);
  if (select) selectOnly(lines_.lastLineOf(day));
  return first;
}

void CDetailBox::moveCursorLine(int step, bool extend) {
  if (count() == 0) return;
  int line = cursor_ < 0 ? (step > 0 ? 0 : count() - 1) : cursor_ + step;
  line = ((line % count()) + count()) % count();
  if (extend) {
    setCursor(line);
    setSelected(line, true);
  } else {
    selectOnly(line);
  }
}

// ---- Mouse and keys.

void CDetailBox::moveTo(int line, Qt::KeyboardModifiers modifiers) {
  if (line < 0) return;
  if (modifiers & Qt::ShiftModifier) {
    if (anchor_ < 0) anchor_ = cursor_ < 0 ? line : cursor_;
    setCursor(line);
    selectRange(anchor_, line);
  } else if (modifiers & Qt::ControlModifier) {
    setCursor(line);
    anchor_ = line;
    setSelected(line, !isSelected(line));
  } else {
    selectOnly(line);
  }
}

void CDetailBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  moveTo(lineAt(event->position().toPoint().y()), event->modifiers());
}

void CDetailBox::mouseDoubleClickEvent(QMouseEvent* event) {
  const int line = lineAt(event->position().toPoint().y());
  if (event->button() != Qt::LeftButton || line < 0) return;
  const int x = event->position().toPoint().x() - contentLeft() + horizontalScrollBar()->value();
  hitColumn_ = lines_.hitColumn(x, measure());
  selectOnly(line);
  emit lineActivated(line, hitColumn_);
}

void CDetailBox::keyPressEvent(QKeyEvent* event) {
  const int last = count() - 1;
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  int line = -2;
  switch (event->key()) {
    case Qt::Key_Up:
      line = std::max(cursor_ - 1, 0);
      break;
    case Qt::Key_Down:
      line = std::min(cursor_ + 1, last);
      break;
    case Qt::Key_PageUp:
      line = std::max(cursor_ - pageLines(), 0);
      break;
    case Qt::Key_PageDown:
      line = std::min(std::max(cursor_, 0) + pageLines(), last);
      break;
    case Qt::Key_Home:
      line = 0;
      break;
    case Qt::Key_End:
      line = last;
      break;
    case Qt::Key_Space:
      setSelected(cursor_, !isSelected(cursor_));
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (cursor_ >= 0) emit lineActivated(cursor_, hitColumn_);
      return;
    default:
      return QAbstractScrollArea::keyPressEvent(event);
  }
  if (last >= 0) moveTo(line, mods);
}

}  // namespace sorami
