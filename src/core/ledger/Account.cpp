#include "ledger/Account.h"

#include <vector>

namespace sorami {

namespace {

std::vector<std::u16string_view> splitAt(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (end == std::u16string_view::npos) return parts;
    start = end + 1;
  }
}

void appendNumber(std::u16string& out, int64_t value) {
  if (!out.empty() && out.back() != u'\n') out.push_back(u',');
  out += settingsIntText(value);
}

// The numbers an account and a loan share, in stored order: watch days, threshold, values 1-6.
void appendCommonNumbers(std::u16string& out, const CAccount& a) {
  appendNumber(out, a.watchDays);
  appendNumber(out, a.watchThreshold);
  for (int32_t v : a.values) appendNumber(out, v);
}

// Returns how many of the common numbers were present.
size_t readCommonNumbers(const std::vector<std::u16string_view>& numbers, CAccount& a) {
  const size_t n = numbers.size();
  if (n > 0) a.watchDays = parseSettingsInt(numbers[0]);
  if (n > 1) a.watchThreshold = parseSettingsInt(numbers[1]);
  for (size_t i = 0; i < a.values.size() && i + 2 < n; ++i) {
    a.values[i] = parseSettingsInt(numbers[i + 2]);
  }
  return n;
}

// Year and month of a day, without the calendar helpers: days count from 1899-12-30.
void yearMonthOf(Day day, int& year, int& month) {
  const Ymd ymd = ymdFromDay(day);
  year = ymd.year;
  month = ymd.month;
}

// Resets the fields that a settings text carries, keeping the balance, name, kind and so on.
void resetSettings(CAccount& a) {
  const CAccount fresh;
  a.card.reset();
  a.watchDays = fresh.watchDays;
  a.watchThreshold = fresh.watchThreshold;
  a.cardFlag = fresh.cardFlag;
  a.values = fresh.values;
  a.line1.clear();
  a.line2.clear();
}

}  // namespace

CAccount::CAccount(const CAccount& other)
    : card(other.card ? std::make_unique<CardSettings>(*other.card) : nullptr),
      balance(other.balance),
      name(other.name),
      kind(other.kind),
      definition(other.definition),
      shortfall(other.shortfall),
      watchDays(other.watchDays),
      watchThreshold(other.watchThreshold),
      cardFlag(other.cardFlag),
      values(other.values),
      line1(other.line1),
      line2(other.line2) {}

CAccount& CAccount::operator=(const CAccount& other) {
  if (this != &other) *this = CAccount(other);
  return *this;
}

std::u16string CAccount::settingsText() const {
  // Appended piece by piece rather than with a chain of +, which GCC 12 at -O3 misreads as an
  // overlapping copy (-Wrestrict).
  std::u16string out;
  if (isLoan()) {
    if (card) out += card->settlementAccount;
    out += u'\n';
  }
  out += line1;
  out += u'\n';
  out += line2;
  out += u'\n';
  appendCommonNumbers(out, *this);
  if (!isLoan()) return out;
  appendNumber(out, cardFlag);
  if (card) {
    out += u',';
    out += card->valuesText();
  }
  return out;
}

// A text that cannot be read leaves the defaults, never the values this object held before
// (an object may be reused for another account).
bool CAccount::readSettingsText(std::u16string_view text, Day today) {
  resetSettings(*this);
  CAccount read(*this);
  const bool ok = isLoan() ? read.readLoanText(text, today) : read.readAccountText(text);
  if (ok) {
    *this = std::move(read);
  } else if (isLoan()) {
    const Ymd ymd = ymdFromDay(today);
    card = std::make_unique<CardSettings>(CardSettings::newRecord(ymd.year, ymd.month));
  }
  return ok;
}

bool CAccount::readAccountText(std::u16string_view text) {
  const size_t first = text.find(u'\n');
  if (first != std::u16string_view::npos) {
    const size_t second = text.find(u'\n', first + 1);
    if (second == std::u16string_view::npos) return false;
    line1 = std::u16string(text.substr(0, first));
    line2 = std::u16string(text.substr(first + 1, second - first - 1));
    text.remove_prefix(second + 1);
  }
  readCommonNumbers(splitAt(text, u','), *this);
  return true;
}

bool CAccount::readLoanText(std::u16string_view text, Day today) {
  const std::vector<std::u16string_view> lines = splitAt(text, u'\n');
  if (lines.size() < 2) return false;
  int year = 0;
  int month = 0;
  yearMonthOf(today, year, month);
  card = std::make_unique<CardSettings>(CardSettings::newRecord(year, month));
  card->settlementAccount = std::u16string(lines[0]);
  // Files of earlier versions have only the payment account's line before the numbers.
  const bool oldForm = lines.size() < 4;
  if (oldForm) {
    readLoanNumbers(text.substr(lines[0].size() + 1), true);
  } else {
    line1 = std::u16string(lines[1]);
    line2 = std::u16string(lines[2]);
    readLoanNumbers(lines[3], false);
  }
  if (cardFlag != 0) card->cardName = name;
  if (card->nextClosingYear < 100 || card->nextClosingYear > 9999) card->nextClosingYear = year;
  if (card->nextClosingMonth < 1 || card->nextClosingMonth > 12) card->nextClosingMonth = month;
  return true;
}

void CAccount::readLoanNumbers(std::u16string_view text, bool oldForm) {
  const std::vector<std::u16string_view> numbers = splitAt(text, u',');
  size_t next = 0;
  if (oldForm) {
    if (numbers.size() > 0) watchDays = parseSettingsInt(numbers[0]);
    if (numbers.size() > 1) watchThreshold = parseSettingsInt(numbers[1]);
    next = 2;
  } else {
    next = readCommonNumbers(numbers, *this) < 8 ? numbers.size() : 8;
  }
  if (next >= numbers.size()) {
    cardFlag = 0;
    return;
  }
  cardFlag = parseSettingsInt(numbers[next++]);
  for (size_t i = 0; next < numbers.size() && i < kCardValueCount; ++i, ++next) {
    card->setValue(i, numbers[next]);
  }
}

}  // namespace sorami
