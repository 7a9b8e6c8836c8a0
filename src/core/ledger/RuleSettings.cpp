#include "ledger/RuleSettings.h"

#include <algorithm>

#include "ledger/AutoEntries.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr char16_t kCash[] = u"現金";

// printf's "%Nd": right-aligned in `width` places.
std::u16string padded(int value, size_t width) {
  const std::string s = std::to_string(value);
  std::u16string text(s.begin(), s.end());
  if (text.size() < width) text.insert(0, width - text.size(), u' ');
  return text;
}

std::u16string itemName(const CHinmeiList& store, int32_t item) {
  const CHinmei* def = item >= 0 ? store.itemByNumber(item) : nullptr;
  return def != nullptr ? def->name.str() : std::u16string();
}

std::u16string specialDates(const CAutoRule& r) {
  std::u16string text;
  if (r.specialMonth1 != 0 && r.specialDay1 != 0) {
    text = padded(r.specialMonth1, 2) + u"/" + padded(r.specialDay1, 2);
  }
  if (r.specialMonth2 != 0 && r.specialDay2 != 0) {
    text += u"," + padded(r.specialMonth2, 2) + u"/" + padded(r.specialDay2, 2);
  }
  return text;
}

std::u16string executedText(const CAutoRule& r) {
  if (r.executedCount == 0) return u"　　未実行(  0回)";
  const auto key = [](int y, int m, int d) { return (int64_t{y} * 13 + m) * 32 + d; };
  const bool special = key(r.lastSpecialYear, r.lastSpecialMonth, r.lastSpecialDay) >
                       key(r.lastYear, r.lastMonth, r.lastDay);
  const int year = special ? r.lastSpecialYear : r.lastYear;
  const int month = special ? r.lastSpecialMonth : r.lastMonth;
  const std::u16string count =
      r.executedCount == r.plannedCount ? u"(終了)" : u"(" + padded(r.executedCount, 3) + u"回)";
  return padded(year, 4) + u"年" + padded(month, 2) + u"月" + count;
}

bool inRange(int64_t v, int64_t low, int64_t high) {
  return v >= low && v <= high;
}

// The ranges the dialog's fields keep, for rules that come as text.
std::optional<std::u16string> rangeFault(const CAutoRule& r) {
  for (int32_t a : {r.baseAmount, r.firstAmount, r.lastAmount, r.specialAmount}) {
    if (!inRange(a, -kRuleAmountLimit, kRuleAmountLimit)) return u"金額";
  }
  if (!inRange(r.plannedCount, 0, kMaxPlannedCount)) return u"予定記入回数";
  if (r.sourceName.size() > kMaxRuleSourceName) return u"引落元の名称";
  return std::nullopt;
}

bool isTransferItem(const CHinmei* def, uint16_t kind) {
  return def != nullptr && (def->flags & kind) != 0;
}

}  // namespace

std::u16string ruleColumnText(const CHinmeiList& store, const CAutoRule& r, int column,
                              int decimalPlaces) {
  const auto amount = [&](int32_t a) { return formatAmount(a, true, decimalPlaces); };
  switch (column) {
    case RC_SCHEDULE:
      return r.describe();
    case RC_SOURCE:
      if (ruleSourceIsCash(store, r)) return kCash;
      return itemName(store, r.sourceItem) + u":" + r.sourceName;
    case RC_DESTINATION:
      return itemName(store, r.destinationItem) + u":" + r.destinationName;
    case RC_BASE:
      return amount(r.baseAmount);
    case RC_FIRST:
      return amount(r.firstAmount);
    case RC_LAST:
      return amount(r.lastAmount);
    case RC_SPECIAL:
      return amount(r.specialAmount);
    case RC_SPECIAL_DATES:
      return specialDates(r);
    case RC_START:
      return padded(r.startYear, 4) + u"年" + padded(r.startMonth, 2) + u"月(" +
             padded(r.plannedCount, 3) + u"回)";
    case RC_EXECUTED:
      return executedText(r);
    case RC_HOLIDAY_RULE:
      return r.holidayRule >= 0 && r.holidayRule < 3
                 ? std::u16string(kRuleHolidayRuleNames[static_cast<size_t>(r.holidayRule)])
                 : std::u16string();
    default:
      return {};
  }
}

std::vector<std::u16string> ruleDeleteQuestionArgs(const CHinmeiList& store, const CAutoRule& r) {
  const std::u16string source =
      r.sourceItem < 0 ? r.sourceName : itemName(store, r.sourceItem) + u"：" + r.sourceName;
  return {source, itemName(store, r.destinationItem), r.destinationName};
}

std::optional<RuleProblem> checkRule(const CHinmeiList& store, CAutoRule& r) {
  const CHinmei* destination = store.itemByNumber(r.destinationItem);
  if (destination == nullptr || (destination->flags & EF_DIRECTION_MASK) == 0) {
    return RuleProblem{MessageId::ItemDoesNotExist, {}};
  }
  if (r.destinationName.empty()) return RuleProblem{MessageId::FieldBlank, {u"支出先の品名"}};
  if (r.baseAmount == 0 && r.firstAmount == 0 && r.lastAmount == 0 && r.specialAmount != 0) {
    r.scheduleCode = r.specialDay1;
  }
  if (r.scheduleCode == 0) return RuleProblem{MessageId::ScheduleMissing, {}};
  if (r.startYear == 0 || r.startMonth == 0) return RuleProblem{MessageId::StartMonthMissing, {}};
  if (r.specialAmount != 0 && !(r.specialMonth1 != 0 && r.specialDay1 != 0) &&
      !(r.specialMonth2 != 0 && r.specialDay2 != 0)) {
    return RuleProblem{MessageId::SpecialDateMissing, {}};
  }
  const CHinmei* source = r.sourceItem >= 0 ? store.itemByNumber(r.sourceItem) : nullptr;
  if (source == nullptr || (source->flags & EF_INCOME) == 0) {
    r.sourceItem = -1;
    r.sourceName = kCash;
  }
  if (std::optional<std::u16string> field = rangeFault(r)) {
    return RuleProblem{MessageId::RuleFieldInvalid, {*field}};
  }
  if (std::optional<std::u16string> field = r.fault()) {
    return RuleProblem{MessageId::RuleFieldInvalid, {*field}};
  }
  return std::nullopt;
}

std::vector<std::pair<uint16_t, std::u16string>> unregisteredAccounts(CHinmeiList& store,
                                                                      const CAutoRule& r) {
  std::vector<std::pair<uint16_t, std::u16string>> missing;
  const auto check = [&](int32_t item, const std::u16string& name) {
    const CHinmei* def = item >= 0 ? store.itemByNumber(item) : nullptr;
    for (const uint16_t kind : {kKindAccount, kKindLoan}) {
      if (!isTransferItem(def, kind) || name.empty() || name == kCash) continue;
      if (store.definitionByName(name, kind)) continue;
      const std::pair<uint16_t, std::u16string> entry{kind, name};
      if (std::find(missing.begin(), missing.end(), entry) == missing.end()) {
        missing.push_back(entry);
      }
    }
  };
  check(r.destinationItem, r.destinationName);
  check(r.sourceItem, r.sourceName);
  return missing;
}

}  // namespace sorami
