#include "grid/SpreadWnd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "grid/CellCode.h"
#include "platform/AppSettings.h"

namespace sorami {

namespace {

constexpr int kEdgeGrab = 3;  // pixels either side of a column edge that take the pointer
constexpr int kFrame = 2;     // thickness of the selection frame

QString flattened(QString text) {
  // A tab or line end inside a cell would split it in two when pasted.
  for (QChar& c : text) {
    if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
  }
  return text;
}

}  // namespace

CSpreadWnd::CSpreadWnd(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  editor_ = new QLineEdit(viewport());
  editor_->setFrame(false);
  editor_->hide();
  editor_->installEventFilter(this);
}

CSpreadWnd::~CSpreadWnd() {
  saveColumnWidths();
}

// ---- the questions a table answers ----

GridSize CSpreadWnd::dimensions() const {
  return {2, 5};
}

QString CSpreadWnd::cellText(int row, int column, bool) const {
  return QStringLiteral("CCW[R%1/C%2]").arg(row).arg(column);
}

int CSpreadWnd::defaultColumnWidth(int) const {
  return defaultWidth_;
}

QColor CSpreadWnd::roleColor(int role) const {
  const QPalette& p = palette();
  switch (role) {
    case SR_CELL_TEXT:
    case SR_HEADER_TEXT:
    case SR_GRID_LINE:
    case SR_OUTLINE:
    case SR_RESERVED:
      return p.color(QPalette::Text);
    case SR_CELL:
      return p.color(QPalette::Base);
    case SR_SELECTION:
      return p.color(QPalette::Highlight);
    case SR_HEADER_ROW:
    case SR_HEADER_COLUMN:
    case SR_MARGIN:
      return p.color(QPalette::Button);
    default:
      return QColor(0, 0, 0);
  }
}

bool CSpreadWnd::isCellEditable(int, int) const {
  return false;
}

bool CSpreadWnd::commitCellText(int, int, const QString&) {
  return false;
}

// ---- column widths and the settings ----

void CSpreadWnd::setProfileSection(const QString& section) {
  section_ = section;
  if (laidOut_) loadColumnWidths();
}

void CSpreadWnd::setAppSettings(AppSettings* settings) {
  settings_ = settings;
  if (laidOut_) loadColumnWidths();
}

int CSpreadWnd::storedOrDefaultWidth(int column) const {
  std::optional<int> stored;
  if (settings_ != nullptr) stored = settings_->columnWidth(section_, column);
  return std::clamp(stored.value_or(defaultColumnWidth(column)), MinColumnWidth, MaxColumnWidth);
}

void CSpreadWnd::loadColumnWidths() {
  if (!laidOut_) {
    ensureLayout();  // reads them
  } else {
    for (int c = 0; c < static_cast<int>(widths_.size()); ++c) widths_[c] = storedOrDefaultWidth(c);
    takeSize(size_);
  }
  updateScrollBars();
  placeEditor();
  viewport()->update();
}

void CSpreadWnd::saveColumnWidths() const {
  if (settings_ == nullptr || !laidOut_) return;
  for (int c = 0; c < static_cast<int>(widths_.size()); ++c) {
    settings_->setColumnWidth(section_, c, widths_[c]);
  }
}

int CSpreadWnd::columnWidth(int column) const {
  ensureLayout();
  if (column < 0 || column >= static_cast<int>(widths_.size())) return 0;
  return widths_[column];
}

void CSpreadWnd::setColumnWidth(int column, int pixels) {
  ensureLayout();
  if (column < 0 || column >= static_cast<int>(widths_.size())) return;
  pixels = std::clamp(pixels, MinColumnWidth, MaxColumnWidth);
  if (widths_[column] == pixels) return;
  widths_[column] = pixels;
  takeSize(size_);
  updateScrollBars();
  placeEditor();
  viewport()->update();
  emit visibleAreaChanged();
}

void CSpreadWnd::setDefaultWidth(int pixels) {
  defaultWidth_ = std::clamp(pixels, MinColumnWidth, MaxColumnWidth);
}

int CSpreadWnd::charWidth() const {
  return std::max(1, fontMetrics().horizontalAdvance(u'0'));
}

int CSpreadWnd::rowHeight() const {
  return fontMetrics().height() + 6;
}

// ---- layout ----

void CSpreadWnd::ensureLayout() const {
  if (laidOut_) return;
  laidOut_ = true;
  widths_.clear();
  takeSize(dimensions());
}

// Takes the table's size: the columns that remain keep their widths, new ones are read.
void CSpreadWnd::takeSize(GridSize size) const {
  size.columns = std::clamp(size.columns, 0, MaxColumns);
  size.rows = std::max(size.rows, 0);
  size_ = size;
  const int count = size.columns + 1;
  const int kept = std::min(count, static_cast<int>(widths_.size()));
  widths_.resize(static_cast<size_t>(count));
  for (int c = kept; c < count; ++c) widths_[c] = storedOrDefaultWidth(c);
  edges_.resize(widths_.size());
  int right = 0;
  for (size_t c = 0; c < widths_.size(); ++c) edges_[c] = right += widths_[c];
}

GridSize CSpreadWnd::gridSize() const {
  ensureLayout();
  return size_;
}

int CSpreadWnd::headerWidth() const {
  return widths_.empty() ? 0 : widths_[0];
}

QRect CSpreadWnd::bodyArea() const {
  const QRect all = viewport()->rect();
  return QRect(QPoint(LeftMargin + headerWidth(), TopMargin + rowHeight()), all.bottomRight());
}

int CSpreadWnd::columnLeft(int column) const {
  if (column <= 0) return LeftMargin;
  return LeftMargin + edges_[column - 1] - horizontalScrollBar()->value();
}

int CSpreadWnd::rowTop(int row) const {
  if (row <= 0) return TopMargin;
  return TopMargin + rowHeight() * (row - verticalScrollBar()->value());
}

int CSpreadWnd::columnAtX(int x) const {
  if (x < LeftMargin) return -1;
  if (x < LeftMargin + headerWidth()) return 0;
  const int tableX = x - LeftMargin + horizontalScrollBar()->value();
  const auto it = std::upper_bound(edges_.begin() + 1, edges_.end(), tableX);
  return it == edges_.end() ? -1 : static_cast<int>(it - edges_.begin());
}

int CSpreadWnd::rowAtY(int y) const {
  const int h = rowHeight();
  if (y < TopMargin) return -1;
  if (y < TopMargin + h) return 0;
  const int row = verticalScrollBar()->value() + 1 + (y - TopMargin - h) / h;
  return row > size_.rows ? -1 : row;
}

void CSpreadWnd::updateScrollBars() {
  ensureLayout();
  const QRect body = bodyArea();
  const int h = rowHeight();
  const int fullRows = std::max(1, body.height() / h);
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(0, size_.rows - fullRows));
  v->setPageStep(fullRows);
  v->setSingleStep(1);
  QScrollBar* hb = horizontalScrollBar();
  const int bodyWidth = edges_.back() - headerWidth();
  hb->setRange(0, std::max(0, bodyWidth - body.width()));
  hb->setPageStep(std::max(1, body.width()));
  hb->setSingleStep(charWidth() * 2);
}

