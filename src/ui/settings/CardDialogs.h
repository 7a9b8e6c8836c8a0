#pragma once
// The dialogs that make a loan a credit card: "カードの設定" (closing, payment, settlement
// account) and "リボルビングの設定" (the revolving payment and its fee). Both edit a copy and
// give it back only on OK.

#include <QWidget>
#include <string>
#include <vector>

#include "rules/CardSettings.h"

namespace sorami {

// What "カードの設定" offers to choose from.
struct CardDialogChoices {
  std::vector<std::u16string> accounts;  // the registered accounts, for 決済口座
  int firstYear = 2000;                  // the years of the next closing
  int lastYear = 2040;
};

// The texts of the 決済 list: how many months after the closing month the payment falls.
QString paymentMonthText(int offset);
inline constexpr int kLastPaymentOffset = 6;

// "カードの設定" on `card`; true on OK, with `card` changed (its card name as typed).
bool runCardSettings(QWidget* parent, CardSettings& card, const CardDialogChoices& choices);

// "リボルビングの設定" on `card`; true on OK, with `card` changed.
bool runRevolvingSettings(QWidget* parent, CardSettings& card);

}  // namespace sorami
