#include "grid/SpreadWnd.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <map>
#include <set>

#include "grid/CellCode.h"
#include "main/ViewFont.h"
#include "platform/AppSettings.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

// A table of amounts like the budget table: row labels in the header column, amounts with
// separators when shown and plain when edited or copied, and column 1 editable.
class AmountTable : public CSpreadWnd {
 public:
  AmountTable(int columns, int rows) : size_{columns, rows} {}

  GridSize dimensions() const override { return size_; }
  QString cellText(int row, int column, bool plain) const override {
    asked.insert(row);
    if (const auto it = texts.find({row, column}); it != texts.end()) return it->second;
    if (row == 0) return QStringLiteral("CCB列%1").arg(column);
    if (column == 0) return QStringLiteral("LCN行%1").arg(row);
    const int amount = amountOf(row, column);
    const QString code = amount < 0 ? QStringLiteral("rCR") : QStringLiteral("rCN");
    return code + (plain ? QString::number(amount) : QLocale(QLocale::English).toString(amount));
  }
  int defaultColumnWidth(int column) const override { return (column == 0 ? 8 : 10) * charWidth(); }
  bool isCellEditable(int row, int column) const override { return row >= 1 && column == 1; }
  bool commitCellText(int row, int column, const QString& text) override {
    bool ok = false;
    const int amount = text.toInt(&ok);
    commits.push_back(text);
    if (!ok) return false;
    edited[{row, column}] = amount;
    return true;
  }

  int amountOf(int row, int column) const {
    if (const auto it = edited.find({row, column}); it != edited.end()) return it->second;
    return (row % 2 ? 1 : -1) * (row * 1000 + column * 11);
  }

  GridSize size_;
  std::map<std::pair<int, int>, QString> texts;
  std::map<std::pair<int, int>, int> edited;
  std::vector<QString> commits;
  mutable std::set<int> asked;
};

struct Grid {
  explicit Grid(int columns = 4, int rows = 6) : grid(columns, rows) {
    grid.setFont(makeViewFont(16));
    grid.resize(560, 240);
    grid.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
  }
  QWidget* vp() { return grid.viewport(); }
  QPoint centre(int row, int column) { return grid.cellRect(row, column).center(); }
  void click(int row, int column, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(vp(), Qt::LeftButton, mods, centre(row, column));
  }
  void key(int k, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(&grid, static_cast<Qt::Key>(k), mods);
  }
  QImage picture() {
    QApplication::processEvents();
    return grid.viewport()->grab().toImage();
  }

  AmountTable grid;
};

// ---- cell codes ----

