#pragma once
// The monthly settlement of credit cards. A card is a loan whose purchases are lines on the
// loan item of the income side with the card's name; once a month's closing date has passed,
// the amount due (the purchases of the month, or the revolving payment with its fee) becomes a
// one-time automatic-entry rule that pays it from the settlement account on the payment day.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/AutoEntries.h"
#include "ledger/HinmeiList.h"
#include "rules/AutoRule.h"
#include "rules/Calendar.h"
#include "rules/CardSettings.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

// The memo of the entry that charges a revolving fee.
inline constexpr std::u16string_view kCardFeeMemo = u"手数料";

// The purchases a closing bills: from `start` to `closing`, both included.
struct CardPeriod {
  Day start = MinDay;
  Day closing = MinDay;
};

// The closing date of `month` with the card's closing day and rules, and the first day after the
// previous month's closing date computed the same way, so that consecutive periods meet without
// a gap or an overlap whatever the closing day and the rest days.
CardPeriod cardPeriod(const CardSettings& card, YearMonth month, unsigned restDays,
                      const HolidayCalendar& holidays);

// The payment month of a closing month: `offset` months later (any number, either way).
YearMonth cardPaymentMonth(YearMonth closing, int offset);

// The sum of the purchases in the period: lines on `loanItem` (the loan item of the income
// side) named `cardName`.
int64_t cardPurchases(CHinmeiList& store, uint16_t loanItem, std::u16string_view cardName,
                      const CardPeriod& period);

// What the revolving computation gives for a closing.
struct RevolvingPayment {
  int64_t balance = 0;  // the card's balance at the closing, before the fee
  int64_t fee = 0;      // the fee charged; 0 when it is not charged
  bool feeCharged = false;
  int64_t due = 0;
  int64_t carried = 0;  // the balance left after the payment
};

// The revolving payment of a loan with card settings for the period; computes only. A loan
// without a definition owes nothing.
RevolvingPayment revolvingPayment(const CHinmeiList& store, const CAccount& loan,
                                  const CardPeriod& period);

// One card's settlement of one closing month.
struct CardSettlement {
  std::u16string loan;
  YearMonth month;  // the closing month settled
  CardPeriod period;
  int64_t purchases = 0;
  int64_t fee = 0;
  int64_t due = 0;
  int64_t carried = 0;
  std::optional<CAutoRule> rule;  // the payment rule stored; none when nothing was due
  bool refused = false;           // the rule table was full: the month is settled again later
  YearMonth nextClosing;
};

struct CardSettlementRun {
  std::vector<CardSettlement> settlements;  // in order of their closing dates
  AutoEntryReport written;                  // the automatic entries written up to the closings
  std::vector<CAutoRule> removedRules;      // rules that finished on the way
};

// Settles every card whose closing date has passed as of `today`, month by month in the order
// of the closing dates, so that a file left closed for months catches up in one go. Before each
// closing, the automatic entries due up to that day are written, so that a payment made by then
// is not billed again. A payment rule the store cannot take (its table is full) leaves its
// card's month unsettled, unchanged, for the next opening, and the user is told.
CardSettlementRun settleCards(CHinmeiList& store, const AutoEntryOptions& options,
                              const HolidayCalendar& holidays, Day today);

// The date the payment rule names: its fixed date, the day lowered to the month's length, not
// moved off rest days.
Day cardRuleDate(const CAutoRule& rule);

}  // namespace sorami
