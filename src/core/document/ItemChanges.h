#pragma once
// Item changes and data moves of the open file: the store's operations together with what lies
// outside the store (the settings that hold item numbers, the questions with the counts of what
// changes, and the backup the next save keeps of the file as it was).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

class CConfig;
class CSoramiDoc;

std::optional<ItemAdded> addItem(CSoramiDoc& doc, std::u16string_view name, bool income, int slot);
// Asks with the counts first (934, 935).
std::optional<ItemDeleted> deleteItem(CSoramiDoc& doc, int slot);

// Moves the lines of a selection (a pair with its partner) to another day; asks first.
std::optional<size_t> moveLinesToDay(CSoramiDoc& doc, Day day,
                                     const std::vector<CHinmeiList::Position>& selection);
// Moves the span from..to so that `from` falls on `firstTarget`; asks with the count first.
std::optional<size_t> moveSpan(CSoramiDoc& doc, Day from, Day to, Day firstTarget, bool withDiary);
// Gives every line of `oldItem` from..to the item `newItem`. A start after the end is 927;
// items of different sides ask 928; then the count is asked.
std::optional<size_t> reassignSpan(CSoramiDoc& doc, Day from, Day to, uint16_t oldItem,
                                   uint16_t newItem);
// Gives exactly the selected lines the item `newItem` (transfer lines are passed over).
std::optional<size_t> reassignLines(CSoramiDoc& doc,
                                    const std::vector<CHinmeiList::Position>& selection,
                                    uint16_t newItem);

// Whether an item is a savings or loan pseudo-item, which no move takes lines from or to.
bool isTransferItem(const CHinmeiList& store, uint16_t item);

// What is wrong with the ledger of an open file, or empty: the store's order, its item numbers
// and pairs, and the settings that hold item numbers.
std::string ledgerProblem(const CHinmeiList& store, const CConfig& config);

}  // namespace sorami
