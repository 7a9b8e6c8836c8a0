#pragma once
// The commands of the reports menu: the table and graph dialog and the budget window.

namespace sorami {

class CMainFrame;
class SoramiDocGateway;

void attachReportCommands(CMainFrame& frame, SoramiDocGateway& document);

}  // namespace sorami