TEST(CellCode, LettersSetPlacementInsetAndEmphasis) {
  struct Case {
    const char16_t* text;
    Qt::Alignment horizontal;
    Qt::Alignment vertical;
    int inset;
    CellCode::Emphasis emphasis;
    const char16_t* shown;
  };
  const Case cases[] = {
      {u"CCN", Qt::AlignHCenter, Qt::AlignVCenter, 0, CellCode::Normal, u""},
      {u"RBR-5", Qt::AlignRight, Qt::AlignBottom, 0, CellCode::Red, u"-5"},
      {u"rCG1,000", Qt::AlignRight, Qt::AlignVCenter, 3, CellCode::Green, u"1,000"},
      {u"lxB合 計", Qt::AlignLeft, Qt::AlignTop, 3, CellCode::Bold, u"合 計"},
      {u"LCN-食費", Qt::AlignLeft, Qt::AlignVCenter, 0, CellCode::Normal, u"-食費"},
      {u"CCW[R1/C2]", Qt::AlignHCenter, Qt::AlignVCenter, 0, CellCode::Normal, u"[R1/C2]"},
      {u"?? ", Qt::AlignLeft, Qt::AlignTop, 0, CellCode::Normal, u""},
      // Shorter than a code: no code, the text as it stands with the defaults.
      {u"", Qt::AlignLeft, Qt::AlignTop, 0, CellCode::Normal, u""},
      {u"R", Qt::AlignLeft, Qt::AlignTop, 0, CellCode::Normal, u"R"},
      {u"rC", Qt::AlignLeft, Qt::AlignTop, 0, CellCode::Normal, u"rC"},
  };
  for (const Case& c : cases) {
    const QString text = QString::fromUtf16(c.text);
    const CellCode code = parseCellCode(text);
    EXPECT_EQ(code.horizontal, c.horizontal) << text.toStdString();
    EXPECT_EQ(code.vertical, c.vertical) << text.toStdString();
    EXPECT_EQ(code.inset, c.inset) << text.toStdString();
    EXPECT_EQ(code.emphasis, c.emphasis) << text.toStdString();
    EXPECT_EQ(code.text, QString::fromUtf16(c.shown)) << text.toStdString();
    EXPECT_EQ(cellCodeText(text), code.text) << text.toStdString();
  }
  EXPECT_EQ(parseCellCode(QStringLiteral("rCR")).color(Qt::black), QColor(255, 0, 0));
  EXPECT_EQ(parseCellCode(QStringLiteral("rCG")).color(Qt::black), QColor(0, 128, 0));
  EXPECT_EQ(parseCellCode(QStringLiteral("rCB")).color(Qt::blue), QColor(Qt::blue));
}

// ---- drawing ----

