#include "platform/AppSettings.h"

#include <gtest/gtest.h>

#include "main/DisplayColors.h"
#include "main/MainFrame.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

TEST(AppSettings, MissingValuesTakeTheirDefaults) {
  test::TempSettings temp;
  AppSettings s(temp.store());
  EXPECT_EQ(s.displayColor(), 0);
  EXPECT_FALSE(s.debug());
  EXPECT_EQ(s.configTabNo(), 0);
  EXPECT_EQ(s.calculatorMemory(), QStringLiteral("0"));
  EXPECT_EQ(s.diaryTitle(), QStringLiteral("日記 / スケジュール"));
  EXPECT_FALSE(s.calculatorPos());
  EXPECT_FALSE(s.specialListPos());
  EXPECT_FALSE(s.windowPos(QStringLiteral("Comment")));
  EXPECT_TRUE(s.recentFiles().files().isEmpty());
}

TEST(AppSettings, DamagedValuesCountAsMissing) {
  test::TempSettings temp;
  QSettings& st = temp.store();
  st.setValue("Settings/DisplayColor", "colour");
  st.setValue("Settings/CalculatorXPos", 10);  // a position needs both halves
  for (const char* bad : {"1,2,3", "10,10,5,5", "a,b,c,d", ""}) {
    st.setValue("Comment/WindowPos", bad);
    AppSettings s(st);
    EXPECT_FALSE(s.windowPos(QStringLiteral("Comment"))) << bad;
    EXPECT_EQ(s.displayColor(), 0);
    EXPECT_FALSE(s.calculatorPos());
  }
}

TEST(AppSettings, ValuesLandInTheirSectionsAndComeBack) {
  test::TempSettings temp;
  {
    AppSettings s(temp.store());
    s.setDisplayColor(1);
    s.setCalculatorPos({30, -4});
    s.setCalculatorMemory(QStringLiteral("1234"));
    s.setSpecialListPos({5, 6});
    s.setWindowPos(QStringLiteral("AutoSpread"), QRect(10, 20, 100, 200));
    s.setWindowPos(QString(), QRect(1, 1, 1, 1));  // no section: nothing is kept
  }
  const auto again = temp.reopen();
  EXPECT_EQ(again->value("Settings/DisplayColor").toInt(), 1);
  EXPECT_EQ(again->value("Settings/CalculatorYPos").toInt(), -4);
  EXPECT_EQ(again->value("AutoSpread/WindowPos").toString(), QStringLiteral("10,20,110,220"));
  EXPECT_EQ(again->allKeys().size(), 7);
  AppSettings s(*again);
  EXPECT_EQ(s.calculatorPos(), QPoint(30, -4));
  EXPECT_EQ(s.specialListPos(), QPoint(5, 6));
  EXPECT_EQ(s.calculatorMemory(), QStringLiteral("1234"));
  EXPECT_EQ(s.windowPos(QStringLiteral("AutoSpread")), QRect(10, 20, 100, 200));
}

TEST(AppSettings, RecentFilesKeepTheFourLatestMostRecentFirst) {
  test::TempSettings temp;
  const QString d = temp.dir() + u'/';
  {
    AppSettings s(temp.store());
    for (const char* f : {"a.mtb", "b.mtb", "c.mtb", "d.mtb", "e.mtb"}) {
      s.addRecentFile(d + QLatin1String(f));
    }
    s.addRecentFile(d + QStringLiteral("./c.mtb"));  // the same file again moves to the top
  }
  const auto again = temp.reopen();
  again->beginGroup("Recent File List");
  EXPECT_EQ(again->value("File1").toString(), d + "c.mtb");
  EXPECT_EQ(again->value("File2").toString(), d + "e.mtb");
  EXPECT_EQ(again->value("File4").toString(), d + "b.mtb");
  EXPECT_FALSE(again->contains("File5"));
  again->endGroup();

  AppSettings s(*again);
  EXPECT_EQ(s.recentFiles().files(),
            QStringList({d + "c.mtb", d + "e.mtb", d + "d.mtb", d + "b.mtb"}));
  s.removeRecentFile(d + "e.mtb");
  EXPECT_EQ(s.recentFiles().first(), d + "c.mtb");
  EXPECT_EQ(temp.reopen()->value("Recent File List/File4"), QVariant());
}

TEST(AppSettings, RecentListSkipsGapsAndRepeatsInTheStore) {
  test::TempSettings temp;
  temp.store().setValue("Recent File List/File1", "");
  temp.store().setValue("Recent File List/File2", "/data/x.mtb");
  temp.store().setValue("Recent File List/File3", "/data/x.mtb");
  AppSettings s(temp.store());
  EXPECT_EQ(s.recentFiles().files(), QStringList({"/data/x.mtb"}));
}

TEST(AppSettings, MainWindowWritesItsValuesWhenItGoes) {
  test::TempSettings temp;
  temp.store().setValue("Settings/Debug", 1);
  temp.store().setValue("Settings/ConfigTabNo", 3);
  {
    AppSettings s(temp.store());
    CMainFrame frame(s);
    EXPECT_TRUE(frame.debugMessages());
    EXPECT_EQ(frame.configTabNo(), 3);
    frame.setDisplayColor(DisplayColors::Monochrome);
    EXPECT_EQ(frame.colors().pair(CP_INCOME).background, QColor(192, 192, 192));
  }
  const auto again = temp.reopen();
  EXPECT_EQ(again->value("Settings/Version").toInt(), 952);
  EXPECT_EQ(again->value("Settings/DisplayColor").toInt(), 1);
  EXPECT_EQ(again->value("Settings/Debug").toInt(), 1);
  EXPECT_EQ(again->value("Settings/ConfigTabNo").toInt(), 3);
}

TEST(DisplayColors, DisplayColorOneSelectsTheMonochromeTable) {
  struct Case {
    int pair;
    QColor colour, monochrome;
  };
  const Case cases[] = {
      {CP_INCOME, QColor(0, 255, 128), QColor(192, 192, 192)},
      {CP_EXPENSE, Qt::white, Qt::white},
      {CP_OTHER, QColor(0, 255, 255), QColor(192, 192, 192)},
      {CP_CODED_STYLE2, QColor(192, 192, 192), QColor(192, 192, 192)},
      {CP_DETAIL_SELECTED, QColor(0, 0, 128), QColor(0, 0, 128)},
  };
  DisplayColors colours(0);
  DisplayColors mono(DisplayColors::Monochrome);
  for (const Case& c : cases) {
    EXPECT_EQ(colours.pair(c.pair).background, c.colour) << c.pair;
    EXPECT_EQ(mono.pair(c.pair).background, c.monochrome) << c.pair;
  }
  EXPECT_EQ(mono.pair(CP_SPARE).text, QColor(Qt::white));
  mono.select(0);
  EXPECT_EQ(mono.pair(CP_INCOME).background, QColor(0, 255, 128));
}

}  // namespace
}  // namespace sorami
