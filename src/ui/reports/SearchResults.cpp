#include "reports/SearchResults.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

#include "platform/QtText.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

QString dateText(Day day) {
  const Ymd d = ymdFromDay(day);
  return QStringLiteral("%1/%2/%3")
      .arg(d.year)
      .arg(d.month, 2, 10, QLatin1Char('0'))
      .arg(d.day, 2, 10, QLatin1Char('0'));
}

// Columns in average character widths from the row's left edge.
constexpr int kItemColumn = 12;
constexpr int kNameColumn = 23;
constexpr int kAmountEnd = 57;
constexpr int kRowWidth = kAmountEnd + 41;

}  // namespace

void CSearchResults::setLines(const CHinmeiList* store, std::vector<CHinmeiList::Position> lines,
                              int decimalPlaces) {
  beginResetModel();
  store_ = store;
  lines_ = std::move(lines);
  decimalPlaces_ = decimalPlaces;
  endResetModel();
}

void CSearchResults::clear() {
  setLines(nullptr, {}, decimalPlaces_);
}

int CSearchResults::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant CSearchResults::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const CHinmei& e = *lines_[static_cast<size_t>(index.row())];
  const auto item = [&] {
    const CHinmei* def = store_ ? store_->itemByNumber(e.item) : nullptr;
    return def ? toQString(def->name) : QString();
  };
  const QString amount = QString::fromStdU16String(formatAmount(e.amount, true, decimalPlaces_));
  const QString memo = QString::fromStdU16String(std::u16string(e.visibleMemo()));
  switch (role) {
    case Qt::DisplayRole:
      return QStringList{dateText(e.date), item(), toQString(e.name), amount, memo}.join(u' ');
    case DateRole:
      return dateText(e.date);
    case ItemRole:
      return item();
    case NameRole:
      return toQString(e.name);
    case AmountRole:
      return amount;
    case MemoRole:
      return memo;
    default:
      return {};
  }
}

void CSearchResultDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  QStyleOptionViewItem o = option;
  initStyleOption(&o, index);
  o.text.clear();
  QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &o, painter, o.widget);
  const int w = option.fontMetrics.averageCharWidth();
  const QRect r = option.rect;
  const int x = r.left() + 2;
  painter->save();
  painter->setPen(option.palette.color(
      option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
  const auto at = [&](int from, int to, const QVariant& text, int align) {
    painter->drawText(QRect(from, r.top(), to - from, r.height()), align | Qt::AlignVCenter,
                      text.toString());
  };
  at(x, x + kItemColumn * w, index.data(CSearchResults::DateRole), Qt::AlignLeft);
  at(x + kItemColumn * w, x + kNameColumn * w, index.data(CSearchResults::ItemRole), Qt::AlignLeft);
  at(x + kNameColumn * w, x + (kAmountEnd - 12) * w, index.data(CSearchResults::NameRole),
     Qt::AlignLeft);
  at(x + (kAmountEnd - 12) * w, x + kAmountEnd * w, index.data(CSearchResults::AmountRole),
     Qt::AlignRight);
  const QString memo = index.data(CSearchResults::MemoRole).toString();
  const int memoLeft = x + (kAmountEnd + 1) * w;
  painter->drawText(QRect(memoLeft, r.top(), std::max(0, r.right() - memoLeft), r.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, memo);
  painter->restore();
}

QSize CSearchResultDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex& /*index*/) const {
  const int w = option.fontMetrics.averageCharWidth();
  return {kRowWidth * w, option.fontMetrics.height() + 2};
}

}  // namespace sorami
