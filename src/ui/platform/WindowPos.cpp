#include "platform/WindowPos.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/AppSettings.h"

namespace sorami {

namespace {

bool onSomeScreen(const QRect& rect) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(rect)) return true;
  }
  return false;
}

bool resizable(const QWidget& w) {
  return w.minimumSize() != w.maximumSize();
}

}  // namespace

void saveWindowPos(const QWidget& dialog, const QString& section, AppSettings& settings) {
  settings.setWindowPos(section, dialog.geometry());
}

void restoreWindowPos(QWidget& dialog, const QString& section, const AppSettings& settings) {
  const std::optional<QRect> rect = settings.windowPos(section);
  if (!rect || !onSomeScreen(*rect)) return;
  if (resizable(dialog)) {
    dialog.setGeometry(*rect);
  } else {
    dialog.move(rect->topLeft());
  }
}

QPoint keptOnScreen(const QRect& frame, const QRect& screen) {
  QPoint at = frame.topLeft();
  if (frame.right() > screen.right()) at.rx() -= frame.right() - screen.right();
  if (frame.bottom() > screen.bottom()) at.ry() -= frame.bottom() - screen.bottom();
  at.setX(qMax(at.x(), screen.left()));
  at.setY(qMax(at.y(), screen.top()));
  return at;
}

}  // namespace sorami
