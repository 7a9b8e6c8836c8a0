#pragma once
// The three-letter code at the start of every grid cell text: where the text goes across, where
// it goes up and down, and how it stands out. Tables build their cell texts with it, so budget,
// annual and rule tables all look alike.

#include <QColor>
#include <QRect>
#include <QString>
#include <Qt>

namespace sorami {

struct CellCode {
  Qt::Alignment horizontal = Qt::AlignLeft;
  Qt::Alignment vertical = Qt::AlignTop;
  int inset = 0;  // pixels taken off the left and the right of the cell first ('l' and 'r')
  enum Emphasis { Normal, Red, Green, Bold } emphasis = Normal;
  QString text;  // what is shown, without the code

  Qt::Alignment alignment() const { return horizontal | vertical; }
  // The text colour; Normal and Bold keep the table's own text colour.
  QColor color(const QColor& normal) const;
};

inline constexpr int CellCodeLength = 3;
inline constexpr int CellCodeInset = 3;

// A text shorter than its code carries no code at all: what is there is shown as it stands,
// left and top in the normal colour, so a table's slip never reads beyond the text.
CellCode parseCellCode(const QString& cellText);

// The text without its code, as it is copied and edited.
QString cellCodeText(const QString& cellText);

// Where the text of a cell is drawn: the cell less one pixel on every side (so the grid lines
// stay visible), less the code's inset.
QRect cellTextRect(const QRect& cell, const CellCode& code);

}  // namespace sorami