QRect CSpreadWnd::cellRect(int row, int column) const {
  ensureLayout();
  if (row < 0 || row > size_.rows || column < 0 || column > size_.columns) return {};
  return QRect(columnLeft(column), rowTop(row), widths_[column], rowHeight());
}

std::optional<GridCell> CSpreadWnd::cellAt(QPoint pos) const {
  ensureLayout();
  const int row = rowAtY(pos.y());
  const int column = columnAtX(pos.x());
  if (row < 0 || column < 0) return std::nullopt;
  return GridCell{row, column};
}

int CSpreadWnd::resizeEdgeAt(QPoint pos) const {
  ensureLayout();
  if (rowAtY(pos.y()) != 0) return -1;
  const int bodyLeft = LeftMargin + headerWidth();
  int best = -1;
  int bestDistance = kEdgeGrab + 1;
  for (int c = 0; c <= size_.columns; ++c) {
    const int edge = columnLeft(c) + widths_[c];
    if (c > 0 && edge <= bodyLeft) continue;  // scrolled under the header column
    const int distance = std::abs(pos.x() - edge);
    if (distance < bestDistance) {
      best = c;
      bestDistance = distance;
    }
    if (edge > pos.x() + kEdgeGrab) break;
  }
  return best;
}

int CSpreadWnd::firstVisibleRow() const {
  ensureLayout();
  return size_.rows == 0 ? 0 : verticalScrollBar()->value() + 1;
}

int CSpreadWnd::visibleRowCount() const {
  ensureLayout();
  if (size_.rows == 0) return 0;
  const int h = rowHeight();
  const int inView = (std::max(0, bodyArea().height()) + h - 1) / h;
  return std::min(inView, size_.rows - firstVisibleRow() + 1);
}

