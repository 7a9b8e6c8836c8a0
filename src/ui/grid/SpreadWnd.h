#pragma once
// CSpreadWnd: the table window under the budget table, the annual summary and the list of
// automatic-entry rules. The grid holds no data. A table derives from it and answers a few
// questions — how many columns and rows, what a cell says, how wide a column is by default — and
// the grid draws, scrolls, selects, copies, edits a cell when the table allows it, and keeps the
// column widths in the device settings.
//
// Cells. Row 0 is the header row and column 0 the header column; dimensions() counts the
// columns and rows after them, so the cells run from (0, 0) to (rows, columns). The header row
// and column stay where they are while the rest scrolls. Every cell text begins with a
// three-letter cell code (CellCode.h): "rCN1,234" is 1,234 right-aligned, "CCB合 計" a bold
// centred total; "CCN" alone is an empty cell.
//
// Filling a table:
//   class CRuleGrid : public CSpreadWnd {
//     GridSize dimensions() const override { return {10, ruleCount()}; }
//     QString cellText(int row, int column, bool plain) const override;
//     int defaultColumnWidth(int column) const override { return kChars[column] * charWidth(); }
//   };
//   grid->setProfileSection("AutoSpread"); grid->setAppSettings(&settings);
// and refresh() whenever the data behind the table changed (updateRow() for one row). Widths
// are read from the section when the grid is first laid out and written back when it is
// hidden or destroyed.
//
// Reacting: currentCellChanged() follows the selection; cellActivated() is a double click or
// Enter on a cell that cannot be edited (the rule list opens its rule); cellChanged() follows
// an accepted edit (the budget dialog recomputes its summary lines); contextMenuRequested()
// carries the cell under the pointer, already selected; visibleAreaChanged() tells widgets
// placed beside the rows (the budget check boxes) to follow a scroll, resize or refresh.
//
// Editing: a cell for which isCellEditable() holds opens an editor on a double click, Enter,
// F2 or a typed character. The editor starts from the plain form of the cell
// (cellText(row, column, true) less its code). Enter or leaving the cell hands the typed text
// to commitCellText(); the table checks and stores it and answers whether it took it. Refused
// on Enter, the editor stays open with the text for the user to correct (the table has said
// why); refused when the focus went elsewhere, the cell keeps its old value. Escape cancels.

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <optional>
#include <vector>

class QLineEdit;

namespace sorami {

class AppSettings;

struct GridSize {
  int columns = 0;  // after the header column
  int rows = 0;     // after the header row
  bool operator==(const GridSize&) const = default;
};

struct GridCell {
  int row = -1;
  int column = -1;
  bool operator==(const GridCell&) const = default;
};

// A rectangle of cells, both corners included.
struct GridRange {
  int top = 0;
  int left = 0;
  int bottom = -1;
  int right = -1;
  bool contains(int row, int column) const {
    return row >= top && row <= bottom && column >= left && column <= right;
  }
  bool operator==(const GridRange&) const = default;
};

// The colours a table can change through roleColor().
enum SpreadRole : int {
  SR_NONE = 0,
  SR_HEADER_ROW = 1,     // background of the header row (button face)
  SR_HEADER_COLUMN = 2,  // background of the header column (button face)
  SR_CELL = 3,           // background of the other cells (window)
  SR_CELL_TEXT = 4,      // normal text of the other cells (window text)
  SR_HEADER_TEXT = 5,    // normal text of the header row and column (window text)
  SR_MARGIN = 6,         // around and beyond the table (button face)
  SR_GRID_LINE = 7,      // lines between the cells (window text)
  SR_OUTLINE = 8,        // the line that closes off the headers (window text)
  SR_RESERVED = 9,       // (window text)
  SR_SELECTION = 10,     // frame of the selection (highlight)
};

class CSpreadWnd : public QAbstractScrollArea {
  Q_OBJECT

 public:
  enum class Selection { Cells, Rows, None };

  static constexpr int LeftMargin = 12;
  static constexpr int TopMargin = 11;
  // Widths from the settings are kept within these, so a damaged value neither hides a column
  // nor pushes the rest out of reach.
  static constexpr int MinColumnWidth = 8;
  static constexpr int MaxColumnWidth = 2000;
  // A table that reports more columns than this is shown with this many.
  static constexpr int MaxColumns = 1000;

  explicit CSpreadWnd(QWidget* parent = nullptr);
  ~CSpreadWnd() override;

  // ---- the questions a table answers ----
  // Columns and rows after the header column and row; the base answers 2 and 5.
  virtual GridSize dimensions() const;
  // The text of a cell, code first; `plain` asks for the form that is edited and copied
  // (amounts without separators). The base says "CCW[R%d/C%d]" with row and column.
  virtual QString cellText(int row, int column, bool plain) const;
  // In pixels; the base gives defaultWidth() to every column.
  virtual int defaultColumnWidth(int column) const;
  // See SpreadRole; roles outside it are black.
  virtual QColor roleColor(int role) const;
  // The base lets nothing be edited.
  virtual bool isCellEditable(int row, int column) const;
  // Takes a typed text (no code) for a cell; true when it was stored. The base refuses.
  virtual bool commitCellText(int row, int column, const QString& text);

