#pragma once
// The calendar window (dialog 224): a month as a grid of days with today, holidays, rest days
// and the main view's current day marked; a click on a day moves the main view there.

#include <QDialog>
#include <QWidget>
#include <functional>
#include <optional>

#include "rules/Calendar.h"

namespace sorami {

class CHoliday;

inline constexpr int IDD_CALENDAR = 224;

// The grid has a header row and six week rows of seven days.
inline constexpr int kCalendarColumns = 7;
inline constexpr int kCalendarRows = 7;

// The day of the month under a point of a grid of `width` by `height` pixels; nothing on the
// header row, on an empty cell, beyond the seventh column or the last week row, or when the
// grid is too small for a cell.
std::optional<Day> calendarDayAt(YearMonth month, int x, int y, int width, int height);

// What the calendar draws besides the month: read at every paint, so the marks stay true.
struct CalendarMarks {
  std::function<Day()> today;
  std::function<Day()> currentDay;
  std::function<unsigned()> restDays;
  bool monochrome = false;
};

class CCalendarGrid : public QWidget {
  Q_OBJECT

 public:
  CCalendarGrid(const CHoliday& holidays, CalendarMarks marks, QWidget* parent = nullptr);
  void setMonth(YearMonth month);
  YearMonth month() const { return month_; }
  void setMonochrome(bool on);

 signals:
  void dayClicked(Day day, bool closeAfter);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const CHoliday& holidays_;
  CalendarMarks marks_;
  YearMonth month_{2000, 1};
};

class CCalendarWnd : public QDialog {
  Q_OBJECT

 public:
  CCalendarWnd(const CHoliday& holidays, CalendarMarks marks, QWidget* parent = nullptr);
  // Shows the month of the day.
  void showMonthOf(Day day);
  CCalendarGrid* grid() const { return grid_; }

 signals:
  void dayClicked(Day day, bool closeAfter);

 private:
  void setMonth(YearMonth month);

  CCalendarGrid* grid_;
  std::function<Day()> today_;
};

}  // namespace sorami
