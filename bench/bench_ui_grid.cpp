// Figures of the grid window on its two largest tables: the annual summary at 61 columns by 60
// rows and the automatic-entry list at 200 rules by 11 columns, and a table far larger than any
// of them to show that a repaint does not grow with the table. Each figure is one full repaint
// of a window of 1280 by 720 pixels (the cells in view asked for their texts and drawn), at the
// top and scrolled to the far corner, and one copy of the whole table as text.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <cstdio>

#include "Timing.h"
#include "grid/SpreadWnd.h"
#include "main/ViewFont.h"

using namespace sorami;
using sorami::bench::microseconds;

namespace {

class BenchTable : public CSpreadWnd {
 public:
  BenchTable(int columns, int rows) : size_{columns, rows} {}
  GridSize dimensions() const override { return size_; }
  QString cellText(int row, int column, bool plain) const override {
    if (row == 0) return QStringLiteral("CCN%1/%2").arg(2020 + column / 12).arg(column % 12 + 1);
    if (column == 0) return QStringLiteral("LCN-項目%1").arg(row);
    const int amount = (row * 7919 + column * 104729) % 2000000 - 1000000;
    const QString code = amount < 0 ? QStringLiteral("rCR") : QStringLiteral("rCN");
    return code + (plain ? QString::number(amount) : locale_.toString(amount));
  }
  int defaultColumnWidth(int) const override { return 11 * charWidth(); }

 private:
  GridSize size_;
  QLocale locale_{QLocale::English};
};

void measure(const char* name, int columns, int rows, bool copyAll) {
  BenchTable grid(columns, rows);
  grid.setFont(makeViewFont(16));
  grid.resize(1280, 720);
  grid.show();
  QApplication::processEvents();
  QImage image(grid.viewport()->size(), QImage::Format_RGB32);
  const auto repaint = [&] {
    QPainter painter(&image);
    grid.viewport()->render(&painter);
  };
  constexpr int kRepeat = 50;
  const double top = microseconds(repaint, kRepeat);
  grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
  grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
  const double corner = microseconds(repaint, kRepeat);
  std::printf("%-22s %4d x %6d cells   repaint top %6.0f us   far corner %6.0f us", name,
              columns + 1, rows + 1, top, corner);
  if (copyAll) {
    qsizetype length = 0;
    const double copy = microseconds([&] { length = grid.selectionText().size(); }, 20);
    std::printf("   copy all %5.0f us (%lld characters)", copy, static_cast<long long>(length));
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  measure("annual summary", 61, 59, true);
  measure("automatic-entry rules", 10, 200, true);
  measure("a far larger table", 200, 100000, false);
  return 0;
}
