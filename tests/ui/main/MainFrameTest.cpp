#include "main/MainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include "main/Commands.h"
#include "main/SoramiView.h"
#include "platform/AppSettings.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() : settings(temp.store()), frame(settings) {
    frame.resize(800, 600);
    frame.show();
    frame.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
  }

  // Gives a command work that counts its calls.
  int* count(int id) {
    int* n = &counts[id];
    frame.attachCommand(id, [n] { ++*n; });
    return n;
  }

  test::TempSettings temp;
  AppSettings settings;
  CMainFrame frame;
  std::map<int, int> counts;
};

TEST_F(MainFrameTest, WithoutAFileTheTitleSaysSoAndDataCommandsAreOff) {
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("開いたデータ無し"));
  EXPECT_TRUE(frame.action(ID_APP_EXIT)->isEnabled());
  EXPECT_TRUE(frame.action(ID_APP_ABOUT)->isEnabled());
  count(ID_TODAY);
  EXPECT_FALSE(frame.action(ID_TODAY)->isEnabled());  // needs data
  frame.setDataLoaded(true);
  EXPECT_TRUE(frame.action(ID_TODAY)->isEnabled());
  EXPECT_FALSE(frame.action(ID_PREV_DAY)->isEnabled());  // no work attached yet
}

TEST_F(MainFrameTest, EveryCommandHasItsTextAndKeys) {
  struct Case {
    int id;
    const char16_t* text;
    const char* keys;
  };
  const Case cases[] = {
      {ID_DAY_INPUT_MODE, u"日別入力表示ﾓｰﾄﾞ(&I)", "Alt+D"},
      {ID_EDIT_COPY, u"ﾃﾞｰﾀｺﾋﾟｰ", "Ctrl+W; Ctrl+Ins"},
      {ID_EDIT_PASTE, u"ﾃﾞｰﾀ貼り付け", "Ctrl+A; Shift+Ins"},
      {ID_DELETE_ENTRY, u"品名ﾃﾞｰﾀ削除", "Ctrl+D; Shift+Del"},
      {ID_NEXT_WEEK, u"翌週", "Shift+PgDown"},
      {ID_OPTIONS, u"動作環境(&C)...", "Ctrl+U"},
      {ID_MOVE_PERIOD, u"期間を指定してﾃﾞｰﾀ移動...", ""},
  };
  for (const Case& c : cases) {
    const QAction* a = frame.action(c.id);
    ASSERT_TRUE(a) << c.id;
    EXPECT_EQ(a->text(), QString::fromUtf16(c.text));
    EXPECT_EQ(QKeySequence::listToString(a->shortcuts()), QString::fromLatin1(c.keys));
  }
  // Every command of the table is reachable, each key belongs to one command only.
  QSet<int> keys;
  for (const CommandEntry& cmd : commandTable()) {
    ASSERT_TRUE(frame.action(cmd.id)) << cmd.id;
    for (const QKeySequence& k : frame.action(cmd.id)->shortcuts()) {
      EXPECT_FALSE(keys.contains(k[0].toCombined())) << k.toString().toStdString();
      keys.insert(k[0].toCombined());
    }
  }
  EXPECT_EQ(frame.menuBar()->actions().size(), 7);
}

TEST_F(MainFrameTest, TheWindowsKeysWinOverTheFocusedField) {
  frame.setDataLoaded(true);
  int* today = count(ID_TODAY);
  int* paste = count(ID_EDIT_PASTE);
  int* copy = count(ID_EDIT_COPY);
  int* dayMode = count(ID_DAY_INPUT_MODE);
  QLineEdit* field = frame.view()->nameField();
  field->setFocus();
  field->setText(QStringLiteral("食費"));
  field->setCursorPosition(1);
  QTest::keyClick(field, Qt::Key_H, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_W, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::keyClick(field, Qt::Key_D, Qt::AltModifier);  // not a menu's mnemonic
  EXPECT_EQ(*dayMode, 1);
  EXPECT_EQ(*today, 1);
  EXPECT_EQ(*paste, 2);
  EXPECT_EQ(*copy, 1);
  // Nothing reached the field: no text selected, none pasted, none deleted.
  EXPECT_EQ(field->text(), QStringLiteral("食費"));
  EXPECT_FALSE(field->hasSelectedText());
}

TEST_F(MainFrameTest, ADisabledCommandsKeyStillDoesNothingInAField) {
  QLineEdit* field = frame.view()->amountField();
  field->setFocus();
  field->setText(QStringLiteral("1200"));
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);  // paste is not available
  EXPECT_FALSE(field->hasSelectedText());
  QTest::keyClick(field, Qt::Key_Backspace);  // ordinary editing is untouched
  EXPECT_EQ(field->text(), QStringLiteral("120"));
  // The input row's own keys keep their ordinary meaning until their commands have work.
  frame.view()->nameField()->setFocus();
  QTest::keyClick(frame.view()->nameField(), Qt::Key_Tab);
  EXPECT_TRUE(field->hasFocus());
}

TEST_F(MainFrameTest, ExitAsksTheGuardFirst) {
  bool allow = false;
  frame.setCloseGuard([&allow] { return allow; });
  frame.action(ID_APP_EXIT)->trigger();
  EXPECT_TRUE(frame.isVisible());
  allow = true;
  frame.action(ID_APP_EXIT)->trigger();
  EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainFrameTest, RecentFilesAppearInTheFileMenu) {
  settings.addRecentFile(QStringLiteral("/data/a.mtb"));
  frame.refreshRecentFiles();
  EXPECT_TRUE(frame.action(ID_FILE_MRU_FILE1)->isVisible());
  EXPECT_EQ(frame.action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("&1 /data/a.mtb"));
  EXPECT_FALSE(frame.action(ID_FILE_MRU_FILE1 + 1)->isVisible());
}

TEST_F(MainFrameTest, Screenshot) {
  const QString dir = QCoreApplication::applicationDirPath();
  frame.view()->nameField()->setFocus();
  EXPECT_TRUE(frame.grab().save(dir + QStringLiteral("/main-window-empty.png")));
  for (QAction* m : frame.menuBar()->actions()) {
    QMenu* menu = m->menu();
    menu->adjustSize();
    menu->grab().save(dir +
                      QStringLiteral("/menu-%1.png").arg(frame.menuBar()->actions().indexOf(m)));
  }
}

// The window comes back where it was left, and the first time fills the work area's height.
TEST_F(MainFrameTest, TheWindowKeepsItsPlaceFromOneStartToTheNext) {
  const QRect work(0, 0, 1366, 738);  // 1366 × 768 less a desktop panel
  const QRect first = CMainFrame::firstStartGeometry(work);
  EXPECT_TRUE(work.contains(first));
  EXPECT_EQ(first.center(), work.center());
  EXPECT_GE(first.height(), work.height() - 40);
  EXPECT_LE(CMainFrame::firstStartGeometry(QRect(0, 0, 3840, 2100)).width(), 1280);

  const QRect left(60, 40, 700, 500);
  {
    CMainFrame one(settings);
    one.showAtStart();
    EXPECT_EQ(one.geometry(), CMainFrame::firstStartGeometry(one.screen()->availableGeometry()));
    one.setGeometry(left);
  }
  CMainFrame next(settings);
  next.showAtStart();
  EXPECT_EQ(next.geometry(), left);
}

}  // namespace
}  // namespace sorami
