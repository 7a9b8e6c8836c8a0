#pragma once
// Choice boxes that offer the special names of the ledger as ready-made texts.

#include <optional>

class QComboBox;

namespace sorami {

class CHinmeiList;

// Empties the box and fills it with the special names of the item (its number), or with no item
// with the special names of every ordinary item. A transfer pseudo-item offers the accounts or
// loans of its kind, as both of its sides share them.
void fillChoiceBox(QComboBox* box, const CHinmeiList& store, std::optional<int> item);

}  // namespace sorami
