#pragma once
// Page "休日": the weekly rest days, which move closing dates.

#include <array>

#include "settings/ConfigPage.h"

namespace sorami {

class RestDayPage : public ConfigPage {
 public:
  explicit RestDayPage(const CConfig& c, QWidget* parent = nullptr);

  // Every day a rest day leaves no day to close on.
  bool refuses(Prompts& prompts) const override;

 private:
  int checkedDays() const;

  std::array<QCheckBox*, 7> days_{};
};

}  // namespace sorami
