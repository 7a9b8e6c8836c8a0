// What the main window does with automatic entries: the due lines written when a file opens,
// with the confirmation the file asks for, the balance warning once the window shows the file,
// and the commands 自動記入 and 自動記入の強制実行.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include "document/SoramiDocGateway.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "platform/AppSettings.h"
#include "support/DocumentFixture.h"
#include "ui/TempSettings.h"

namespace sorami::test {
namespace {

constexpr uint16_t kFood = 4;
constexpr uint16_t kOutOfAccount = 17;

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

// A file made on 2024-04-10 with a rent of 15,000 on the 13th from an account of 20,000 watched
// below 10,000, and a monthly food line of 4,000 on the 5th.
void writeFile(const std::filesystem::path& path) {
  FixedClock clock{2024, 4, 10};
  CConfig live;
  ScriptedPrompts prompts;
  CSoramiDoc doc{live, prompts, clock};
  ASSERT_TRUE(doc.createFile(path, NewFileValues{5000, false, 10}));
  CHinmeiList& s = *doc.entries();
  s.registerAccount(u"普通預金", kKindAccount, -1, 20000);
  (*s.definitionByName(u"普通預金", kKindAccount))->setTail(u"\n\n7,10000,0,0,0,0,-1,-1");
  const auto rule = [&](uint16_t item, const char16_t* name, int code, int32_t amount,
                        int32_t source, const char16_t* sourceName) {
    CAutoRule r = CAutoRule::makeDefault(s.context().today);
    r.sourceItem = source;
    r.sourceName = sourceName;
    r.destinationItem = item;
    r.destinationName = name;
    r.scheduleCode = code;
    r.baseAmount = amount;
    r.startAsNew();
    s.addRule(r);
  };
  rule(kFood, u"家賃", 13, 15000, kOutOfAccount, u"普通預金");
  rule(kFood, u"米", 5, 4000, -1, u"現金");
  live.confirmAutoEntries = 1;
  ASSERT_TRUE(doc.save());
}

class StartUpWindow : public ::testing::Test {
 protected:
  StartUpWindow()
      : settings(temp.store()),
        gateway(settings, prompts, clock, std::filesystem::path(temp.dir().toStdString()) / "none"),
        frame(settings) {
    path = QDir(temp.dir()).filePath(QStringLiteral("rules.mtb"));
    writeFile(path.toStdString());
    gateway.attachFrame(frame);
    frame.resize(1000, 700);
    frame.show();
  }

  size_t lines() {
    size_t n = 0;
    for (const CHinmei& e : gateway.document().entries()->entries()) {
      n += e.isDated() && !e.isEndMarker();
    }
    return n;
  }

  TempSettings temp;
  AppSettings settings;
  ScriptedPrompts prompts;
  FixedClock clock{2024, 5, 10};
  SoramiDocGateway gateway;
  CMainFrame frame;
  QString path;
};

TEST_F(StartUpWindow, OpeningAsksForEachDueLineAndWarnsOnceTheWindowIsUp) {
  // Due on 10 May: food on 5 April and 5 May, rent on 13 April. Rent on 13 May falls in the
  // watch's days and takes the account to -10,000.
  prompts.autoEntryChoices = {AutoEntryChoice::Write, AutoEntryChoice::WriteAll};
  ASSERT_TRUE(gateway.openFile(path));
  EXPECT_EQ(prompts.proposals.size(), 2u);
  EXPECT_EQ(prompts.proposals[0].date, ymd(2024, 4, 5));
  EXPECT_EQ(prompts.proposals[0].remaining, 2u);
  EXPECT_EQ(lines(), 4u);  // two single lines and one pair
  EXPECT_FALSE(prompts.wasShown(MessageId::ShortfallWarning));
  QCoreApplication::processEvents();
  ASSERT_TRUE(prompts.wasShown(MessageId::ShortfallWarning));
  EXPECT_EQ(prompts.shown.back().text,
            u"5月13日に\n貯蓄引出：普通預金,金額15,000の引き落としため\n口座：普通預金 の残高が "
            u"20,000 不足します。");
}

TEST_F(StartUpWindow, TheForcedRunAsksAndWritesUpToTheCurrentDay) {
  prompts.autoEntryChoices = {AutoEntryChoice::StopAll};
  ASSERT_TRUE(gateway.openFile(path));
  EXPECT_EQ(lines(), 0u);
  ASSERT_TRUE(frame.action(ID_AUTO_ENTRY_RUN)->isEnabled());
  frame.action(ID_AUTO_ENTRY_RUN)->trigger();
  EXPECT_EQ(prompts.shown.back().id, MessageId::ConfirmForcedAutoEntries);
  EXPECT_EQ(lines(), 0u);  // No is the default
  prompts.answers = {Answer::Yes};
  prompts.autoEntryChoices = {AutoEntryChoice::WriteRemaining};
  frame.action(ID_AUTO_ENTRY_RUN)->trigger();
  EXPECT_EQ(lines(), 4u);
  EXPECT_TRUE(frame.action(ID_AUTO_ENTRY)->isEnabled());
}

}  // namespace
}  // namespace sorami::test
