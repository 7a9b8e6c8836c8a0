#pragma once
// A settings sheet over a record whose values all differ from the defaults, for widget tests.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <memory>

#include "settings/ConfigPage.h"
#include "settings/ConfigSheet.h"
#include "support/ScriptedPrompts.h"

namespace sorami::test {

// One application object for the whole run, made by the first sheet that needs it.
inline void ensureApplication() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "sorami_ui_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

inline CConfig sampleConfig() {
  CConfig c;
  c.skipBlankNames = 0;
  c.delimiters = u"、,";
  c.searchDepth = 30;
  c.keypadPointKey = 3;
  c.kanaKeyControl = 2;
  c.currencySymbol = u"$";
  c.decimalPlaces = 2;
  c.specialNameRows = 9;
  c.nameWidth = 3;
  c.amountDigits = 2;
  c.closingDay = 25;
  c.closingHolidayRule = 2;
  c.taxName = u"VAT";
  c.taxRate = 8;
  c.taxRounding = 2;
  c.calculatorTaxMode = 1;
  c.taxExpenseItem = 3;
  c.taxIncomeItem = -1;
  c.weeklyRestDays = 0x41;
  c.dayOffset = -2;
  c.hourOffset = 5;
  c.openDayMode = 1;
  return c;
}

inline ConfigSheetItems sampleItems() {
  return {{{0, u"食費"}, {1, u"日用品"}, {3, u"税金"}}, {{14, u"給料"}, {15, u"雑収入"}}};
}

class SheetFixture {
 public:
  explicit SheetFixture(CConfig start = sampleConfig(), ConfigSheetDevice dev = {0, 1, 0})
      : original(start), config(std::move(start)), device(dev) {
    ensureApplication();
    sheet = std::make_unique<ConfigSheet>(config, device, sampleItems(), prompts);
    sheet->show();
  }

  // The control of `page` whose label or own text is `label`.
  template <class W>
  W* field(int page, QStringView label) const {
    for (W* w : sheet->page(page)->findChildren<W*>()) {
      if (labelOf(page, w) == label) return w;
    }
    return nullptr;
  }

  void showPage(int page) { sheet->tabs()->setCurrentIndex(page); }
  void pressOk() { buttons()->button(QDialogButtonBox::Ok)->click(); }
  void pressCancel() { buttons()->button(QDialogButtonBox::Cancel)->click(); }

  const CConfig original;
  CConfig config;
  ConfigSheetDevice device;
  ScriptedPrompts prompts;
  std::unique_ptr<ConfigSheet> sheet;

 private:
  QString labelOf(int page, QWidget* w) const {
    if (auto* box = qobject_cast<QAbstractButton*>(w)) return box->text();
    auto* form = qobject_cast<QFormLayout*>(sheet->page(page)->layout());
    auto* label = form ? qobject_cast<QLabel*>(form->labelForField(w)) : nullptr;
    return label ? label->text() : QString();
  }
  QDialogButtonBox* buttons() const { return sheet->findChild<QDialogButtonBox*>(); }
};

}  // namespace sorami::test
