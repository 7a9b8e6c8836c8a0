#include "ledger/EntryInput.h"

#include <limits>
#include <utility>

#include "platform/Prompts.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr std::u16string_view kInputSpaces = u" \u3000";

uint16_t withoutItemBit(uint16_t flags) {
  return static_cast<uint16_t>(flags & ~EF_ITEM);
}

bool isIncomeSide(const CHinmei& def) {
  return (def.flags & EF_INCOME) != 0;
}

void informZeroRefused(CHinmeiList& store) {
  if (Prompts* p = store.context().prompts) {
    p->inform(MessageId::ZeroAmountRefused, {}, Icon::Warning);
  }
}

}  // namespace

std::u16string trimInputSpaces(std::u16string_view text) {
  const size_t first = text.find_first_not_of(kInputSpaces);
  if (first == std::u16string_view::npos) return {};
  const size_t last = text.find_last_not_of(kInputSpaces);
  return std::u16string(text.substr(first, last - first + 1));
}

NameAndMemo splitNameText(std::u16string_view text, std::u16string_view delimiters) {
  const std::u16string trimmed = trimInputSpaces(text.substr(0, kNameTextLimit));
  const size_t cut = delimiters.empty() ? std::u16string::npos : trimmed.find_first_of(delimiters);
  if (cut == std::u16string::npos) return {trimmed, {}};
  return {trimmed.substr(0, cut), trimmed.substr(cut + 1)};
}

std::optional<int> specialNameNumber(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int n = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = n * 10 + (c - u'0');
  }
  if (n < 1) return std::nullopt;
  return n;
}

std::u16string narrowFigures(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) {
    if (c >= u'\uFF01' && c <= u'\uFF5E') {
      c = static_cast<char16_t>(c - 0xFEE0);
    } else if (c == u'\u2212') {  // the minus sign some input methods give for －
      c = u'-';
    }
  }
  return out;
}

bool isAmountText(std::u16string_view text) {
  const std::u16string narrow = trimInputSpaces(narrowFigures(text));
  return narrow.empty() || narrow.find_first_of(u"0123456789") != std::u16string::npos;
}

