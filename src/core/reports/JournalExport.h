#pragma once
// The ledger as a plain-text accounting journal that ledger and hledger read: the balances at
// the start as an opening transaction, then each line (a pair as one transaction) between the
// cash, the item's income or expense account, and the savings account or loan it moves.

#include <ostream>
#include <string>

#include "reports/LedgerExport.h"

namespace sorami {

// Account names of the journal.
inline constexpr std::u16string_view kJournalCash = u"資産:現金";
inline constexpr std::u16string_view kJournalSavings = u"資産:貯蓄:";
inline constexpr std::u16string_view kJournalLoans = u"負債:借入:";
inline constexpr std::u16string_view kJournalExpenses = u"支出:";
inline constexpr std::u16string_view kJournalIncome = u"収入:";
inline constexpr std::u16string_view kJournalOpening = u"資本:開始残高";
// The tag of accounts and loans kept outside the total assets.
inline constexpr std::u16string_view kJournalOutsideTag = u"総資産外";

struct JournalFormat {
  int decimalPlaces = 0;
  std::u16string currencySymbol = u"\\";
  // The day of the opening balances when the range starts at no day and the file has no lines.
  Day fallbackDay = MinDay;
};

// The commodity as the journal writes it: the file's old yen sign "\" as "¥", quoted when the
// tools would otherwise not read it.
std::string journalCommodity(std::u16string_view symbol);

// Brings the store's running state to the range's first day for the opening balances.
void writeJournal(CHinmeiList& list, ExportRange range, const JournalFormat& format,
                  std::ostream& out);

}  // namespace sorami
