#include "lists/CellPainter.h"

#include <QPainter>
#include <QRect>

namespace sorami {

QColor colorOf(CellColor color, const CellPalette& palette) {
  switch (color) {
    case CellColor::Normal:
      return palette.text;
    case CellColor::Red:
      return QColor(255, 0, 0);
    case CellColor::Navy:
      return QColor(0, 0, 128);
    case CellColor::Highlight:
      return palette.highlight;
    case CellColor::Style2Text:
      return palette.style2Text;
    case CellColor::Style2BlueInverted: {
      QColor c = palette.style2Text;
      c.setBlue(255 - c.blue());
      return c;
    }
  }
  return palette.text;
}

void drawCells(QPainter& painter, const std::vector<LineCell>& cells, const TextMeasure& m,
               const QRect& line, int dx, const CellPalette& palette) {
  for (const LineCell& cell : cells) {
    const int left = line.left() + dx + cell.left(m);
    int right = line.left() + dx + (cell.alignRight ? cell.x : cell.x + m.of(cell.text));
    if (cell.clipRight >= 0) right = std::min(right, line.left() + dx + cell.clipRight);
    if (right <= left) continue;
    const QRect box(left, line.top(), right - left, line.height());
    painter.save();
    painter.setClipRect(box.intersected(line));
    painter.setPen(colorOf(cell.color, palette));
    painter.drawText(QRect(left, line.top(), m.of(cell.text) + m.unit, line.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, cell.text);
    painter.restore();
  }
}

}  // namespace sorami
