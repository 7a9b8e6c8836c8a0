#pragma once
// A bank or card statement brought into the book: its lines read by a profile, each given an
// item (by the profile's rules, by what this ledger writes most often for the name, or by the
// profile's default), lines already in the ledger found, and the new ones written in one go.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/HinmeiList.h"
#include "reports/StatementProfile.h"

namespace sorami {

// Limits that keep a hostile statement from taking the program down.
inline constexpr size_t kMaxStatementBytes = 64u << 20;
inline constexpr size_t kMaxStatementLines = 100'000;
inline constexpr size_t kMaxStatementMemo = 1024;

enum class LineStatus { New, Duplicate, Refused };

// How the line's item was found.
enum class ItemSource { None, Rule, Frequent, Default, Chosen };

struct StatementLine {
  size_t line = 0;  // line of the text where the record begins, from 1
  Day date = InvalidDay;
  int32_t amount = 0;            // positive; `income` tells the side
  bool income = false;           // money came in (a deposit, a refund)
  std::u16string statementName;  // as the statement wrote it
  std::u16string name;           // as it is written: the rule's name or the statement's
  std::u16string memo;
  std::optional<uint16_t> item;
  ItemSource source = ItemSource::None;
  // A line that could not be read is refused for good; one without an item until it gets one.
  bool unreadable = false;
  LineStatus status = LineStatus::New;
  Refusal reason;  // of a refused line
};

struct StatementPreview {
  std::vector<StatementLine> lines;
  // The statement as a whole could not be taken (too large, too many lines, UTF-16).
  std::optional<Refusal> failure;
  StatementEncoding encoding = StatementEncoding::Utf8;  // as read
  MoneyTarget money;  // the lines' duplicates were looked for with this one

  size_t count(LineStatus status) const;
};

// The file's bytes, or why not (unreadable, beyond kMaxStatementBytes).
struct StatementFile {
  std::string bytes;
  std::optional<Refusal> failure;
};
StatementFile loadStatementFile(const std::filesystem::path& path);

// The encoding of a statement that does not declare one: UTF-8 when it has a byte order mark
// or every byte sequence is UTF-8, Shift-JIS otherwise.
StatementEncoding detectEncoding(std::string_view bytes);

// The account or loan the lines move money to, when it is not registered (or not named and
// the ledger has not exactly one of its kind); a target without name gets the one there is.
std::optional<Refusal> resolveMoneyTarget(CHinmeiList& store, MoneyTarget& money);

// Reads every line, proposes its item and marks the lines the ledger already has. `money` must
// have passed resolveMoneyTarget.
StatementPreview previewStatement(std::string_view bytes, const StatementProfile& profile,
                                  CHinmeiList& store, const MoneyTarget& money, int decimalPlaces);

// The user's choice of item for a line; a line refused only for want of an item becomes new (or
// stays a duplicate). False when the item does not suit the line's side.
bool chooseItem(StatementPreview& preview, size_t index, uint16_t item, const CHinmeiList& store);

// The items a line may be given by hand: the ordinary items of its side.
std::vector<uint16_t> itemsForSide(const CHinmeiList& store, bool income);

struct StatementOutcome {
  size_t added = 0;
  size_t duplicates = 0;
  size_t refused = 0;
  std::optional<Refusal> failure;  // nothing was written
};

// Writes every new line, in day order and after the lines each day already has, as one
// change: when the store refuses one, the lines written before it are taken out again. With
// refused lines nothing is written unless `skipRefused`. The new lines become duplicates.
StatementOutcome importStatement(CHinmeiList& store, StatementPreview& preview, bool skipRefused);

}  // namespace sorami
