#pragma once
// Entries as lines of plain text, for copying detail lines to the clipboard and pasting them back
// on another day: date, item name, product name, income, expense, memo and flags, separated by
// tabs. A pair is always copied whole and pasted whole or not at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

// The entries that the given detail lines stand for, each once and in the order of the lines:
// the first entry of a pair stands for both; definitions and the end marker stand for nothing.
std::vector<CHinmeiList::Position> leadingEntries(CHinmeiList& store,
                                                  const std::vector<CHinmeiList::Position>& lines);

// One entry as "year/mm/dd<TAB>item<TAB>name<TAB>income<TAB>expense<TAB>memo<TAB>FLAGS"; an
// invalid date is written -1/-01/-01.
std::u16string entryTextLine(const CHinmeiList& store, const CHinmei& e, int decimalPlaces);

// The text lines of the entries, each followed by its partner's, separated by "\n".
std::u16string entriesText(CHinmeiList& store, const std::vector<CHinmeiList::Position>& entries,
                           int decimalPlaces);

// The records of pasted text: split at every "\n" that does not follow a "\r", so that a memo
// may hold "\r\n"; empty records are left out.
std::vector<std::u16string_view> pasteRecords(std::u16string_view text);

// The flags field read as hexadecimal (0-9, A-F; any other character is a 0 digit), kept to
// 16 bits.
uint16_t pastedFlags(std::u16string_view field);

// Builds the entry a pasted record asks for, on the store's current day: in the cash book the
// item named by the record, elsewhere the selected item unless its kind (savings, loan,
// ordinary) differs from the record's. Nothing when the record does not fit.
std::optional<CHinmei> pastedEntry(const CHinmeiList& store, std::u16string_view record,
                                   const CHinmei* selectedItem, int decimalPlaces);

// Stores the entries of pasted text on the current day and returns how many were stored. A
// half of a pair whose other half does not follow it is stored as a line of its own; a pair is
// stored whole or not at all. Repeated messages of the store are shown once per paste.
size_t pasteEntries(CHinmeiList& store, std::u16string_view text, const CHinmei* selectedItem,
                    int decimalPlaces);

// Removes each entry with its partner and takes them out of the shown figures.
void removeEntries(CHinmeiList& store, const std::vector<CHinmeiList::Position>& entries);

}  // namespace sorami
