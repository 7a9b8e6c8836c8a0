#include "settings/ItemNamesDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "config/Config.h"
#include "document/ItemChanges.h"
#include "help/HelpWindow.h"
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"

namespace sorami {

namespace {

QVBoxLayout* column(QWidget* owner, const QString& title) {
  auto* layout = new QVBoxLayout(owner);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(title));
  return layout;
}

}  // namespace

ItemNamesDialog::ItemNamesDialog(CHinmeiList& store, const CConfig& config, Prompts& prompts,
                                 int slot, QWidget* parent)
    : QDialog(parent), store_(store), config_(config), prompts_(prompts) {
  setWindowTitle(QStringLiteral("項目,特別品名の設定"));
  QFont japanese = font();
  japanese.setFamilies({QStringLiteral("IPAGothic")});
  setFont(japanese);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildItemSide(), 1);
  layout->addWidget(buildNameSide(), 1);
  fillItems(slot);
}

QWidget* ItemNamesDialog::buildItemSide() {
  auto* side = new QWidget;
  QVBoxLayout* layout = column(side, QStringLiteral("項目"));
  auto* row = new QHBoxLayout;
  items_ = new QListWidget;
  connect(items_, &QListWidget::currentRowChanged, this, &ItemNamesDialog::itemSelected);
  connect(items_, &QListWidget::itemDoubleClicked, this, &ItemNamesDialog::renameItem);
  row->addWidget(items_, 1);
  itemButtons_ = new QVBoxLayout;
  const struct {
    ItemButton id;
    const char16_t* label;
  } itemButtonTable[] = {{ItemUp, u"上移動"},       {ItemDown, u"下移動"},
                         {ItemChange, u"変更(&N)"}, {ItemAdd, u"追加(&A)"},
                         {ItemDelete, u"削除(&R)"}, {ItemHelp, u"ﾍﾙﾌﾟ(&H)"}};
  for (const auto& button : itemButtonTable) {
    auto* b = new QPushButton(QString::fromUtf16(button.label));
    b->setAutoDefault(false);
    itemButtonWidgets_[button.id] = b;
    itemButtons_->addWidget(b);
  }
  connect(itemButtonWidgets_[ItemUp], &QPushButton::clicked, this, [this] { moveItem(-1); });
  connect(itemButtonWidgets_[ItemDown], &QPushButton::clicked, this, [this] { moveItem(1); });
  connect(itemButtonWidgets_[ItemChange], &QPushButton::clicked, this,
          &ItemNamesDialog::renameItem);
  connect(itemButtonWidgets_[ItemAdd], &QPushButton::clicked, this, &ItemNamesDialog::addItem);
  connect(itemButtonWidgets_[ItemDelete], &QPushButton::clicked, this,
          &ItemNamesDialog::deleteItem);
  connect(itemButtonWidgets_[ItemHelp], &QPushButton::clicked, this, [this] { showHelp(this); });
  itemButtons_->addStretch();
  row->addLayout(itemButtons_);
  layout->addLayout(row);
  return side;
}