void CSpreadWnd::scrollToCell(int row, int column) {
  ensureLayout();
  const QRect body = bodyArea();
  if (row >= 1 && row <= size_.rows) {
    QScrollBar* v = verticalScrollBar();
    const int fullRows = std::max(1, body.height() / rowHeight());
    if (row - 1 < v->value()) v->setValue(row - 1);
    if (row > v->value() + fullRows) v->setValue(row - fullRows);
  }
  if (column >= 1 && column <= size_.columns) {
    QScrollBar* h = horizontalScrollBar();
    const int left = edges_[column - 1] - headerWidth();
    const int right = edges_[column] - headerWidth();
    if (left < h->value()) {
      h->setValue(left);
    } else if (right > h->value() + body.width()) {
      h->setValue(std::min(left, right - body.width()));
    }
  }
}

// ---- contents ----

void CSpreadWnd::refresh() {
  if (laidOut_) {
    takeSize(dimensions());
  } else {
    ensureLayout();
  }
  if (isEditing() && (editing_.row > size_.rows || editing_.column > size_.columns)) {
    finishEdit(false);
  }
  if (shown_) {
    const bool fits = size_.rows >= firstRow();
    current_ = {std::min(current_.row, size_.rows), std::min(current_.column, size_.columns)};
    anchor_ = {std::min(anchor_.row, size_.rows), std::min(anchor_.column, size_.columns)};
    if (!fits) clearSelection();
  }
  updateScrollBars();
  placeEditor();
  viewport()->update();
  emit refreshed();
  emit visibleAreaChanged();
}

void CSpreadWnd::updateCell(int row, int column) {
  viewport()->update(cellRect(row, column));
}

void CSpreadWnd::updateRow(int row) {
  const QRect first = cellRect(row, 0);
  if (first.isEmpty()) return;
  viewport()->update(QRect(0, first.top(), viewport()->width(), first.height()));
}

// ---- selection ----

int CSpreadWnd::firstRow() const {
  return mode_ == Selection::Rows ? 1 : 0;
}

void CSpreadWnd::setSelectionMode(Selection mode) {
  if (mode_ == mode) return;
  if (shown_) clearSelection();
  mode_ = mode;
}

std::optional<GridRange> CSpreadWnd::selectedRange() const {
  if (!shown_) return std::nullopt;
  if (mode_ == Selection::Rows) return GridRange{current_.row, 0, current_.row, size_.columns};
  return GridRange{std::min(anchor_.row, current_.row), std::min(anchor_.column, current_.column),
                   std::max(anchor_.row, current_.row), std::max(anchor_.column, current_.column)};
}

void CSpreadWnd::setCurrentCell(int row, int column, bool extend) {
  ensureLayout();
  if (mode_ == Selection::None || size_.rows < firstRow()) return;
  const GridCell cell{std::clamp(row, firstRow(), size_.rows),
                      std::clamp(column, 0, size_.columns)};
  const std::optional<GridRange> before = selectedRange();
  const bool moved = !shown_ || cell != current_;
  current_ = cell;
  if (!extend || mode_ == Selection::Rows || !shown_) anchor_ = cell;
  shown_ = true;
  scrollToCell(cell.row, cell.column);
  repaintSelection(before);
  if (moved) emit currentCellChanged(cell.row, cell.column);
}

void CSpreadWnd::clearSelection() {
  if (!shown_) return;
  const std::optional<GridRange> before = selectedRange();
  shown_ = false;
  repaintSelection(before);
  emit currentCellChanged(-1, -1);
}

void CSpreadWnd::selectAll() {
  ensureLayout();
  if (mode_ != Selection::Cells) return;
  anchor_ = {0, 0};
  current_ = {size_.rows, size_.columns};
  shown_ = true;
  viewport()->update();
  emit currentCellChanged(current_.row, current_.column);
}

// The frame of a selection is drawn over the cells it surrounds: repaint the old and the new.
void CSpreadWnd::repaintSelection(const std::optional<GridRange>& before) {
  const auto frameOf = [this](const GridRange& r) {
    return cellRect(r.top, r.left).united(cellRect(r.bottom, r.right)).adjusted(-1, -1, 1, 1);
  };
  if (before) viewport()->update(frameOf(*before));
  if (const std::optional<GridRange> now = selectedRange()) viewport()->update(frameOf(*now));
}

