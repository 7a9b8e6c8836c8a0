#include "reports/SearchCommand.h"

#include "document/ShownWindow.h"
#include "document/SoramiDoc.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "reports/SearchDialog.h"

namespace sorami {

CSearchCommand::CSearchCommand(CMainFrame& frame, CSoramiDoc& document,
                               const HolidayCalendar& holidays)
    : QObject(&frame), frame_(frame), document_(document), holidays_(holidays) {
  runDialog = [](CSearchDialog& dialog) { return dialog.exec(); };
}

void CSearchCommand::run() {
  CHinmeiList* store = document_.entries();
  if (store == nullptr) return;
  CSoramiView* view = frame_.view();
  // The accounting month of the current day (or the fixed period), and the selected line's item
  // and product name.
  const Period period = shownPeriodOf(view->currentDay(), document_.config(), holidays_);
  SearchStart start{period.first, period.last, std::nullopt, {}};
  if (const CHinmei* line = view->selectedLine()) {
    start.item = line->item;
    start.keyword = line->name.view().substr(0, kSearchKeywordLimit);
  }
  Prompts* prompts = store->context().prompts;
  DefaultPrompts none;
  CSearchDialog dialog(*store, document_.config(), prompts ? *prompts : none, start, &frame_);
  if (runDialog(dialog) != QDialog::Accepted) return;
  const std::optional<CHinmeiList::Position> chosen = dialog.chosenLine();
  if (!chosen) return;
  view->showLine((*chosen)->date, (*chosen)->item);
}

CSearchCommand* attachSearchCommand(CMainFrame& frame, CSoramiDoc& document,
                                    const HolidayCalendar& holidays) {
  auto* command = new CSearchCommand(frame, document, holidays);
  frame.attachCommand(ID_SEARCH, [command] { command->run(); });
  return command;
}

}  // namespace sorami
