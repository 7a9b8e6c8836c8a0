#include "import/StatementModel.h"

#include <QBrush>
#include <QColor>

#include "rules/AmountText.h"

namespace sorami {

namespace {

QString text(std::u16string_view t) {
  return QString::fromUtf16(t.data(), static_cast<qsizetype>(t.size()));
}

}  // namespace

StatementModel::StatementModel(const CHinmeiList& store, int decimalPlaces, QObject* parent)
    : QAbstractTableModel(parent), store_(store), decimalPlaces_(decimalPlaces) {}

void StatementModel::setPreview(StatementPreview preview) {
  beginResetModel();
  preview_ = std::move(preview);
  endResetModel();
}

int StatementModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(preview_.lines.size());
}

int StatementModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColCount;
}

QString StatementModel::itemName(const StatementLine& line) const {
  const CHinmei* def = line.item ? store_.itemByNumber(*line.item) : nullptr;
  return def ? text(def->name) : QString();
}

QString StatementModel::amountText(const StatementLine& line, bool income) const {
  if (line.unreadable || line.income != income) return {};
  return text(formatAmount(line.amount, true, decimalPlaces_));
}

QString StatementModel::statusText(int row) const {
  const StatementLine& line = preview_.lines[static_cast<size_t>(row)];
  switch (line.status) {
    case LineStatus::New:
      return QStringLiteral("新規");
    case LineStatus::Duplicate:
      return QStringLiteral("取り込み済み");
    case LineStatus::Refused:
      return QStringLiteral("取り込めない: ") + text(line.reason.text());
  }
  return {};
}

QVariant StatementModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const StatementLine& line = preview_.lines[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    switch (index.column()) {
      case ColLine:
        return static_cast<qulonglong>(line.line);
      case ColDate:
        return line.date == InvalidDay ? QString() : QString::fromStdString(isoDate(line.date));
      case ColName:
        if (role == Qt::ToolTipRole && line.name != line.statementName) {
          return text(line.statementName) + QStringLiteral(" → ") + text(line.name);
        }
        return text(line.name);
      case ColIncome:
        return amountText(line, true);
      case ColExpense:
        return amountText(line, false);
      case ColItem:
        return itemName(line);
      case ColStatus:
        return statusText(index.row());
      default:
        return {};
    }
  }
  if (role == Qt::EditRole && index.column() == ColItem) return line.item ? int(*line.item) : -1;
  if (role == Qt::TextAlignmentRole &&
      (index.column() == ColIncome || index.column() == ColExpense || index.column() == ColLine)) {
    return int(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role == Qt::ForegroundRole) {
    if (line.status == LineStatus::Refused) return QBrush(QColor(0xB0, 0x00, 0x00));
    if (line.status == LineStatus::Duplicate) return QBrush(QColor(0x80, 0x80, 0x80));
  }
  return {};
}

QVariant StatementModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char16_t* const kTitles[ColCount] = {u"行",   u"日付", u"品名", u"収入",
                                                    u"支出", u"項目", u"状態"};
  return section >= 0 && section < ColCount ? QString::fromUtf16(kTitles[section]) : QVariant();
}

Qt::ItemFlags StatementModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (!index.isValid() || index.column() != ColItem) return f;
  const StatementLine& line = preview_.lines[static_cast<size_t>(index.row())];
  // A line already in the ledger is not written, so its item does not matter.
  if (!line.unreadable && line.status != LineStatus::Duplicate) f |= Qt::ItemIsEditable;
  return f;
}

QVector<std::pair<QString, int>> StatementModel::itemChoices(int row) const {
  QVector<std::pair<QString, int>> choices;
  if (row < 0 || row >= rowCount()) return choices;
  const StatementLine& line = preview_.lines[static_cast<size_t>(row)];
  for (const uint16_t item : itemsForSide(store_, line.income)) {
    choices.push_back({text(store_.itemByNumber(item)->name), item});
  }
  return choices;
}

bool StatementModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != ColItem || !(flags(index) & Qt::ItemIsEditable)) {
    return false;
  }
  bool ok = false;
  const int item = value.toInt(&ok);
  if (!ok || item < 0 || item > 0xFFFF) return false;
  if (!chooseItem(preview_, static_cast<size_t>(index.row()), static_cast<uint16_t>(item),
                  store_)) {
    return false;
  }
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColCount - 1));
  emit itemChosen();
  return true;
}

}  // namespace sorami
