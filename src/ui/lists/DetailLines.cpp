#include "lists/DetailLines.h"

#include <QStringList>
#include <algorithm>

#include "rules/AmountText.h"
#include "rules/Calendar.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

namespace {

constexpr int SummaryDateCells = 9;  // "yy/mm/dd" and a space
constexpr int CashItemColumn = 10;
constexpr int CashNameColumn = 21;
constexpr int CashWeekdayColumn = 5;

bool isIncome(const CHinmei& e) {
  return (e.flags & EF_INCOME) != 0;
}

QString text(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

QString shortDate(Day day, bool withYear) {
  const Ymd d = ymdFromDay(day);
  if (withYear) return QString::asprintf("%2.2d/%2.2d/%2.2d", d.year % 100, d.month, d.day);
  return QString::asprintf("%2.2d/%2.2d", d.month, d.day);
}

}  // namespace

TextMeasure TextMeasure::cells(int unit) {
  return {unit, {}};
}

int TextMeasure::cellCount(const QString& text) {
  int n = 0;
  for (QChar c : text) {
    const char16_t u = c.unicode();
    const bool half = u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F);
    n += half ? 1 : 2;
  }
  return n;
}

// ---- Filling.

void DetailLines::clear() {
  rows_.clear();
  lastDay_ = MinDay;
  running_ = 0;
  noBalance_ = false;
  opening_ = 0;
  firstTotal_ = 0;
  secondTotal_ = 0;
  accountTotal_ = 0;
}

void DetailLines::fill(const DetailSource& source) {
  source_ = source;
  clear();
  const CHinmei* item = source.item;
  if (source.mode == DisplayMode::CashBook) {
    kind_ = DetailKind::CashBook;
  } else if (item != nullptr && (item->flags & EF_ACCOUNT) != 0) {
    kind_ = DetailKind::Savings;
  } else if (item != nullptr && (item->flags & EF_LOAN) != 0) {
    kind_ = DetailKind::Loan;
  } else {
    kind_ = DetailKind::Ordinary;
  }
  if (source.store == nullptr) return;
  switch (kind_) {
    case DetailKind::CashBook:
      fillCashBook();
      break;
    case DetailKind::Savings:
      fillAccounts(EF_ACCOUNT);
      break;
    case DetailKind::Loan:
      fillAccounts(EF_LOAN);
      break;
    case DetailKind::Ordinary:
      if (item != nullptr) fillOrdinary();
      break;
  }
}

void DetailLines::fillOrdinary() {
  CHinmeiList& store = *source_.store;
  const auto lines =
      store.dayList(source_.last, source_.item->item, store.firstOnOrAfter(source_.first));
  rows_.reserve(lines.size());
  for (CHinmeiList::Position p : lines) append(p);
}

void DetailLines::fillAccounts(uint16_t kind) {
  CHinmeiList& store = *source_.store;
  const auto transfers = store.dayList(source_.last, kind, store.firstOnOrAfter(source_.first));
  // Which transfers already went to an account of the list.
  std::vector<bool> taken(transfers.size(), false);
  for (const CAccount& account : store.accounts(kind)) {
    const auto definition = store.definitionByName(account.name, kind);
    if (!definition) continue;
    running_ = balanceAtStart(account, **definition);
    bool any = false;
    for (size_t i = 0; i < transfers.size(); ++i) {
      if (taken[i] || transfers[i]->name != account.name) continue;
      taken[i] = true;
      append(transfers[i]);
      any = true;
    }
    if (!any) append(*definition);
    accountTotal_ += rows_.back().balance;
  }
  // Transfers that name no registered account come last, without a balance.
  noBalance_ = true;
  for (size_t i = 0; i < transfers.size(); ++i) {
    if (!taken[i]) append(transfers[i]);
  }
}

