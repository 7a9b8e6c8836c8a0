#include "grid/CellCode.h"

namespace sorami {

QColor CellCode::color(const QColor& normal) const {
  switch (emphasis) {
    case Red:
      return QColor(255, 0, 0);
    case Green:
      return QColor(0, 128, 0);
    case Normal:
    case Bold:
      break;
  }
  return normal;
}

CellCode parseCellCode(const QString& cellText) {
  CellCode code;
  if (cellText.size() < CellCodeLength) {
    code.text = cellText;
    return code;
  }
  switch (cellText[0].unicode()) {
    case u'C':
      code.horizontal = Qt::AlignHCenter;
      break;
    case u'R':
      code.horizontal = Qt::AlignRight;
      break;
    case u'r':
      code.horizontal = Qt::AlignRight;
      code.inset = CellCodeInset;
      break;
    case u'l':
      code.inset = CellCodeInset;
      break;
    default:  // 'L' and anything else: left, against the cell's edge
      break;
  }
  switch (cellText[1].unicode()) {
    case u'B':
      code.vertical = Qt::AlignBottom;
      break;
    case u'C':
      code.vertical = Qt::AlignVCenter;
      break;
    default:
      break;
  }
  switch (cellText[2].unicode()) {
    case u'R':
      code.emphasis = CellCode::Red;
      break;
    case u'G':
      code.emphasis = CellCode::Green;
      break;
    case u'B':
      code.emphasis = CellCode::Bold;
      break;
    default:  // 'N', 'W' and anything else
      break;
  }
  code.text = cellText.mid(CellCodeLength);
  return code;
}

QString cellCodeText(const QString& cellText) {
  return cellText.size() < CellCodeLength ? cellText : cellText.mid(CellCodeLength);
}

QRect cellTextRect(const QRect& cell, const CellCode& code) {
  return cell.adjusted(1 + code.inset, 1, -1 - code.inset, -1);
}

}  // namespace sorami
