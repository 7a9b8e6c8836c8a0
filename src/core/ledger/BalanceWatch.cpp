#include "ledger/BalanceWatch.h"

#include <algorithm>

#include "ledger/AutoEntries.h"
#include "platform/Messages.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

// The watch looks this far ahead at most, whatever an account's settings say.
constexpr int kMaxWatchDays = 999;

std::u16string number(int n) {
  const std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

const CAccount* accountOfDefinition(const CHinmeiList& store, const CHinmei& def) {
  const uint16_t kind = (def.flags & EF_ACCOUNT) != 0 ? kKindAccount : kKindLoan;
  for (const CAccount& a : store.accounts(kind)) {
    if (a.definition == &def) return &a;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<CHinmeiList> makeLookAheadStore(CHinmeiList& store, Day today) {
  store.computeToDay(today);
  auto scratch = std::make_unique<CHinmeiList>();
  LedgerContext& context = scratch->context();
  context = store.context();
  context.prompts = nullptr;
  context.budgets = nullptr;
  context.today = today;
  context.window.currentDay = today;
  context.window.mode = DisplayMode::DayInput;
  scratch->noAutoDefinition = store.noAutoDefinition;
  for (const CHinmei& e : store) {
    if (!e.isDefinition()) break;
    CHinmei copy = e;
    if (copy.isHeader()) copy.amount = saturatedAmount(store.cashBalance());
    if ((e.flags & EF_DEFINITION) != 0 && (e.flags & (EF_ACCOUNT | EF_LOAN)) != 0) {
      if (const CAccount* a = accountOfDefinition(store, e))
        copy.amount = saturatedAmount(a->balance);
    }
    scratch->addAtEnd(std::move(copy));
  }
  for (auto p = store.firstOnOrAfter(today); p != store.end(); ++p) scratch->addAtEnd(*p);
  scratch->rebuildTables();
  scratch->computeToDay(today, true);
  scratch->setModified(false);
  return scratch;
}

void balanceWatch(CHinmeiList& lookAhead, Day today) {
  int days = 0;
  for (const CAccount& a : lookAhead.accounts(kKindAccount)) {
    if (a.definition != nullptr) days = std::max(days, std::min(a.watchDays, kMaxWatchDays));
  }
  if (days <= 0) return;
  lookAhead.computeToDay(today, true);
  // Through the last watched day itself: the watch takes lines from today to today + days.
  lookAhead.computeToDay(addDays(today, days + 1), false, true);
}

std::vector<ShortfallWarning> shortfallWarnings(CHinmeiList& lookAhead, Day today,
                                                int decimalPlaces) {
  std::vector<ShortfallWarning> warnings;
  for (const CAccount& a : lookAhead.accounts(kKindAccount)) {
    if (a.definition == nullptr || a.watchDays <= 0 || !a.shortfall.recorded()) continue;
    const Shortfall& s = a.shortfall;
    std::u16string prefix;
    if (s.date != today) {
      const Ymd d = ymdFromDay(s.date);
      prefix = formatMessage(MessageId::ShortfallDatePrefix, {number(d.month), number(d.day)});
    }
    const std::u16string line =
        !s.itemName.empty() && !s.productName.empty()
            ? formatMessage(
                  MessageId::ShortfallEntryLine,
                  {prefix, s.itemName, s.productName,
                   formatAmount(s.amount < 0 ? -int64_t{s.amount} : s.amount, true, decimalPlaces)})
            : formatMessage(MessageId::ShortfallPlainLine, {prefix});
    const std::u16string missing =
        formatAmount(int64_t{a.watchThreshold} - s.balance, true, decimalPlaces);
    std::vector<std::u16string> args{line, a.name, missing};
    std::u16string message = formatMessage(MessageId::ShortfallWarning, args);
    warnings.push_back({a.name, s.date, s.balance, std::move(args), std::move(message)});
  }
  return warnings;
}

}  // namespace sorami
