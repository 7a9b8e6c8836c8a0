// The main view's special names and accounts: the special-name window beside the input row,
// registering and changing special names, the initial balance of an account or loan, and the
// item and special-name settings.

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QWindow>

#include "document/SoramiDoc.h"
#include "input/NameListWnd.h"
#include "lists/DetailBox.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "settings/ItemNamesDialog.h"

namespace sorami {

namespace {

constexpr uint16_t kKinds = EF_ACCOUNT | EF_LOAN;

QString headerOf(const CHinmei& item) {
  if ((item.flags & EF_ACCOUNT) != 0) return QStringLiteral("H   \t口座");
  if ((item.flags & EF_LOAN) != 0) return QStringLiteral("H   \t借入");
  return QStringLiteral("H   \t品名");
}

}  // namespace

CSpecialNameWnd* CSoramiView::specialNameWindow() {
  if (specialNames_ != nullptr) return specialNames_;
  specialNames_ = new CSpecialNameWnd(appSettings_, colors_, this);
  specialNames_->setFont(font());
  // The window's keys run the main window's commands, which then know where the key was typed.
  specialNames_->mainWindowKey = [this](const QKeyEvent& key) {
    auto* frame = qobject_cast<CMainFrame*>(window());
    keyFromSpecialNames_ = true;
    const bool ran = frame != nullptr && frame->runKey(key);
    keyFromSpecialNames_ = false;
    return ran;
  };
  connect(specialNames_, &CSpecialNameWnd::nameSelected, this, &CSoramiView::specialNameChosen);
  // The window belongs to the main window: it goes when the user turns to another window.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
    const QWindow* own = specialNames_->windowHandle();
    const QWindow* main = window()->windowHandle();
    if (now == nullptr || (now != own && now != main)) specialNames_->hide();
  });
  fillSpecialNames();
  return specialNames_;
}

bool CSoramiView::specialNamesShown() const {
  return specialNames_ != nullptr && specialNames_->isVisible();
}

bool CSoramiView::specialNamesHaveFocus() const {
  return specialNamesShown() && (keyFromSpecialNames_ || specialNames_->list()->hasFocus());
}

// The window lists the selected item's names and selects the row last chosen for it.
void CSoramiView::fillSpecialNames() {
  if (specialNames_ == nullptr) return;
  const CHinmei* item = hasData() ? selectedItem() : nullptr;
  if (item == nullptr) {
    specialNames_->setNames({}, false, -1);
    return;
  }
  specialNames_->setVisibleRows(config().specialNameRows);
  specialNames_->setHeader(headerOf(*item));
  specialNames_->setWindowTitle(toQString(item->name));
  specialNames_->setNames(store().specialNameTexts(item->item), config().specialNamesByNumber != 0,
                          store().rememberedRow(config().currentItem));
}

void CSoramiView::showSpecialNames() {
  if (!hasData() || !isVisible()) return;
  CSpecialNameWnd* w = specialNameWindow();
  w->setFont(font());
  fillSpecialNames();
  const QRect field(nameField()->mapToGlobal(QPoint(0, 0)), nameField()->size());
  w->showBeside(field);
}

// Hidden while it had the keys, the window hands them back to the main window.
void CSoramiView::hideSpecialNames() {
  if (specialNames_ == nullptr || !specialNames_->isVisible()) return;
  // A tool window counts as active with its main window; only the keys themselves count here.
  const bool hadKeys = QApplication::activeWindow() == specialNames_;
  specialNames_->hide();
  if (hadKeys) window()->activateWindow();
}

// Shown while a product name is typed, unless the summary mode is to go without it.
void CSoramiView::showSpecialNamesIfWanted() {
  if (!hasData() || config().showSpecialNameList == 0) return;
  if (displayMode_ == DM_SUMMARY && config().hideListInSummary != 0) return;
  showSpecialNames();
}

void CSoramiView::toggleSpecialNames() {
  if (specialNamesShown()) {
    hideSpecialNames();
    nameField()->setFocus();
  } else {
    showSpecialNames();
  }
}

// Shift+Enter: the special-name window beside the product name, the calculator elsewhere.
void CSoramiView::togglePanel() {
  if (nameField()->hasFocus() || specialNamesHaveFocus()) {
    toggleSpecialNames();
  } else {
    toggleCalculator();
  }
}

// The name goes into the field whole; a field cut at its length would name another line.
void CSoramiView::putNameInField(const QString& name) {
  QLineEdit* field = nameField();
  if (name.size() > field->maxLength()) field->setMaxLength(static_cast<int>(name.size()));
  field->setText(name);
}