  // ---- column widths and the settings ----
  // The section of the device settings where the widths live; "spread" unless a table sets its own.
  const QString& profileSection() const { return section_; }
  void setProfileSection(const QString& section);
  // Without settings nothing is read or written. Setting them reads the widths again.
  void setAppSettings(AppSettings* settings);
  // Every column from the settings, or its default when the value is missing.
  void loadColumnWidths();
  // Every column's current width into the settings.
  void saveColumnWidths() const;
  int columnWidth(int column) const;
  void setColumnWidth(int column, int pixels);
  int defaultWidth() const { return defaultWidth_; }
  void setDefaultWidth(int pixels);
  // The width of one half-width character of the font; tables give widths in characters.
  int charWidth() const;
  int rowHeight() const;

  // ---- contents ----
  // Asks the table again for its size, keeps the widths of the columns that remain, and repaints.
  void refresh();
  void updateCell(int row, int column);
  void updateRow(int row);
  // The size last reported by the table.
  GridSize gridSize() const;

  // ---- selection ----
  // Cells (the default): a cell or a rectangle of cells. Rows: whole rows below the header, one
  // at a time. None: nothing is selected.
  Selection selectionMode() const { return mode_; }
  void setSelectionMode(Selection mode);
  // The cell the keys move from; none (-1, -1) while no selection is shown.
  GridCell currentCell() const { return shown_ ? current_ : GridCell{}; }
  bool hasSelection() const { return shown_; }
  // Selects the cell (kept within the table) and brings it into view; with `extend` the
  // selection stretches from its anchor to it.
  void setCurrentCell(int row, int column, bool extend = false);
  void clearSelection();
  void selectAll();
  // What is selected; in row mode the whole width of the row. Empty when nothing is shown.
  std::optional<GridRange> selectedRange() const;

  // The plain texts of the selection (the whole table when nothing is selected): cells
  // separated by tabs, rows by line ends.
  QString selectionText() const;
  // Puts selectionText() on the clipboard; false when there was no clipboard to take it.
  bool copy();

  // ---- editing ----
  // Opens the editor on the cell when the table lets it be edited.
  bool editCell(int row, int column, const QString& typed = QString());
  bool isEditing() const { return editing_.row >= 0; }
  GridCell editedCell() const { return editing_; }
  QLineEdit* editor() const { return editor_; }
  // Enter (accept) or Escape. Returns false when the table refused the text.
  bool finishEdit(bool accept);

  // ---- geometry (viewport coordinates) ----
  // Where the cell is drawn now; it may lie outside the viewport or under the fixed headers.
  QRect cellRect(int row, int column) const;
  // The cell under a point, or none outside the table.
  std::optional<GridCell> cellAt(QPoint pos) const;
  // The column whose right edge is under a point of the header row, or -1.
  int resizeEdgeAt(QPoint pos) const;
  // The first row below the header that is in view, and how many are in view, the last
  // perhaps in part.
  int firstVisibleRow() const;
  int visibleRowCount() const;
  void scrollToCell(int row, int column);

 signals:
  void currentCellChanged(int row, int column);
  void cellActivated(int row, int column);
  void cellChanged(int row, int column);
  void contextMenuRequested(int row, int column, const QPoint& globalPos);
  void columnResized(int column, int pixels);
  void visibleAreaChanged();
  // After refresh(): the owner redraws what it shows beside the grid.
  void refreshed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The layout is made on first use, once the derived table can answer.
  void ensureLayout() const;
  void takeSize(GridSize size) const;
  int storedOrDefaultWidth(int column) const;
  void updateScrollBars();
  int headerWidth() const;  // of column 0
  int columnLeft(int column) const;
  int rowTop(int row) const;
  int columnAtX(int x) const;
  int rowAtY(int y) const;
  QRect bodyArea() const;
  int firstRow() const;  // 1 in row mode: the header row is not a row of the table
  void moveBy(int rows, int columns, bool extend);
  void drawCell(QPainter& painter, int row, int column, const QRect& rect) const;
  void drawSelection(QPainter& painter) const;
  void placeEditor();
  void repaintSelection(const std::optional<GridRange>& before);

  QString section_ = QStringLiteral("spread");
  AppSettings* settings_ = nullptr;
  int defaultWidth_ = 64;
  Selection mode_ = Selection::Cells;

  // Laid out on first use (see ensureLayout).
  mutable bool laidOut_ = false;
  mutable GridSize size_;
  mutable std::vector<int> widths_;  // one per column, 0 to size_.columns
  mutable std::vector<int> edges_;   // right edges from the table's left, one per column

  GridCell current_{1, 1};
  GridCell anchor_{1, 1};
  bool shown_ = false;

  GridCell editing_;
  QLineEdit* editor_ = nullptr;
  bool committing_ = false;

  int resizing_ = -1;  // the column being resized by the pointer
  int resizeStartX_ = 0;
  int resizeStartWidth_ = 0;
  bool dragSelecting_ = false;
};

}  // namespace sorami
