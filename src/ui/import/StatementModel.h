#pragma once
// The preview of a statement as a table: every line with its date, name, amount, the item it
// will be written under (changeable by the user) and its status.

#include <QAbstractTableModel>
#include <QString>
#include <QVector>
#include <utility>

#include "reports/StatementImport.h"

namespace sorami {

class StatementModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { ColLine, ColDate, ColName, ColIncome, ColExpense, ColItem, ColStatus, ColCount };

  StatementModel(const CHinmeiList& store, int decimalPlaces, QObject* parent = nullptr);

  void setPreview(StatementPreview preview);
  StatementPreview& preview() { return preview_; }
  const StatementPreview& preview() const { return preview_; }
  // The items a row may be given, as (name, item number).
  QVector<std::pair<QString, int>> itemChoices(int row) const;
  QString statusText(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // The item column takes an item number.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void itemChosen();

 private:
  QString itemName(const StatementLine& line) const;
  QString amountText(const StatementLine& line, bool income) const;

  const CHinmeiList& store_;
  int decimalPlaces_;
  StatementPreview preview_;
};

}  // namespace sorami
