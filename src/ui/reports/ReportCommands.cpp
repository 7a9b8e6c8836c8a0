#include "reports/ReportCommands.h"

#include <QAction>
#include <QApplication>

#include "document/SoramiDocGateway.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "reports/BudgetDialog.h"
#include "reports/GraphDialog.h"
#include "reports/SumYearWindow.h"

namespace sorami {

namespace {

uint16_t selectedItem(CSoramiDoc& doc) {
  const CHinmeiList& store = *doc.entries();
  const int slot = doc.config().currentItem;
  return slot < store.itemCount() ? store.itemAt(slot)->item : 0;
}

void tableAndGraphs(CMainFrame& frame, SoramiDocGateway& gateway) {
  CSoramiDoc& doc = gateway.document();
  if (!doc.hasFile()) return;
  CSoramiView* view = frame.view();
  const GraphDialogSetup setup{view->currentDay(), selectedItem(doc),
                               frame.colors().displayColor() == DisplayColors::Monochrome};
  CGraphDialog dialog(doc, gateway.holidays(), gateway.prompts(), setup, &frame);
  dialog.openAnnualSummary = [&](YearMonth end, int months) {
    const CConfig& c = doc.config();
    AnnualSummary summary;
    {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      summary =
          buildAnnualSummary(*doc.entries(), end, months, c.periodSettings(), gateway.holidays(),
                             {c.savingsInTotals != 0, c.loansInTotals != 0});
      QApplication::restoreOverrideCursor();
    }
    CSumYearWnd window(std::move(summary), c.decimalPlaces, &gateway.settings(), &dialog);
    window.exec();
  };
  dialog.openItemSettings = [&frame] {
    QAction* settings = frame.action(ID_ITEM_SETTINGS);
    if (settings != nullptr && settings->isEnabled()) settings->trigger();
  };
  dialog.exec();
  // The reports read the ledger through the store the view shows; its figures are made again.
  view->refreshAll();
}

void budgetAndActual(CMainFrame& frame, SoramiDocGateway& gateway) {
  CSoramiDoc& doc = gateway.document();
  if (!doc.hasFile() || doc.budgets() == nullptr) return;
  CBudgetDialog dialog(doc, gateway.holidays(), gateway.prompts(), &gateway.settings(),
                       frame.view()->currentDay(), &frame);
  dialog.exec();
  // Budgets and budget options show in the item list.
  frame.view()->refreshAll();
}

}  // namespace

void attachReportCommands(CMainFrame& frame, SoramiDocGateway& gateway) {
  frame.attachCommand(ID_TABLE_GRAPH, [&frame, &gateway] { tableAndGraphs(frame, gateway); });
  frame.attachCommand(ID_BUDGET_ACTUAL, [&frame, &gateway] { budgetAndActual(frame, gateway); });
}

}  // namespace sorami
