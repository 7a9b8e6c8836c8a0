#pragma once
// Page "その他": the day shown at opening, page keys, negative transfers, debug messages.

#include "settings/ConfigPage.h"

namespace sorami {

class OtherPage : public ConfigPage {
 public:
  OtherPage(const CConfig& c, const ConfigSheetDevice& device, QWidget* parent = nullptr);
};

}  // namespace sorami
