#include "input/ChoiceBox.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

void fillChoiceBox(QComboBox* box, const CHinmeiList& store, std::optional<int> item) {
  const QSignalBlocker block(box);
  const QString typed = box->isEditable() ? box->currentText() : QString();
  box->clear();
  // A number no item can have offers nothing.
  std::vector<std::u16string> names;
  if (!item) {
    names = store.choiceNames(std::nullopt);
  } else if (*item >= 0 && *item <= 0xFFFF) {
    names = store.choiceNames(static_cast<uint16_t>(*item));
  }
  for (const std::u16string& name : names) box->addItem(QString::fromStdU16String(name));
  if (box->isEditable()) box->setEditText(typed);
}

}  // namespace sorami
