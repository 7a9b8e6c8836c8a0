#include "reports/ReportCommands.h"

#include <QAction>

#include "document/SoramiDocGateway.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "reports/GraphDialog.h"

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
  dialog.openItemSettings = [&frame] {
    QAction* settings = frame.action(ID_ITEM_SETTINGS);
    if (settings != nullptr && settings->isEnabled()) settings->trigger();
  };
  dialog.exec();
  // The reports read the ledger through the store the view shows; its figures are made again.
  view->refreshAll();
}

}  // namespace

void attachReportCommands(CMainFrame& frame, SoramiDocGateway& gateway) {
  frame.attachCommand(ID_TABLE_GRAPH, [&frame, &gateway] { tableAndGraphs(frame, gateway); });
}

}  // namespace sorami