// The rightmost and leftmost pixel columns of a cell that differ from its background.
std::pair<int, int> inkSpan(const QImage& image, const QRect& cell) {
  const QRgb background = image.pixel(cell.left() + 2, cell.top() + 2);
  int first = -1;
  int last = -1;
  for (int x = cell.left() + 1; x < cell.right(); ++x) {
    for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
      if (image.pixel(x, y) != background) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

bool hasColor(const QImage& image, const QRect& cell, auto near) {
  for (int x = cell.left() + 1; x < cell.right(); ++x) {
    for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
      if (near(QColor(image.pixel(x, y)))) return true;
    }
  }
  return false;
}

TEST(SpreadWnd, CodesPlaceAndColourTheText) {
  Grid f;
  f.grid.texts[{1, 1}] = QStringLiteral("RCN88");
  f.grid.texts[{2, 1}] = QStringLiteral("rCN88");
  f.grid.texts[{3, 1}] = QStringLiteral("LCN88");
  f.grid.texts[{4, 1}] = QStringLiteral("lCN88");
  f.grid.texts[{1, 2}] = QStringLiteral("rCR88");
  f.grid.texts[{2, 2}] = QStringLiteral("rCG88");
  f.grid.texts[{3, 2}] = QStringLiteral("CCN");
  f.grid.refresh();
  const QImage image = f.picture();
  const auto [rFirst, rRight] = inkSpan(image, f.grid.cellRect(1, 1));
  const auto [r2First, r2Right] = inkSpan(image, f.grid.cellRect(2, 1));
  EXPECT_EQ(rRight - r2Right, 3);  // 'r' keeps 3 pixels more from the right edge
  const auto [lLeft, lLast] = inkSpan(image, f.grid.cellRect(3, 1));
  const auto [l2Left, l2Last] = inkSpan(image, f.grid.cellRect(4, 1));
  EXPECT_EQ(l2Left - lLeft, 3);
  EXPECT_TRUE(hasColor(image, f.grid.cellRect(1, 2),
                       [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }));
  EXPECT_TRUE(hasColor(image, f.grid.cellRect(2, 2), [](QColor c) {
    return c.red() < 60 && c.green() > 100 && c.green() < 160 && c.blue() < 60;
  }));
  // Red or green never leaks into the next cell, and "CCN" alone shows nothing.
  EXPECT_FALSE(hasColor(image, f.grid.cellRect(1, 3),
                        [](QColor c) { return c.red() > 200 && c.green() < 60; }));
  EXPECT_EQ(inkSpan(image, f.grid.cellRect(3, 2)).first, -1);
}

TEST(SpreadWnd, ATextShorterThanItsCodeDrawsWithTheDefaults) {
  Grid f;
  f.grid.texts[{1, 1}] = QString();
  f.grid.texts[{1, 2}] = QStringLiteral("r");
  f.grid.texts[{1, 3}] = QStringLiteral("88");
  f.grid.refresh();
  const QImage image = f.picture();
  EXPECT_EQ(inkSpan(image, f.grid.cellRect(1, 1)).first, -1);
  // Left and top, as it stands: the two characters are there, against the left of the cell.
  const QRect cell = f.grid.cellRect(1, 3);
  const auto [left, right] = inkSpan(image, cell);
  ASSERT_GE(left, 0);
  EXPECT_LE(left - cell.left(), 4);
  EXPECT_EQ(f.grid.selectionText().split(u'\n')[1].split(u'\t')[3], QStringLiteral("88"));
}

TEST(SpreadWnd, AsksOnlyForTheCellsInView) {
  Grid f(10, 200);
  f.picture();
  ASSERT_FALSE(f.grid.asked.empty());
  const int first = f.grid.firstVisibleRow();
  const int last = first + f.grid.visibleRowCount() - 1;
  EXPECT_LT(last, 20);
  for (int row : f.grid.asked) EXPECT_TRUE(row == 0 || (row >= first && row <= last)) << row;
  f.grid.asked.clear();
  f.grid.verticalScrollBar()->setValue(150);
  f.picture();
  EXPECT_EQ(f.grid.firstVisibleRow(), 151);
  EXPECT_EQ(*f.grid.asked.rbegin(), 151 + f.grid.visibleRowCount() - 1);
  EXPECT_FALSE(f.grid.asked.contains(1));
}

// ---- hit testing ----

TEST(SpreadWnd, HitTestingFindsTheCellAndKeepsTheHeadersInPlace) {
  Grid f(10, 40);
  const QRect corner = f.grid.cellRect(0, 0);
  EXPECT_EQ(corner.topLeft(), QPoint(CSpreadWnd::LeftMargin, CSpreadWnd::TopMargin));
  for (const GridCell cell : {GridCell{0, 0}, GridCell{0, 3}, GridCell{2, 0}, GridCell{5, 2}}) {
    const QRect r = f.grid.cellRect(cell.row, cell.column);
    EXPECT_EQ(f.grid.cellAt(r.center()), cell);
    EXPECT_EQ(f.grid.cellAt(r.topLeft()), cell);
    EXPECT_EQ(f.grid.cellAt(r.bottomRight()), cell);
  }
  EXPECT_FALSE(f.grid.cellAt({CSpreadWnd::LeftMargin - 1, 50}));  // the margins
  EXPECT_FALSE(f.grid.cellAt({50, CSpreadWnd::TopMargin - 1}));

  // Scrolled right and down: the header row and column stay, the cells under them change.
  f.grid.horizontalScrollBar()->setValue(f.grid.columnWidth(1) * 2);
  f.grid.verticalScrollBar()->setValue(10);
  const QPoint inBody = f.grid.cellRect(0, 0).bottomRight() + QPoint(5, 5);
  EXPECT_EQ(f.grid.cellAt(inBody), (GridCell{11, 3}));
  EXPECT_EQ(f.grid.cellAt(f.centre(0, 0)), (GridCell{0, 0}));
  EXPECT_EQ(f.grid.cellAt({inBody.x(), CSpreadWnd::TopMargin + 2}), (GridCell{0, 3}));
  EXPECT_EQ(f.grid.cellAt({CSpreadWnd::LeftMargin + 2, inBody.y()}), (GridCell{11, 0}));
  // Beyond the last row and column.
  Grid small(2, 2);
  const QRect last = small.grid.cellRect(2, 2);
  EXPECT_FALSE(small.grid.cellAt(last.bottomRight() + QPoint(0, 1)));
  EXPECT_FALSE(small.grid.cellAt(last.bottomRight() + QPoint(1, 0)));
}

TEST(SpreadWnd, ClicksSelectAndTheContextMenuGetsTheCell) {
  Grid f;
  QSignalSpy current(&f.grid, &CSpreadWnd::currentCellChanged);
  QSignalSpy menu(&f.grid, &CSpreadWnd::contextMenuRequested);
  f.click(2, 3);
  EXPECT_EQ(f.grid.currentCell(), (GridCell{2, 3}));
  ASSERT_EQ(current.size(), 1);
  f.click(4, 1, Qt::ShiftModifier);
  EXPECT_EQ(f.grid.selectedRange(), (GridRange{2, 1, 4, 3}));
  // A right click inside the selection keeps it; outside, it selects what it hit.
  QTest::mousePress(f.vp(), Qt::RightButton, {}, f.centre(3, 2));
  EXPECT_EQ(f.grid.selectedRange(), (GridRange{2, 1, 4, 3}));
  QTest::mousePress(f.vp(), Qt::RightButton, {}, f.centre(5, 4));
  QContextMenuEvent event(QContextMenuEvent::Mouse, f.centre(5, 4),
                          f.vp()->mapToGlobal(f.centre(5, 4)));
  QApplication::sendEvent(f.vp(), &event);
  EXPECT_EQ(f.grid.currentCell(), (GridCell{5, 4}));
  ASSERT_EQ(menu.size(), 1);
  EXPECT_EQ(menu[0][0].toInt(), 5);
  EXPECT_EQ(menu[0][1].toInt(), 4);
}

TEST(SpreadWnd, RowModeSelectsWholeRowsBelowTheHeader) {
  Grid f(10, 3);
  f.grid.setSelectionMode(CSpreadWnd::Selection::Rows);
  QSignalSpy activated(&f.grid, &CSpreadWnd::cellActivated);
  f.click(0, 2);  // the header row is no rule
  EXPECT_FALSE(f.grid.hasSelection());
  f.key(Qt::Key_Down);
  EXPECT_EQ(f.grid.currentCell().row, 1);
  f.key(Qt::Key_Up);
  EXPECT_EQ(f.grid.currentCell().row, 1);
  f.click(2, 4);
  EXPECT_EQ(f.grid.selectedRange(), (GridRange{2, 0, 2, 10}));
  QTest::mouseDClick(f.vp(), Qt::LeftButton, {}, f.centre(3, 5));
  ASSERT_EQ(activated.size(), 1);
  EXPECT_EQ(activated[0][0].toInt(), 3);
  f.key(Qt::Key_Return);
  EXPECT_EQ(activated.size(), 2);
  // Fewer rows: the selection follows, and goes with the last one.
  f.grid.size_.rows = 1;
  f.grid.refresh();
  EXPECT_EQ(f.grid.currentCell().row, 1);
  f.grid.size_.rows = 0;
  f.grid.refresh();
  EXPECT_FALSE(f.grid.hasSelection());
}

// ---- keys ----

TEST(SpreadWnd, KeysMoveTheSelectionWithinTheTable) {
  Grid f(10, 40);
  QSignalSpy current(&f.grid, &CSpreadWnd::currentCellChanged);
  f.key(Qt::Key_Right);  // the first key selects the first cell of the body
  EXPECT_EQ(f.grid.currentCell(), (GridCell{1, 1}));
  struct Step {
    int key;
    Qt::KeyboardModifiers mods;
    GridCell expected;
  };
  const Step steps[] = {
      {Qt::Key_Right, {}, {1, 2}},
      {Qt::Key_Down, {}, {2, 2}},
      {Qt::Key_Home, {}, {2, 0}},
      {Qt::Key_Left, {}, {2, 0}},  // stays at the edge
      {Qt::Key_End, {}, {2, 10}},
      {Qt::Key_Right, {}, {2, 10}},
      {Qt::Key_End, Qt::ControlModifier, {40, 10}},
      {Qt::Key_Down, {}, {40, 10}},
      {Qt::Key_Home, Qt::ControlModifier, {0, 0}},
      {Qt::Key_Up, {}, {0, 0}},
  };
  for (const Step& s : steps) {
    f.key(s.key, s.mods);
    EXPECT_EQ(f.grid.currentCell(), s.expected) << s.key;
  }
  // A page down moves by the rows in view and keeps the cell in sight.
  f.grid.setCurrentCell(1, 1);
  f.key(Qt::Key_PageDown);
  const int row = f.grid.currentCell().row;
  EXPECT_GT(row, 3);
  const QRect r = f.grid.cellRect(row, 1);
  EXPECT_TRUE(f.vp()->rect().contains(r.bottomLeft())) << row;
  f.key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_TRUE(f.vp()->rect().contains(f.grid.cellRect(40, 10).bottomRight()));
  EXPECT_EQ(current.size(), 10);  // every move, none for a key that stays at an edge
}

// ---- copy ----

TEST(SpreadWnd, CopyTakesThePlainTextsOfTheSelection) {
  Grid f;
  QGuiApplication::clipboard()->clear();
  f.click(1, 0);
  f.key(Qt::Key_Right, Qt::ShiftModifier);
  f.key(Qt::Key_Right, Qt::ShiftModifier);
  f.key(Qt::Key_Down, Qt::ShiftModifier);
  f.key(Qt::Key_C, Qt::ControlModifier);
  // Codes left off, amounts without separators, cells by tabs and rows by line ends.
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("行1\t1011\t1022\n行2\t-2011\t-2022"));

  // A drag from the header row selects too; a tab inside a cell does not split it.
  f.grid.texts[{0, 2}] = QStringLiteral("CCB予\t算");
  QTest::mousePress(f.vp(), Qt::LeftButton, {}, f.centre(0, 2));
  QTest::mouseMove(f.vp(), f.centre(1, 3));
  QTest::mouseRelease(f.vp(), Qt::LeftButton, {}, f.centre(1, 3));
  EXPECT_EQ(f.grid.selectionText(), QStringLiteral("予 算\t列3\n1022\t1033"));

  // Nothing selected: the whole table; Ctrl+A the same.
  f.grid.clearSelection();
  const QStringList rows = f.grid.selectionText().split(u'\n');
  ASSERT_EQ(rows.size(), 7);
  EXPECT_EQ(rows[0], QStringLiteral("列0\t列1\t予 算\t列3\t列4"));
  EXPECT_EQ(rows[6].split(u'\t').size(), 5);
  f.key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(f.grid.selectedRange(), (GridRange{0, 0, 6, 4}));
  EXPECT_TRUE(f.grid.copy());
  EXPECT_EQ(QGuiApplication::clipboard()->text().split(u'\n'), rows);
}

