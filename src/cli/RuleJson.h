#pragma once
// An automatic-entry rule as the rule commands print it.

#include <nlohmann/json.hpp>

#include "ledger/HinmeiList.h"
#include "rules/AutoRule.h"

namespace sorami::cli {

// {"index", "text", "description", "source", "destination", "amount", "kind", "executed",
// "planned", "lastOrdinary", "lastSpecial", "active"}; `index` counts from 1 (0 for a rule that
// is no longer in the table).
nlohmann::ordered_json ruleJson(CHinmeiList& store, const CAutoRule& rule, int index,
                                int decimalPlaces);

}  // namespace sorami::cli