QWidget* ItemNamesDialog::buildNameSide() {
  auto* side = new QWidget;
  QVBoxLayout* layout = column(side, QStringLiteral("特別品名"));
  auto* row = new QHBoxLayout;
  names_ = new QListWidget;
  connect(names_, &QListWidget::itemDoubleClicked, this, &ItemNamesDialog::changeName);
  row->addWidget(names_, 1);
  auto* buttons = new QVBoxLayout;
  const struct {
    NameButton id;
    const char16_t* label;
    void (ItemNamesDialog::*act)();
  } nameButtons[] = {
      {NameUp, u"上移動", nullptr},
      {NameDown, u"下移動", nullptr},
      {NameChange, u"変更(&G)", &ItemNamesDialog::changeName},
      {NameAdd, u"追加(&T)", &ItemNamesDialog::addName},
      {NameDelete, u"削除(&S)", &ItemNamesDialog::deleteName},
  };
  for (const auto& button : nameButtons) {
    auto* b = new QPushButton(QString::fromUtf16(button.label));
    b->setAutoDefault(false);
    buttons_[button.id] = b;
    buttons->addWidget(b);
    if (button.act != nullptr) connect(b, &QPushButton::clicked, this, button.act);
  }
  connect(buttons_[NameUp], &QPushButton::clicked, this, [this] { moveName(-1); });
  connect(buttons_[NameDown], &QPushButton::clicked, this, [this] { moveName(1); });
  buttons->addStretch();
  buttons_[Back] = new QPushButton(QStringLiteral("戻る"));
  connect(buttons_[Back], &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(buttons_[Back]);
  row->addLayout(buttons);
  layout->addLayout(row);
  return side;
}

void ItemNamesDialog::fillItems(int slot) {
  {
    const QSignalBlocker block(items_);
    items_->clear();
    for (int i = 0; i < store_.itemCount(); ++i) {
      items_->addItem(toQString(store_.itemAt(i)->name));
    }
  }
  items_->setCurrentRow(slot >= 0 && slot < store_.itemCount() ? slot : -1);
  itemSelected();
}

int ItemNamesDialog::selectedSlot() const {
  return items_->currentRow();
}

int ItemNamesDialog::selectedName() const {
  const QList<QListWidgetItem*> selected = names_->selectedItems();
  return selected.isEmpty() ? -1 : names_->row(selected.front());
}

uint16_t ItemNamesDialog::selectedItemNumber() const {
  const CHinmei* item = store_.itemAt(selectedSlot());
  return item ? item->item : 0;
}

void ItemNamesDialog::itemSelected() {
  const CHinmei* item = store_.itemAt(selectedSlot());
  // Savings and loan items hold the transfers: they stay.
  itemButtonWidgets_[ItemDelete]->setEnabled(item == nullptr ||
                                             (item->flags & (EF_ACCOUNT | EF_LOAN)) == 0);
  fillNames(store_.rememberedRow(selectedSlot()));
}

int ItemNamesDialog::needsItem() {
  const int slot = selectedSlot();
  if (store_.itemAt(slot) == nullptr) {
    prompts_.inform(MessageId::SelectItemFirst, {}, Icon::Warning);
    return -1;
  }
  return slot;
}

// "項目の追加" asks for the name and the side, "項目名の変更" for the new name.
std::optional<ItemNameInput> ItemNamesDialog::itemName(bool adding, const QString& name) {
  if (askItemName) return askItemName(adding, name);
  QDialog dialog(this);
  dialog.setWindowTitle(adding ? QStringLiteral("項目の追加") : QStringLiteral("項目名の変更"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("項目名")));
  auto* edit = new QLineEdit(name);
  layout->addWidget(edit);
  auto* expense = new QRadioButton(QStringLiteral("支出項目"));
  auto* income = new QRadioButton(QStringLiteral("収入項目"));
  expense->setChecked(true);
  if (adding) {
    auto* group = new QButtonGroup(&dialog);
    group->addButton(expense);
    group->addButton(income);
    layout->addWidget(expense);
    layout->addWidget(income);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ItemNameInput{edit->text(), income->isChecked()};
}

void ItemNamesDialog::itemsChanged(int slot) {
  changed_ = true;
  fillItems(std::min(slot, store_.itemCount() - 1));
  if (onItemsChanged) onItemsChanged();
}

void ItemNamesDialog::moveItem(int offset) {
  const int slot = needsItem();
  if (slot < 0) return;
  const int other = slot + offset;
  if (other < 0 || other >= store_.itemCount()) return;
  if (store_.exchangeItems(slot, other)) itemsChanged(other);
}

void ItemNamesDialog::renameItem() {
  const int slot = needsItem();
  if (slot < 0) return;
  const auto input = itemName(false, toQString(store_.itemAt(slot)->name));
  if (input && store_.renameItem(slot, input->name.toStdU16String())) itemsChanged(slot);
}

// At the selected place: the new item takes the selected row.
void ItemNamesDialog::addItem() {
  const int slot = needsItem();
  if (slot < 0) return;
  const auto input = itemName(true, QString());
  if (!input) return;
  const std::u16string name = input->name.toStdU16String();
  const bool added = document_ != nullptr
                         ? sorami::addItem(*document_, name, input->income, slot).has_value()
                         : store_.addItem(name, input->income, slot).has_value();
  if (added) itemsChanged(slot);
}

void ItemNamesDialog::deleteItem() {
  const int slot = needsItem();
  if (slot < 0) return;
  const bool deleted = document_ != nullptr ? sorami::deleteItem(*document_, slot).has_value()
                                            : store_.deleteItem(slot, true).has_value();
  if (deleted) itemsChanged(slot);
}

// Numbered "n:" when names are picked by number; the rows carry the bare names.
void ItemNamesDialog::fillNames(int row) {
  names_->clear();
  if (store_.itemAt(selectedSlot()) == nullptr) return;
  const bool numbered = config_.specialNamesByNumber != 0;
  const std::vector<std::u16string> texts = store_.specialNameTexts(selectedItemNumber());
  for (size_t i = 0; i < texts.size(); ++i) {
    const QString name = QString::fromStdU16String(texts[i]);
    names_->addItem(numbered ? QStringLiteral("%1:%2").arg(i + 1).arg(name) : name);
  }
  if (row >= 0 && row < names_->count()) names_->setCurrentRow(row);
}

int ItemNamesDialog::needsName() {
  const int row = selectedName();
  if (row < 0) {
    prompts_.inform(MessageId::SelectSpecialNameFirst, {}, Icon::Warning);
    return -1;
  }
  store_.setRememberedRow(selectedSlot(), row);
  return row;
}

void ItemNamesDialog::moveName(int offset) {
  const int row = needsName();
  if (row < 0) return;
  if (store_.moveSpecialName(selectedItemNumber(), row, offset) == NameMove::None) return;
  changed_ = true;
  store_.setRememberedRow(selectedSlot(), row + offset);
  fillNames(row + offset);
}

void ItemNamesDialog::changeName() {
  const int row = needsName();
  if (row < 0) return;
  if (store_.editSpecialName(selectedItemNumber(), row)) changed_ = true;
  fillNames(row);
}

// After the selected row, or at the end when none is selected.
void ItemNamesDialog::addName() {
  if (store_.itemAt(selectedSlot()) == nullptr) {
    prompts_.inform(MessageId::SelectItemFirst, {}, Icon::Warning);
    return;
  }
  const int after = selectedName();
  const std::optional<int> row =
      store_.addSpecialName(selectedItemNumber(), u"", after < 0 ? -1 : after + 1, true);
  if (!row) return;
  changed_ = true;
  fillNames(*row);
}

void ItemNamesDialog::deleteName() {
  const int row = needsName();
  if (row < 0) return;
  const std::u16string name =
      store_.specialNameTexts(selectedItemNumber())[static_cast<size_t>(row)];
  if (!store_.deleteSpecialName(selectedItemNumber(), name, true)) return;
  changed_ = true;
  fillNames(std::min(row, store_.specialNameCount(selectedItemNumber()) - 1));
}

}  // namespace sorami
