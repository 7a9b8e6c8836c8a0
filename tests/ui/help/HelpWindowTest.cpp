#include "help/HelpWindow.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextFragment>
#include <QTextImageFormat>
#include <set>

#include "help/HelpPages.h"
#include "main/MainFrame.h"
#include "platform/AppSettings.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

// Every window's page is in the manual, and no page links to a page or picture that is not
// there: a broken link shows the user an empty page.
TEST(HelpManual, EveryWindowsPageExistsAndEveryLinkLeadsSomewhere) {
  const QString folder = CHelpWindow::manualFolder();
  ASSERT_FALSE(folder.isEmpty());
  const QDir manual(folder);
  std::set<QString> pages{HelpContentsPage, HelpMainWindowPage};
  for (const HelpPageEntry& entry : helpPageTable()) pages.insert(QString::fromLatin1(entry.page));
  for (const QString& page : pages) {
    EXPECT_TRUE(manual.exists(page + QStringLiteral(".md"))) << page.toStdString();
  }

  const QRegularExpression link(QStringLiteral(R"(\]\(([^)\s]+)\))"));
  const QStringList files = manual.entryList({QStringLiteral("*.md")});
  EXPECT_GE(files.size(), qsizetype(pages.size()));
  for (const QString& name : files) {
    QFile file(manual.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("# "))) << name.toStdString() << " has no title";
    for (const auto& m : link.globalMatch(text)) {
      const QString target = m.captured(1);
      if (target.startsWith(QStringLiteral("http"))) continue;
      EXPECT_TRUE(QFile::exists(manual.filePath(target)))
          << name.toStdString() << " links to " << target.toStdString();
    }
  }
}

TEST(HelpPages, AWindowLeadsToItsOwnPageElseToTheWindowItBelongsTo) {
  QWidget main;
  main.setObjectName(QStringLiteral("CMainFrame"));
  QDialog diaryList(&main);
  diaryList.setObjectName(QStringLiteral("214"));
  QDialog unnamedInDiary(&diaryList);
  QDialog accounts(&main);
  accounts.setWindowTitle(QStringLiteral("口座の設定"));
  QWidget stranger;
  auto* field = new QLineEdit(&diaryList);

  struct Case {
    const QWidget* widget;
    const char* page;
  };
  const Case cases[] = {
      {&main, "main-window"},     {&diaryList, "diary"},
      {field, "diary"},  // a control counts as its window
      {&unnamedInDiary, "diary"}, {&accounts, "accounts"},
      {&stranger, "main-window"}, {nullptr, "main-window"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(helpPageFor(c.widget), QString::fromLatin1(c.page)) << c.page;
  }
}

class HelpWindowTest : public ::testing::Test {
 protected:
  HelpWindowTest() : settings(temp.store()), frame(settings) {
    frame.resize(800, 600);
    frame.show();
    frame.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
  }
  ~HelpWindowTest() override { delete helpWindow(); }

  test::TempSettings temp;
  AppSettings settings;
  CMainFrame frame;
};

TEST_F(HelpWindowTest, F1OpensThePageOfTheWindowWithTheFocus) {
  QTest::keyClick(&frame, Qt::Key_F1);
  CHelpWindow* help = helpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->page(), QStringLiteral("main-window"));
  EXPECT_TRUE(help->isVisible());
  EXPECT_FALSE(help->isModal());
  EXPECT_TRUE(help->windowTitle().contains(QStringLiteral("メインウィンドウ")));
  help->close();

  // Over a dialog that waits for its answer the help comes modal, or it could not be read.
  QDialog calendar(&frame);
  calendar.setObjectName(QStringLiteral("224"));
  auto* field = new QLineEdit(&calendar);
  calendar.setModal(true);
  calendar.show();
  calendar.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&calendar));
  field->setFocus();
  QTest::keyClick(field, Qt::Key_F1);
  EXPECT_EQ(helpWindow(), help);  // one help window for the whole program
  EXPECT_EQ(help->page(), QStringLiteral("calendar"));
  EXPECT_TRUE(help->isModal());
  EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(HelpWindowTest, LinksLeadToOtherPagesAndBackAgain) {
  showHelpPage(HelpContentsPage, &frame);
  CHelpWindow* help = helpWindow();
  ASSERT_NE(help, nullptr);
  // A click on a link opens the link resolved against the page.
  help->browser()->setSource(help->browser()->source().resolved(QUrl(QStringLiteral("diary.md"))));
  EXPECT_EQ(help->page(), QStringLiteral("diary"));
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("日記一覧")));
  help->browser()->backward();
  EXPECT_EQ(help->page(), HelpContentsPage);
}

// The screenshots are wider than the help window: each is drawn at the page's width, whole.
TEST_F(HelpWindowTest, PicturesFitThePage) {
  showHelpPage(QStringLiteral("main-window"), &frame);
  CHelpBrowser* browser = helpWindow()->browser();
  int pictures = 0;
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      ++pictures;
      const double width = format.toImageFormat().width();
      EXPECT_GT(width, 0);
      EXPECT_LE(width, browser->viewport()->width());
    }
  }
  EXPECT_EQ(pictures, 3);
}

TEST_F(HelpWindowTest, AMissingPageSaysWhichAndWhatToDo) {
  showHelpPage(QStringLiteral("no-such-page"), &frame);
  CHelpWindow* help = helpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->page().isEmpty());
  const QString text = help->browser()->toPlainText();
  EXPECT_TRUE(text.contains(QStringLiteral("no-such-page.md")));
  EXPECT_TRUE(text.contains(QStringLiteral("入れ直す")));
  // The next page that is there shows again.
  showHelpPage(QStringLiteral("diary"), &frame);
  EXPECT_EQ(help->page(), QStringLiteral("diary"));
}

}  // namespace
}  // namespace sorami
