#include "input/NameListWnd.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "lists/StaticWnd.h"
#include "main/DisplayColors.h"
#include "platform/AppSettings.h"

namespace sorami {

namespace {

constexpr int kMinRows = 3;
constexpr int kMaxRows = 25;
// Wide enough for a name of ten full-width characters after its number.
constexpr int kWidthInDigits = 26;

QString numbered(int row, const QString& name) {
  return QStringLiteral("%1.%2").arg(row + 1).arg(name);
}

// Rows in the list colours; a row shows its number first when names are picked by number.
class RowDelegate : public QStyledItemDelegate {
 public:
  RowDelegate(const DisplayColors& colors, const bool& numbered, QObject* parent)
      : QStyledItemDelegate(parent), colors_(colors), numbered_(numbered) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const ColorPair& pair = colors_.pair(selected ? CP_SPECIAL_NAME_SELECTED : CP_SPECIAL_NAME);
    painter->save();
    painter->fillRect(option.rect, pair.background);
    painter->setPen(pair.text);
    const QString name = index.data(Qt::DisplayRole).toString();
    const QString text = numbered_ ? numbered(index.row(), name) : name;
    const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char('1')) / 2;
    painter->drawText(option.rect.adjusted(margin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      text);
    painter->restore();
  }

 private:
  const DisplayColors& colors_;
  const bool& numbered_;
};

bool isListKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return mods == Qt::NoModifier && (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down);
}

}  // namespace

CSpecialNameWnd::CSpecialNameWnd(AppSettings* settings, const DisplayColors& colors,
                                 QWidget* parent)
    : QWidget(parent, Qt::Tool),
      settings_(settings),
      header_(new CStaticWnd(QStringLiteral("H   \t品名"), CStaticWnd::TableStyle)),
      list_(new QListWidget) {
  setObjectName(QString::number(IDD_SPECIAL_NAMES));
  setWindowTitle(QString());
  // Shown beside the product-name field, it leaves the focus where the user types.
  setAttribute(Qt::WA_ShowWithoutActivating);
  header_->setColors(&colors);
  list_->setItemDelegate(new RowDelegate(colors, numbered_, list_));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setUniformItemSizes(true);
  list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(header_);
  layout->addWidget(list_, 1);
  setFocusProxy(list_);
  fitHeight();
}

void CSpecialNameWnd::setNames(const std::vector<std::u16string>& names, bool numberedRows,
                               int selected) {
  const QSignalBlocker block(list_);
  numbered_ = numberedRows;
  list_->clear();
  for (const std::u16string& n : names) list_->addItem(QString::fromStdU16String(n));
  selectRow(selected);
  list_->viewport()->update();
}

void CSpecialNameWnd::setHeader(const QString& codedText) {
  header_->setText(codedText);
}

QString CSpecialNameWnd::headerText() const {
  return header_->text();
}

void CSpecialNameWnd::setVisibleRows(int rows) {
  visibleRows_ = qBound(kMinRows, rows, kMaxRows);
  fitHeight();
}

void CSpecialNameWnd::fitHeight() {
  const int row = fontMetrics().height() + 2;
  const int width = fontMetrics().horizontalAdvance(QLatin1Char('1')) * kWidthInDigits;
  list_->setFixedHeight(visibleRows_ * row + 2 * list_->frameWidth());
  setFixedSize(qMax(width, header_->sizeHint().width()),
               header_->sizeHint().height() + list_->height());
}

void CSpecialNameWnd::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) fitHeight();
  if (event->type() != QEvent::ActivationChange) return;
  if (!isActiveWindow()) {
    keysWanted_ = false;
  } else if (keysWanted_) {
    list_->setFocus();
  } else if (parentWidget() != nullptr && isVisible() && QApplication::activeWindow() == this) {
    // Shown or clicked, it leaves the keys with the main window's input row. Only while it is
    // shown and really has the keys itself (a tool window also counts as active with its main
    // window): an activation arriving after it was hidden again would take the keys from the
    // window that has them by then, such as the calculator panel.
    parentWidget()->window()->activateWindow();
  }
}

void CSpecialNameWnd::takeKeys() {
  keysWanted_ = true;
  raise();
  activateWindow();
  list_->setFocus();
  if (selectedRow() < 0 && count() > 0) selectRow(0);
}

int CSpecialNameWnd::count() const {
  return list_->count();
}

int CSpecialNameWnd::selectedRow() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->row(selected.front());
}

void CSpecialNameWnd::selectRow(int row) {
  const QSignalBlocker block(list_);
  if (row < 0 || row >= list_->count()) {
    list_->clearSelection();
    list_->setCurrentRow(-1);
    return;
  }
  list_->setCurrentRow(row);
  list_->scrollToItem(list_->item(row));
}

QString CSpecialNameWnd::nameAt(int row) const {
  const QListWidgetItem* item = list_->item(row);
  return item ? item->text() : QString();
}

QString CSpecialNameWnd::rowText(int row) const {
  return numbered_ ? numbered(row, nameAt(row)) : nameAt(row);
}

void CSpecialNameWnd::showBeside(const QRect& anchor) {
  if (!placed_) {
    const std::optional<QPoint> kept = settings_ ? settings_->specialListPos() : std::nullopt;
    move(kept ? *kept : QPoint(anchor.left(), anchor.top() - frameGeometry().height()));
    placed_ = true;
  }
  holdOnScreen();
  show();
  raise();
}

// Reaching beyond the right or bottom edge moves it back by the excess; starting left of or above
// the screen moves it in by the shortfall.
void CSpecialNameWnd::holdOnScreen() {
  const QRect frame = frameGeometry();
  QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (screen == nullptr) screen = parentWidget() ? parentWidget()->screen() : this->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  QPoint to = frame.topLeft();
  if (frame.right() > area.right()) to.rx() -= frame.right() - area.right();
  if (frame.bottom() > area.bottom()) to.ry() -= frame.bottom() - area.bottom();
  if (to.x() < area.left()) to.setX(area.left());
  if (to.y() < area.top()) to.setY(area.top());
  if (to != frame.topLeft()) move(pos() + (to - frame.topLeft()));
}

void CSpecialNameWnd::hideEvent(QHideEvent* event) {
  if (settings_ && placed_) settings_->setSpecialListPos(pos());
  QWidget::hideEvent(event);
}

// A row pressed and released with the pointer is chosen; Up and Down move the choice; every
// other key is the main window's.
bool CSpecialNameWnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport()) {
    // Only the two mouse events are looked into as such: every other kind passes by.
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      clickPending_ = list_->indexAt(mouse->position().toPoint()).isValid();
    } else if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QModelIndex at = list_->indexAt(mouse->position().toPoint());
      const bool chosen = clickPending_ && at.isValid();
      clickPending_ = false;
      if (chosen) {
        selectRow(at.row());
        emit nameSelected(at.row());
      }
    }
    return false;
  }
  if (watched != list_) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    // Every key comes here as a key press: Up and Down stay with the list, each other key runs
    // one command of the main window.
    event->accept();
    return true;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (isListKey(*key)) {
    const int step = key->key() == Qt::Key_Down ? 1 : -1;
    const int row = qBound(0, selectedRow() + step, count() - 1);
    if (count() > 0 && row != selectedRow()) {
      selectRow(row);
      emit nameSelected(row);
    }
    return true;
  }
  return mainWindowKey && mainWindowKey(*key);
}

}  // namespace sorami
