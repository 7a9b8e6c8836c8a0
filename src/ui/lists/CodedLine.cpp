#include "lists/CodedLine.h"

#include <QStringList>

namespace sorami {

namespace {

constexpr int FColumn2 = 10;
constexpr int FColumn3 = 21;
constexpr int KColumn2 = 15;
constexpr int KColumn3 = 26;
constexpr int KAmountExtra = 24;

class Builder {
 public:
  Builder(const QStringList& fields, const TextMeasure& m, CellColor base)
      : fields_(fields), m_(m), base_(base) {
    cells_.reserve(static_cast<size_t>(fields.size()));
  }

  QString field(int i) const { return i < fields_.size() ? fields_.at(i) : QString(); }
  int width(int i) const { return m_.of(field(i)); }

  LineCell& left(int i, int x) { return put(i, x, false); }
  LineCell& right(int i, int x, bool redWhenNegative = false) {
    LineCell& cell = put(i, x, true);
    if (redWhenNegative && cell.text.startsWith(u'-')) cell.color = CellColor::Red;
    return cell;
  }
  // `count` amounts from field i on, `step` apart, the first ending at `right`, then the memo
  // one cell after the last. Of three amounts the last is a balance, red when negative.
  void amounts(int i, int right, int count, int step) {
    for (int k = 0; k < count; ++k) this->right(i + k, right + k * step, count == 3 && k == 2);
    left(i + count, right + (count - 1) * step + m_.unit);
  }
  std::vector<LineCell> take() { return std::move(cells_); }

 private:
  LineCell& put(int i, int x, bool alignRight) {
    cells_.push_back({field(i), x, alignRight, base_});
    return cells_.back();
  }

  const QStringList& fields_;
  const TextMeasure& m_;
  CellColor base_;
  std::vector<LineCell> cells_;
};

}  // namespace

CodedLineLayout layoutCodedLine(const QString& line, const DetailGeometry& geometry,
                                const TextMeasure& m, int x0, int windowWidth) {
  QStringList fields = line.split(u'\t');
  while (fields.size() > CodedLineMaxFields) fields.removeLast();
  const QString code = fields.front().leftJustified(4, u' ');
  const int u = m.unit;
  const int span = geometry.nameSpan() * u;
  const int step = geometry.amountStep() * u;
  Builder b(fields, m, code[3] == u'M' ? CellColor::Navy : CellColor::Normal);
  switch (code[0].unicode()) {
    case u'A':
    case u'B':
      b.left(1, x0);
      b.right(2, windowWidth - u);
      break;
    case u'C':
    case u'D': {
      // The amounts stand under the list's amount columns, whatever the first field's width.
      b.left(1, x0);
      b.left(2, x0 + b.width(1));
      b.amounts(3, x0 + b.width(1) + span, code[0] == u'C' ? 1 : 3, step);
      break;
    }
    case u'F': {
      LineCell& year = b.left(1, x0);
      const bool inverted = code[1] == u'B';
      if (inverted) year.color = CellColor::Style2BlueInverted;
      LineCell& days = b.left(2, x0 + FColumn2 * u);
      if (inverted) days.color = CellColor::Style2BlueInverted;
      b.left(3, x0 + FColumn3 * u);
      b.amounts(4, x0 + FColumn3 * u + span, 3, step);
      break;
    }
    case u'H': {
      // Labels stay where they are when the lists scroll.
      LineCell& label = b.left(1, 0);
      if (code[1] == u'B') {
        label.color = code[3] == u'R' ? CellColor::Red : CellColor::Style2Text;
      }
      break;
    }
    case u'K': {
      b.left(1, x0);
      b.left(2, x0 + KColumn2 * u);
      b.left(3, x0 + KColumn3 * u);
      b.amounts(4, x0 + KColumn3 * u + u * (geometry.amountDigits + KAmountExtra), 1, step);
      break;
    }
    default:
      break;
  }
  CodedLineLayout layout{b.take(), code[2] == u'B'};
  std::erase_if(layout.cells, [](const LineCell& c) { return c.text.isEmpty(); });
  return layout;
}

}  // namespace sorami