int64_t DetailLines::balanceAtStart(const CAccount& account, const CHinmei& definition) const {
  CHinmeiList& store = *source_.store;
  if (store.balanceCursor() && store.computedDay() == source_.first) return account.balance;
  // The running state is elsewhere: count the transfers before the span.
  const int64_t moved =
      store.transferSum(account.name, account.kind & (EF_ACCOUNT | EF_LOAN), source_.first - 1);
  return definition.amount + (account.isLoan() ? -moved : moved);
}

void DetailLines::fillCashBook() {
  CHinmeiList& store = *source_.store;
  opening_ = openingCash();
  running_ = opening_;
  const int items = store.itemCount();
  for (auto p = store.firstOnOrAfter(source_.first); p != store.end() && p->date <= source_.last;
       ++p) {
    if (p->isDefinition() || p->isEndMarker() || p->item >= items) continue;
    append(p);
  }
}

int64_t DetailLines::openingCash() const {
  CHinmeiList& store = *source_.store;
  if (store.balanceCursor() && store.computedDay() == source_.first) return store.cashBalance();
  int64_t cash = store.initialCash();
  const int items = store.itemCount();
  for (auto p = store.firstDated(); p != store.end() && p->date < source_.first; ++p) {
    if (p->isDefinition() || p->item >= items) continue;
    cash += isIncome(*p) ? p->amount : -int64_t{p->amount};
  }
  return cash;
}

bool DetailLines::countsForTotals(const CHinmei& e) const {
  const LedgerOptions& o = source_.store->context().options;
  if ((e.flags & EF_ACCOUNT) != 0) return o.savingsInTotals;
  if ((e.flags & EF_LOAN) != 0) return o.loansInTotals;
  return true;
}

std::pair<int64_t, int64_t> DetailLines::accountColumns(const CHinmei& e) const {
  if (e.isDefinition()) return {0, 0};
  // A deposit and a borrowing bring money into the account or loan; the other side takes out.
  const bool into = (e.flags & EF_LOAN) != 0 ? isIncome(e) : !isIncome(e);
  return into ? std::pair<int64_t, int64_t>{e.amount, 0} : std::pair<int64_t, int64_t>{0, e.amount};
}

void DetailLines::applyToRunning(const CHinmei& e) {
  if (e.isDefinition()) return;
  if (kind_ == DetailKind::CashBook || !e.isTransfer()) {
    running_ += isIncome(e) ? e.amount : -int64_t{e.amount};
    if (countsForTotals(e)) (isIncome(e) ? firstTotal_ : secondTotal_) += e.amount;
    return;
  }
  const auto [in, out] = accountColumns(e);
  firstTotal_ += in;
  secondTotal_ += out;
  running_ += in - out;
}

void DetailLines::addLine(CHinmeiList::Position entry) {
  rows_.push_back({entry, running_, !noBalance_});
  lastDay_ = entry->date;
}

int DetailLines::append(CHinmeiList::Position entry) {
  const CHinmei& e = *entry;
  // In date-ordered lists a late line finds its day. Account lines stay in their account's
  // group, and so does the line of an account without transfers.
  const bool dated =
      kind_ == DetailKind::CashBook || (summary() && !e.isTransfer() && !e.isDefinition());
  if (dated && e.date < lastDay_) return insertInDateOrder(entry);
  applyToRunning(e);
  addLine(entry);
  return size() - 1;
}

int DetailLines::insertInDateOrder(CHinmeiList::Position entry) {
  const auto later = std::find_if(rows_.begin(), rows_.end(),
                                  [&](const DetailRow& r) { return r.entry->date > entry->date; });
  const int at = static_cast<int>(later - rows_.begin());
  rows_.insert(later, DetailRow{entry, 0, true});
  running_ = at == 0 ? opening_ : rows_[static_cast<size_t>(at - 1)].balance;
  const int64_t first = firstTotal_;
  const int64_t second = secondTotal_;
  for (size_t i = static_cast<size_t>(at); i < rows_.size(); ++i) {
    const CHinmei& e = *rows_[i].entry;
    running_ += isIncome(e) ? e.amount : -int64_t{e.amount};
    rows_[i].balance = running_;
  }
  // Only the new line adds to the totals.
  firstTotal_ = first;
  secondTotal_ = second;
  if (countsForTotals(*entry)) (isIncome(*entry) ? firstTotal_ : secondTotal_) += entry->amount;
  return at;
}

