#include "ledger/EntryText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_set>
#include <utility>

#include "platform/Prompts.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr uint16_t kKinds = EF_ACCOUNT | EF_LOAN;
constexpr size_t kPasteFields = 7;
enum PasteField { FDate, FItem, FName, FIncome, FExpense, FMemo, FFlags };

bool isExpenseItem(const CHinmei* def) {
  return def != nullptr && (def->flags & EF_EXPENSE) != 0;
}

std::u16string amountField(int64_t amount, int decimalPlaces) {
  return amount == 0 ? u"0" : formatAmount(amount, true, decimalPlaces);
}

std::u16string dateField(Day day) {
  const Ymd d = ymdFromDay(day);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%d/%2.2d/%2.2d", d.year, d.month, d.day);
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

// Text from elsewhere may hold NUL characters, which in a memo would start a hidden tail.
std::u16string withoutNul(std::u16string_view text) {
  std::u16string out(text);
  std::erase(out, u'\0');
  return out;
}

// Splits a record into exactly seven tab-separated fields; false when it has more or fewer.
bool splitFields(std::u16string_view record, std::array<std::u16string_view, kPasteFields>& out) {
  size_t start = 0;
  for (size_t i = 0; i < kPasteFields; ++i) {
    const size_t tab = record.find(u'\t', start);
    const bool last = i + 1 == kPasteFields;
    if (last != (tab == std::u16string_view::npos)) return false;
    out[i] = record.substr(start, last ? std::u16string_view::npos : tab - start);
    start = tab + 1;
  }
  return true;
}

const CHinmei* pasteItem(const CHinmeiList& store, std::u16string_view name, uint16_t flags,
                         const CHinmei* selectedItem) {
  const bool byName = store.context().window.mode == DisplayMode::CashBook ||
                      selectedItem == nullptr || (selectedItem->flags & kKinds) != (flags & kKinds);
  if (!byName) return selectedItem;
  const int item = store.itemNumberByName(name, (EF_DIRECTION_MASK >> 8));
  return item < 0 ? nullptr : store.itemByNumber(item);
}

// Shows each message of the store once during a paste, and asks for no further account once
// the user declined one, so that pasted text of any length stays answerable.
class PastePrompts : public Prompts {
 public:
  explicit PastePrompts(Prompts* inner) : inner_(inner) {}
  void inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) override {
    if (inner_ == nullptr || std::find(shown_.begin(), shown_.end(), id) != shown_.end()) return;
    shown_.push_back(id);
    inner_->inform(id, args, icon);
  }
  Answer ask(MessageId id, const std::vector<std::u16string>& args, Buttons buttons,
             Answer defaultAnswer) override {
    return inner_ != nullptr ? inner_->ask(id, args, buttons, defaultAnswer) : defaultAnswer;
  }
  std::optional<NewAccount> registerAccount(uint16_t kind, const std::u16string& name) override {
    if (inner_ == nullptr || declined_) return std::nullopt;
    std::optional<NewAccount> account = inner_->registerAccount(kind, name);
    declined_ = !account;
    return account;
  }

 private:
  Prompts* inner_;
  std::vector<MessageId> shown_;
  bool declined_ = false;
};

class PromptsOverride {
 public:
  PromptsOverride(CHinmeiList& store, Prompts& prompts)
      : store_(store), saved_(store.context().prompts) {
    store.context().prompts = &prompts;
  }
  ~PromptsOverride() { store_.context().prompts = saved_; }
  PromptsOverride(const PromptsOverride&) = delete;
  PromptsOverride& operator=(const PromptsOverride&) = delete;

 private:
  CHinmeiList& store_;
  Prompts* saved_;
};

// An insertion may hand back a definition it registered instead of the entry, which it then
// dropped.
bool storeSingle(CHinmeiList& store, CHinmei e) {
  e.flags &= static_cast<uint16_t>(~EF_PAIR_MASK);
  const auto p = store.insert(std::move(e));
  return p && !(*p)->isDefinition();
}

}  // namespace

std::vector<CHinmeiList::Position> leadingEntries(CHinmeiList& store,
                                                  const std::vector<CHinmeiList::Position>& lines) {
  std::vector<CHinmeiList::Position> out;
  std::unordered_set<const CHinmei*> seen;
  for (const CHinmeiList::Position line : lines) {
    if (line == store.end() || line->isDefinition() || line->isEndMarker()) continue;
    const CHinmeiList::Position lead = store.leadingOf(line);
    if (seen.insert(&*lead).second) out.push_back(lead);
  }
  return out;
}

