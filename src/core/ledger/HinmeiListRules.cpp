// The rule holders of the store: reading and rewriting their rules, appending, removing and
// reordering them. The holders sit among the definitions, so none of this moves a balance.
#include <utility>

#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

std::u16string numberText(size_t value) {
  const std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

std::optional<CAutoRule> CHinmeiList::rule(int slot) const {
  const CHinmei* holder = ruleAt(slot);
  if (holder == nullptr) return std::nullopt;
  return CAutoRule::fromText(holder->visibleMemo(), context_.today);
}

bool CHinmeiList::setRule(int slot, const CAutoRule& rule) {
  CHinmei* holder = ruleAt(slot);
  if (holder == nullptr) return false;
  changing(*holder).name = rule.sourceName;
  holder->setVisibleMemo(rule.toText());
  modified_ = true;
  return true;
}

std::optional<int> CHinmeiList::addRule(const CAutoRule& rule, bool tellWhenFull) {
  if (ruleCount_ >= kMaxRules) {
    if (tellWhenFull) {
      prompts().inform(MessageId::RuleLimitReached, {numberText(kMaxRules)}, Icon::Warning);
    }
    return std::nullopt;
  }
  insertDefinition(CHinmei(MinDay, ITEM_RULE, EF_DEFINITION, rule.sourceName, rule.toText(), 0));
  return static_cast<int>(ruleCount_) - 1;
}

bool CHinmeiList::removeRule(int slot) {
  const CHinmei* holder = ruleAt(slot);
  if (holder == nullptr) return false;
  for (Position p = entries_.begin(); p != entries_.end() && p->isDefinition(); ++p) {
    if (&*p == holder) {
      remove(p);
      return true;
    }
  }
  return false;
}

bool CHinmeiList::exchangeRules(int a, int b) {
  CHinmei* first = ruleAt(a);
  CHinmei* second = ruleAt(b);
  if (first == nullptr || second == nullptr) return false;
  if (first != second) std::swap(changing(*first), changing(*second));
  modified_ = true;
  return true;
}

size_t CHinmeiList::updateRules(const std::function<bool(int slot, CAutoRule& rule)>& change) {
  size_t changed = 0;
  for (int slot = 0; slot < ruleCount(); ++slot) {
    std::optional<CAutoRule> r = rule(slot);
    if (!r || !change(slot, *r)) continue;
    setRule(slot, *r);
    ++changed;
  }
  return changed;
}

size_t CHinmeiList::renameRuleAccounts(std::u16string_view oldNameView,
                                       std::u16string_view newNameView, uint16_t kind) {
  const std::u16string oldName(oldNameView);
  const std::u16string newName(newNameView);
  // An account and a loan may share a name: only sides whose item moves money of this kind.
  const auto ofKind = [&](int32_t item) {
    const CHinmei* def = item >= 0 ? itemByNumber(item) : nullptr;
    return def != nullptr && (def->flags & kind) != 0;
  };
  return updateRules([&](int, CAutoRule& r) {
    bool changed = false;
    if (r.sourceName == oldName && ofKind(r.sourceItem)) {
      r.sourceName = newName;
      changed = true;
    }
    if (r.destinationName == oldName && ofKind(r.destinationItem)) {
      r.destinationName = newName;
      changed = true;
    }
    return changed;
  });
}

}  // namespace sorami