QString CSpreadWnd::selectionText() const {
  ensureLayout();
  const GridRange r = selectedRange().value_or(GridRange{0, 0, size_.rows, size_.columns});
  QString text;
  for (int row = r.top; row <= r.bottom; ++row) {
    if (row > r.top) text += u'\n';
    for (int column = r.left; column <= r.right; ++column) {
      if (column > r.left) text += u'\t';
      text += flattened(cellCodeText(cellText(row, column, true)));
    }
  }
  return text;
}

bool CSpreadWnd::copy() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(selectionText());
  return true;
}

void CSpreadWnd::moveBy(int rows, int columns, bool extend) {
  if (mode_ == Selection::None) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                    columns * horizontalScrollBar()->singleStep());
    return;
  }
  if (!shown_) {
    // The first key starts on the first cell below and right of the headers.
    setCurrentCell(1, 1);
    return;
  }
  setCurrentCell(current_.row + rows, current_.column + columns, extend);
}

// ---- editing ----

bool CSpreadWnd::editCell(int row, int column, const QString& typed) {
  ensureLayout();
  if (row < 0 || row > size_.rows || column < 0 || column > size_.columns) return false;
  if (!isCellEditable(row, column)) return false;
  if (isEditing() && !finishEdit(true)) return false;
  if (mode_ != Selection::None) setCurrentCell(row, column);
  scrollToCell(row, column);
  const QString shown = cellText(row, column, true);
  editing_ = {row, column};
  editor_->setAlignment(parseCellCode(shown).horizontal | Qt::AlignVCenter);
  editor_->setFont(font());
  editor_->setText(typed.isEmpty() ? cellCodeText(shown) : typed);
  if (typed.isEmpty()) editor_->selectAll();
  placeEditor();
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
  return true;
}

bool CSpreadWnd::finishEdit(bool accept) {
  if (!isEditing()) return true;
  const GridCell cell = editing_;
  if (accept) {
    committing_ = true;
    const bool taken = commitCellText(cell.row, cell.column, editor_->text());
    committing_ = false;
    if (!taken) return false;
  }
  editing_ = {};
  if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
  editor_->hide();
  updateRow(cell.row);
  if (accept) emit cellChanged(cell.row, cell.column);
  return true;
}

void CSpreadWnd::placeEditor() {
  if (!isEditing()) return;
  editor_->setGeometry(cellRect(editing_.row, editing_.column).adjusted(1, 1, -1, -1));
}

bool CSpreadWnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_ || !isEditing()) return QAbstractScrollArea::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    switch (key) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        // Typing a column of amounts: Enter takes one and goes on to the row below.
        if (finishEdit(true)) moveBy(1, 0, false);
        return true;
      case Qt::Key_Up:
      case Qt::Key_Down:
        if (finishEdit(true)) moveBy(key == Qt::Key_Up ? -1 : 1, 0, false);
        return true;
      case Qt::Key_Escape:
        finishEdit(false);
        return true;
      default:
        break;
    }
  } else if (event->type() == QEvent::FocusOut && !committing_) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // A menu or another application window takes the focus only for a while.
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      if (!finishEdit(true)) finishEdit(false);
    }
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

// ---- drawing ----

void CSpreadWnd::drawCell(QPainter& painter, int row, int column, const QRect& rect) const {
  const bool header = row == 0 || column == 0;
  const int background = row == 0 ? SR_HEADER_ROW : column == 0 ? SR_HEADER_COLUMN : SR_CELL;
  painter.fillRect(rect, roleColor(background));
  painter.setPen(roleColor(SR_GRID_LINE));
  painter.drawLine(rect.topRight(), rect.bottomRight());
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  if (editing_ == GridCell{row, column}) return;  // the editor covers it

  const CellCode code = parseCellCode(cellText(row, column, false));
  if (code.text.isEmpty()) return;
  const QRect box = cellTextRect(rect, code);
  if (box.width() <= 0 || box.height() <= 0) return;
  // Saved and restored around every cell, so no colour or clip leaks into the next one.
  painter.save();
  painter.setClipRect(box, Qt::IntersectClip);
  painter.setPen(code.color(roleColor(header ? SR_HEADER_TEXT : SR_CELL_TEXT)));
  const int flags = static_cast<int>(code.alignment()) | Qt::TextSingleLine;
  painter.drawText(box, flags, code.text);
  if (code.emphasis == CellCode::Bold) painter.drawText(box.translated(1, 0), flags, code.text);
  painter.restore();
}