int64_t DetailLines::closingBalance(int index) const {
  if (rows_.empty()) return running_;
  if (index < 0 || index >= size()) return rows_.back().balance;
  return row(index).balance;
}

// ---- Coded lines.

QString DetailLines::padding() const {
  return summary() ? QString(SummaryDateCells, u' ') : QStringLiteral(" ");
}

QString DetailLines::money(int64_t value) const {
  return QString::fromStdU16String(formatAmount(value, true, source_.decimalPlaces));
}

QString DetailLines::headerText() const {
  switch (kind_) {
    case DetailKind::CashBook:
      return QStringLiteral("F  M\t月/日\t項 目 名\t品　名\t入　金\t出　金\t現金残高\t備　考 ");
    case DetailKind::Savings:
    case DetailKind::Loan: {
      const QString prefix =
          summary() ? QStringLiteral("D  M\t年/月/日 ") : QStringLiteral("D  M\t ");
      return prefix + (kind_ == DetailKind::Savings
                           ? QStringLiteral("\t口 座 名\t入　金\t出　金\t残　高\t備　考 ")
                           : QStringLiteral("\t借 入 名\t借　入\t返　済\t残　高\t備　考 "));
    }
    case DetailKind::Ordinary:
      break;
  }
  return summary() ? QStringLiteral("C  M\t年/月/日 \t品　名\t金　額\t備　考")
                   : QStringLiteral("C  M\t \t品　名\t金　額\t備　考");
}

QString DetailLines::totalText() const {
  const QString total = QStringLiteral("　　　　　合 計");
  switch (kind_) {
    case DetailKind::CashBook: {
      const Ymd a = ymdFromDay(source_.first);
      const Ymd b = ymdFromDay(source_.last);
      return QString::asprintf("FB  \t%4.4d年\t%2.2d/%2.2d-%2.2d/%2.2d\t", a.year, a.month, a.day,
                               b.month, b.day) +
             QStringList{total, money(firstTotal_), money(secondTotal_), money(closingBalance(-1)),
                         QStringLiteral(" ")}
                 .join(u'\t');
    }
    case DetailKind::Savings:
    case DetailKind::Loan:
      return QStringList{QStringLiteral("D   "), padding(),           total,
                         money(firstTotal_),     money(secondTotal_), money(accountTotal_),
                         QStringLiteral(" ")}
          .join(u'\t');
    case DetailKind::Ordinary:
      break;
  }
  const int64_t itemTotal = source_.item != nullptr && source_.store != nullptr
                                ? source_.store->itemTotal(source_.item->item)
                                : 0;
  return QStringList{QStringLiteral("C   "), padding(),           total,
                     money(itemTotal),       QStringLiteral(" "), QStringLiteral(" ")}
      .join(u'\t');
}

