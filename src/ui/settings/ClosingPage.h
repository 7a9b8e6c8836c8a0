#pragma once
// Page "締日": the closing day of the accounting month and how it moves.

#include "settings/ConfigPage.h"

namespace sorami {

class ClosingPage : public ConfigPage {
 public:
  explicit ClosingPage(const CConfig& c, QWidget* parent = nullptr);
};

}  // namespace sorami
