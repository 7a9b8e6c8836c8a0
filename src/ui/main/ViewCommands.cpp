#include "main/ViewCommands.h"

#include <QAction>

#include "lists/DetailBox.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"

namespace sorami {

void attachViewCommands(CMainFrame& frame) {
  CSoramiView* view = frame.view();
  frame.attachCommand(ID_DAY_INPUT_MODE, [view] { view->dayInputMode(); });
  frame.attachCommand(ID_SUMMARY_MODE, [view] { view->summaryMode(); });
  frame.attachCommand(ID_CASH_BOOK_MODE, [view] { view->cashBookMode(); });
  frame.attachCommand(ID_PREV_DAY, [view] { view->stepDays(-1); });
  frame.attachCommand(ID_NEXT_DAY, [view] { view->stepDays(1); });
  frame.attachCommand(ID_PREV_WEEK, [view] { view->stepDays(-7); });
  frame.attachCommand(ID_NEXT_WEEK, [view] { view->stepDays(7); });
  frame.attachCommand(ID_PREV_MONTH, [view] { view->stepMonth(-1); });
  frame.attachCommand(ID_NEXT_MONTH, [view] { view->stepMonth(1); });
  frame.attachCommand(ID_TODAY, [view] { view->goToday(); });
  frame.attachCommand(ID_CURRENT_PROCESSING_DAY, [view] { view->currentProcessingDay(); });
  frame.attachCommand(ID_REBUILD_SUMMARY, [view] { view->currentProcessingDay(); });
  frame.attachCommand(ID_DELETE_ENTRY, [view] { view->deleteSelectedLines(); });
  frame.attachCommand(ID_CHANGE_ENTRY, [view] { view->changeSelectedLine(); });
  frame.attachCommand(ID_EDIT_COPY, [view] { view->copySelectedLines(); });
  frame.attachCommand(ID_EDIT_PASTE, [view] { view->pasteLines(); });
  frame.attachCommand(ID_WRITE_TAX, [view] { view->writeTaxForSelection(); });
  frame.attachCommand(ID_INPUT_ENTER, [view] { view->inputEnter(); });
  frame.attachCommand(ID_TOGGLE_PANEL, [view] { view->togglePanel(); });
  frame.attachCommand(ID_NEXT_ITEM, [view] { view->arrowKey(1); });
  frame.attachCommand(ID_PREV_ITEM, [view] { view->arrowKey(-1); });
  frame.attachCommand(ID_STEP_FORWARD, [view] { view->tabKey(1); });
  frame.attachCommand(ID_STEP_BACK, [view] { view->tabKey(-1); });
  frame.attachCommand(ID_DETAIL_DOWN, [view] { view->detailList()->moveCursorLine(1, false); });
  frame.attachCommand(ID_DETAIL_UP, [view] { view->detailList()->moveCursorLine(-1, false); });
  frame.attachCommand(ID_DETAIL_EXTEND_DOWN,
                      [view] { view->detailList()->moveCursorLine(1, true); });
  frame.attachCommand(ID_DETAIL_EXTEND_UP,
                      [view] { view->detailList()->moveCursorLine(-1, true); });
  // Special names and accounts.
  frame.attachCommand(ID_REGISTER_SPECIAL_NAME, [view] { view->registerSpecialName(); });
  frame.attachCommand(ID_CHANGE_SPECIAL_NAME, [view] { view->changeSpecialName(); });
  frame.attachCommand(ID_CHANGE_INITIAL_BALANCE, [view] { view->changeInitialBalance(); });
  frame.attachCommand(ID_ITEM_SETTINGS, [view] { view->itemSettings(); });
  frame.attachCommand(ID_MOVE_BETWEEN_DAYS, [view] { view->moveBetweenDays(); });
  frame.attachCommand(ID_MOVE_BETWEEN_ITEMS, [view] { view->moveBetweenItems(); });
  frame.attachCommand(ID_MOVE_PERIOD, [view] { view->movePeriod(); });
  frame.attachCommand(ID_CHANGE_CASH_BALANCE, [view] { view->changeCashBalance(); });
  frame.attachCommand(ID_NEXT_SPECIAL_NAME, [view] { view->stepSpecialName(1); });
  frame.attachCommand(ID_PREV_SPECIAL_NAME, [view] { view->stepSpecialName(-1); });
  // The check mark follows the mode, also when a cancelled dialog left it unchanged.
  auto showMode = [&frame](int mode) {
    const int ids[] = {ID_DAY_INPUT_MODE, ID_SUMMARY_MODE, ID_CASH_BOOK_MODE};
    if (mode >= 0 && mode < 3) frame.action(ids[mode])->setChecked(true);
  };
  QObject::connect(view, &CSoramiView::displayModeChanged, &frame, showMode);
  QObject::connect(frame.action(ID_SUMMARY_MODE), &QAction::triggered, &frame,
                   [view, showMode] { showMode(view->displayMode()); });
}

}  // namespace sorami
