#include "rules/CalculatorState.h"

#include <limits>

#include "platform/Prompts.h"

namespace sorami {

CalculatorState CalculatorState::opening(const TaxSettings& tax, int openingMode, int lastMode) {
  CalculatorState s;
  s.tax_ = tax;
  s.setRounding(tax.rounding);
  s.tenYen_ = tax.tenYen;
  s.setMode(openingMode >= 0 && openingMode < kTaxModeCount ? openingMode : lastMode);
  return s;
}

void CalculatorState::setMode(int mode) {
  mode_ = mode >= 0 && mode < kTaxModeCount ? mode : TAX_EXCLUDED;
}

void CalculatorState::setRounding(int rounding) {
  rounding_ = rounding >= 0 && rounding < kTaxRoundingCount ? rounding : TAX_ROUND_DOWN;
}

CalculatorFigures CalculatorState::figures(int64_t typed) const {
  const int kind = mode_ == TAX_INSIDE ? TAX_INSIDE : TAX_OUTSIDE;
  const int64_t tax = computeTax(typed, tax_, rounding_, tenYen_, kind);
  return {mode_ == TAX_INSIDE ? typed - tax : typed, tax};
}

int64_t CalculatorState::takeOver(uint16_t flags, int32_t amount, int openingMode) {
  const TaxAttributes a = taxAttributesOf(flags);
  if (a.rounding) rounding_ = *a.rounding;
  // A line written without the panel records no ten-yen flag either: the panel keeps its own.
  if (a.rounding || a.mode) tenYen_ = a.tenYen;
  if (openingMode == 3 && a.mode) mode_ = *a.mode;
  if (mode_ != TAX_INSIDE) return amount;
  return amount + computeTax(amount, tax_, rounding_, tenYen_, TAX_OUTSIDE);
}

bool CalculatorState::addToMemory(int64_t value, Prompts* prompts) {
  const int64_t sum = memory_ + value;
  if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max()) {
    if (prompts) prompts->inform(MessageId::AmountOutOfRange, {}, Icon::Warning);
    return false;
  }
  memory_ = static_cast<int32_t>(sum);
  return true;
}

WriteButton defaultWriteButton(bool accountNamed, bool loanNamed, bool cashAlways) {
  if (cashAlways) return WriteButton::Cash;
  if (accountNamed) return WriteButton::Account;
  return loanNamed ? WriteButton::Loan : WriteButton::Cash;
}

}  // namespace sorami
