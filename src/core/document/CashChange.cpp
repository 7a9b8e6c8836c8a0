#include "document/CashChange.h"

#include <string>

#include "config/Config.h"
#include "document/SoramiDoc.h"
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr uint16_t kKinds = EF_ACCOUNT | EF_LOAN;

std::u16string numberText(int64_t value) {
  const std::string s = std::to_string(value);
  return {s.begin(), s.end()};
}

// An ordinary item (no transfer pseudo-item) of the side.
bool isOrdinaryItemOf(const CHinmeiList& store, int item, uint16_t side) {
  const CHinmei* def = item >= 0 ? store.itemByNumber(item) : nullptr;
  return def != nullptr && (def->flags & side) != 0 && (def->flags & kKinds) == 0;
}

int preselected(const CHinmeiList& store, int saved, uint16_t side, std::u16string_view name) {
  if (isOrdinaryItemOf(store, saved, side)) return saved;
  const int byName = store.itemNumberByName(name, side >> 8);
  return isOrdinaryItemOf(store, byName, side) ? byName : -1;
}

}  // namespace

int64_t cashAtEndOfDay(CHinmeiList& store, Day day) {
  store.computeToDay(day + 1);
  return store.cashBalance();
}

CashChangeChoice cashChangeChoice(CHinmeiList& store, const CConfig& config, Day day) {
  CashChangeChoice c;
  c.balance = cashAtEndOfDay(store, day);
  c.mode = config.adjustmentMode == kCashModeInitial ? kCashModeInitial : kCashModeEntry;
  c.decreaseItem = preselected(store, config.decreaseItem, EF_EXPENSE, u"その他支出");
  c.increaseItem = preselected(store, config.increaseItem, EF_INCOME, u"雑収入");
  c.decreaseName = config.decreaseName;
  c.increaseName = config.increaseName;
  c.negativeIncrease = config.negativeIncrease != 0;
  return c;
}

std::optional<CashChangeResult> changeCashBalance(CSoramiDoc& doc, Day day,
                                                  const CashChangeRequest& request) {
  CHinmeiList& store = *doc.entries();
  Prompts& prompts = doc.prompts();
  CConfig& config = doc.config();
  if (request.newBalance < kLowestCash || request.newBalance > kHighestCash) {
    prompts.inform(MessageId::IntegerOutOfRange,
                   {numberText(kLowestCash), numberText(kHighestCash)}, Icon::Warning);
    return std::nullopt;
  }
  if (request.mode == kCashModeEntry && (day <= MinDay || day >= MaxDay)) {
    prompts.inform(MessageId::CashChangeOutsideCalendar, {}, Icon::Warning);
    return std::nullopt;
  }
  CashChangeResult result;
  result.before = cashAtEndOfDay(store, day);
  result.difference = request.newBalance - result.before;
  const bool decrease = result.difference < 0 || request.negativeIncrease;
  const int item = decrease ? request.decreaseItem : request.increaseItem;
  const bool itemValid = isOrdinaryItemOf(store, item, decrease ? EF_EXPENSE : EF_INCOME);
  const int64_t amount = decrease ? -result.difference : result.difference;
  const int64_t initial = store.initialCash() + result.difference;
  if (request.mode == kCashModeEntry && result.difference != 0) {
    if (!itemValid) {
      prompts.inform(MessageId::CashChangeNeedsItem, {}, Icon::Warning);
      return std::nullopt;
    }
    if (amount < INT32_MIN || amount > INT32_MAX) {
      prompts.inform(MessageId::AmountOutOfRange, {}, Icon::Warning);
      return std::nullopt;
    }
  }
  if (request.mode == kCashModeInitial && result.difference != 0) {
    if (initial < INT32_MIN || initial > INT32_MAX) {
      prompts.inform(MessageId::AmountOutOfRange, {}, Icon::Warning);
      return std::nullopt;
    }
    const std::vector<std::u16string> args{numberText(store.initialCash()), numberText(initial),
                                           numberText(result.difference)};
    if (prompts.ask(MessageId::ConfirmInitialCashChange, args, Buttons::YesNo, Answer::No) !=
        Answer::Yes) {
      return std::nullopt;
    }
  }
  // The choices are remembered for the next time, also when the balance stays.
  config.adjustmentMode = request.mode == kCashModeInitial ? kCashModeInitial : kCashModeEntry;
  config.decreaseItem =
      isOrdinaryItemOf(store, request.decreaseItem, EF_EXPENSE) ? request.decreaseItem : -1;
  config.increaseItem =
      isOrdinaryItemOf(store, request.increaseItem, EF_INCOME) ? request.increaseItem : -1;
  config.decreaseName = request.decreaseName;
  config.increaseName = request.increaseName;
  config.negativeIncrease = request.negativeIncrease ? 1 : 0;
  if (result.difference == 0) return result;

  if (request.mode == kCashModeInitial) {
    result.initialFrom = store.initialCash();
    result.initialTo = initial;
    store.setInitialCash(initial);
    doc.keepBackupAtNextSave();
  } else {
    const CHinmei* def = store.itemByNumber(item);
    const auto flags = static_cast<uint16_t>(def->flags & ~EF_ITEM);
    const std::u16string& name = decrease ? request.decreaseName : request.increaseName;
    const auto placed = store.insert(
        CHinmei(day, static_cast<uint16_t>(item), flags, name, u"", static_cast<int32_t>(amount)));
    if (!placed || (*placed)->isDefinition()) {
      prompts.inform(MessageId::CashChangeOutsideCalendar, {}, Icon::Warning);
      return std::nullopt;
    }
    result.entryItem = item;
    result.entryAmount = static_cast<int32_t>(amount);
    result.entryName = name;
  }
  doc.setModified(true);
  return result;
}

}  // namespace sorami
