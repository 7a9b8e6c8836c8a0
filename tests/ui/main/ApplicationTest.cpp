#include "main/Application.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "document/DocumentGateway.h"
#include "main/MainFrame.h"
#include "platform/AppSettings.h"
#include "platform/SingleInstance.h"
#include "support/ScriptedPrompts.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

// Opens the files it is told exist, and remembers what it was asked.
class FakeDocument : public DocumentGateway {
 public:
  bool openFile(const QString& path) override {
    asked.append(path);
    if (!openable.contains(path)) return false;
    open = path;
    return true;
  }
  void startWithoutFile() override { open.clear(); }
  bool hasFile() const override { return !open.isEmpty(); }
  QString title() const override { return open.section(u'/', -1); }

  QStringList openable;
  QStringList asked;
  QString open;
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
  EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("a.mtb"));
  EXPECT_EQ(settings.recentFiles().first(), QStringLiteral("/home/hana/a.mtb"));
}

TEST_F(ApplicationTest, TheLastFileIsOpenedAndAFailureLeavesNoFile) {
  settings.addRecentFile(QStringLiteral("/gone/b.mtb"));
  ASSERT_TRUE(app.start({}, instance));
  EXPECT_EQ(document.asked, QStringList({"/gone/b.mtb"}));
  EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("開いたデータ無し"));
}

TEST_F(ApplicationTest, ALaterStartsFileOpensInTheRunningWindow) {
  ASSERT_TRUE(app.start({}, instance));
  document.openable = {QStringLiteral("/home/hana/c.mtb")};
  app.receiveArguments({QStringLiteral("/home/hana/c.mtb")});
  EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("c.mtb"));
  EXPECT_TRUE(app.mainFrame()->isVisible());
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
