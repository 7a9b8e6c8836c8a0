#include "reports/StatementImport.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "platform/TextCodec.h"
#include "reports/StatementRead.h"

namespace sorami {

namespace {

std::u16string kindLabel(TransferKind kind) {
  return kind == TransferKind::Loan ? u"借入" : u"口座";
}

TransferKind kindOfFlags(uint16_t flags) {
  if ((flags & EF_ACCOUNT) != 0) return TransferKind::Savings;
  if ((flags & EF_LOAN) != 0) return TransferKind::Loan;
  return TransferKind::None;
}

int sideOf(bool income) {
  return income ? (EF_INCOME >> 8) : (EF_EXPENSE >> 8);
}

// The item of that name on the line's side.
const CHinmei* itemNamed(const CHinmeiList& store, std::u16string_view name, bool income) {
  if (name.empty()) return nullptr;
  const int number = store.itemNumberByName(name, sideOf(income));
  return number < 0 ? nullptr : store.itemByNumber(number);
}

bool suitsSide(const CHinmei& def, bool income) {
  return (def.flags & (income ? EF_INCOME : EF_EXPENSE)) != 0;
}

bool isRegistered(CHinmeiList& store, TransferKind kind, std::u16string_view name) {
  return store.definitionByName(name, kindFlag(kind)).has_value();
}

void refuseForItem(StatementLine& line, MessageId id, std::vector<std::u16string> args = {}) {
  line.status = LineStatus::Refused;
  line.reason = {id, std::move(args)};
}

// ---- Items by the profile's rules.

// A rule that names a transfer item moves the money to a registered account or loan: the
// rule's name (or the statement's) must be one, and not the statement's own.
void applyRule(CHinmeiList& store, StatementLine& line, const AssignmentRule& rule,
               const CHinmei& def, const MoneyTarget& money) {
  line.item = def.item;
  line.source = ItemSource::Rule;
  if (!rule.name.empty()) line.name = rule.name;
  const TransferKind kind = kindOfFlags(def.flags);
  if (kind == TransferKind::None) return;
  if (!isRegistered(store, kind, line.name)) {
    refuseForItem(line, MessageId::StatementRuleAccountMissing, {kindLabel(kind), line.name});
  } else if (kind == money.kind && line.name == money.name) {
    refuseForItem(line, MessageId::StatementSameAccount, {kindLabel(kind), line.name});
  }
}

bool proposeByRule(CHinmeiList& store, StatementLine& line, const StatementProfile& profile,
                   const MoneyTarget& money) {
  if (profile.rules.empty()) return false;
  const std::u16string folded = matchForm(line.statementName, true);
  const std::u16string width = matchForm(line.statementName, false);
  for (const AssignmentRule& rule : profile.rules) {
    if (!rule.matches(folded, width)) continue;
    // A rule whose item is not on the line's side (or not in this ledger) does not apply.
    if (const CHinmei* def = itemNamed(store, rule.item, line.income)) {
      applyRule(store, line, rule, *def, money);
      return true;
    }
  }
  return false;
}

// ---- Items by what the ledger writes most often for the name.

struct NameUse {
  std::array<uint32_t, kMaxItems> count{};
  std::array<size_t, kMaxItems> last{};  // the later use wins a tie
};

bool needsMatchForm(std::u16string_view name) {
  for (const char16_t c : name) {
    if ((c >= u'a' && c <= u'z') || c == u'\u3000' || (c >= u'\uFF01' && c <= u'\uFF9F')) {
      return true;
    }
  }
  return false;
}

class FrequentItems {
 public:
  // Counts the uses, by the ordinary lines of the ledger, of the names asked for.
  FrequentItems(const CHinmeiList& store, const std::vector<std::u16string>& names) {
    for (const std::u16string& n : names) uses_.try_emplace(n);
    if (uses_.empty()) return;
    std::array<bool, kMaxItems> ordinary{};
    for (int slot = 0; slot < store.itemCount(); ++slot) {
      const CHinmei* def = store.itemAt(slot);
      if (def->item < kMaxItems && !def->isTransfer()) ordinary[def->item] = true;
    }
    size_t index = 0;
    std::u16string key;
    for (const CHinmei& e : store.entries()) {
      ++index;
      if (e.isDefinition() || e.item >= kMaxItems || !ordinary[e.item]) continue;
      if (needsMatchForm(e.name)) {
        key = matchForm(e.name, true);
      } else {
        key.assign(e.name);
      }
      const auto it = uses_.find(key);
      if (it == uses_.end()) continue;
      ++it->second.count[e.item];
      it->second.last[e.item] = index;
    }
  }

