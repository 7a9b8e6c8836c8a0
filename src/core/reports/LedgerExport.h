#pragma once
// The ledger lines of a file as the exports see them: every dated line with a direction, with
// its item's name and, for a transfer, the account or loan it moves money to or from.

#include <functional>
#include <string_view>

#include "ledger/HinmeiList.h"

namespace sorami {

class CConfig;

// The days an export covers, both ends included.
struct ExportRange {
  Day from = MinDay;
  Day to = MaxDay;
  bool contains(Day day) const { return day >= from && day <= to; }
};

struct ExportLine {
  const CHinmei* entry = nullptr;
  std::u16string_view itemName;  // empty when the item has no definition
  std::u16string_view account;   // the account or loan of a transfer; empty otherwise
  bool income = false;
};

// Calls `visit` for each ledger line of the range in the order of the store (diary days and
// the end marker are not ledger lines).
void forEachExportLine(const CHinmeiList& list, ExportRange range,
                       const std::function<void(const ExportLine&)>& visit);

// The delimiter of text output the file's settings choose: comma, tab, space or its own one.
char16_t textOutputDelimiter(const CConfig& config);

}  // namespace sorami
