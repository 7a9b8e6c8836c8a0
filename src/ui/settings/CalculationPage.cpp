#include "settings/CalculationPage.h"

#include <QDoubleSpinBox>

namespace sorami {

namespace {

const QString kSameAsData = QStringLiteral(u"データと同じ");

// "データと同じ" followed by the items; the index of `number`, or 0 when it is no item.
QComboBox* fillItems(QComboBox* box, const std::vector<ItemChoice>& items, int number,
                     bool sameAsData) {
  box->addItem(kSameAsData);
  int index = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    box->addItem(QString::fromStdU16String(items[i].name));
    if (!sameAsData && items[i].number == number) index = static_cast<int>(i) + 1;
  }
  box->setCurrentIndex(index);
  return box;
}

int chosenNumber(const QComboBox* box, const std::vector<ItemChoice>& items) {
  const int index = box->currentIndex();
  return index >= 1 ? items[static_cast<size_t>(index - 1)].number : -1;
}

}  // namespace

CalculationPage::CalculationPage(const CConfig& c, const ConfigSheetItems& items, QWidget* parent)
    : ConfigPage(parent) {
  addText(QStringLiteral(u"税の名称"), c.taxName, 31, &CConfig::taxName, u"消費税");
  addTaxRate(c);
  addChoice(
      QStringLiteral(u"端数（小数点以下）"), c, &CConfig::taxRounding,
      {QStringLiteral(u"切り捨て"), QStringLiteral(u"切り上げ"), QStringLiteral(u"四捨五入")});
  addFlag(QStringLiteral(u"１０円未満を０にする。"), c, &CConfig::taxBelowTenToZero);
  addChoice(QStringLiteral(u"電卓表示時の税ﾓｰﾄﾞ"), c, &CConfig::calculatorTaxMode,
            {QStringLiteral(u"税抜"), QStringLiteral(u"外税"), QStringLiteral(u"内税"),
             QStringLiteral(u"以前の状態を保持")});
  addFlag(QStringLiteral(u"電卓で×÷を＋－より先に計算する"), c, &CConfig::operatorPrecedence);
  addTaxItems(c, items);
}

void CalculationPage::addTaxRate(const CConfig& c) {
  auto* box = new QDoubleSpinBox(this);
  box->setRange(0, 100);
  box->setDecimals(2);
  box->setSuffix(QStringLiteral(" %"));
  box->setValue(c.taxRate);
  const double initial = box->value();
  form()->addRow(QStringLiteral(u"税率"), box);
  bind([box, initial] { return box->value() != initial; },
       [box](CConfig& to, ConfigSheetDevice&) { to.taxRate = box->value(); });
}

void CalculationPage::addTaxItems(const CConfig& c, const ConfigSheetItems& items) {
  // Tax lines of expenses stay with the item of their data unless an expense item receives them.
  QComboBox* expense =
      fillItems(new QComboBox(this), items.expense, c.taxExpenseItem, c.taxItemAsData != 0);
  form()->addRow(QStringLiteral(u"税の記入先 支出項目"), expense);
  const int expenseShown = expense->currentIndex();
  bind([expense, expenseShown] { return expense->currentIndex() != expenseShown; },
       [expense, list = items.expense](CConfig& to, ConfigSheetDevice&) {
         const int number = chosenNumber(expense, list);
         to.taxItemAsData = number < 0 ? 1 : 0;
         to.taxExpenseItem = number < 0 ? 0 : number;
       });

  QComboBox* income = fillItems(new QComboBox(this), items.income, c.taxIncomeItem, false);
  form()->addRow(QStringLiteral(u"税の記入先 収入項目"), income);
  const int incomeShown = income->currentIndex();
  bind([income, incomeShown] { return income->currentIndex() != incomeShown; },
       [income, list = items.income](CConfig& to, ConfigSheetDevice&) {
         to.taxIncomeItem = chosenNumber(income, list);
       });
}

}  // namespace sorami
