#include "reports/JournalExport.h"

#include <optional>
#include <set>
#include <vector>

#include "ledger/Account.h"
#include "platform/TextCodec.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

struct Posting {
  std::u16string account;
  int64_t amount = 0;
};

// Characters that the journal reads as structure: level separators, comments, the brackets of
// virtual postings and of dates.
char16_t journalSafe(char16_t c) {
  switch (c) {
    case u':':
      return u'：';
    case u';':
      return u'；';
    case u'(':
      return u'（';
    case u')':
      return u'）';
    case u'[':
      return u'［';
    case u']':
      return u'］';
    default:
      return c;
  }
}

// One line of text with runs of spaces, tabs and line breaks as one space.
std::u16string oneLine(std::u16string_view text) {
  std::u16string out;
  bool space = false;
  for (const char16_t c : text) {
    if (c <= u' ' || c == 0x7F) {
      space = true;
      continue;
    }
    if (space && !out.empty()) out += u' ';
    space = false;
    out += journalSafe(c);
  }
  return out;
}

std::u16string accountPart(std::u16string_view name) {
  std::u16string part = oneLine(name);
  return part.empty() ? std::u16string(u"（無名）") : part;
}

class JournalWriter {
 public:
  JournalWriter(CHinmeiList& list, const JournalFormat& format, std::ostream& out)
      : list_(list),
        format_(format),
        out_(out),
        commodity_(journalCommodity(format.currencySymbol)) {}

  void accounts() {
    out_ << "; sorami-cli export --format ledger\n";
    out_ << "account " << toUtf8(kJournalCash) << "\n";
    for (const CAccount& a : list_.accounts(kKindAccount)) declare(kJournalSavings, a);
    for (const CAccount& a : list_.accounts(kKindLoan)) declare(kJournalLoans, a);
    out_ << "account " << toUtf8(kJournalOpening) << "\n\n";
  }

  // The balances at the start of `day`, where the store's running state stands.
  void opening(Day day) {
    std::vector<Posting> postings{{std::u16string(kJournalCash), list_.cashBalance()}};
    for (const CAccount& a : list_.accounts(kKindAccount)) {
      postings.push_back({holding(kJournalSavings, a.name), a.balance});
    }
    for (const CAccount& a : list_.accounts(kKindLoan)) {
      postings.push_back({holding(kJournalLoans, a.name), -a.balance});
    }
    int64_t sum = 0;
    for (const Posting& p : postings) sum += p.amount;
    postings.push_back({std::u16string(kJournalOpening), -sum});
    std::erase_if(postings, [](const Posting& p) { return p.amount == 0; });
    // Dated the day before, so that a report up to `day` (its end excluded) holds them.
    out_ << isoDate(day - 1) << " * 開始残高\n";
    for (const Posting& p : postings) posting(p);
    out_ << "\n";
  }

  void line(const ExportLine& l) {
    if (pending_ && l.entry->isPairSecond()) {
      const ExportLine first = *pending_;
      pending_.reset();
      transaction({first, l});
      return;
    }
    flush();
    if (l.entry->isPairFirst()) {
      pending_ = l;
    } else {
      transaction({l});
    }
  }

  void flush() {
    if (!pending_) return;
    const ExportLine first = *pending_;
    pending_.reset();
    transaction({first});
  }

 private:
  void declare(std::u16string_view prefix, const CAccount& a) {
    out_ << "account " << toUtf8(holding(prefix, a.name)) << "\n";
    if (a.definition != nullptr && (a.definition->flags & EF_OUTSIDE_ASSETS) != 0) {
      outside_.insert(holding(prefix, a.name));
      out_ << "    ; " << toUtf8(kJournalOutsideTag) << ":\n";
    }
  }

  static std::u16string holding(std::u16string_view prefix, std::u16string_view name) {
    return std::u16string(prefix) + accountPart(name);
  }

  std::u16string counterAccount(const ExportLine& l) const {
    const CHinmei& e = *l.entry;
    if ((e.flags & EF_ACCOUNT) != 0) return holding(kJournalSavings, e.name);
    if ((e.flags & EF_LOAN) != 0) return holding(kJournalLoans, e.name);
    const std::u16string item = l.itemName.empty() ? u"項目" + fromUtf8(std::to_string(e.item))
                                                   : std::u16string(l.itemName);
    return holding(l.income ? kJournalIncome : kJournalExpenses, item);
  }

