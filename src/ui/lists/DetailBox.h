#pragma once
// The detail list on the right of the main view: the selected item's ledger lines, an item's
// accounts or loans with their transfers and balances, or the cash book. It keeps its header
// and total windows current and shows the totals of a selection as the selection changes.
//
// Use: construct with the two CStaticWnd windows, then setSource() with the store, the
// display mode, the selected item and the shown span whenever one of them changes, and
// refresh() after the ledger changed.

#include <QAbstractScrollArea>
#include <vector>

#include "lists/DetailLines.h"

namespace sorami {

class CConfig;
class CStaticWnd;
class DisplayColors;

class CDetailBox : public QAbstractScrollArea {
  Q_OBJECT

 public:
  CDetailBox(CStaticWnd* header, CStaticWnd* total, QWidget* parent = nullptr);

  // Builds the list for the item (none: an empty list; ignored in the cash book) in the mode
  // and span given. The config gives the columns, decimal places and rest days.
  void setSource(CHinmeiList* store, const CConfig& config, DisplayMode mode, const CHinmei* item,
                 Day first, Day last, const HolidayCalendar* holidays = nullptr);
  void setSource(const DetailSource& source);
  // Builds the list again from the same source; keeps the top line where it can.
  void refresh();
  // Another item, same mode and span.
  void fillForItem(const CHinmei* item);
  // Adds one new entry of the store (see DetailLines::append) and selects only it.
  int appendEntry(CHinmeiList::Position entry);
  // Rewrites the total line for the current selection.
  void updateTotals();

  const DetailLines& lines() const { return lines_; }
  int count() const { return lines_.size(); }
  int64_t closingBalance(int line = -1) const { return lines_.closingBalance(line); }

  // Shows the first line of the day at the top; with `select` the cursor goes to the day's
  // last line and only that line is selected. Returns the first line of the day.
  int moveToDay(Day day, bool select);
  int topLine() const;
  void setTopLine(int line);

  int cursorLine() const { return cursor_; }
  // Moves the cursor by one line up or down, wrapping at both ends; it selects only the new
  // line, or with `extend` adds it to the selection.
  void moveCursorLine(int step, bool extend);
  std::vector<int> selectedLines() const;
  bool isSelected(int line) const;
  void selectOnly(int line);
  void setSelected(int line, bool on);
  void clearSelection();
  // The amount the selection stands for (the consumption-tax command uses it).
  int64_t selectedAmount() const { return selectedAmount_; }

  // The column of the last double click: HitName, HitAmount or HitMemo.
  int hitColumn() const { return hitColumn_; }

  void setColors(const DisplayColors* colors);
  int lineHeight() const;
  TextMeasure measure() const;
  // The rectangle of a line in the viewport.
  QRect lineRect(int line) const;

 signals:
  // The selection changed; the total line already shows it.
  void selectionChanged(qint64 selectedAmount);
  // A line was double-clicked (or Enter pressed on it); the view opens its change dialog.
  void lineActivated(int line, int hitColumn);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void rebuild();
  void updateScrollBars();
  // The header and total keep their columns above and below the list's.
  void syncScrollOffsets();
  void selectionEdited();
  void repaintLine(int line);
  void setCursor(int line);
  void ensureVisible(int line);
  int lineAt(int y) const;
  void selectRange(int from, int to);
  int pageLines() const;
  int contentLeft() const;
  void moveTo(int line, Qt::KeyboardModifiers modifiers);

  CStaticWnd* header_;
  CStaticWnd* total_;
  DetailLines lines_;
  DetailSource source_;
  const DisplayColors* colors_ = nullptr;
  std::vector<char> selected_;
  int cursor_ = -1;
  int anchor_ = -1;
  int hitColumn_ = HitName;
  int extent_ = 0;
  int64_t selectedAmount_ = 0;
};

}  // namespace sorami
