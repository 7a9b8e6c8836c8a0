#pragma once
// Draws the laid-out texts of a line: the coded lines and the rows of the detail list share it.

#include <QColor>
#include <vector>

#include "lists/DetailLines.h"

class QPainter;
class QRect;

namespace sorami {

struct CellPalette {
  QColor text;        // the line's own text colour
  QColor style2Text;  // the text colour of style-2 coded lines
  QColor highlight;   // the platform's highlight colour (inverted on a selected line)
};

QColor colorOf(CellColor color, const CellPalette& palette);

// `line` is the rectangle of the line; cell x positions are taken from its left edge plus dx.
void drawCells(QPainter& painter, const std::vector<LineCell>& cells, const TextMeasure& m,
               const QRect& line, int dx, const CellPalette& palette);

}  // namespace sorami
