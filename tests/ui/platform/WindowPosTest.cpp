#include "platform/WindowPos.h"

#include <gtest/gtest.h>

#include <QDialog>

#include "platform/AppSettings.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

TEST(WindowPos, ADialogComesBackWhereItWasLeft) {
  test::TempSettings temp;
  AppSettings settings(temp.store());
  QDialog resizable;
  resizable.setGeometry(40, 50, 300, 200);
  saveWindowPos(resizable, QStringLiteral("Comment"), settings);

  QDialog again;
  again.resize(100, 100);
  restoreWindowPos(again, QStringLiteral("Comment"), settings);
  EXPECT_EQ(again.geometry(), QRect(40, 50, 300, 200));

  QDialog fixed;  // a dialog that cannot be resized only moves
  fixed.setFixedSize(120, 80);
  restoreWindowPos(fixed, QStringLiteral("Comment"), settings);
  EXPECT_EQ(fixed.pos(), QPoint(40, 50));
  EXPECT_EQ(fixed.size(), QSize(120, 80));
}

TEST(WindowPos, APositionOnNoScreenIsIgnored) {
  test::TempSettings temp;
  AppSettings settings(temp.store());
  settings.setWindowPos(QStringLiteral("Comment"), QRect(90000, 90000, 100, 100));
  QDialog dialog;
  dialog.setGeometry(10, 20, 100, 100);
  restoreWindowPos(dialog, QStringLiteral("Comment"), settings);
  EXPECT_EQ(dialog.geometry().topLeft(), QPoint(10, 20));
}

}  // namespace
}  // namespace sorami
