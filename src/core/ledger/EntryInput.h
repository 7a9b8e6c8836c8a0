#pragma once
// What the input row does with the text typed into it, short of the widgets: the product name
// and its memo, the amount, the zero and blank rules, and writing a line or a transfer pair into
// the entry store for the current day.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

class CConfig;

// Longest product-name text that is read.
inline constexpr size_t kNameTextLimit = 256;

// Without ordinary and full-width spaces at either end.
std::u16string trimInputSpaces(std::u16string_view text);

struct NameAndMemo {
  std::u16string name;
  std::u16string memo;
};

// The product-name field's text cut at the first delimiter into product name and memo.
NameAndMemo splitNameText(std::u16string_view text, std::u16string_view delimiters);

// The number n (1 or more) when the text is only the digits of it; "0" is a name like any other.
std::optional<int> specialNameNumber(std::u16string_view text);

// Figures, signs and separators typed in their full-width forms (as a Japanese input method
// types them) turned into the ordinary ones; everything else as it is.
std::u16string narrowFigures(std::u16string_view text);

// Whether a typed amount is a figure: empty (0), or holding at least one digit once narrowed.
bool isAmountText(std::u16string_view text);

// The amount field's text as an amount: narrowed, trimmed, then parsed. Nothing when the figure
// does not fit an amount.
std::optional<int32_t> readAmountText(std::u16string_view text, int decimalPlaces);

enum class TransferKind { None, Savings, Loan };

uint16_t kindFlag(TransferKind kind);

// "口座:name" or "借入:name" with "へ" for an income item and "から" otherwise.
std::u16string transferText(TransferKind kind, std::u16string_view account, bool incomeItem);

// The memo as written: the typed memo, the transfer text, or both joined by " :".
std::u16string composeMemo(std::u16string_view memo, std::u16string_view transfer);

// Whether a zero amount may be written: when zero amounts are allowed at all, and for a savings
// or loan item whose product name is not (yet) a registered account or loan.
bool zeroAmountAccepted(CHinmeiList& store, const CHinmei& item, std::u16string_view name,
                        bool skipZeroAmounts);

// One line to write on a day.
struct EntryRequest {
  Day day = MinDay;
  const CHinmei* item = nullptr;  // the item's definition
  std::u16string name;
  std::u16string memo;  // composed, transfer text included
  int32_t amount = 0;
  TransferKind transfer = TransferKind::None;
  std::u16string account;  // the account or loan of a transfer
  uint16_t taxFlags = 0;   // consumption-tax bits handed over with the amount
};

// Writes the line: a single entry, or a transfer as a pair whose halves are both stored or
// neither. Returns the entry in the requested item, nothing when the store refused.
std::optional<CHinmeiList::Position> writeEntry(CHinmeiList& store, const EntryRequest& request,
                                                bool skipZeroAmounts);

// What the amount memory found for a product name.
struct RememberedAmount {
  int32_t amount = 0;
  uint16_t flags = 0;
  std::u16string accountName;  // the other half's name when it was a savings transfer
  std::u16string loanName;     // ... or a loan transfer
};

// The newest line of the item with exactly that product name, searched backwards from the end
// of `currentDay` down to `searchDepth` days before it; nothing with a negative depth.
std::optional<RememberedAmount> rememberAmount(CHinmeiList& store, uint16_t item,
                                               std::u16string_view name, Day currentDay,
                                               int searchDepth);

}  // namespace sorami
