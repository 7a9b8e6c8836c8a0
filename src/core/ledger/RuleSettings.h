#pragma once
// What the settings page of automatic entries and its dialog need from the ledger: the texts
// of a rule's row, the checks a rule must pass before it is stored, and the accounts and loans
// it names that still need registering. The command line stores rules through the same checks.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ledger/HinmeiList.h"
#include "platform/Messages.h"
#include "rules/AutoRule.h"

namespace sorami {

// The columns of the list, after the description in column 0.
enum RuleColumn : int {
  RC_SCHEDULE = 0,       // 実施日
  RC_SOURCE = 1,         // 引落元(移動元)
  RC_DESTINATION = 2,    // 支出先(移動先)
  RC_BASE = 3,           // 基本額
  RC_FIRST = 4,          // 初回額
  RC_LAST = 5,           // 最終額
  RC_SPECIAL = 6,        // 特別額
  RC_SPECIAL_DATES = 7,  // 特実施日
  RC_START = 8,          // 開始年月(回数)
  RC_EXECUTED = 9,       // 実行済年月(回数)
  RC_HOLIDAY_RULE = 10,  // 休日対応
};
inline constexpr int kRuleColumns = 11;

// The text of a rule in a column of the list, without the grid's cell code; empty for a column
// that does not exist.
std::u16string ruleColumnText(const CHinmeiList& store, const CAutoRule& rule, int column,
                              int decimalPlaces);

// The three texts of the question before a rule is deleted.
std::vector<std::u16string> ruleDeleteQuestionArgs(const CHinmeiList& store, const CAutoRule& rule);

struct RuleProblem {
  MessageId id;
  std::vector<std::u16string> args;
};

// The checks of the dialog's OK in their order, each with its message. Adjusts the rule as the
// dialog does: a rule with only a special amount runs on its first special day, and a source
// that is not an item of the income side is cash.
std::optional<RuleProblem> checkRule(const CHinmeiList& store, CAutoRule& rule);

// The accounts and loans the rule moves money from or to that are not registered yet, as
// (kKindAccount or kKindLoan, name): the destination's first.
std::vector<std::pair<uint16_t, std::u16string>> unregisteredAccounts(CHinmeiList& store,
                                                                      const CAutoRule& rule);

}  // namespace sorami