std::u16string entryTextLine(const CHinmeiList& store, const CHinmei& e, int decimalPlaces) {
  const CHinmei* def = store.itemByNumber(e.item);
  const bool expense = isExpenseItem(def);
  std::u16string line = dateField(e.date);
  line += u'\t';
  if (def != nullptr) line += def->name;
  line += u'\t';
  line += e.name;
  line += u'\t';
  line += amountField(expense ? 0 : e.amount, decimalPlaces);
  line += u'\t';
  line += amountField(expense ? e.amount : 0, decimalPlaces);
  line += u'\t';
  line += e.visibleMemo();
  char flags[8];
  std::snprintf(flags, sizeof flags, "\t%X", static_cast<unsigned>(e.flags));
  line.append(flags, flags + std::char_traits<char>::length(flags));
  return line;
}

std::u16string entriesText(CHinmeiList& store, const std::vector<CHinmeiList::Position>& entries,
                           int decimalPlaces) {
  std::u16string text;
  auto add = [&](const CHinmei& e) {
    if (!text.empty()) text += u'\n';
    text += entryTextLine(store, e, decimalPlaces);
  };
  for (const CHinmeiList::Position p : entries) {
    add(*p);
    if (const auto partner = store.partnerOf(p)) add(**partner);
  }
  return text;
}

std::vector<std::u16string_view> pasteRecords(std::u16string_view text) {
  std::vector<std::u16string_view> records;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size() || (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'));
    if (!end) continue;
    if (i > start) records.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return records;
}

uint16_t pastedFlags(std::u16string_view field) {
  uint16_t value = 0;
  for (const char16_t c : field) {
    unsigned digit = 0;
    if (c >= u'0' && c <= u'9') {
      digit = static_cast<unsigned>(c - u'0');
    } else if (c >= u'A' && c <= u'F') {
      digit = static_cast<unsigned>(c - u'A' + 10);
    }
    value = static_cast<uint16_t>((value << 4) | digit);
  }
  return value;
}

std::optional<CHinmei> pastedEntry(const CHinmeiList& store, std::u16string_view record,
                                   const CHinmei* selectedItem, int decimalPlaces) {
  std::array<std::u16string_view, kPasteFields> f;
  if (!splitFields(record, f)) return std::nullopt;
  if (f[FDate].empty() || f[FIncome].empty() || f[FExpense].empty()) return std::nullopt;
  const uint16_t flags = pastedFlags(f[FFlags]);
  const CHinmei* def = pasteItem(store, f[FItem], flags, selectedItem);
  if (def == nullptr) return std::nullopt;
  const bool expense = isExpenseItem(def);
  int64_t amount = parseAmount(expense ? f[FExpense] : f[FIncome], decimalPlaces);
  if (amount == 0) amount = parseAmount(expense ? f[FIncome] : f[FExpense], decimalPlaces);
  if (amount < INT32_MIN || amount > INT32_MAX) return std::nullopt;
  std::u16string_view memo = f[FMemo];
  if (!memo.empty() && memo.back() == u'\n') memo.remove_suffix(1);
  const auto entryFlags = static_cast<uint16_t>((def->flags & ~EF_ITEM) | (flags & EF_PAIR_MASK));
  return CHinmei(store.context().window.currentDay, def->item, entryFlags, withoutNul(f[FName]),
                 withoutNul(memo), static_cast<int32_t>(amount));
}

size_t pasteEntries(CHinmeiList& store, std::u16string_view text, const CHinmei* selectedItem,
                    int decimalPlaces) {
  PastePrompts prompts(store.context().prompts);
  const PromptsOverride guard(store, prompts);
  size_t stored = 0;
  // A first half waits until the next line shows whether its partner follows.
  CHinmei waiting;
  bool isWaiting = false;
  // Hands the waiting half over and leaves an empty entry in its place, never a moved-from one.
  auto takeWaiting = [&] {
    isWaiting = false;
    return std::exchange(waiting, CHinmei());
  };
  auto flushWaiting = [&] {
    if (isWaiting && storeSingle(store, takeWaiting())) ++stored;
  };
  for (const std::u16string_view record : pasteRecords(text)) {
    std::optional<CHinmei> e = pastedEntry(store, record, selectedItem, decimalPlaces);
    if (!e) continue;
    if (isWaiting && e->isPairSecond()) {
      if (store.insertPair(takeWaiting(), std::move(*e))) stored += 2;
      continue;
    }
    flushWaiting();
    if (e->isPairFirst()) {
      waiting = std::move(*e);
      isWaiting = true;
    } else if (storeSingle(store, std::move(*e))) {
      ++stored;
    }
  }
  flushWaiting();
  return stored;
}

void removeEntries(CHinmeiList& store, const std::vector<CHinmeiList::Position>& entries) {
  for (const CHinmeiList::Position p : entries) store.removeWithTotals(p);
}

}  // namespace sorami