// ---- editing ----

TEST(SpreadWnd, AnEditableCellTakesATypedAmount) {
  Grid f;
  QSignalSpy changed(&f.grid, &CSpreadWnd::cellChanged);
  QSignalSpy activated(&f.grid, &CSpreadWnd::cellActivated);
  QTest::mouseDClick(f.vp(), Qt::LeftButton, {}, f.centre(2, 1));
  ASSERT_TRUE(f.grid.isEditing());
  EXPECT_EQ(f.grid.editor()->text(), QStringLiteral("-2011"));  // the plain form
  f.grid.editor()->setText(QStringLiteral("5000"));
  QTest::keyClick(f.grid.editor(), Qt::Key_Return);
  EXPECT_FALSE(f.grid.isEditing());
  EXPECT_EQ(f.grid.amountOf(2, 1), 5000);
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(f.grid.currentCell(), (GridCell{3, 1}));  // on to the next row

  // A refused text stays in the editor to be put right; Escape leaves the cell as it was.
  f.key(Qt::Key_7);
  ASSERT_TRUE(f.grid.isEditing());
  EXPECT_EQ(f.grid.editor()->text(), QStringLiteral("7"));
  QTest::keyClicks(f.grid.editor(), QStringLiteral("x"));
  QTest::keyClick(f.grid.editor(), Qt::Key_Return);
  EXPECT_TRUE(f.grid.isEditing());
  EXPECT_EQ(f.grid.editor()->text(), QStringLiteral("7x"));
  QTest::keyClick(f.grid.editor(), Qt::Key_Escape);
  EXPECT_FALSE(f.grid.isEditing());
  EXPECT_EQ(f.grid.amountOf(3, 1), 3011);
  EXPECT_EQ(changed.size(), 1);

  // Clicking elsewhere takes what was typed.
  f.key(Qt::Key_F2);
  f.grid.editor()->setText(QStringLiteral("42"));
  f.click(5, 3);
  EXPECT_FALSE(f.grid.isEditing());
  EXPECT_EQ(f.grid.amountOf(3, 1), 42);
  // A cell the table keeps read-only is activated instead.
  QTest::mouseDClick(f.vp(), Qt::LeftButton, {}, f.centre(4, 2));
  EXPECT_FALSE(f.grid.isEditing());
  EXPECT_EQ(activated.size(), 1);
  EXPECT_EQ(f.grid.commits, (std::vector<QString>{"5000", "7x", "42"}));
}