void CSpreadWnd::drawSelection(QPainter& painter) const {
  const std::optional<GridRange> r = selectedRange();
  if (!r) return;
  const QRect frame = cellRect(r->top, r->left).united(cellRect(r->bottom, r->right));
  const QRect body = bodyArea();
  QRect clip = viewport()->rect();
  if (r->left >= 1) clip.setLeft(body.left());
  if (r->top >= 1) clip.setTop(body.top());
  painter.save();
  painter.setClipRect(clip);
  const QColor color = roleColor(SR_SELECTION);
  painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), kFrame), color);
  painter.fillRect(QRect(frame.left(), frame.bottom() - kFrame + 1, frame.width(), kFrame), color);
  painter.fillRect(QRect(frame.left(), frame.top(), kFrame, frame.height()), color);
  painter.fillRect(QRect(frame.right() - kFrame + 1, frame.top(), kFrame, frame.height()), color);
  painter.restore();
}

void CSpreadWnd::paintEvent(QPaintEvent* event) {
  ensureLayout();
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, roleColor(SR_MARGIN));

  const QRect body = bodyArea();
  const int h = rowHeight();
  // Only the rows and columns in view are asked for their texts.
  const int firstBodyRow = verticalScrollBar()->value() + 1;
  const int lastBodyRow =
      std::min(size_.rows, firstBodyRow + (std::max(0, body.height()) + h - 1) / h - 1);
  int firstBodyColumn = columnAtX(body.left());
  int lastBodyColumn = columnAtX(body.right());
  if (lastBodyColumn < 0) lastBodyColumn = size_.columns;
  if (firstBodyColumn < 1) firstBodyColumn = lastBodyColumn + 1;  // nothing right of the header

  const auto drawBlock = [&](int r0, int r1, int c0, int c1, const QRect& clip) {
    const QRect visible = clip.intersected(area);
    if (visible.isEmpty()) return;
    painter.setClipRect(visible);
    for (int row = r0; row <= r1; ++row) {
      for (int column = c0; column <= c1; ++column) {
        const QRect rect = cellRect(row, column);
        if (rect.intersects(visible)) drawCell(painter, row, column, rect);
      }
    }
  };
  const QRect all = viewport()->rect();
  drawBlock(firstBodyRow, lastBodyRow, firstBodyColumn, lastBodyColumn, body);
  drawBlock(0, 0, firstBodyColumn, lastBodyColumn,
            QRect(QPoint(body.left(), all.top()), QPoint(all.right(), body.top() - 1)));
  drawBlock(firstBodyRow, lastBodyRow, 0, 0,
            QRect(QPoint(all.left(), body.top()), QPoint(body.left() - 1, all.bottom())));
  drawBlock(0, 0, 0, 0, QRect(all.topLeft(), body.topLeft() - QPoint(1, 1)));
  painter.setClipRect(area);

  // The table's outer edge and the lines that close off the fixed header row and column.
  const int right = std::min(columnLeft(size_.columns) + widths_.back(), all.right());
  const int bottom = std::min(rowTop(size_.rows) + h, all.bottom());
  painter.setPen(roleColor(SR_OUTLINE));
  painter.drawLine(LeftMargin - 1, TopMargin - 1, right - 1, TopMargin - 1);
  painter.drawLine(LeftMargin - 1, TopMargin - 1, LeftMargin - 1, bottom - 1);
  painter.drawLine(LeftMargin, body.top() - 1, right - 1, body.top() - 1);
  painter.drawLine(body.left() - 1, TopMargin, body.left() - 1, bottom - 1);
  drawSelection(painter);
}

// ---- events ----

void CSpreadWnd::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
  placeEditor();
  emit visibleAreaChanged();
}

void CSpreadWnd::scrollContentsBy(int, int) {
  viewport()->update();
  placeEditor();
  emit visibleAreaChanged();
}

void CSpreadWnd::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (isEditing() && !finishEdit(true)) return;
  setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton) {
    const int edge = resizeEdgeAt(pos);
    if (edge >= 0) {
      resizing_ = edge;
      resizeStartX_ = pos.x();
      resizeStartWidth_ = widths_[edge];
      viewport()->setCursor(Qt::SplitHCursor);
      return;
    }
  }
  const std::optional<GridCell> cell = cellAt(pos);
  if (!cell || cell->row < firstRow()) return;
  if (event->button() == Qt::LeftButton) {
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && mode_ == Selection::Cells;
    setCurrentCell(cell->row, cell->column, extend);
    dragSelecting_ = mode_ == Selection::Cells;
  } else if (event->button() == Qt::RightButton) {
    // The context menu acts on what is under the pointer, unless that is already selected.
    const std::optional<GridRange> r = selectedRange();
    if (!r || !r->contains(cell->row, cell->column)) setCurrentCell(cell->row, cell->column);
  }
}

