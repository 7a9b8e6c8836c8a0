#include "reports/SumYearSpread.h"

namespace sorami {

namespace {

// In half-width characters: the labels, then room for a total of billions with its sign.
constexpr int kLabelChars = 16;
constexpr int kFigureChars = 15;

}  // namespace

CSumYearSpread::CSumYearSpread(const AnnualSummary& summary, int decimalPlaces, QWidget* parent)
    : CSpreadWnd(parent), table_(summary, decimalPlaces) {
  setProfileSection(QStringLiteral("SumYearSpread"));
}

GridSize CSumYearSpread::dimensions() const {
  return {table_.columnCount() - 1, table_.rowCount() - 1};
}

QString CSumYearSpread::cellText(int row, int column, bool plain) const {
  return QString::fromStdU16String(table_.cellText(row, column, plain));
}

int CSumYearSpread::defaultColumnWidth(int column) const {
  return (column == 0 ? kLabelChars : kFigureChars) * charWidth();
}

}  // namespace sorami