// ---- column widths ----

TEST(SpreadWnd, DraggingAnEdgeResizesTheColumn) {
  Grid f;
  QSignalSpy resized(&f.grid, &CSpreadWnd::columnResized);
  const int before = f.grid.columnWidth(1);
  const int wider = f.grid.columnWidth(2);
  const QRect header = f.grid.cellRect(0, 1);
  const QPoint edge(header.right() + 1, header.center().y());
  QTest::mouseMove(f.vp(), edge);
  EXPECT_EQ(f.grid.resizeEdgeAt(edge), 1);
  EXPECT_EQ(f.vp()->cursor().shape(), Qt::SizeHorCursor);
  QTest::mousePress(f.vp(), Qt::LeftButton, {}, edge);
  QTest::mouseMove(f.vp(), edge + QPoint(30, 0));
  QTest::mouseRelease(f.vp(), Qt::LeftButton, {}, edge + QPoint(30, 0));
  EXPECT_EQ(f.grid.columnWidth(1), before + 30);
  EXPECT_EQ(f.grid.columnWidth(2), wider);
  EXPECT_EQ(f.grid.cellRect(0, 2).left(), header.left() + before + 30);
  ASSERT_EQ(resized.size(), 1);
  EXPECT_FALSE(f.grid.hasSelection());  // resizing selects nothing

  // Narrower than the least width stops there; a double click on the edge restores the default.
  const QPoint moved(f.grid.cellRect(0, 1).right() + 1, edge.y());
  QTest::mousePress(f.vp(), Qt::LeftButton, {}, moved);
  QTest::mouseMove(f.vp(), moved - QPoint(500, 0));
  QTest::mouseRelease(f.vp(), Qt::LeftButton, {}, moved - QPoint(500, 0));
  EXPECT_EQ(f.grid.columnWidth(1), CSpreadWnd::MinColumnWidth);
  const QPoint narrow(f.grid.cellRect(0, 1).right() + 1, edge.y());
  QTest::mouseDClick(f.vp(), Qt::LeftButton, {}, narrow);
  EXPECT_EQ(f.grid.columnWidth(1), before);
  // Away from the header row the pointer selects instead.
  EXPECT_EQ(f.grid.resizeEdgeAt({edge.x(), f.centre(2, 1).y()}), -1);
}