  const CHinmei* best(const CHinmeiList& store, const std::u16string& folded, bool income) const {
    const auto it = uses_.find(folded);
    if (it == uses_.end()) return nullptr;
    const CHinmei* found = nullptr;
    const NameUse& use = it->second;
    for (uint16_t item = 0; item < kMaxItems; ++item) {
      if (use.count[item] == 0) continue;
      const CHinmei* def = store.itemByNumber(item);
      if (def == nullptr || !suitsSide(*def, income)) continue;
      if (found == nullptr || use.count[item] > use.count[found->item] ||
          (use.count[item] == use.count[found->item] && use.last[item] > use.last[found->item])) {
        found = def;
      }
    }
    return found;
  }

 private:
  std::unordered_map<std::u16string, NameUse> uses_;
};

void proposeItems(CHinmeiList& store, StatementPreview& preview, const StatementProfile& profile,
                  const MoneyTarget& money) {
  std::vector<StatementLine*> open;
  for (StatementLine& line : preview.lines) {
    if (!line.unreadable && !proposeByRule(store, line, profile, money)) open.push_back(&line);
  }
  std::vector<std::u16string> names;
  names.reserve(open.size());
  for (const StatementLine* line : open) names.push_back(matchForm(line->statementName, true));
  const FrequentItems frequent(store, names);
  for (size_t i = 0; i < open.size(); ++i) {
    StatementLine& line = *open[i];
    if (const CHinmei* def = frequent.best(store, names[i], line.income)) {
      line.item = def->item;
      line.source = ItemSource::Frequent;
      continue;
    }
    const std::u16string& fallback =
        line.income ? profile.defaultIncomeItem : profile.defaultExpenseItem;
    const CHinmei* def = itemNamed(store, fallback, line.income);
    if (def != nullptr && !def->isTransfer()) {
      line.item = def->item;
      line.source = ItemSource::Default;
    } else if (fallback.empty()) {
      refuseForItem(line, MessageId::StatementNoItem);
    } else {
      refuseForItem(line, MessageId::StatementDefaultItemMissing, {fallback});
    }
  }
}

// ---- Lines the ledger already has.

// What makes two lines the same: day, side, amount, where the money moved, product name.
struct LineKey {
  Day date = 0;
  int32_t amount = 0;
  bool income = false;
  TransferKind kind = TransferKind::None;
  std::u16string_view account;
  std::u16string_view name;
  friend bool operator==(const LineKey&, const LineKey&) = default;
};

struct LineKeyHash {
  size_t operator()(const LineKey& k) const {
    size_t h = std::hash<std::u16string_view>()(k.name);
    h = h * 31 + std::hash<std::u16string_view>()(k.account);
    h = h * 31 + static_cast<size_t>(k.date);
    h = h * 31 + static_cast<size_t>(static_cast<uint32_t>(k.amount));
    return h * 4 + (k.income ? 2 : 0) + static_cast<size_t>(k.kind);
  }
};

uint64_t dayAndAmount(Day date, int32_t amount) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(date)) << 32) | static_cast<uint32_t>(amount);
}

// One walk over the days the statement spans: every ledger line there whose day and amount a
// statement line has is counted by its key; each statement line then takes one of its count.
void markDuplicates(CHinmeiList& store, StatementPreview& preview, const MoneyTarget& money) {
  Day first = MaxDay;
  Day last = MinDay;
  std::unordered_set<uint64_t> wanted;
  for (const StatementLine& line : preview.lines) {
    if (line.unreadable) continue;
    first = std::min(first, line.date);
    last = std::max(last, line.date);
    wanted.insert(dayAndAmount(line.date, line.amount));
  }
  if (wanted.empty()) return;
  std::unordered_map<LineKey, size_t, LineKeyHash> ledger;
  for (auto p = store.firstOnOrAfter(first); p != store.end() && p->date <= last; ++p) {
    if (p->isDefinition() || p->isDiary() || p->isEndMarker()) continue;
    if (!wanted.contains(dayAndAmount(p->date, p->amount))) continue;
    LineKey key{p->date, p->amount, (p->flags & EF_INCOME) != 0, TransferKind::None, {}, p->name};
    if (const auto partner = store.partnerOf(p)) {
      key.kind = kindOfFlags((*partner)->flags);
      key.account = (*partner)->name;
    }
    ++ledger[key];
  }
  const std::u16string_view account =
      money.kind == TransferKind::None ? std::u16string_view() : money.name;
  for (StatementLine& line : preview.lines) {
    if (line.unreadable) continue;
    const auto it =
        ledger.find({line.date, line.amount, line.income, money.kind, account, line.name});
    if (it == ledger.end() || it->second == 0) continue;
    --it->second;
    line.status = LineStatus::Duplicate;
  }
}

// ---- Writing.