  static void add(std::vector<Posting>& postings, std::u16string account, int64_t amount) {
    for (Posting& p : postings) {
      if (p.account == account) {
        p.amount += amount;
        return;
      }
    }
    postings.push_back({std::move(account), amount});
  }

  // A pair is one movement: a card purchase names the purchase, a move between two accounts
  // names both.
  static std::u16string description(const std::vector<ExportLine>& lines) {
    if (lines.size() == 1) return oneLine(lines[0].entry->name);
    const bool firstTransfer = lines[0].entry->isTransfer();
    const bool secondTransfer = lines[1].entry->isTransfer();
    if (firstTransfer && !secondTransfer) return oneLine(lines[1].entry->name);
    if (secondTransfer && !firstTransfer) return oneLine(lines[0].entry->name);
    return oneLine(lines[0].entry->name) + u" → " + oneLine(lines[1].entry->name);
  }

  void transaction(const std::vector<ExportLine>& lines) {
    std::vector<Posting> postings;
    for (const ExportLine& l : lines) {
      const int64_t a = l.entry->amount;
      const int64_t toCounter = l.income ? -a : a;
      add(postings, counterAccount(l), toCounter);
      add(postings, std::u16string(kJournalCash), -toCounter);
    }
    std::erase_if(postings, [](const Posting& p) { return p.amount == 0; });
    if (postings.empty()) return;
    out_ << isoDate(lines[0].entry->date);
    std::u16string text = description(lines);
    // A leading mark would be read as the transaction's status.
    if (!text.empty() && text[0] == u'*') text[0] = u'＊';
    if (!text.empty() && text[0] == u'!') text[0] = u'！';
    if (!text.empty()) out_ << " " << toUtf8(text);
    out_ << "\n";
    for (const ExportLine& l : lines) comment(l.entry->visibleMemo());
    for (const Posting& p : postings) posting(p);
    out_ << "\n";
  }

  // A memo of several lines becomes several comment lines.
  void comment(std::u16string_view memo) {
    while (!memo.empty()) {
      const size_t end = memo.find_first_of(u"\r\n");
      const std::u16string_view part = memo.substr(0, end);
      std::u16string text;
      for (const char16_t c : part) text += c < u' ' ? u' ' : journalSafe(c);
      if (!text.empty()) out_ << "    ; " << toUtf8(text) << "\n";
      if (end == std::u16string_view::npos) break;
      memo.remove_prefix(end + 1);
    }
  }

  void posting(const Posting& p) {
    out_ << "    " << toUtf8(p.account) << "  " << commodity_
         << toUtf8(formatAmount(p.amount, false, format_.decimalPlaces));
    if (outside_.count(p.account) != 0) out_ << "  ; " << toUtf8(kJournalOutsideTag) << ":";
    out_ << "\n";
  }

  CHinmeiList& list_;
  const JournalFormat& format_;
  std::ostream& out_;
  std::string commodity_;
  std::set<std::u16string> outside_;
  std::optional<ExportLine> pending_;
};

Day openingDay(const CHinmeiList& list, ExportRange range, Day fallback) {
  if (range.from > MinDay) return range.from;
  for (const CHinmei& e : list) {
    if (e.isDated() && !e.isEndMarker()) return e.date;
  }
  return fallback;
}

bool isLetter(char16_t c) {
  return c >= 0x80 || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

std::string journalCommodity(std::u16string_view symbol) {
  // Files keep the yen sign as the backslash of the old Japanese code page, shown as "¥".
  if (symbol.empty() || symbol == u"\\") return toUtf8(u"¥");
  bool plain = true;
  for (const char16_t c : symbol) plain = plain && isLetter(c) && c != u'\u3000';
  if (plain) return toUtf8(symbol);
  // A quoted commodity cannot hold a quote or a backslash; those fall back to the yen sign.
  if (symbol.find_first_of(u"\"\\") != std::u16string_view::npos) return toUtf8(u"¥");
  // Appended piece by piece: GCC 12 at -O3 misreads a chain of + on strings as an overlapping
  // copy (-Wrestrict).
  std::string quoted(1, '"');
  quoted += toUtf8(symbol);
  quoted += '"';
  return quoted;
}

void writeJournal(CHinmeiList& list, ExportRange range, const JournalFormat& format,
                  std::ostream& out) {
  const Day day = openingDay(list, range, format.fallbackDay);
  list.computeToDay(day, true);
  JournalWriter writer(list, format, out);
  writer.accounts();
  writer.opening(day);
  forEachExportLine(list, range, [&](const ExportLine& l) { writer.line(l); });
  writer.flush();
}

}  // namespace sorami
