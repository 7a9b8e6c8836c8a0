#pragma once
// Dialogs come back where the user left them: the position is kept in the dialog's own section
// of the settings store when it closes and applied when it opens again.

#include <QRect>
#include <QString>
#include <QWidget>

namespace sorami {

class AppSettings;

void saveWindowPos(const QWidget& dialog, const QString& section, AppSettings& settings);

// Moves the dialog to the kept position, and sizes it too when it can be resized. A position
// that lies on no screen any more is ignored, so the dialog never opens out of reach.
void restoreWindowPos(QWidget& dialog, const QString& section, const AppSettings& settings);

// Where a window of that frame stays inside the screen's area: moved left or up by what reaches
// beyond the right or bottom edge, then right or down by what starts before the left or top.
QPoint keptOnScreen(const QRect& frame, const QRect& screen);

}  // namespace sorami