TEST(SpreadWnd, WidthsComeFromTheSettingsWithinBounds) {
  test::TempSettings temp;
  QSettings& store = temp.store();
  store.setValue("BudgetSpread/Col1", 150);
  store.setValue("BudgetSpread/Col2", -5);
  store.setValue("BudgetSpread/Col3", 1000000);
  store.setValue("BudgetSpread/Col4", "wide");
  {
    AppSettings settings(store);
    Grid f;
    const int defaultWidth = 10 * f.grid.charWidth();
    f.grid.setProfileSection(QStringLiteral("BudgetSpread"));
    f.grid.setAppSettings(&settings);
    EXPECT_EQ(f.grid.columnWidth(0), 150);
    EXPECT_EQ(f.grid.columnWidth(1), CSpreadWnd::MinColumnWidth);
    EXPECT_EQ(f.grid.columnWidth(2), CSpreadWnd::MaxColumnWidth);
    EXPECT_EQ(f.grid.columnWidth(3), defaultWidth);  // damaged: as missing
    EXPECT_EQ(f.grid.columnWidth(4), defaultWidth);  // missing
    // The scroll range stays that of a sensible table.
    EXPECT_LT(f.grid.horizontalScrollBar()->maximum(), 3000);
    f.grid.setColumnWidth(1, 77);
    f.grid.hide();  // closing writes every column back
  }
  const auto again = temp.reopen();
  EXPECT_EQ(again->value("BudgetSpread/Col2").toInt(), 77);
  EXPECT_EQ(again->value("BudgetSpread/Col3").toInt(), CSpreadWnd::MaxColumnWidth);
  AppSettings settings(*again);
  // The next time, inside its dialog: read back unchanged, and written when the dialog closes.
  QWidget dialog;
  auto* next = new AmountTable(4, 6);
  next->setParent(&dialog);
  next->setFont(makeViewFont(16));
  next->setProfileSection(QStringLiteral("BudgetSpread"));
  next->setAppSettings(&settings);
  dialog.show();
  for (int c = 0; c <= 4; ++c) {
    EXPECT_EQ(next->columnWidth(c),
              again->value(QStringLiteral("BudgetSpread/Col%1").arg(c + 1)).toInt());
  }
  next->setColumnWidth(4, 90);
  dialog.close();
  EXPECT_EQ(again->value("BudgetSpread/Col5").toInt(), 90);
  // Another section is another table.
  AmountTable other(4, 6);
  other.setAppSettings(&settings);
  EXPECT_EQ(other.profileSection(), QStringLiteral("spread"));
  EXPECT_EQ(other.columnWidth(1), 10 * other.charWidth());
}

