#pragma once
// Page "表示": confirmations, list sizes, totals and the colour table.

#include "settings/ConfigPage.h"

namespace sorami {

class DisplayPage : public ConfigPage {
 public:
  DisplayPage(const CConfig& c, const ConfigSheetDevice& device, QWidget* parent = nullptr);
};

}  // namespace sorami
