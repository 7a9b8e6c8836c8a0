#include "rules/AmountField.h"

#include "ledger/EntryInput.h"
#include "rules/AmountText.h"

namespace sorami {

CAmountField::CAmountField(int decimalPlaces, int32_t limit, QWidget* parent)
    : QLineEdit(parent), decimalPlaces_(decimalPlaces), limit_(limit) {
  setAlignment(Qt::AlignRight);
  setValue(0);
}

void CAmountField::setValue(int32_t amount) {
  setText(QString::fromStdU16String(formatAmount(amount, true, decimalPlaces_)));
}

std::optional<int32_t> CAmountField::value() const {
  const std::u16string typed = text().toStdU16String();
  if (!isAmountText(typed)) return std::nullopt;
  const std::optional<int32_t> amount = readAmountText(typed, decimalPlaces_);
  if (!amount || *amount < -limit_ || *amount > limit_) return std::nullopt;
  return amount;
}

}  // namespace sorami
