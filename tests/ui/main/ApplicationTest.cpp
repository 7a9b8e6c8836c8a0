#include "main/Application.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include "document/DocumentGateway.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "platform/AppSettings.h"
#include "platform/SingleInstance.h"
#include "support/ScriptedPrompts.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

// Opens the files it is told exist, and remembers what it was asked. Given the settings, it
// puts an opened file first among the recent files, as the real document does.
class FakeDocument : public DocumentGateway {
 public:
  bool openFile(const QString& path) override {
    asked.append(path);
    if (!openable.contains(path)) return false;
    if (recent) recent->addRecentFile(path);
    open = path;
    return true;
  }
  void startWithoutFile() override { open.clear(); }
  bool hasFile() const override { return !open.isEmpty(); }
  QString title() const override { return open.section(u'/', -1); }

  QStringList openable;
  QStringList asked;
  QString open;
  AppSettings* recent = nullptr;
};

class ApplicationTest : public ::testing::Test {
 protected:
  ApplicationTest()
      : settings(temp.store()),
        instance(dir.filePath(QStringLiteral("instance"))),
        app(settings, prompts, clock, document) {}

  test::TempSettings temp;
  QTemporaryDir dir;
  AppSettings settings;
  test::ScriptedPrompts prompts;
  SystemClock clock;
  FakeDocument document;
  SingleInstance instance;
  Application app;
};

TEST_F(ApplicationTest, NothingToOpenStartsWithoutAFile) {
  ASSERT_TRUE(app.start({}, instance));
  EXPECT_TRUE(document.asked.isEmpty());
  EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("開いたデータ無し"));
  EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ApplicationTest, TheSwitchOpensThePathAndRemembersIt) {
  document.openable = {QStringLiteral("/home/hana/a.mtb")};
  ASSERT_TRUE(app.start({QStringLiteral("/S"), QStringLiteral("/home/hana/a.mtb")}, instance));
  EXPECT_EQ(document.asked, QStringList({"/home/hana/a.mtb"}));
  EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("a.mtb[*]"));
  EXPECT_EQ(settings.recentFiles().first(), QStringLiteral("/home/hana/a.mtb"));
}

TEST_F(ApplicationTest, TheLastFileIsOpenedAndAFailureLeavesNoFile) {
  settings.addRecentFile(QStringLiteral("/gone/b.mtb"));
  ASSERT_TRUE(app.start({}, instance));
  EXPECT_EQ(document.asked, QStringList({"/gone/b.mtb"}));
  EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("開いたデータ無し"));
}

// Each entry of the file menu's recent files opens its file, which moves to the top of the list
// the menu entry was read from.
TEST_F(ApplicationTest, EachRecentFileOpensInTurn) {
  const QStringList paths{"/home/hana/1.mtb", "/home/hana/2.mtb", "/home/hana/3.mtb",
                          "/home/hana/4.mtb"};
  for (const QString& p : paths) settings.addRecentFile(p);  // 4 first, 1 last
  document.openable = paths;
  document.recent = &settings;
  ASSERT_TRUE(app.start({}, instance));
  ASSERT_EQ(document.open, paths[3]);
  CMainFrame* frame = app.mainFrame();
  frame->attachCommand(ID_FILE_OPEN, [] {});  // the recent files are there once files open
  for (int entry = 1; entry < 4; ++entry) {
    for (int turn = 0; turn < 2; ++turn) {
      const QString expected = settings.recentFiles().files().at(entry);
      frame->action(ID_FILE_MRU_FILE1 + entry)->trigger();
      EXPECT_EQ(document.open, expected) << entry;
      EXPECT_EQ(settings.recentFiles().first(), expected);
      EXPECT_EQ(settings.recentFiles().files().size(), 4);
      EXPECT_EQ(frame->windowTitle(), expected.section(u'/', -1) + QStringLiteral("[*]"));
    }
  }
}

TEST_F(ApplicationTest, ALaterStartsFileOpensInTheRunningWindow) {
  ASSERT_TRUE(app.start({}, instance));
  document.openable = {QStringLiteral("/home/hana/c.mtb")};
  app.receiveArguments({QStringLiteral("/home/hana/c.mtb")});
  EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("c.mtb[*]"));
  EXPECT_TRUE(app.mainFrame()->isVisible());
}

// The standard buttons and the file dialogs speak Japanese like the rest of the program.
TEST(ApplicationTranslations, QtsOwnTextsAreJapanese) {
  QTranslator* translator = Application::installTranslations(*QCoreApplication::instance());
  ASSERT_NE(translator, nullptr) << "Qt's Japanese translations (qt6-translations-l10n)";
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:"),
            QStringLiteral("File &name:"));
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

TEST_F(ApplicationTest, ASecondStartEndsAtOnce) {
  ASSERT_TRUE(app.start({}, instance));
  SingleInstance again(dir.filePath(QStringLiteral("instance")));
  FakeDocument otherDocument;
  Application second(settings, prompts, clock, otherDocument);
  EXPECT_FALSE(second.start({QStringLiteral("x.mtb")}, again));
  EXPECT_FALSE(second.mainFrame());
}

}  // namespace
}  // namespace sorami
