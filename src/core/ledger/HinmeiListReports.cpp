// Totals over several accounting months: the monthly matrix and the monthly totals of a name.
#include "ledger/HinmeiList.h"

namespace sorami {

// Entries come in day order, so the column only ever moves forward from the hint.
int CHinmeiList::columnOf(const std::vector<DaySpan>& months, Day day, size_t& hint) const {
  while (hint < months.size() && day > months[hint].last) ++hint;
  if (hint == months.size() || day < months[hint].first) return -1;
  return static_cast<int>(hint) + 1;
}

MonthlyMatrix CHinmeiList::monthlyMatrix(const std::vector<DaySpan>& monthsGiven) {
  MonthlyMatrix m;
  const std::vector<DaySpan> months(
      monthsGiven.begin(), monthsGiven.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                     monthsGiven.size(), kMaxMatrixMonths)));
  if (months.empty()) return m;
  m.first = months.front().first;
  m.last = months.back().last;
  if (!cursor_) fillAccountsFromHead();
  int64_t cash = initialCash();
  int64_t accounts = 0;
  int64_t loans = 0;
  for (const CAccount& a : accounts_) accounts += a.definition->amount;
  for (const CAccount& a : loans_) loans += a.definition->amount;
  size_t hint = 0;
  for (Position p = firstDated(); p != entries_.end() && p->date <= m.last; ++p) {
    if (p->isEndMarker()) break;
    const Effect effect = effectOf(*p);
    if (p->date < m.first) {
      cash += effect.cash;
      accounts += effect.accounts;
      loans += effect.loans;
      continue;
    }
    const int c = columnOf(months, p->date, hint);
    if (c < 0 || p->item >= itemCount_) continue;
    m.lastColumn = c;
    auto& row = m.cells[p->item];
    row[static_cast<size_t>(c)] += p->amount;
    row[0] += p->amount;
    m.cells[kRowCash][static_cast<size_t>(c)] += effect.cash;
    m.cells[kRowAccounts][static_cast<size_t>(c)] += effect.accounts;
    m.cells[kRowLoans][static_cast<size_t>(c)] += effect.loans;
  }
  for (size_t c = 1; c <= months.size(); ++c) {
    cash += m.cells[kRowCash][c];
    accounts += m.cells[kRowAccounts][c];
    loans += m.cells[kRowLoans][c];
    m.cells[kRowCash][c] = cash;
    m.cells[kRowAccounts][c] = accounts;
    m.cells[kRowLoans][c] = loans;
    m.cells[kRowAssets][c] = cash + accounts - loans;
  }
  m.cells[kRowCash][0] = cash;
  m.cells[kRowAccounts][0] = accounts;
  m.cells[kRowLoans][0] = loans;
  m.cells[kRowAssets][0] = cash + accounts - loans;
  return m;
}

void CHinmeiList::monthlyTotalsOfName(uint16_t item, std::u16string_view name, bool substring,
                                      const std::vector<DaySpan>& months, std::vector<int64_t>& row,
                                      CountedLines* counted) {
  const size_t n = std::min(months.size(), kMaxMatrixMonths);
  if (row.size() < n + 1) row.resize(n + 1, 0);
  if (n == 0) return;
  size_t hint = 0;
  for (Position p = firstOnOrAfter(months.front().first);
       p != entries_.end() && p->date <= months[n - 1].last; ++p) {
    if (p->item != item || p->isEndMarker()) continue;
    const bool matches =
        name.empty() ||
        (substring ? p->name.view().find(name) != std::u16string::npos : p->name == name);
    const int c = columnOf(months, p->date, hint);
    if (!matches || c < 0 || static_cast<size_t>(c) > n) continue;
    if (counted != nullptr && !counted->insert(&*p).second) continue;
    row[static_cast<size_t>(c)] += p->amount;
    row[0] += p->amount;
  }
}

}  // namespace sorami