QString DetailLines::selectionText(const std::vector<int>& selected,
                                   int64_t* selectedAmount) const {
  int64_t amount = 0;
  QString line;
  const QString label = QStringLiteral("　　　 選択合計");
  if (selected.size() < 2) {
    if (selected.size() == 1) amount = entry(selected.front()).amount;
    line = totalText();
  } else if (kind_ == DetailKind::CashBook) {
    int64_t income = 0;
    for (int i : selected) {
      const CHinmei& e = entry(i);
      if (countsForTotals(e)) (isIncome(e) ? income : amount) += e.amount;
    }
    line = QStringList{QStringLiteral("FB  "), QStringLiteral(" "),
                       QStringLiteral(" "),    label,
                       money(income),          money(amount),
                       QStringLiteral(" "),    QStringLiteral(" ")}
               .join(u'\t');
  } else if (kind_ == DetailKind::Ordinary) {
    for (int i : selected) amount += entry(i).amount;
    line = QStringList{QStringLiteral("C   "), padding(),           label,
                       money(amount),          QStringLiteral(" "), QStringLiteral(" ")}
               .join(u'\t');
  } else {
    int64_t in = 0;
    int64_t balances = 0;
    const CompactText* previous = nullptr;
    for (int i : selected) {
      const CHinmei& e = entry(i);
      const auto [a, b] = accountColumns(e);
      in += a;
      amount += b;
      if (previous != nullptr && *previous == e.name) continue;
      previous = &e.name;
      // An account's balance counts once per run, as it stands after its last line.
      for (int j = size() - 1; j >= 0; --j) {
        if (entry(j).name != e.name) continue;
        if (row(j).hasBalance) balances += row(j).balance;
        break;
      }
    }
    line = QStringList{QStringLiteral("D   "), padding(),          label, money(in), money(amount),
                       money(balances),        QStringLiteral(" ")}
               .join(u'\t');
  }
  if (selectedAmount != nullptr) *selectedAmount = amount;
  return line;
}

// ---- Positions.

int DetailLines::firstLineFrom(Day day) const {
  if (rows_.empty()) return -1;
  for (int i = 0; i < size(); ++i) {
    if (entry(i).date >= day) return i;
  }
  return size() - 1;
}

int DetailLines::lastLineOf(Day day) const {
  if (rows_.empty()) return -1;
  int after = size();
  for (int i = 0; i < size(); ++i) {
    if (entry(i).date > day) {
      after = i;
      break;
    }
  }
  return std::max(after - 1, 0);
}

bool DetailLines::isHoliday(Day day) const {
  return source_.holidays != nullptr && source_.holidays->kindOfDay(day) != 0;
}

std::vector<LineCell> DetailLines::cells(int index, const TextMeasure& m) const {
  std::vector<LineCell> out;
  switch (kind_) {
    case DetailKind::Ordinary:
      ordinaryCells(index, m, out);
      break;
    case DetailKind::Savings:
    case DetailKind::Loan:
      accountCells(index, m, out);
      break;
    case DetailKind::CashBook:
      cashBookCells(index, m, out);
      break;
  }
  return out;
}

namespace {

// The product name runs from its column to the first amount, and at most 20 cells.
LineCell nameCell(const CHinmei& e, int x, const LineCell& firstAmount, const TextMeasure& m) {
  LineCell cell{text(e.name), x};
  cell.clipRight = std::min(firstAmount.left(m), x + NameClipCells * m.unit);
  return cell;
}

LineCell amountCell(QString s, int right, bool redWhenNegative = false) {
  LineCell cell{std::move(s), right, true};
  if (redWhenNegative && cell.text.startsWith(u'-')) cell.color = CellColor::Red;
  return cell;
}

}  // namespace

void DetailLines::ordinaryCells(int index, const TextMeasure& m, std::vector<LineCell>& out) const {
  const CHinmei& e = entry(index);
  const int u = m.unit;
  const int start = summary() ? SummaryDateCells * u : u;
  if (summary()) out.push_back({shortDate(e.date, true), 0});
  const LineCell amount = amountCell(money(e.amount), start + source_.geometry.nameSpan() * u);
  out.push_back(nameCell(e, start, amount, m));
  out.push_back(amount);
  out.push_back({text(e.visibleMemo()), amount.x + u});
}

