#pragma once
// The entry: one record type for every ledger line and every definition a data file holds,
// told apart by its item number and flag bits.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/CompactText.h"
#include "rules/Day.h"

namespace sorami {

class Archive;

// Flag bits of an entry.
inline constexpr uint16_t EF_PAIR_SECOND = 0x0001;     // with EF_PAIR: second entry of a pair
inline constexpr uint16_t EF_OUTSIDE_ASSETS = 0x0002;  // account or loan outside the total assets
inline constexpr uint16_t EF_EXPENSE = 0x0100;         // money leaves the cash
inline constexpr uint16_t EF_INCOME = 0x0200;          // money enters the cash
inline constexpr uint16_t EF_MARK = 0x0400;            // transient, cleared on insertion
inline constexpr uint16_t EF_PAIR = 0x0800;            // one of two adjacent entries of a pair
inline constexpr uint16_t EF_DEFINITION = 0x1000;      // special name, account, loan, rule
inline constexpr uint16_t EF_LOAN = 0x2000;
inline constexpr uint16_t EF_ACCOUNT = 0x4000;
inline constexpr uint16_t EF_ITEM = 0x8000;  // item definition or header entry
// Either bit makes an entry undated configuration of the head section.
inline constexpr uint16_t EF_DEFINITION_MASK = EF_ITEM | EF_DEFINITION;
inline constexpr uint16_t EF_PAIR_MASK = EF_PAIR | EF_PAIR_SECOND;
inline constexpr uint16_t EF_DIRECTION_MASK = EF_EXPENSE | EF_INCOME;

// Reserved item numbers.
inline constexpr uint16_t ITEM_HEADER = 0x8000;
inline constexpr uint16_t ITEM_RULE = 0x4000;
inline constexpr uint16_t ITEM_DIARY = 2048;
// Summary rows, computed and never stored.
inline constexpr uint16_t ITEM_PREVIOUS_BALANCE = 101;  // 前日残高
inline constexpr uint16_t ITEM_INCOME_TOTAL = 102;      // 収入合計
inline constexpr uint16_t ITEM_EXPENSE_TOTAL = 103;     // 支出合計
inline constexpr uint16_t ITEM_CASH_BALANCE = 104;      // 現金残高
inline constexpr uint16_t ITEM_ACCOUNT_BALANCE = 105;   // 口座残高
inline constexpr uint16_t ITEM_LOAN_BALANCE = 106;      // 借入残高
inline constexpr uint16_t ITEM_TOTAL_ASSETS = 107;      // 総資産
inline constexpr uint16_t ITEM_SUMMARY_FIRST = ITEM_PREVIOUS_BALANCE;
inline constexpr uint16_t ITEM_SUMMARY_LAST = ITEM_TOTAL_ASSETS;

// Data versions whose entries are read differently.
// From this version on, dates are stored as single-precision day values; before it, as
// seconds since 1970 in local time.
inline constexpr uint16_t kDataVersionFloatDates = 870;
// The first files with those dates; their dated lines may need version870Correction().
inline constexpr uint16_t kDataVersionCorrectedDates = kDataVersionFloatDates;
// The version every save writes.
inline constexpr uint16_t kDataVersionCurrent = 950;

// The name of the end marker, the last entry of every store.
inline constexpr std::u16string_view kEndMarkerName = u"Last Mark";

class CHinmei {
 public:
  CHinmei() = default;
  CHinmei(Day date, uint16_t item, uint16_t flags, std::u16string_view name,
          std::u16string_view memo, int32_t amount, int32_t work = 0)
      : date(date), item(item), flags(flags), amount(amount), work(work), name(name), memo(memo) {}

  // The memo may carry a hidden tail after the visible text: text, NUL, tail, NUL.
  bool hasTail() const { return memo.size() >= 2 && memo.back() == u'\0'; }
  std::u16string_view visibleMemo() const;
  std::u16string_view tailView() const;
  // Copies the tail to `out` and returns its length; 0 and an empty `out` when there is none.
  size_t tail(std::u16string& out) const;
  void setVisibleMemo(std::u16string_view text);
  void setTail(std::u16string_view text);

  // The memo of an item definition is a decimal number whose bits 0 and 1 are options of the
  // item (bit 0: graphs, bit 1: budgets).
  int32_t itemOptions() const;
  int itemOption(int bit) const { return (itemOptions() >> bit) & 1; }
  void setItemOption(int bit, bool on);

  bool isDefinition() const { return (flags & EF_DEFINITION_MASK) != 0; }
  bool isDated() const { return !isDefinition(); }
  bool isHeader() const { return item == ITEM_HEADER && (flags & EF_ITEM) != 0; }
  bool isItemDefinition() const { return (flags & EF_ITEM) != 0 && item != ITEM_HEADER; }
  bool isRule() const { return item == ITEM_RULE && (flags & EF_DEFINITION) != 0; }
  bool isDiary() const { return item == ITEM_DIARY && isDated(); }
  bool isEndMarker() const { return date == MaxDay && isDated(); }
  bool isTransfer() const { return (flags & (EF_ACCOUNT | EF_LOAN)) != 0; }
  bool isPairFirst() const { return (flags & EF_PAIR_MASK) == EF_PAIR; }
  bool isPairSecond() const { return (flags & EF_PAIR_MASK) == EF_PAIR_MASK; }

  // Writes the body, or reads it as stored by a file of `dataVersion`. Damaged bytes raise
  // ArchiveError; the entry is then partly read and must be dropped.
  void serialize(Archive& ar, uint16_t dataVersion);
  void write(Archive& ar) const;
  void read(Archive& ar, uint16_t dataVersion);

  Day date = MinDay;
  uint16_t item = 0;
  uint16_t flags = 0;
  int32_t amount = 0;
  int32_t work = 0;  // transient, never stored
  // Nearly every text of a store is a few characters long; a compact text keeps those inside
  // the entry, so a list node of a million-line store stays small.
  CompactText name;
  CompactText memo;
};

// Line breaks of a text as the file keeps them ("\r\n") and as a text box gives and takes
// them ("\n"). A lone "\r" or "\n" counts as a line break in both, so every text reads alike.
std::u16string withStoredLineBreaks(std::u16string_view text);
std::u16string withEditorLineBreaks(std::u16string_view text);

// Files of exactly version 870 wrote their dates through two time conversions that could
// disagree by whole days; this is that difference on this machine (0 where they agree).
Day version870Correction();
// Moves the date of a dated ledger line of a version-870 file by the correction.
void applyVersion870Correction(CHinmei& entry, Day correction);

}  // namespace sorami
