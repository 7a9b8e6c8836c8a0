#pragma once
// The main view's commands in the main window: modes, navigation, the column selector and the
// commands on detail lines.

namespace sorami {

class CMainFrame;

void attachViewCommands(CMainFrame& frame);

}  // namespace sorami
