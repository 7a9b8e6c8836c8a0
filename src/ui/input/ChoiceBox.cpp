#include "input/ChoiceBox.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "ledger/HinmeiList.h"

namespace sorami {

namespace {

// The item whose definitions hold the names: the expense side of a transfer pseudo-item.
std::optional<int> listedItem(const CHinmeiList& store, int item) {
  const CHinmei* def = store.itemByNumber(item);
  if (def == nullptr) return item;
  const auto kind = static_cast<uint16_t>(def->flags & (EF_ACCOUNT | EF_LOAN));
  if (kind == 0) return item;
  const CHinmei* expenseSide = store.itemByDirection(kind | EF_EXPENSE);
  return expenseSide ? expenseSide->item : item;
}

}  // namespace

void fillChoiceBox(QComboBox* box, const CHinmeiList& store, std::optional<int> item) {
  const QSignalBlocker block(box);
  const QString typed = box->isEditable() ? box->currentText() : QString();
  box->clear();
  if (item) item = listedItem(store, *item);
  for (const CHinmei& e : store.entries()) {
    if (!e.isDefinition()) break;
    const bool specialName = (e.flags & EF_DEFINITION) != 0 && (e.flags & EF_ITEM) == 0;
    if (!specialName) continue;
    const bool wanted = item ? e.item == *item : e.item < store.itemCount();
    if (wanted) box->addItem(QString::fromStdU16String(e.name));
  }
  if (box->isEditable()) box->setEditText(typed);
}

}  // namespace sorami
