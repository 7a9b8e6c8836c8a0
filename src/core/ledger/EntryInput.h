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
#include "rules/ConsumptionTax.h"

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

inline constexpr char16_t kDefaultTaxName[] = u"消費税";

// Where the tax line of an entry goes and what it is called.
struct TaxLineSettings {
  std::u16string taxName = kDefaultTaxName;
  // The expense (income) item that takes the tax lines of ordinary expense (income) lines;
  // any number that is no such item keeps them with the item of their data.
  int expenseItem = -1;
  int incomeItem = -1;
};

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
  int32_t tax = 0;         // the tax handed over with the amount: a tax line follows unless 0
  // The memo of a transfer's account or loan half, when it is not the one composed from the
  // item and product name.
  std::optional<std::u16string> accountMemo;
};

// Writes the line: a single entry, or a transfer as a pair whose halves are both stored or
// neither; then, with a tax, its tax line (a tax pair for a transfer). Returns the entry in the
// requested item, nothing when the store refused it.
std::optional<CHinmeiList::Position> writeEntry(CHinmeiList& store, const EntryRequest& request,
                                                bool skipZeroAmounts,
                                                const TaxLineSettings& taxLines = {});

// The tax line of an entry: on its day, in the tax item of its side (with the item's name in
// the memo) or in its own item, named after the tax; for a transfer, or a line of an account or
// loan item, the line on the account or loan carries the tax name as its memo.
EntryRequest taxLineRequest(CHinmeiList& store, const EntryRequest& entry, int32_t tax,
                            const TaxLineSettings& settings);

// Where the command 消費税記入 takes the tax from.
enum class TaxSource { Cash, Account, Loan };

enum class WriteTaxOutcome { Written, NoTax, Refused };

// The command 消費税記入 for an amount (the selected lines' sum) of an item: its outside tax
// by the file's rounding, written as a tax line from cash, or as a tax pair from an account or
// loan, which is registered with no opening balance when it is new. `name` is the product name
// of the lines the tax belongs to. With a tax of 0 nothing is written.
WriteTaxOutcome writeTax(CHinmeiList& store, Day day, const CHinmei& item, std::u16string_view name,
                         int64_t amount, TaxSource source, std::u16string_view account,
                         const TaxSettings& tax, const TaxLineSettings& lines);

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
