#pragma once
// Page "入力1": how entries are typed.

#include "settings/ConfigPage.h"

namespace sorami {

class InputPage1 : public ConfigPage {
 public:
  explicit InputPage1(const CConfig& c, QWidget* parent = nullptr);
};

}  // namespace sorami
