#pragma once
// Which page of the manual belongs to which window. The help command opens the page of the
// window that has the focus; a window without a page of its own leads to the page of the window
// it belongs to, and in the end to the main window's.

#include <QString>
#include <span>

class QWidget;

namespace sorami {

struct HelpPageEntry {
  // A window's object name (its dialog number where it has one), its class without namespace,
  // or its title exactly as the window shows it.
  const char16_t* window;
  const char* page;  // file name of the page in the manual, without ".md"
};

inline const QString HelpContentsPage = QStringLiteral("index");
inline const QString HelpMainWindowPage = QStringLiteral("main-window");

std::span<const HelpPageEntry> helpPageTable();

// The page for `widget`'s window, else for the windows it belongs to; the main window's page
// when none of them has one (also for no widget at all).
QString helpPageFor(const QWidget* widget);

}  // namespace sorami
