#include "rules/AutoSpread.h"

#include "ledger/RuleSettings.h"

namespace sorami {

namespace {

constexpr const char16_t* kHeaders[kRuleColumns] = {
    u"実施日", u"引落元(移動元)", u"支出先(移動先)", u"基本額",           u"初回額",  u"最終額",
    u"特別額", u"特実施日",       u"開始年月(回数)", u"実行済年月(回数)", u"休日対応"};
// Widths in characters.
constexpr int kWidths[kRuleColumns] = {15, 30, 30, 10, 10, 10, 10, 11, 17, 17, 8};

bool isAmountColumn(int column) {
  return column >= RC_BASE && column <= RC_SPECIAL;
}

}  // namespace

CAutoSpread::CAutoSpread(CHinmeiList& store, int decimalPlaces, QWidget* parent)
    : CSpreadWnd(parent), store_(store), decimalPlaces_(decimalPlaces) {
  setProfileSection(QStringLiteral("AutoSpread"));
  setSelectionMode(Selection::Rows);
}

GridSize CAutoSpread::dimensions() const {
  return {kRuleColumns - 1, store_.ruleCount()};
}

QString CAutoSpread::cellText(int row, int column, bool plain) const {
  if (column < 0 || column >= kRuleColumns) return QStringLiteral("CCB ");
  if (row == 0) return QStringLiteral("CCN") + QString::fromUtf16(kHeaders[column]);
  const std::optional<CAutoRule> rule = store_.rule(row - 1);
  if (!rule) return QStringLiteral("CCN ");
  QString shown;
  if (plain && isAmountColumn(column)) {
    const int32_t amounts[] = {rule->baseAmount, rule->firstAmount, rule->lastAmount,
                               rule->specialAmount};
    shown = QString::number(amounts[column - RC_BASE]);
  } else {
    shown = QString::fromStdU16String(ruleColumnText(store_, *rule, column, decimalPlaces_));
  }
  return (isAmountColumn(column) ? QStringLiteral("rCN") : QStringLiteral("lCN")) + shown;
}

int CAutoSpread::defaultColumnWidth(int column) const {
  if (column < 0 || column >= kRuleColumns) return CSpreadWnd::defaultColumnWidth(column);
  return kWidths[column] * charWidth();
}

}  // namespace sorami
