#pragma once
// The page "項目,特別品名の設定": the items on the left and the special names of the selected
// item on the right, with the buttons that add, change, delete and move the names. The item
// side lists the items; its own buttons go into itemButtons().

#include <QDialog>
#include <functional>
#include <optional>

class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace sorami {

class CConfig;
class CHinmeiList;
class CSoramiDoc;

// What the dialogs "項目の追加" and "項目名の変更" return.
struct ItemNameInput {
  QString name;
  bool income = false;
};
class Prompts;

class ItemNamesDialog : public QDialog {
  Q_OBJECT

 public:
  enum NameButton { NameUp, NameDown, NameChange, NameAdd, NameDelete, Back, NameButtonCount };
  enum ItemButton { ItemUp, ItemDown, ItemChange, ItemAdd, ItemDelete, ItemHelp, ItemButtonCount };

  // Opens on the item in `slot` of the item table.
  ItemNamesDialog(CHinmeiList& store, const CConfig& config, Prompts& prompts, int slot,
                  QWidget* parent = nullptr);

  // Whether the names (or accounts) changed, so that the main window shows them again.
  bool changed() const { return changed_; }

  QListWidget* itemList() const { return items_; }
  QListWidget* nameList() const { return names_; }
  QPushButton* button(NameButton which) const { return buttons_[which]; }
  QPushButton* button(ItemButton which) const { return itemButtonWidgets_[which]; }
  // Items are added and deleted through the open file's document, so that its settings that
  // name items follow and the next save keeps a backup.
  void setDocument(CSoramiDoc* document) { document_ = document; }
  // Asks for an item's name (and, when adding, its side); replaceable so that tests answer.
  std::function<std::optional<ItemNameInput>(bool adding, const QString& name)> askItemName;
  // Called as soon as the items change, while the dialog is still open: a deleted item's lines
  // are gone at once, and the window behind must not paint them.
  std::function<void()> onItemsChanged;
  QVBoxLayout* itemButtons() const { return itemButtons_; }
  int selectedSlot() const;
  int selectedName() const;
  // Lists the items again, keeping the selection on `slot`.
  void fillItems(int slot);

 private:
  QWidget* buildItemSide();
  QWidget* buildNameSide();
  uint16_t selectedItemNumber() const;
  void itemSelected();
  void fillNames(int row);
  // The selected row, remembered for the item; -1 after the message that asks for one.
  int needsName();
  void moveName(int offset);
  void changeName();
  void addName();
  void deleteName();
  // The selected item's slot; -1 after the message that asks for one.
  int needsItem();
  std::optional<ItemNameInput> itemName(bool adding, const QString& name);
  void moveItem(int offset);
  void renameItem();
  void addItem();
  void deleteItem();
  void itemsChanged(int slot);

  CHinmeiList& store_;
  const CConfig& config_;
  Prompts& prompts_;
  QListWidget* items_ = nullptr;
  QListWidget* names_ = nullptr;
  QVBoxLayout* itemButtons_ = nullptr;
  QPushButton* buttons_[NameButtonCount] = {};
  QPushButton* itemButtonWidgets_[ItemButtonCount] = {};
  CSoramiDoc* document_ = nullptr;
  bool changed_ = false;
};

}  // namespace sorami