TEST(SpreadWnd, TheBaseGridDescribesItsCells) {
  CSpreadWnd grid;
  EXPECT_EQ(grid.gridSize(), (GridSize{2, 5}));
  EXPECT_EQ(grid.cellText(3, 2, false), QStringLiteral("CCW[R3/C2]"));
  EXPECT_EQ(grid.columnWidth(2), grid.defaultWidth());
  EXPECT_EQ(grid.roleColor(SR_SELECTION), grid.palette().color(QPalette::Highlight));
  EXPECT_EQ(grid.roleColor(11), QColor(0, 0, 0));
  EXPECT_FALSE(grid.editCell(1, 1));
}

TEST(SpreadWnd, Screenshot) {
  Grid f(6, 12);
  f.grid.resize(640, 300);
  f.grid.setColumnWidth(0, 16 * f.grid.charWidth());
  f.grid.texts[{0, 0}] = QStringLiteral("CCB2027年 4月");
  f.grid.texts[{7, 0}] = QStringLiteral("CCB合 計");
  f.grid.texts[{3, 4}] = QStringLiteral("rCN ");
  f.grid.setCurrentCell(2, 1);
  f.grid.setCurrentCell(4, 2, true);
  QApplication::processEvents();
  EXPECT_TRUE(f.grid.grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/grid.png")));
}

}  // namespace
}  // namespace sorami
