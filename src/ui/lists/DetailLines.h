#pragma once
// What the detail list shows, without painting: which ledger lines it holds for the selected
// item or the cash book, their running balances and totals, the coded header and total lines,
// and where every text of a line goes. Positions are in pixels from the line's left edge,
// measured through a TextMeasure so that tests can count character cells instead of pixels.

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "ledger/HinmeiList.h"
#include "lists/DetailGeometry.h"

namespace sorami {

class HolidayCalendar;

// Widths of texts in the list font. `unit` is the width of the digit "1", which in the list
// font is one half-width cell.
struct TextMeasure {
  int unit = 1;
  std::function<int(const QString&)> width;

  // Counts cells: one for a half-width character, two for any other.
  static TextMeasure cells(int unit = 1);
  int of(const QString& text) const { return width ? width(text) : unit * cellCount(text); }
  static int cellCount(const QString& text);
};

enum class CellColor { Normal, Red, Navy, Highlight, Style2Text, Style2BlueInverted };

// One text of a line: left-aligned at x, or ending at x when right-aligned; cut at clipRight
// when that is set.
struct LineCell {
  QString text;
  int x = 0;
  bool alignRight = false;
  CellColor color = CellColor::Normal;
  int clipRight = -1;

  int left(const TextMeasure& m) const { return alignRight ? x - m.of(text) : x; }
};

enum class DetailKind { Ordinary, Savings, Loan, CashBook };

// Where the list's lines come from. `item` is the selected item's definition (none in the cash
// book); first and last are the shown span.
struct DetailSource {
  CHinmeiList* store = nullptr;
  const CHinmei* item = nullptr;
  DisplayMode mode = DisplayMode::DayInput;
  Day first = MinDay;
  Day last = MaxDay;
  DetailGeometry geometry;
  int decimalPlaces = 0;
  int weeklyRestDays = 0;                     // bit n: weekday n (0 Sunday) is a rest day
  const HolidayCalendar* holidays = nullptr;  // none: no public holidays
};

// A line: the entry it shows (for an account without lines in the span, its definition) and
// the balance after it.
struct DetailRow {
  CHinmeiList::Position entry;
  int64_t balance = 0;
  bool hasBalance = true;
};

// Columns of a double click: product name, amount, memo.
inline constexpr int HitName = 1;
inline constexpr int HitAmount = 2;
inline constexpr int HitMemo = 3;

class DetailLines {
 public:
  // Builds header, lines and totals for the source's mode and item.
  void fill(const DetailSource& source);
  void clear();

  DetailKind kind() const { return kind_; }
  const DetailSource& source() const { return source_; }
  int size() const { return static_cast<int>(rows_.size()); }
  bool empty() const { return rows_.empty(); }
  const DetailRow& row(int index) const { return rows_.at(static_cast<size_t>(index)); }
  const CHinmei& entry(int index) const { return *row(index).entry; }
  bool isDefinitionLine(int index) const { return entry(index).isDefinition(); }

  // Adds one entry the way the fill does; an entry dated before the last line goes into date
  // order instead. Returns the index of the new line.
  int append(CHinmeiList::Position entry);

  int64_t firstTotal() const { return firstTotal_; }
  int64_t secondTotal() const { return secondTotal_; }
  int64_t accountTotal() const { return accountTotal_; }
  int64_t runningBalance() const { return running_; }
  // The balance after a line (-1: the last one); the running balance when the list is empty.
  int64_t closingBalance(int index = -1) const;

  QString headerText() const;
  QString totalText() const;
  // The total line for a selection (indices in list order) and the amount the view remembers
  // for it. With fewer than two lines the ordinary total line.
  QString selectionText(const std::vector<int>& selected, int64_t* selectedAmount) const;

  // The first line on or after the day (the last line when none; -1 for an empty list).
  int firstLineFrom(Day day) const;
  // The last line of the day: the line before the first one after it (0 when that is line 0).
  int lastLineOf(Day day) const;

  // The texts of a line and where they go.
  std::vector<LineCell> cells(int index, const TextMeasure& m) const;
  // How wide the content of a line is, so that its memo can be scrolled into view.
  int extent(int index, const TextMeasure& m) const;
  // Which column a double click at x (content pixels) hit.
  int hitColumn(int x, const TextMeasure& m) const;

 private:
  bool summary() const { return source_.mode == DisplayMode::Summary; }
  int dateColumns() const { return summary() ? 9 : 0; }
  QString padding() const;
  QString money(int64_t value) const;
  bool countsForTotals(const CHinmei& e) const;
  // The amounts of a savings or loan line in its first and second column.
  std::pair<int64_t, int64_t> accountColumns(const CHinmei& e) const;
  void fillOrdinary();
  void fillAccounts(uint16_t kind);
  void fillCashBook();
  int64_t balanceAtStart(const CAccount& account, const CHinmei& definition) const;
  int64_t openingCash() const;
  void addLine(CHinmeiList::Position entry);
  void applyToRunning(const CHinmei& e);
  int insertInDateOrder(CHinmeiList::Position entry);
  void ordinaryCells(int index, const TextMeasure& m, std::vector<LineCell>& out) const;
  void accountCells(int index, const TextMeasure& m, std::vector<LineCell>& out) const;
  void cashBookCells(int index, const TextMeasure& m, std::vector<LineCell>& out) const;
  bool isHoliday(Day day) const;

  DetailSource source_;
  DetailKind kind_ = DetailKind::Ordinary;
  std::vector<DetailRow> rows_;
  Day lastDay_ = MinDay;
  int64_t running_ = 0;
  bool noBalance_ = false;
  int64_t opening_ = 0;
  int64_t firstTotal_ = 0;
  int64_t secondTotal_ = 0;
  int64_t accountTotal_ = 0;
};

// The product name is cut at the first amount, and never runs more than 20 cells.
inline constexpr int NameClipCells = 20;

}  // namespace sorami
