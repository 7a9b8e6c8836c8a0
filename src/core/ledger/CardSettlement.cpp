#include "ledger/CardSettlement.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "platform/Messages.h"
#include "platform/Prompts.h"
#include "rules/Period.h"

namespace sorami {

namespace {

std::u16string numberText(int64_t value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

// trunc() of a figure computed in double precision, held inside 64 bits (a rate read from a
// damaged file may give anything).
int64_t truncated(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kEdge = 9.0e18;
  return static_cast<int64_t>(std::trunc(std::clamp(value, -kEdge, kEdge)));
}

int ruleHolidayRule(int rule) {
  return rule >= 0 && rule <= 2 ? rule : 0;
}

bool isCard(const CAccount& loan) {
  return loan.cardFlag != 0 && loan.card && loan.definition != nullptr;
}

// The pseudo-items a settlement writes on.
struct CardItems {
  const CHinmei* purchases = nullptr;  // the loan item of the income side
  const CHinmei* repayment = nullptr;  // the loan item of the expense side
  const CHinmei* account = nullptr;    // the account item of the income side
  bool complete() const { return purchases && repayment && account; }
};

CardItems cardItems(const CHinmeiList& store) {
  return {store.itemByDirection(EF_LOAN | EF_INCOME), store.itemByDirection(EF_LOAN | EF_EXPENSE),
          store.itemByDirection(EF_ACCOUNT | EF_INCOME)};
}

CAutoRule paymentRule(const CardSettings& card, const CardItems& items, YearMonth closing,
                      int64_t due, Day today) {
  CAutoRule r = CAutoRule::makeDefault(today);
  const YearMonth pay = cardPaymentMonth(closing, card.paymentMonthOffset);
  r.sourceItem = items.account->item;
  r.sourceName = card.settlementAccount;
  r.destinationItem = items.repayment->item;
  r.destinationName = card.cardName;
  r.startYear = r.scheduleYear = pay.year;
  r.startMonth = r.scheduleMonth = pay.month;
  r.scheduleCode = kScheduleFixedDate;
  r.scheduleDay = std::clamp(card.paymentDay, 1, 31);
  r.holidayRule = ruleHolidayRule(card.paymentHolidayRule);
  r.sameWeek = 0;
  r.plannedCount = 1;
  r.executedCount = 0;
  r.baseAmount = saturatedAmount(due);
  r.deleteAfterLast = 1;
  return r;
}

Prompts& promptsOf(CHinmeiList& store) {
  static DefaultPrompts none;
  return store.context().prompts != nullptr ? *store.context().prompts : none;
}

// Settles one closing month of the card of that name; nothing when it cannot be settled.
CardSettlement settleMonth(CHinmeiList& store, const CAccount& loan, const CardItems& items,
                           const CardPeriod& period, Day today) {
  // Copies: the store's changes below may move the loan table.
  CardSettings card = *loan.card;
  const std::u16string name = loan.name;
  CardSettlement s;
  s.loan = name;
  s.month = {card.nextClosingYear, card.nextClosingMonth};
  s.period = period;
  s.purchases = cardPurchases(store, items.purchases->item, card.cardName, period);
  RevolvingPayment revolving;
  if (card.revolving != 0) {
    revolving = revolvingPayment(store, loan, period);
    s.fee = revolving.fee;
    s.due = revolving.due;
  } else {
    s.due = s.purchases;
  }
  // The rule first: when the store cannot take it, nothing of this month is written (no fee
  // twice when the month is settled again).
  if (s.due != 0) {
    const CAutoRule rule = paymentRule(card, items, s.month, s.due, today);
    if (!store.addRule(rule, false)) {
      s.refused = true;
      s.carried = card.carriedBalance;
      s.nextClosing = s.month;
      promptsOf(store).inform(
          MessageId::CardPaymentNotStored,
          {card.cardName, numberText(s.month.year), numberText(s.month.month), numberText(s.due)},
          Icon::Warning);
      return s;
    }
    s.rule = rule;
  }
  if (s.fee != 0) {
    store.insert(CHinmei(period.closing, items.purchases->item, EF_LOAN | EF_INCOME, card.cardName,
                         std::u16string(kCardFeeMemo), saturatedAmount(s.fee)));
  }
  if (card.revolving != 0) card.carriedBalance = saturatedAmount(revolving.carried);
  s.carried = card.carriedBalance;
  s.nextClosing = nextMonth(s.month);
  card.nextClosingYear = s.nextClosing.year;
  card.nextClosingMonth = s.nextClosing.month;
  store.setCardSettings(name, card, true);
  return s;
}

template <typename T>
void append(std::vector<T>& to, std::vector<T>&& from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

}  // namespace

CardPeriod cardPeriod(const CardSettings& card, YearMonth month, unsigned restDays,
                      const HolidayCalendar& holidays) {
  const auto closingOf = [&](YearMonth ym) {
    return closingDate(ym.year, ym.month, card.closingDay, restDays, card.closingHolidayRule,
                       card.closingSameWeek != 0, false, holidays);
  };
  return {addDays(closingOf(previousMonth(month)), 1), closingOf(month)};
}

YearMonth cardPaymentMonth(YearMonth closing, int offset) {
  return addMonths(closing, offset);
}

int64_t cardPurchases(CHinmeiList& store, uint16_t loanItem, std::u16string_view cardName,
                      const CardPeriod& period) {
  int64_t sum = 0;
  for (auto p = store.firstOnOrAfter(period.start); p != store.end(); ++p) {
    if (p->date > period.closing) break;
    if (p->isDated() && p->item == loanItem && p->name == cardName) sum += p->amount;
  }
  return sum;
}

RevolvingPayment revolvingPayment(const CHinmeiList& store, const CAccount& loan,
                                  const CardPeriod& period) {
  RevolvingPayment r;
  if (!loan.card || loan.definition == nullptr) return r;
  const CardSettings& card = *loan.card;
  const double daily = card.feeRate * (1.0 / 36500);
  // The balance times the days, in 64 bits: 700,000 yen with two decimal places over a month
  // passes 32 bits.
  const auto accrued = [daily](int64_t balance, int64_t days) {
    return truncated(static_cast<double>(balance * days) * daily);
  };
  int64_t balance = loan.definition->amount;
  int64_t accrual = 0;  // the balance the fee runs on, from `from`
  Day from = period.start;
  int64_t fee = 0;
  for (const CHinmei& e : store) {
    if (!e.isDated()) continue;
    if (e.date > period.closing) break;
    if ((e.flags & EF_LOAN) == 0 || e.name != card.cardName) continue;
    if ((e.flags & EF_EXPENSE) != 0) {
      balance -= e.amount;
    } else if ((e.flags & EF_INCOME) != 0) {
      balance += e.amount;
    }
    if (e.date >= period.start && balance != accrual) {
      fee += accrued(accrual, int64_t{e.date} - from + 1);
      from = e.date + 1;
      accrual = balance;
    }
  }
  if (period.closing >= from) fee += accrued(accrual, int64_t{period.closing} - from + 1);
  r.balance = balance;
  r.feeCharged = card.feeAtFirstSettlement != 0 || card.carriedBalance != 0;
  r.fee = r.feeCharged ? fee : 0;
  int64_t payment = 0;
  int64_t least = 0;
  if (card.method == 1) {
    payment = truncated(static_cast<double>(balance) * card.paymentRate * 0.01);
    least = card.minimumPayment;
  } else {
    least = card.payments[0];
    // A balance above the last bound finds no row and pays nothing from the table.
    for (size_t i = 0; i < card.balanceBounds.size(); ++i) {
      if (card.balanceBounds[i] >= balance) {
        payment = card.payments[i];
        break;
      }
    }
  }
  if (r.feeCharged && card.feeAddedTo == 0) payment += r.fee;
  const int64_t owed = balance + r.fee;
  r.due = least < owed ? payment : owed;
  r.carried = owed - r.due;
  return r;
}

CardSettlementRun settleCards(CHinmeiList& store, const AutoEntryOptions& options,
                              const HolidayCalendar& holidays, Day today) {
  CardSettlementRun run;
  const CardItems items = cardItems(store);
  if (!items.complete()) return run;
  std::set<std::u16string> waiting;  // cards whose payment could not be stored
  AutoEntryOptions upToClosing = options;
  upToClosing.tellFaults = false;
  bool stopped = false;  // the user stopped every automatic entry for now
  for (;;) {
    // The card whose closing came first; the store's order among equal dates.
    std::optional<std::u16string> next;
    CardPeriod nextPeriod;
    for (const CAccount& loan : store.accounts(kKindLoan)) {
      if (!isCard(loan) || waiting.count(loan.name) != 0) continue;
      const CardPeriod period =
          cardPeriod(*loan.card, {loan.card->nextClosingYear, loan.card->nextClosingMonth},
                     options.restDays, holidays);
      if (today <= period.closing) continue;
      if (!next || period.closing < nextPeriod.closing) {
        next = loan.name;
        nextPeriod = period;
      }
    }
    if (!next) break;
    // What is due by the closing day is written first: a payment made by then lowers the
    // balance the closing bills.
    if (!stopped) {
      CAutoEntries entries(store, upToClosing, holidays);
      AutoEntryReport before = entries.execute(nextPeriod.closing, false);
      stopped = before.stopped;
      append(run.written.written, std::move(before.written));
      run.written.collected += before.collected;
      append(run.removedRules, entries.removeFinished());
    }
    const CAccount* loan = store.findLoan(*next);
    if (loan == nullptr || !isCard(*loan)) {
      waiting.insert(*next);
      continue;
    }
    CardSettlement s = settleMonth(store, *loan, items, nextPeriod, today);
    if (s.refused) waiting.insert(*next);
    run.settlements.push_back(std::move(s));
  }
  return run;
}

Day cardRuleDate(const CAutoRule& rule) {
  return clampDay(rule.scheduleYear, rule.scheduleMonth, rule.scheduleDay);
}

}  // namespace sorami