void CSoramiView::specialNameChosen(int row) {
  if (!hasData() || specialNames_ == nullptr || row < 0 || row >= specialNames_->count()) return;
  putNameInField(specialNames_->nameAt(row));
  store().setRememberedRow(config().currentItem, row);
}

// Enter in the window: the chosen name, then the product-name step's Enter.
void CSoramiView::enterFromSpecialNames() {
  specialNameChosen(specialNames_->selectedRow());
  activateWindow();
  nameField()->setFocus();
  nameEnter();
}

void CSoramiView::focusSpecialNames() {
  specialNames_->takeKeys();
}

// Shift+Down and Shift+Up go round the list and show the name at once.
void CSoramiView::stepSpecialName(int direction) {
  if (!hasData() || selectedItem() == nullptr) return;
  CSpecialNameWnd* w = specialNameWindow();
  fillSpecialNames();
  const int count = w->count();
  if (count == 0) return;
  const int current = w->selectedRow();
  const int row =
      current < 0 ? (direction > 0 ? 0 : count - 1) : (current + direction + count) % count;
  w->selectRow(row);
  specialNameChosen(row);
}

// The item step shows the name last chosen for the item, or leaves a field without selection.
void CSoramiView::rememberedNameToField() {
  const int row = store().rememberedRow(config().currentItem);
  const std::vector<std::u16string> names = selectedItem()
                                                ? store().specialNameTexts(selectedItem()->item)
                                                : std::vector<std::u16string>{};
  if (row >= 0 && static_cast<size_t>(row) < names.size()) {
    putNameInField(QString::fromStdU16String(names[static_cast<size_t>(row)]));
  } else if (nameField()->hasSelectedText()) {
    nameField()->del();
  }
}

// ---- Commands.

void CSoramiView::registerSpecialName() {
  if (!hasData()) return;
  const CHinmei* item = selectedItem();
  if (item == nullptr) return;
  const NameAndMemo typed =
      splitNameText(nameField()->text().toStdU16String(), config().delimiters);
  const std::optional<int> row = store().addSpecialName(item->item, typed.name, -1, true);
  if (!row) return;
  if ((item->flags & kKinds) != 0) ledgerChanged();
  fillSpecialNames();
  if (specialNames_ != nullptr) specialNames_->selectRow(*row);
  focusInput();
}

void CSoramiView::changeSpecialName() {
  if (!hasData()) return;
  const CHinmei* item = selectedItem();
  const int row = specialNames_ != nullptr ? specialNames_->selectedRow() : -1;
  if (item == nullptr || row < 0) {
    prompts().inform(MessageId::SelectSpecialNameFirst, {}, Icon::Warning);
    return;
  }
  if (store().editSpecialName(item->item, row)) ledgerChanged();
  fillSpecialNames();
  focusInput();
}

void CSoramiView::changeInitialBalance() {
  if (!hasData()) return;
  const CHinmei* item = selectedItem();
  const auto kind = static_cast<uint16_t>(item ? item->flags & kKinds : 0);
  if (kind == 0) {
    prompts().inform(MessageId::SelectAccountItemFirst, {}, Icon::Warning);
    return;
  }
  CDetailBox* details = detailList();
  const std::vector<int> selected = details->selectedLines();
  if (selected.size() != 1) {
    prompts().inform(MessageId::SelectOneAccount, {}, Icon::Warning);
    return;
  }
  const int line = selected.front();
  const std::u16string name = details->lines().entry(line).name.str();
  const uint16_t oneKind = (kind & EF_ACCOUNT) != 0 ? EF_ACCOUNT : EF_LOAN;
  const auto def = store().definitionByName(name, oneKind);
  if (!def) return;
  const std::optional<int32_t> amount = prompts().newInitialBalance(name, (*def)->amount);
  if (!amount || !store().setInitialBalance(name, oneKind, *amount)) return;
  const int top = details->topLine();
  ledgerChanged();
  if (line < details->count()) details->selectOnly(line);
  details->setTopLine(top);
}

void CSoramiView::itemSettings() {
  if (!hasData()) return;
  hideSpecialNames();
  ItemNamesDialog dialog(store(), config(), prompts(), config().currentItem, this);
  dialog.setDocument(document());
  dialog.onItemsChanged = [this] { refreshAll(); };
  dialog.exec();
  if (!dialog.changed()) return;
  refreshAll();
  fillSpecialNames();
}

}  // namespace sorami
