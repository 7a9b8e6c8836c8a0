#include "diary/DiaryList.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "document/SoramiDoc.h"
#include "reports/Diary.h"
#include "rules/Holidays.h"

namespace sorami {

namespace {

constexpr int kDateColumn = 0;
constexpr int kTextColumn = 1;
constexpr int kRowsAbove = 6;
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

QString qs(const std::u16string& s) {
  return QString::fromStdU16String(s);
}

QPushButton* button(const char16_t* label, int id) {
  auto* b = new QPushButton(QString::fromUtf16(label));
  b->setObjectName(QString::number(id));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CDiaryList::CDiaryList(CSoramiDoc& document, const CHoliday& holidays, QWidget* parent)
    : QDialog(parent),
      document_(document),
      holidays_(holidays),
      month_(new QLabel),
      days_(new QTreeWidget),
      atStart_(new QCheckBox(QStringLiteral("起動時に表示"))) {
  setObjectName(QString::number(IDD_DIARY_LIST));
  setModal(false);
  month_->setObjectName(QString::number(IDC_DIARY_MONTH));
  atStart_->setObjectName(QString::number(IDC_DIARY_AT_START));
  days_->setObjectName(QString::number(IDC_DIARY_DAYS));
  days_->setColumnCount(2);
  days_->setHeaderLabels({QStringLiteral("日付"),
                          QStringLiteral("日記内容（変更は行をﾀﾞﾌﾞﾙｸﾘｯｸ,又は[Shift]+[Enter]ｷｲ）")});
  days_->setRootIsDecorated(false);
  days_->setUniformRowHeights(true);
  days_->setTextElideMode(Qt::ElideNone);
  days_->setSelectionMode(QAbstractItemView::SingleSelection);
  days_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  days_->header()->setStretchLastSection(false);
  days_->header()->setSectionResizeMode(kDateColumn, QHeaderView::Fixed);
  // The text starts where the widest day label ends.
  days_->setColumnWidth(kDateColumn,
                        days_->fontMetrics().horizontalAdvance(QStringLiteral("88<金>")) + 12);
  days_->installEventFilter(this);
  days_->setMinimumSize(days_->fontMetrics().averageCharWidth() * 60,
                        days_->fontMetrics().height() * 16);
  connect(days_, &QTreeWidget::currentItemChanged, this, [this] { rowChosen(); });
  connect(days_, &QTreeWidget::itemDoubleClicked, this,
          [this] { emit editRequested(currentDay_); });

  auto* prev = button(u"前月(&Z)", IDC_DIARY_PREV_MONTH);
  auto* thisMonth = button(u"今月(&T)", IDC_DIARY_THIS_MONTH);
  auto* next = button(u"翌月(&X)", IDC_DIARY_NEXT_MONTH);
  auto* search = button(u"検索(&K)", IDC_DIARY_SEARCH);
  auto* close = button(u"閉じる", 1);
  connect(prev, &QPushButton::clicked, this, [this] { stepMonth(-1); });
  connect(next, &QPushButton::clicked, this, [this] { stepMonth(1); });
  connect(thisMonth, &QPushButton::clicked, this, [this] {
    const Ymd t = ymdFromDay(document_.today());
    fillMonth({t.year, t.month});
  });
  connect(search, &QPushButton::clicked, this, &CDiaryList::searchRequested);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  // The setting belongs to the file and is kept in it at once.
  connect(atStart_, &QCheckBox::toggled, this,
          [this](bool on) { document_.config().diaryAtStartup = on ? 1 : 0; });

  auto* top = new QHBoxLayout;
  top->addWidget(month_);
  top->addStretch();
  for (QPushButton* b : {prev, thisMonth, next}) top->addWidget(b);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(search);
  bottom->addWidget(atStart_);
  bottom->addStretch();
  bottom->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(days_, 1);
  layout->addLayout(bottom);
}

void CDiaryList::setMonochrome(bool on) {
  monochrome_ = on;
  if (days_->topLevelItemCount() > 0) fillMonth(shown_);
}

QString CDiaryList::monthLabel() const {
  return month_->text();
}

QString CDiaryList::rowText(int row) const {
  const QTreeWidgetItem* item = days_->topLevelItem(row);
  return item ? item->text(kDateColumn) + item->text(kTextColumn) : QString();
}

bool CDiaryList::rowIsRed(int row) const {
  const QTreeWidgetItem* item = days_->topLevelItem(row);
  return item && item->foreground(kDateColumn).color() == (monochrome_ ? kGrey : kRed);
}

void CDiaryList::refill() {
  if (document_.entries() == nullptr) return;
  setWindowTitle(qs(document_.config().diaryTitle));
  const QSignalBlocker block(atStart_);
  atStart_->setChecked(document_.config().diaryAtStartup != 0);
  fillMonth(shown_);
}

void CDiaryList::fillMonth(YearMonth month) {
  CHinmeiList* store = document_.entries();
  if (store == nullptr) return;
  shown_ = month;
  month_->setText(qs(diaryMonthLabel(month)));
  const std::vector<DiaryDay> rows = diaryMonth(
      *store, month, static_cast<unsigned>(document_.config().weeklyRestDays), holidays_);
  filling_ = true;
  days_->clear();
  QList<QTreeWidgetItem*> items;
  for (const DiaryDay& d : rows) {
    auto* item = new QTreeWidgetItem;
    item->setText(kDateColumn, qs(diaryDayLabel(d.date)));
    if (d.red) item->setForeground(kDateColumn, monochrome_ ? kGrey : kRed);
    if (d.entry) item->setText(kTextColumn, qs(diaryPreview((*d.entry)->visibleMemo())));
    items.push_back(item);
  }
  days_->addTopLevelItems(items);
  days_->resizeColumnToContents(kTextColumn);
  const Ymd current = ymdFromDay(currentDay_);
  if (current.year == month.year && current.month == month.month) {
    selectRow(current.day - 1);
  } else if (!items.isEmpty()) {
    days_->scrollToItem(items.front(), QAbstractItemView::PositionAtTop);
  }
  filling_ = false;
}

void CDiaryList::showDay(Day day, bool refill) {
  if (document_.entries() == nullptr) return;
  day = clampToUserDays(day);
  const Ymd d = ymdFromDay(day);
  currentDay_ = day;
  if (refill || d.year != shown_.year || d.month != shown_.month) {
    fillMonth({d.year, d.month});
  } else {
    selectRow(d.day - 1);
  }
  emit daySelected(currentDay_);
}

void CDiaryList::selectRow(int row) {
  QTreeWidgetItem* item = days_->topLevelItem(row);
  if (item == nullptr) return;
  {
    const QSignalBlocker block(days_);
    days_->setCurrentItem(item);
    item->setSelected(true);
  }
  days_->viewport()->update();
  const int top = std::max(0, row - kRowsAbove);
  days_->scrollToItem(days_->topLevelItem(top), QAbstractItemView::PositionAtTop);
}

void CDiaryList::refreshDay(Day day) {
  const Ymd d = ymdFromDay(day);
  if (d.year != shown_.year || d.month != shown_.month || document_.entries() == nullptr) return;
  QTreeWidgetItem* item = days_->topLevelItem(d.day - 1);
  if (item == nullptr) return;
  const auto entry = document_.entries()->diaryOf(day);
  item->setText(kTextColumn, entry ? qs(diaryPreview((*entry)->visibleMemo())) : QString());
  days_->resizeColumnToContents(kTextColumn);
}

void CDiaryList::rowChosen() {
  if (filling_) return;
  const int row = days_->indexOfTopLevelItem(days_->currentItem());
  if (row < 0) return;
  currentDay_ = dayFromYmd(shown_.year, shown_.month, row + 1);
  emit daySelected(currentDay_);
}

// The buttons step calendar months; the current day stays where it is.
void CDiaryList::stepMonth(int direction) {
  fillMonth(stepDiaryMonth(shown_, direction));
}

// Up and Down step the current day, also across the month's ends; Shift+Enter edits it. The
// list claims these keys before any shortcut of the main window can take them.
bool CDiaryList::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != days_ || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)) {
    return QDialog::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  const bool edit = enter && (key->modifiers() & Qt::ShiftModifier);
  // Arrow keys may come with the keypad's flag; they mean the same.
  const bool step = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
                    (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down);
  if (!edit && !step) return QDialog::eventFilter(watched, event);
  if (type == QEvent::ShortcutOverride) {
    key->accept();
    return true;
  }
  if (edit) {
    emit editRequested(currentDay_);
  } else {
    showDay(addDays(currentDay_, key->key() == Qt::Key_Up ? -1 : 1));
  }
  return true;
}

void CDiaryList::done(int result) {
  emit closing();
  QDialog::done(result);
}

}  // namespace sorami
