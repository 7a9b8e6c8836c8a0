#pragma once
// The main view's commands in the main window: modes, navigation and the column selector.

namespace sorami {

class CMainFrame;

void attachViewCommands(CMainFrame& frame);

}  // namespace sorami
