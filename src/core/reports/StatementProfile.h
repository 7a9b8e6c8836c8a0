#pragma once
// An import profile: how the statements of one bank or card are written (encoding, delimiter,
// columns, date form, sign) and where their money moved, with the rules that give a line its
// item. A small text file the user can write; docs/statement-import.md describes it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/EntryInput.h"
#include "platform/Messages.h"
#include "reports/StatementText.h"

namespace sorami {

// A message with its arguments, told later in the words of the one who shows it.
struct Refusal {
  MessageId id{};
  std::vector<std::u16string> args;
  std::u16string text() const { return formatMessage(id, args); }
};

enum class StatementEncoding { Auto, Utf8, ShiftJis };

// Which sign of a single amount column is money spent.
enum class SignConvention {
  ExpenseNegative,  // bank: withdrawals are negative, deposits positive
  ExpensePositive,  // card: purchases are positive, refunds negative
};

// Where the money of the statement's lines moved: the cash, or a savings account or a loan (a
// card) by name; an empty name is to be chosen when importing.
struct MoneyTarget {
  TransferKind kind = TransferKind::None;
  std::u16string name;
  friend bool operator==(const MoneyTarget&, const MoneyTarget&) = default;
};

// A product-name pattern and what a matching line gets.
struct AssignmentRule {
  size_t line = 0;          // where the rule begins in the profile
  std::u16string contains;  // compared in matchForm, case folded
  std::u16string regex;     // searched in matchForm, case ignored
  std::shared_ptr<const std::wregex> compiled;
  std::u16string item;  // the item's name
  std::u16string name;  // the product name to write instead of the statement's, when given
  bool matches(std::u16string_view foldedName, std::u16string_view widthName) const;
};

// Columns are counted from 1; 0 is "none".
struct StatementProfile {
  std::u16string name;
  StatementEncoding encoding = StatementEncoding::Auto;
  char delimiter = ',';
  size_t skipLines = 0;
  size_t dateColumn = 0;
  size_t nameColumn = 0;
  size_t memoColumn = 0;
  size_t amountColumn = 0;
  size_t incomeColumn = 0;
  size_t expenseColumn = 0;
  DateForm dateForm = DateForm::Auto;
  SignConvention sign = SignConvention::ExpenseNegative;
  MoneyTarget money;
  std::u16string defaultExpenseItem;
  std::u16string defaultIncomeItem;
  std::vector<AssignmentRule> rules;

  // The highest column a line must have.
  size_t lastColumn() const;
};

// Limits that keep a hostile profile from taking the program down.
inline constexpr size_t kMaxProfileBytes = 1 << 20;
inline constexpr size_t kMaxStatementColumn = 256;
inline constexpr size_t kMaxProfileRules = 1000;
inline constexpr size_t kMaxPatternLength = 256;
inline constexpr size_t kMaxSkipLines = 1000;

struct ProfileRead {
  std::optional<StatementProfile> profile;
  Refusal error;  // when there is no profile
};

// Reads a profile's text (UTF-8, with or without byte order mark); the first error, with its
// line, when the text is not a usable profile.
ProfileRead readStatementProfile(std::string_view text);

// "cash", "account", "loan", "account:NAME", "loan:NAME" (also 現金, 口座, 借入).
std::optional<MoneyTarget> parseMoneyTarget(std::u16string_view text);
std::u16string moneyTargetText(const MoneyTarget& money);

}  // namespace sorami