std::optional<int32_t> readAmountText(std::u16string_view text, int decimalPlaces) {
  // The whole figure is read: cut short, a long amount would be taken for a tenth of itself.
  const int64_t value = parseAmount(trimInputSpaces(narrowFigures(text)), decimalPlaces);
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

uint16_t kindFlag(TransferKind kind) {
  switch (kind) {
    case TransferKind::Savings:
      return EF_ACCOUNT;
    case TransferKind::Loan:
      return EF_LOAN;
    case TransferKind::None:
      break;
  }
  return 0;
}

std::u16string transferText(TransferKind kind, std::u16string_view account, bool incomeItem) {
  if (kind == TransferKind::None) return {};
  std::u16string text = kind == TransferKind::Savings ? u"口座:" : u"借入:";
  text += account;
  text += incomeItem ? u"へ" : u"から";
  return text;
}

std::u16string composeMemo(std::u16string_view memo, std::u16string_view transfer) {
  if (memo.empty()) return std::u16string(transfer);
  std::u16string out(memo);
  if (!transfer.empty()) {
    out += u" :";
    out += transfer;
  }
  return out;
}

bool zeroAmountAccepted(CHinmeiList& store, const CHinmei& item, std::u16string_view name,
                        bool skipZeroAmounts) {
  if (!skipZeroAmounts) return true;
  if ((item.flags & EF_ACCOUNT) != 0) return store.findAccount(name) == nullptr;
  if ((item.flags & EF_LOAN) != 0) return store.findLoan(name) == nullptr;
  return false;
}

namespace {

std::optional<CHinmeiList::Position> writeLine(CHinmeiList& store, const EntryRequest& r,
                                               bool skipZeroAmounts) {
  if (r.item == nullptr) return std::nullopt;
  const CHinmei& def = *r.item;
  CHinmei entry(r.day, def.item, static_cast<uint16_t>(withoutItemBit(def.flags) | r.taxFlags),
                r.name, r.memo, r.amount);
  if (r.transfer == TransferKind::None) return store.insert(std::move(entry));
  if (r.amount == 0 && skipZeroAmounts) {
    informZeroRefused(store);
    return std::nullopt;
  }
  // The other half sits on the account or loan, on the opposite side of the cash; like every
  // line of such an item it names the account, and its memo tells where the money went.
  const uint16_t opposite = isIncomeSide(def) ? EF_EXPENSE : EF_INCOME;
  const CHinmei* other = store.itemByDirection(kindFlag(r.transfer) | opposite);
  if (other == nullptr) return std::nullopt;
  std::u16string memo = r.accountMemo
                            ? *r.accountMemo
                            : def.name + u":" + r.name + (isIncomeSide(*other) ? u"へ" : u"から");
  CHinmei half(r.day, other->item, withoutItemBit(other->flags), r.account, std::move(memo),
               r.amount);
  if (isIncomeSide(def)) {
    const auto second = store.insertPair(std::move(entry), std::move(half));
    if (!second) return std::nullopt;
    return std::prev(*second);
  }
  return store.insertPair(std::move(half), std::move(entry));
}

// An item of that number on that side that is neither an account nor a loan item.
const CHinmei* ordinaryItem(const CHinmeiList& store, int number, uint16_t side) {
  if (number < 0 || number >= static_cast<int>(kMaxItems)) return nullptr;
  const CHinmei* item = store.itemByNumber(number);
  if (item == nullptr || (item->flags & side) == 0) return nullptr;
  return (item->flags & (EF_ACCOUNT | EF_LOAN)) == 0 ? item : nullptr;
}

}  // namespace

std::optional<CHinmeiList::Position> writeEntry(CHinmeiList& store, const EntryRequest& r,
                                                bool skipZeroAmounts,
                                                const TaxLineSettings& taxLines) {
  const std::optional<CHinmeiList::Position> written = writeLine(store, r, skipZeroAmounts);
  if (written && r.tax != 0 && r.item != nullptr) {
    writeLine(store, taxLineRequest(store, r, r.tax, taxLines), skipZeroAmounts);
  }
  return written;
}

EntryRequest taxLineRequest(CHinmeiList& store, const EntryRequest& entry, int32_t tax,
                            const TaxLineSettings& settings) {
  EntryRequest t;
  t.day = entry.day;
  t.item = entry.item;
  t.amount = tax;
  t.transfer = entry.transfer;
  t.account = entry.account;
  t.name = settings.taxName;
  t.memo = entry.name;
  if (entry.item == nullptr) return t;
  const CHinmei& def = *entry.item;
  if (entry.transfer != TransferKind::None) {
    t.accountMemo = settings.taxName;
  } else if ((def.flags & (EF_ACCOUNT | EF_LOAN)) != 0) {
    // A line of an account or loan item names the account; the tax goes the same way.
    t.name = entry.name;
    t.memo = settings.taxName;
  } else {
    const bool income = isIncomeSide(def);
    const int number = income ? settings.incomeItem : settings.expenseItem;
    if (const CHinmei* taxItem = ordinaryItem(store, number, income ? EF_INCOME : EF_EXPENSE)) {
      t.item = taxItem;
      t.memo = def.name + u":" + entry.name;
    }
  }
  return t;
}

WriteTaxOutcome writeTax(CHinmeiList& store, Day day, const CHinmei& item, std::u16string_view name,
                         int64_t amount, TaxSource source, std::u16string_view account,
                         const TaxSettings& tax, const TaxLineSettings& lines) {
  const int64_t t = computeTax(amount, tax, TAX_OUTSIDE);
  if (t == 0) return WriteTaxOutcome::NoTax;
  if (t < std::numeric_limits<int32_t>::min() || t > std::numeric_limits<int32_t>::max()) {
    if (Prompts* p = store.context().prompts) {
      p->inform(MessageId::AmountOutOfRange, {}, Icon::Warning);
    }
    return WriteTaxOutcome::Refused;
  }
  EntryRequest entry;
  entry.day = day;
  entry.item = &item;
  entry.name = std::u16string(name);
  if (source != TaxSource::Cash) {
    entry.transfer = source == TaxSource::Account ? TransferKind::Savings : TransferKind::Loan;
    entry.account = trimInputSpaces(account);
    const uint16_t kind = source == TaxSource::Account ? kKindAccount : kKindLoan;
    if (store.find(kind, entry.account) == nullptr) {
      const auto registered = store.registerAccount(entry.account, kind, -1, 0);
      if (!registered) return WriteTaxOutcome::Refused;
      // Without a name the registration dialog asked for one.
      entry.account = (*registered)->name;
    }
  }
  const EntryRequest line = taxLineRequest(store, entry, static_cast<int32_t>(t), lines);
  return writeLine(store, line, false) ? WriteTaxOutcome::Written : WriteTaxOutcome::Refused;
}

std::optional<RememberedAmount> rememberAmount(CHinmeiList& store, uint16_t item,
                                               std::u16string_view name, Day currentDay,
                                               int searchDepth) {
  if (searchDepth < 0 || currentDay >= MaxDay) return std::nullopt;
  const Day oldest = currentDay - searchDepth;
  CHinmeiList::Position p = store.firstOnOrAfter(currentDay + 1);
  while (p != store.begin()) {
    --p;
    if (p->isDefinition() || p->date < oldest) break;
    if (p->item != item || p->name != name) continue;
    RememberedAmount found{p->amount, p->flags, {}, {}};
    if (const auto partner = store.partnerOf(p)) {
      if (((*partner)->flags & EF_ACCOUNT) != 0) found.accountName = (*partner)->name;
      if (((*partner)->flags & EF_LOAN) != 0) found.loanName = (*partner)->name;
    }
    return found;
  }
  return std::nullopt;
}

}  // namespace sorami
