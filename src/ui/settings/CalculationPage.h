#pragma once
// Page "計算": consumption tax and the calculator's arithmetic.

#include "settings/ConfigPage.h"

namespace sorami {

class CalculationPage : public ConfigPage {
 public:
  CalculationPage(const CConfig& c, const ConfigSheetItems& items, QWidget* parent = nullptr);

 private:
  void addTaxRate(const CConfig& c);
  void addTaxItems(const CConfig& c, const ConfigSheetItems& items);
};

}  // namespace sorami
