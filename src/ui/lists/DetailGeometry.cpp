#include "lists/DetailGeometry.h"

#include <algorithm>

#include "config/Config.h"

namespace sorami {

namespace {

constexpr int MinAmountDigits = 7;
constexpr int MinNameWidth = 14;

}  // namespace

DetailSettings detailSettingsOf(const CConfig& config) {
  DetailSettings s;
  // The stored values count from the narrowest column; a damaged value falls back into range.
  s.geometry.amountDigits = MinAmountDigits + std::clamp(config.amountDigits, 0, 2);
  s.geometry.nameWidth = MinNameWidth + std::clamp(config.nameWidth, 0, 6);
  s.decimalPlaces = std::clamp(config.decimalPlaces, 0, 3);
  s.weeklyRestDays = config.weeklyRestDays;
  return s;
}

}  // namespace sorami