std::optional<CHinmeiList::Position> writeLine(CHinmeiList& store, const StatementLine& line,
                                               const MoneyTarget& money) {
  const CHinmei* def = line.item ? store.itemByNumber(*line.item) : nullptr;
  if (def == nullptr) return std::nullopt;
  EntryRequest request;
  request.day = line.date;
  request.item = def;
  request.name = line.name;
  request.amount = line.amount;
  request.transfer = money.kind;
  request.account = money.name;
  request.memo =
      composeMemo(line.memo, transferText(money.kind, money.name, (def->flags & EF_INCOME) != 0));
  // The running state follows the lines in day order, so each placement starts at its day.
  store.computeToDay(line.date);
  return writeEntry(store, request, store.context().options.skipZeroAmounts);
}

}  // namespace

size_t StatementPreview::count(LineStatus status) const {
  return static_cast<size_t>(std::count_if(
      lines.begin(), lines.end(), [&](const StatementLine& l) { return l.status == status; }));
}

std::optional<Refusal> resolveMoneyTarget(CHinmeiList& store, MoneyTarget& money) {
  if (money.kind == TransferKind::None) {
    money.name.clear();
    return std::nullopt;
  }
  if (money.name.empty()) {
    const CHinmei* pseudo = store.itemByDirection(kindFlag(money.kind) | EF_EXPENSE);
    const std::vector<std::u16string> names =
        pseudo != nullptr ? store.specialNameTexts(pseudo->item) : std::vector<std::u16string>();
    if (names.size() != 1)
      return Refusal{MessageId::StatementMoneyUnnamed, {kindLabel(money.kind)}};
    money.name = names.front();
  }
  if (!isRegistered(store, money.kind, money.name)) {
    return Refusal{MessageId::StatementMoneyUnregistered, {kindLabel(money.kind), money.name}};
  }
  return std::nullopt;
}

StatementPreview previewStatement(std::string_view bytes, const StatementProfile& profile,
                                  CHinmeiList& store, const MoneyTarget& money, int decimalPlaces) {
  StatementPreview preview = readStatementLines(bytes, profile, decimalPlaces);
  preview.money = money;
  if (preview.failure) return preview;
  proposeItems(store, preview, profile, money);
  markDuplicates(store, preview, money);
  return preview;
}

std::vector<uint16_t> itemsForSide(const CHinmeiList& store, bool income) {
  std::vector<uint16_t> items;
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei* def = store.itemAt(slot);
    if (!def->isTransfer() && suitsSide(*def, income)) items.push_back(def->item);
  }
  return items;
}

bool chooseItem(StatementPreview& preview, size_t index, uint16_t item, const CHinmeiList& store) {
  if (index >= preview.lines.size()) return false;
  StatementLine& line = preview.lines[index];
  const CHinmei* def = store.itemByNumber(item);
  if (line.unreadable || def == nullptr || def->isTransfer() || !suitsSide(*def, line.income)) {
    return false;
  }
  line.item = item;
  line.source = ItemSource::Chosen;
  if (line.status == LineStatus::Refused) {
    line.status = LineStatus::New;
    line.reason = {};
  }
  return true;
}

StatementOutcome importStatement(CHinmeiList& store, StatementPreview& preview, bool skipRefused) {
  StatementOutcome outcome;
  outcome.duplicates = preview.count(LineStatus::Duplicate);
  outcome.refused = preview.count(LineStatus::Refused);
  if (preview.failure) {
    outcome.failure = preview.failure;
    return outcome;
  }
  if (outcome.refused > 0 && !skipRefused) {
    outcome.failure =
        Refusal{MessageId::StatementHasRefused, {u16(std::to_string(outcome.refused))}};
    return outcome;
  }
  std::vector<size_t> order;
  for (size_t i = 0; i < preview.lines.size(); ++i) {
    if (preview.lines[i].status == LineStatus::New) order.push_back(i);
  }
  // Day by day; a day's lines keep the statement's order.
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return preview.lines[a].date < preview.lines[b].date;
  });
  std::vector<CHinmeiList::Position> written;
  written.reserve(order.size());
  for (const size_t i : order) {
    const std::optional<CHinmeiList::Position> p =
        writeLine(store, preview.lines[i], preview.money);
    if (!p) {
      for (auto w = written.rbegin(); w != written.rend(); ++w) store.removeWithTotals(*w);
      outcome.failure =
          Refusal{MessageId::StatementStoreRefused, {u16(isoDate(preview.lines[i].date))}};
      return outcome;
    }
    written.push_back(*p);
  }
  for (const size_t i : order) preview.lines[i].status = LineStatus::Duplicate;
  outcome.added = written.size();
  return outcome;
}

}  // namespace sorami
