// The tables the store derives from its head section, and the summary rows it keeps.
#include <limits>

#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

struct RowDefinition {
  uint16_t item;
  const char16_t* name;
  uint16_t flags;
};

constexpr RowDefinition kRows[] = {
    {ITEM_PREVIOUS_BALANCE, u"前日残高", EF_INCOME}, {ITEM_INCOME_TOTAL, u"収入合計", EF_INCOME},
    {ITEM_EXPENSE_TOTAL, u"支出合計", EF_EXPENSE},   {ITEM_CASH_BALANCE, u"現金残高", EF_EXPENSE},
    {ITEM_ACCOUNT_BALANCE, u"口座残高", EF_EXPENSE}, {ITEM_LOAN_BALANCE, u"借入残高", EF_EXPENSE},
    {ITEM_TOTAL_ASSETS, u"総資産", EF_EXPENSE},
};

DefaultPrompts gSilentPrompts;

}  // namespace

int32_t saturatedAmount(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

CHinmeiList::CHinmeiList() {
  rememberedRows_.fill(-1);
  for (size_t i = 0; i < summaryRows_.size(); ++i) {
    summaryRows_[i] = CHinmei(MinDay, kRows[i].item, kRows[i].flags, kRows[i].name, u"", 0);
  }
  // The rules live in this store's own holders, so every store renames its own.
  onAccountRenamed = [this](std::u16string_view oldName, std::u16string_view newName,
                            uint16_t kind) { return renameRuleAccounts(oldName, newName, kind); };
}

Prompts& CHinmeiList::prompts() const {
  return context_.prompts != nullptr ? *context_.prompts : gSilentPrompts;
}

void CHinmeiList::resetDerived() {
  itemTable_.fill(nullptr);
  itemPresent_.fill(false);
  itemCount_ = 0;
  expenseItems_ = incomeItems_ = 0;
  ruleTable_.fill(nullptr);
  ruleCount_ = 0;
  accounts_.clear();
  loans_.clear();
  overflow_ = {};
  forgetRunningState();
}

void CHinmeiList::forgetRunningState() {
  cursor_.reset();
}

void CHinmeiList::rebuildTables() {
  const TableOverflow kept{0, overflow_.accounts, overflow_.loans, 0};
  itemTable_.fill(nullptr);
  itemPresent_.fill(false);
  ruleTable_.fill(nullptr);
  itemCount_ = ruleCount_ = 0;
  expenseItems_ = incomeItems_ = 0;
  overflow_ = kept;
  for (CHinmei& e : entries_) {
    if ((e.flags & EF_ITEM) == 0 || e.date > MinDay) break;
    if ((e.flags & EF_DIRECTION_MASK) == 0) continue;
    if (itemCount_ == kMaxItems) {
      ++overflow_.items;
      continue;
    }
    itemTable_[itemCount_++] = &e;
    if (e.item < kMaxItems) itemPresent_[e.item] = true;
    ((e.flags & EF_EXPENSE) != 0 ? expenseItems_ : incomeItems_)++;
  }
  for (CHinmei& e : entries_) {
    if (e.date > MinDay && !e.isDefinition()) break;
    if (!e.isRule()) continue;
    if (ruleCount_ == kMaxRules) {
      ++overflow_.rules;
      continue;
    }
    ruleTable_[ruleCount_++] = &e;
  }
  forgetRunningState();
}

CHinmei* CHinmeiList::itemAt(int slot) const {
  if (slot < 0 || static_cast<size_t>(slot) >= itemCount_) return nullptr;
  return itemTable_[static_cast<size_t>(slot)];
}

CHinmei* CHinmeiList::ruleAt(int slot) const {
  if (slot < 0 || static_cast<size_t>(slot) >= ruleCount_) return nullptr;
  return ruleTable_[static_cast<size_t>(slot)];
}

const std::vector<CAccount>& CHinmeiList::accounts(uint16_t kind) const {
  return (kind & kKindLoan) != 0 ? loans_ : accounts_;
}

CAccount* CHinmeiList::find(uint16_t kind, std::u16string_view name) {
  for (CAccount& a : (kind & kKindLoan) != 0 ? loans_ : accounts_) {
    if (a.name == name) return &a;
  }
  return nullptr;
}

void CHinmeiList::reportTableOverflow(Prompts& p) const {
  const std::pair<size_t, std::pair<const char16_t*, size_t>> kinds[] = {
      {overflow_.items, {u"項目", kMaxItems}},
      {overflow_.accounts, {u"貯蓄項目", kMaxAccounts}},
      {overflow_.loans, {u"借入項目", kMaxAccounts}},
      {overflow_.rules, {u"自動記入", kMaxRules}},
  };
  for (const auto& [count, what] : kinds) {
    if (count == 0) continue;
    const std::string limit = std::to_string(what.second);
    p.inform(MessageId::DefinitionsBeyondLimit,
             {what.first, std::u16string(limit.begin(), limit.end())}, Icon::Warning);
  }
}

const CHinmei& CHinmeiList::summaryRow(uint16_t row) const {
  const size_t i = row >= ITEM_SUMMARY_FIRST && row <= ITEM_SUMMARY_LAST
                       ? static_cast<size_t>(row - ITEM_SUMMARY_FIRST)
                       : 0;
  return summaryRows_[i];
}

int64_t CHinmeiList::rowValue(uint16_t row) const {
  if (row < ITEM_SUMMARY_FIRST || row > ITEM_SUMMARY_LAST) return 0;
  return rows_[static_cast<size_t>(row - ITEM_SUMMARY_FIRST)];
}

void CHinmeiList::addRow(uint16_t row, int64_t amount) {
  rows_[static_cast<size_t>(row - ITEM_SUMMARY_FIRST)] += amount;
}

int64_t CHinmeiList::itemTotal(int item) const {
  if (item < 0 || static_cast<size_t>(item) >= kMaxItems) return 0;
  return itemTotals_[static_cast<size_t>(item)];
}

// The views read the 32-bit fields; a figure beyond them shows at the edge of the range and the
// exact value stays readable through rowValue and itemTotal.
void CHinmeiList::syncFigures() {
  for (size_t i = 0; i < rows_.size(); ++i) summaryRows_[i].amount = saturatedAmount(rows_[i]);
  for (size_t i = 0; i < itemCount_; ++i) {
    CHinmei* def = itemTable_[i];
    def->amount = saturatedAmount(itemTotal(def->item));
  }
}

}  // namespace sorami
