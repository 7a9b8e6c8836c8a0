#pragma once
// The lines a search found, as a list model with one uniform row per line, so that a list of a
// hundred thousand lines draws only the rows on screen; and the delegate that draws a row in its
// columns: date, item, product name, amount and memo.

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

class CSearchResults : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role { DateRole = Qt::UserRole + 1, ItemRole, NameRole, AmountRole, MemoRole };

  explicit CSearchResults(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  // The lines stay entries of the store; the store must outlive them or be cleared first.
  void setLines(const CHinmeiList* store, std::vector<CHinmeiList::Position> lines,
                int decimalPlaces);
  void clear();
  const CHinmeiList::Position& line(int row) const { return lines_.at(static_cast<size_t>(row)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const CHinmeiList* store_ = nullptr;
  std::vector<CHinmeiList::Position> lines_;
  int decimalPlaces_ = 0;
};

class CSearchResultDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace sorami