void CSpreadWnd::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (resizing_ >= 0) {
    setColumnWidth(resizing_, resizeStartWidth_ + pos.x() - resizeStartX_);
    return;
  }
  if (dragSelecting_ && (event->buttons() & Qt::LeftButton)) {
    if (const std::optional<GridCell> cell = cellAt(pos)) {
      setCurrentCell(cell->row, cell->column, true);
    }
    return;
  }
  if (resizeEdgeAt(pos) >= 0) {
    viewport()->setCursor(Qt::SizeHorCursor);
  } else {
    viewport()->unsetCursor();
  }
}

void CSpreadWnd::mouseReleaseEvent(QMouseEvent*) {
  dragSelecting_ = false;
  if (resizing_ < 0) return;
  const int column = resizing_;
  resizing_ = -1;
  viewport()->unsetCursor();
  emit columnResized(column, widths_[column]);
}

void CSpreadWnd::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() != Qt::LeftButton) return;
  const int edge = resizeEdgeAt(pos);
  if (edge >= 0) {
    // A double click on an edge gives the column its own width back.
    resizing_ = -1;
    setColumnWidth(edge, defaultColumnWidth(edge));
    emit columnResized(edge, widths_[edge]);
    return;
  }
  const std::optional<GridCell> cell = cellAt(pos);
  if (!cell || cell->row < firstRow()) return;
  if (!editCell(cell->row, cell->column)) emit cellActivated(cell->row, cell->column);
}

void CSpreadWnd::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copy();
    return;
  }
  if (event->matches(QKeySequence::SelectAll) && mode_ == Selection::Cells) {
    selectAll();
    return;
  }
  ensureLayout();
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int page = std::max(1, bodyArea().height() / rowHeight());
  switch (event->key()) {
    case Qt::Key_Up:
      return moveBy(-1, 0, extend);
    case Qt::Key_Down:
      return moveBy(1, 0, extend);
    case Qt::Key_Left:
      return moveBy(0, -1, extend);
    case Qt::Key_Right:
      return moveBy(0, 1, extend);
    case Qt::Key_PageUp:
      return moveBy(-page, 0, extend);
    case Qt::Key_PageDown:
      return moveBy(page, 0, extend);
    case Qt::Key_Home:
      if (mode_ != Selection::None) setCurrentCell(control ? 0 : current_.row, 0, extend);
      return;
    case Qt::Key_End:
      if (mode_ != Selection::None) {
        setCurrentCell(control ? size_.rows : current_.row, size_.columns, extend);
      }
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!shown_) break;  // the dialog's own button
      if (!editCell(current_.row, current_.column))
        emit cellActivated(current_.row, current_.column);
      return;
    case Qt::Key_F2:
      if (shown_) editCell(current_.row, current_.column);
      return;
    default: {
      const QString typed = event->text();
      const bool printable = !typed.isEmpty() && typed[0].isPrint() &&
                             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
      if (printable && shown_ && editCell(current_.row, current_.column, typed)) return;
      break;
    }
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CSpreadWnd::contextMenuEvent(QContextMenuEvent* event) {
  ensureLayout();
  if (event->reason() == QContextMenuEvent::Mouse) {
    const std::optional<GridCell> cell = cellAt(event->pos());
    if (!cell || cell->row < firstRow()) return;
    emit contextMenuRequested(cell->row, cell->column, event->globalPos());
    return;
  }
  if (!shown_) return;
  const QRect rect = cellRect(current_.row, current_.column);
  emit contextMenuRequested(current_.row, current_.column, viewport()->mapToGlobal(rect.center()));
}

void CSpreadWnd::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateScrollBars();
    placeEditor();
    viewport()->update();
    emit visibleAreaChanged();
  }
}

void CSpreadWnd::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  updateScrollBars();
}

void CSpreadWnd::hideEvent(QHideEvent* event) {
  // The window is going away: an edit left open counts as cancelled.
  finishEdit(false);
  saveColumnWidths();
  QAbstractScrollArea::hideEvent(event);
}

}  // namespace sorami
