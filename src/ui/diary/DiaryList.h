#pragma once
// The diary list (dialog 214): one row per day of a month with the beginning of its diary text,
// the month buttons, the search and the start-up setting. It shows the ledger of the open
// document and tells the diary windows which day it moved to and what the user asked for.

#include <QDialog>
#include <optional>

#include "rules/Calendar.h"

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace sorami {

class CHoliday;
class CSoramiDoc;

inline constexpr int IDD_DIARY_LIST = 214;
inline constexpr int IDC_DIARY_DAYS = 578;
inline constexpr int IDC_DIARY_PREV_MONTH = 579;
inline constexpr int IDC_DIARY_THIS_MONTH = 719;
inline constexpr int IDC_DIARY_NEXT_MONTH = 580;
inline constexpr int IDC_DIARY_MONTH = 581;
inline constexpr int IDC_DIARY_SEARCH = 926;
inline constexpr int IDC_DIARY_AT_START = 695;

class CDiaryList : public QDialog {
  Q_OBJECT

 public:
  CDiaryList(CSoramiDoc& document, const CHoliday& holidays, QWidget* parent = nullptr);

  // Grey instead of red on a display without colours.
  void setMonochrome(bool on);
  // Shows the day: its month (refilled when it is another one, or when asked), its row selected
  // and six rows above it at the top. Then tells daySelected.
  void showDay(Day day, bool refill = false);
  // The day's row shows its text again (after it was stored).
  void refreshDay(Day day);
  // Refills the shown month, for a new ledger.
  void refill();

  Day currentDay() const { return currentDay_; }
  YearMonth shownMonth() const { return shown_; }
  QTreeWidget* days() const { return days_; }
  QString monthLabel() const;
  // The text of a row as the list draws it: the day label, then the preview.
  QString rowText(int row) const;
  bool rowIsRed(int row) const;

 signals:
  // The current day moved to `day`.
  void daySelected(Day day);
  // Double click, Shift+Enter or the list's 32790 on the current day.
  void editRequested(Day day);
  void searchRequested();
  // The list closes (Algorithm of closing: the editor's text is kept first).
  void closing();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

 private:
  void fillMonth(YearMonth month);
  void stepMonth(int direction);
  void selectRow(int row);
  void rowChosen();
  void fillRow(int row, Day day);

  CSoramiDoc& document_;
  const CHoliday& holidays_;
  QLabel* month_;
  QTreeWidget* days_;
  QCheckBox* atStart_;
  YearMonth shown_{};
  Day currentDay_ = MinDay;
  bool monochrome_ = false;
  bool filling_ = false;
};

}  // namespace sorami