void DetailLines::accountCells(int index, const TextMeasure& m, std::vector<LineCell>& out) const {
  const CHinmei& e = entry(index);
  const DetailRow& r = row(index);
  const int u = m.unit;
  const int step = source_.geometry.amountStep() * u;
  const int start = summary() ? SummaryDateCells * u : u;
  if (summary()) {
    if (e.isDefinition()) {
      out.push_back({QStringLiteral("<未使用>"), 0, false, CellColor::Highlight});
    } else {
      out.push_back({shortDate(e.date, true), 0});
    }
  }
  const auto [in, outAmount] = accountColumns(e);
  const LineCell first = amountCell(money(in), start + source_.geometry.nameSpan() * u);
  out.push_back(nameCell(e, start, first, m));
  out.push_back(first);
  out.push_back(amountCell(money(outAmount), first.x + step));
  const int balanceRight = first.x + 2 * step;
  if (r.hasBalance) out.push_back(amountCell(money(r.balance), balanceRight, true));
  out.push_back({text(e.visibleMemo()), balanceRight + u});
}

void DetailLines::cashBookCells(int index, const TextMeasure& m, std::vector<LineCell>& out) const {
  const CHinmei& e = entry(index);
  const int u = m.unit;
  const int step = source_.geometry.amountStep() * u;
  const bool holiday = isHoliday(e.date);
  const int weekday = weekdayOf(e.date);
  const bool rest = weekday >= 0 && (source_.weeklyRestDays >> weekday & 1) != 0;
  out.push_back({shortDate(e.date, false), 0, false, holiday ? CellColor::Red : CellColor::Normal});
  out.push_back({QStringLiteral("(") + QChar(weekdayChar(e.date)) + QStringLiteral(")"),
                 CashWeekdayColumn * u, false,
                 holiday || rest ? CellColor::Red : CellColor::Normal});
  const CHinmei* item = source_.store->itemByNumber(e.item);
  LineCell itemCell{item != nullptr ? text(item->name) : QString(), CashItemColumn * u};
  itemCell.clipRight = CashNameColumn * u;
  out.push_back(itemCell);
  const int start = CashNameColumn * u;
  const QString amount = money(e.amount);
  const QString zero = money(0);
  const LineCell income =
      amountCell(isIncome(e) ? amount : zero, start + source_.geometry.nameSpan() * u);
  out.push_back(nameCell(e, start, income, m));
  out.push_back(income);
  out.push_back(amountCell(isIncome(e) ? zero : amount, income.x + step));
  out.push_back(amountCell(money(row(index).balance), income.x + 2 * step, true));
  out.push_back({text(e.visibleMemo()), income.x + 2 * step + u});
}

int DetailLines::extent(int index, const TextMeasure& m) const {
  const int a = source_.geometry.amountDigits;
  const int n = source_.geometry.nameWidth;
  const int d = summary() ? SummaryDateCells - 1 : 0;
  int cells = 0;
  switch (kind_) {
    case DetailKind::Ordinary:
      cells = a + n + 5 + d;
      break;
    case DetailKind::Savings:
    case DetailKind::Loan:
      cells = 3 * a + n + 11 + d;
      break;
    case DetailKind::CashBook:
      cells = 3 * a + n + 31;
      break;
  }
  return m.of(text(entry(index).visibleMemo())) + cells * m.unit;
}

int DetailLines::hitColumn(int x, const TextMeasure& m) const {
  const int u = x / std::max(m.unit, 1);
  const int a = source_.geometry.amountDigits;
  const int n = source_.geometry.nameWidth;
  const int d = summary() ? SummaryDateCells - 1 : 0;
  int nameEnd = n + 1 + d;
  int amountEnd = a + n + 4 + d;
  if (kind_ == DetailKind::CashBook) {
    nameEnd = n + 21;
    amountEnd = 3 * a + n + 30;
  } else if (kind_ != DetailKind::Ordinary) {
    amountEnd = 3 * a + n + 10 + d;
  }
  if (u < nameEnd) return HitName;
  return u < amountEnd ? HitAmount : HitMemo;
}

}  // namespace sorami
