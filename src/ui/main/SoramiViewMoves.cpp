// The main view's data moves and the cash balance change: each opens its dialog, runs the move
// through the document (which asks with the counts and keeps a backup at the next save) and
// shows the ledger again; a move that moved nothing says so.

#include "document/CashChange.h"
#include "document/ItemChanges.h"
#include "document/SoramiDoc.h"
#include "lists/DetailBox.h"
#include "main/SoramiView.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

// The detail list takes at most this many selected lines for a move.
constexpr size_t kMaxMovedSelection = 500;

}  // namespace

// The figures are computed again for the shown span, the lists rebuilt.
void CSoramiView::afterMove(size_t moved) {
  if (moved == 0) {
    prompts().inform(MessageId::NothingMoved, {}, Icon::Information);
    return;
  }
  refigure();
  ledgerChanged();
}

namespace {

template <typename Dialog>
bool run(Dialog& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

void CSoramiView::moveBetweenDays() {
  if (!hasData()) return;
  std::vector<CHinmeiList::Position> selection = selectedPositions(*detailList());
  if (selection.size() > kMaxMovedSelection) selection.resize(kMaxMovedSelection);
  std::optional<Day> target;
  if (askMoveToDay) {
    target = askMoveToDay(currentDay());
  } else {
    MoveToDayDialog dialog(currentDay(), prompts(), this);
    if (run(dialog)) target = dialog.target();
  }
  if (!target) return;
  std::optional<size_t> moved;
  if (!selection.empty()) {
    moved = moveLinesToDay(*document(), *target, selection);
  } else if (*target != currentDay()) {
    moved = moveSpan(*document(), currentDay(), currentDay(), *target, false);
  } else {
    moved = 0;
  }
  if (!moved) return;
  afterMove(*moved);
}

void CSoramiView::moveBetweenItems() {
  if (!hasData()) return;
  const std::vector<CHinmeiList::Position> selection = selectedPositions(*detailList());
  const bool dayMode = displayMode() == static_cast<int>(DisplayMode::DayInput);
  const Day from = dayMode ? currentDay() : periodStart();
  const Day to = dayMode ? currentDay() : periodEnd();
  std::optional<ItemMove> chosen;
  if (askItemMove) {
    chosen = askItemMove(from, to, !selection.empty());
  } else {
    MoveItemsDialog dialog(store(), from, to, !selection.empty(), prompts(), this);
    if (run(dialog)) chosen = dialog.result();
  }
  if (!chosen || chosen->destination < 0) return;
  const auto destination = static_cast<uint16_t>(chosen->destination);
  std::optional<size_t> moved;
  if (!selection.empty()) {
    moved = reassignLines(*document(), selection, destination);
  } else if (chosen->source >= 0) {
    moved = reassignSpan(*document(), chosen->from, chosen->to,
                         static_cast<uint16_t>(chosen->source), destination);
  }
  if (!moved) return;
  afterMove(*moved);
}

void CSoramiView::movePeriod() {
  if (!hasData()) return;
  std::optional<PeriodMove> chosen;
  if (askPeriodMove) {
    chosen = askPeriodMove(currentDay());
  } else {
    MovePeriodDialog dialog(currentDay(), prompts(), this);
    if (run(dialog)) chosen = dialog.result();
  }
  if (!chosen) return;
  const std::optional<size_t> moved =
      moveSpan(*document(), chosen->from, chosen->to, chosen->target, chosen->withDiary);
  if (!moved) return;
  afterMove(*moved);
}

void CSoramiView::changeCashBalance() {
  if (!hasData()) return;
  const CashChangeChoice choice = cashChangeChoice(store(), config(), currentDay());
  std::optional<CashChangeRequest> request;
  if (askCashChange) {
    request = askCashChange(choice);
  } else {
    CashChangeDialog dialog(store(), choice, currentDay(), config().decimalPlaces, prompts(), this);
    if (run(dialog)) request = dialog.result();
  }
  if (request) sorami::changeCashBalance(*document(), currentDay(), *request);
  // Working out the cash of the day moved the store's computation: the view computes again.
  refigure();
  ledgerChanged();
}

}  // namespace sorami
