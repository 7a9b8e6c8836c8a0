#include "diary/CalendarWnd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/Diary.h"
#include "rules/Holidays.h"

namespace sorami {

namespace {

const QColor kBackground(255, 252, 232);
const QColor kMonochromeBackground(255, 255, 255);
const QColor kTodayFill(190, 225, 255);
const QColor kMonochromeTodayFill(208, 208, 208);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kBlue(0, 0, 255);

int firstWeekday(YearMonth month) {
  return weekdayOf(dayFromYmd(month.year, month.month, 1));
}

bool weeklyRest(unsigned restDays, int weekday) {
  return ((restDays >> weekday) & 1U) != 0;
}

}  // namespace

std::optional<Day> calendarDayAt(YearMonth month, int x, int y, int width, int height) {
  const int w = width / kCalendarColumns;
  const int h = height / kCalendarRows;
  if (w <= 0 || h <= 0 || x < 0 || y < 0) return std::nullopt;
  const int column = x / w;
  const int row = y / h;
  if (column >= kCalendarColumns || row < 1 || row >= kCalendarRows) return std::nullopt;
  const int index = (row - 1) * kCalendarColumns + column - firstWeekday(month);
  if (index < 0 || index >= daysInMonth(month.year, month.month)) return std::nullopt;
  return dayFromYmd(month.year, month.month, index + 1);
}

CCalendarGrid::CCalendarGrid(const CHoliday& holidays, CalendarMarks marks, QWidget* parent)
    : QWidget(parent), holidays_(holidays), marks_(std::move(marks)) {
  setMinimumSize(fontMetrics().averageCharWidth() * 4 * kCalendarColumns,
                 fontMetrics().height() * 3 / 2 * kCalendarRows);
}

void CCalendarGrid::setMonth(YearMonth month) {
  month_ = month;
  update();
}

void CCalendarGrid::setMonochrome(bool on) {
  marks_.monochrome = on;
  update();
}

void CCalendarGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const QColor red = marks_.monochrome ? kGrey : kRed;
  p.fillRect(rect(), marks_.monochrome ? kMonochromeBackground : kBackground);
  const int w = width() / kCalendarColumns;
  const int h = height() / kCalendarRows;
  if (w <= 0 || h <= 0) return;
  const unsigned restDays = marks_.restDays ? marks_.restDays() : 0;
  // Today is taken at every paint, so the mark moves on at midnight.
  const Day today = marks_.today ? marks_.today() : InvalidDay;
  const Day current = marks_.currentDay ? marks_.currentDay() : InvalidDay;
  const QString heads = QStringLiteral("日月火水木金土");
  for (int c = 0; c < kCalendarColumns; ++c) {
    p.setPen(weeklyRest(restDays, c) ? red : palette().color(QPalette::WindowText));
    p.drawText(QRect(c * w, 0, w, h), Qt::AlignCenter, heads.mid(c, 1));
  }
  const int first = firstWeekday(month_);
  const int length = daysInMonth(month_.year, month_.month);
  for (int i = 0; i < length; ++i) {
    const Day day = dayFromYmd(month_.year, month_.month, i + 1);
    const int column = (first + i) % kCalendarColumns;
    const int row = 1 + (first + i) / kCalendarColumns;
    const QRect cell(column * w, row * h, w, h);
    const bool holiday = holidays_.kindOfDay(day) != HK_NONE;
    if (day == today) {
      p.fillRect(cell.adjusted(2, 2, -2, -2),
                 marks_.monochrome ? kMonochromeTodayFill : kTodayFill);
    }
    p.setBrush(Qt::NoBrush);
    if (holiday) {
      p.setPen(red);
      p.drawRect(cell.adjusted(1, 1, -2, -2));
    }
    if (day == current) {
      p.setPen(Qt::black);
      p.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    p.setPen(holiday || weeklyRest(restDays, column) ? red : palette().color(QPalette::WindowText));
    p.drawText(cell, Qt::AlignCenter, QString::number(i + 1));
    if (!holidays_.nameOfDay(day).empty()) {
      p.setPen(kBlue);
      p.drawRect(cell.adjusted(-2, 0, 1, -1));
    }
  }
}

void CCalendarGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const std::optional<Day> day = calendarDayAt(month_, at.x(), at.y(), width(), height());
  if (day) emit dayClicked(*day, (event->modifiers() & Qt::AltModifier) != 0);
}

CCalendarWnd::CCalendarWnd(const CHoliday& holidays, CalendarMarks marks, QWidget* parent)
    : QDialog(parent), today_(marks.today) {
  setObjectName(QString::number(IDD_CALENDAR));
  setModal(false);
  grid_ = new CCalendarGrid(holidays, std::move(marks));
  connect(grid_, &CCalendarGrid::dayClicked, this, &CCalendarWnd::dayClicked);

  auto* prev = new QPushButton(QStringLiteral("前月(&Z)"));
  auto* thisMonth = new QPushButton(QStringLiteral("今月(&T)"));
  auto* next = new QPushButton(QStringLiteral("翌月(&X)"));
  auto* close = new QPushButton(QStringLiteral("閉じる"));
  for (QPushButton* b : {prev, thisMonth, next, close}) b->setAutoDefault(false);
  connect(prev, &QPushButton::clicked, this,
          [this] { setMonth(stepDiaryMonth(grid_->month(), -1)); });
  connect(next, &QPushButton::clicked, this,
          [this] { setMonth(stepDiaryMonth(grid_->month(), 1)); });
  connect(thisMonth, &QPushButton::clicked, this, [this] {
    if (today_) showMonthOf(today_());
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {prev, thisMonth, next, close}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addWidget(new QLabel(QStringLiteral("日付をｸﾘｯｸして日の移動可能です")));
  layout->addLayout(buttons);
}

void CCalendarWnd::showMonthOf(Day day) {
  const Ymd d = ymdFromDay(clampToUserDays(day));
  setMonth({d.year, d.month});
}

void CCalendarWnd::setMonth(YearMonth month) {
  grid_->setMonth(month);
  setWindowTitle(QStringLiteral("%1年 %2月").arg(month.year).arg(month.month));
}

}  // namespace sorami
