// The main view's commands on the lines selected in the detail list: delete, change, copy and
// paste.

#include <QClipboard>
#include <QGuiApplication>

#include "document/SoramiDoc.h"
#include "ledger/EntryInput.h"
#include "ledger/EntryText.h"
#include "lists/DetailBox.h"
#include "main/SoramiView.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "rules/AmountText.h"

namespace sorami {

std::vector<CHinmeiList::Position> selectedPositions(const CDetailBox& details) {
  std::vector<CHinmeiList::Position> out;
  for (const int line : details.selectedLines()) out.push_back(details.lines().row(line).entry);
  return out;
}

namespace {

std::u16string trimmed(const QString& text) {
  return text.trimmed().toStdU16String();
}

}  // namespace

void CSoramiView::deleteSelectedLines() {
  if (!hasData()) return;
  if (detailList()->selectedLines().empty()) {
    prompts().inform(MessageId::DeleteNeedsSelection, {}, Icon::Warning);
    return;
  }
  if (config().confirmDeletion != 0 && prompts().ask(MessageId::ConfirmDeleteSelected, {},
                                                     Buttons::YesNo, Answer::No) != Answer::Yes) {
    return;
  }
  const auto entries = leadingEntries(store(), selectedPositions(*detailList()));
  if (!entries.empty()) {
    removeEntries(store(), entries);
    ledgerChanged();
  }
  focusInput();
}

// What the dialog shows: a transfer line without amount and memo stands for its account and
// shows the account's memo, as does the line of an account without lines.
EntryEditRequest CSoramiView::editRequest(const CHinmei& e) const {
  const int places = config().decimalPlaces;
  const QString amount = QString::fromStdU16String(formatAmount(e.amount, true, places));
  const QString zero = QString::fromStdU16String(formatAmount(0, true, places));
  std::u16string memo(e.visibleMemo());
  const auto kind = static_cast<uint16_t>(e.flags & (EF_ACCOUNT | EF_LOAN));
  if (e.isDated() && kind != 0 && e.amount == 0 && memo.empty()) {
    if (const auto def = store().definitionByName(e.name, kind)) memo = (*def)->visibleMemo();
  }
  const QString name = toQString(e.name);
  const QString shownAmount = e.isDefinition() ? zero : amount;
  return {name, shownAmount, {name, shownAmount, QString::fromStdU16String(memo)}, HitName};
}

// Hands the dialog's answer to the store; true when the ledger changed.
bool CSoramiView::applyEdit(int line, const EntryEditAnswer& answer,
                            const EntryEditFields& proposed) {
  EntryEdit edit;
  edit.action = answer.action == EntryEditAnswer::Action::Delete ? EntryEdit::Action::Delete
                                                                 : EntryEdit::Action::Ok;
  edit.name = trimmed(answer.fields.name);
  // A text that is no figure would read as 0, which deletes the line.
  const std::u16string amount = answer.fields.amount.toStdU16String();
  if (answer.action == EntryEditAnswer::Action::Ok && !isAmountText(amount)) {
    prompts().inform(MessageId::AmountNotANumber, {}, Icon::Warning);
    return false;
  }
  edit.amount = parseAmount(trimInputSpaces(narrowFigures(amount)), config().decimalPlaces);
  if (answer.fields.memo != proposed.memo) edit.memo = answer.fields.memo.toStdU16String();
  const CHinmeiList::Position entry = detailList()->lines().row(line).entry;
  const CHinmei* item = detailList()->lines().source().item;
  EditOutcome outcome = EditOutcome::Refused;
  if (!entry->isDefinition()) {
    outcome = store().editEntry(entry, edit);
  } else if (item != nullptr) {
    outcome = store().editDefinitionLine(*item, entry->name, edit);
  }
  return outcome == EditOutcome::Changed || outcome == EditOutcome::Removed;
}

void CSoramiView::changeSelectedLine() {
  if (!hasData()) return;
  CDetailBox* details = detailList();
  const std::vector<int> selected = details->selectedLines();
  if (selected.size() != 1) {
    prompts().inform(MessageId::SelectOneEntry, {}, Icon::Warning);
    return;
  }
  const int line = selected.front();
  EntryEditRequest request = editRequest(details->lines().entry(line));
  request.hitColumn = details->hitColumn();
  const std::optional<EntryEditAnswer> answer =
      askEntryEdit ? askEntryEdit(request) : EntryEditDialog::ask(request, this);
  if (answer && applyEdit(line, *answer, request.proposed)) {
    const int top = details->topLine();
    ledgerChanged();
    if (line < details->count()) details->selectOnly(line);
    details->setTopLine(top);
  }
  focusInput();
}

void CSoramiView::copySelectedLines() {
  if (!hasData()) return;
  const auto entries = leadingEntries(store(), selectedPositions(*detailList()));
  if (entries.empty()) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) {
    prompts().inform(MessageId::ClipboardOpenFailed, {}, Icon::Warning);
    return;
  }
  const QString text =
      QString::fromStdU16String(entriesText(store(), entries, config().decimalPlaces));
  clipboard->setText(text);
  if (clipboard->text() != text) prompts().inform(MessageId::ClipboardSetFailed, {}, Icon::Warning);
}

void CSoramiView::pasteLines() {
  if (!hasData()) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) {
    prompts().inform(MessageId::ClipboardOpenFailed, {}, Icon::Warning);
    return;
  }
  const std::u16string text = clipboard->text().toStdU16String();
  if (pasteEntries(store(), text, selectedItem(), config().decimalPlaces) > 0) ledgerChanged();
  focusInput();
}

// The tax line goes to the day, item and product name of the selected lines; where they differ,
// to the current day, the selected item and no product name.
void CSoramiView::writeTaxForSelection() {
  if (!hasData()) return;
  std::optional<Day> day;
  std::optional<const CHinmei*> item;
  std::optional<std::u16string> name;
  const auto common = [](auto& shared, const auto& value, const auto& otherwise) {
    if (!shared) {
      shared = value;
    } else if (*shared != value) {
      shared = otherwise;
    }
  };
  for (const CHinmeiList::Position p : selectedPositions(*detailList())) {
    if (!p->isDated()) continue;
    const CHinmei* own = store().itemByNumber(p->item);
    common(day, p->date, currentDay_);
    common(item, own ? own : selectedItem(), selectedItem());
    common(name, p->name, std::u16string());
  }
  const CHinmei* taxItem = item.value_or(selectedItem());
  if (!taxItem) return;
  const int64_t amount = detailList()->selectedLines().empty() ? 0 : detailList()->selectedAmount();
  const QStringList accounts = transferNames(TransferKind::Savings);
  const QStringList loans = transferNames(TransferKind::Loan);
  const std::optional<WriteTaxChoice> choice =
      askWriteTax ? askWriteTax(accounts, loans) : WriteTaxDialog::ask(accounts, loans, this);
  if (!choice) return;
  const WriteTaxOutcome outcome =
      writeTax(store(), day.value_or(currentDay_), *taxItem, name.value_or(std::u16string()),
               amount, choice->source, choice->name.toStdU16String(), config().taxSettings(),
               config().taxLineSettings());
  // A pair taken back after its second half was refused changed the lists all the same.
  if (outcome != WriteTaxOutcome::NoTax) ledgerChanged();
  focusInput();
}

}  // namespace sorami
