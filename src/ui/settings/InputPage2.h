#pragma once
// Page "入力２": delimiters, searching earlier input, keys, currency and decimals.

#include "settings/ConfigPage.h"

namespace sorami {

class InputPage2 : public ConfigPage {
 public:
  explicit InputPage2(const CConfig& c, QWidget* parent = nullptr);
};

}  // namespace sorami
