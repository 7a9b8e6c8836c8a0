// The main window on a small ledger: navigation by keys, the three display modes, the item list
// and the summary rows after each step.

#include "main/SoramiView.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "document/SoramiDocGateway.h"
#include "input/ParsedEdit.h"
#include "lists/GeneralList.h"
#include "lists/StaticWnd.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "platform/AppSettings.h"
#include "settings/ConfigSheet.h"
#include "support/DocumentFixture.h"
#include "ui/SoramiViewFixture.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

using test::kFifth;
using test::kFirst;
using test::kToday;
using test::SoramiViewTest;

TEST_F(SoramiViewTest, OpensOnTodayInDayInputMode) {
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("fixture.mtb[*]"));
  EXPECT_TRUE(frame.action(ID_NEXT_DAY)->isEnabled());
  EXPECT_EQ(view->displayMode(), DM_DAY_INPUT);
  EXPECT_EQ(view->currentDay(), kToday);
  EXPECT_EQ(periodLine(), QStringLiteral("HBB \t 04/10(水)'2024"));
  EXPECT_EQ(view->codedText(IDC_ITEM_HEADER), QStringLiteral("A  M\t 項目名\t　日集計"));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t800"))) << itemLine(kFirst).toStdString();
  EXPECT_TRUE(itemLine(kFifth).endsWith(QStringLiteral("\t0")));
  EXPECT_EQ(
      summaryLines(),
      (QStringList{QStringLiteral("+\t前日残高\t2,200"), QStringLiteral("+\t収入合計\t200,000"),
                   QStringLiteral("-\t支出合計\t800"), QStringLiteral("-\t現金残高\t201,400")}));
  shoot("view-day-input.png");
}

TEST_F(SoramiViewTest, DayWeekMonthAndTodayKeysMoveTheCurrentDay) {
  struct Step {
    int key;
    Qt::KeyboardModifiers mods;
    Day day;
    const char* first;
  };
  const Step steps[] = {
      {Qt::Key_PageUp, Qt::NoModifier, dayFromYmd(2024, 4, 9), "0"},
      {Qt::Key_PageUp, Qt::ControlModifier, dayFromYmd(2024, 3, 9), "0"},
      {Qt::Key_PageDown, Qt::ShiftModifier, dayFromYmd(2024, 3, 16), "0"},
      {Qt::Key_PageDown, Qt::ControlModifier, dayFromYmd(2024, 4, 16), "0"},
      {Qt::Key_PageUp, Qt::ShiftModifier, dayFromYmd(2024, 4, 9), "0"},
      {Qt::Key_PageUp, Qt::ShiftModifier, dayFromYmd(2024, 4, 2), "0"},
      {Qt::Key_PageUp, Qt::NoModifier, dayFromYmd(2024, 4, 1), "300"},
      {Qt::Key_PageUp, Qt::NoModifier, dayFromYmd(2024, 3, 31), "2,000"},
      {Qt::Key_H, Qt::ControlModifier, kToday, "800"},
  };
  for (const Step& s : steps) {
    key(s.key, s.mods);
    EXPECT_EQ(view->currentDay(), s.day) << isoDate(s.day);
    EXPECT_TRUE(itemLine(kFirst).endsWith(QLatin1Char('\t') + QLatin1String(s.first)))
        << isoDate(s.day) << " " << itemLine(kFirst).toStdString();
  }
  key(Qt::Key_PageUp, Qt::NoModifier);  // 9 April
  EXPECT_EQ(summaryLines().at(0), QStringLiteral("+\t前日残高\t2,200"));
  EXPECT_EQ(summaryLines().at(3), QStringLiteral("-\t現金残高\t2,200"));
}

TEST_F(SoramiViewTest, TheColumnSelectorSwitchesToSummaryModeAndBack) {
  view->columnSelector()->setValue(1);
  EXPECT_EQ(view->displayMode(), DM_SUMMARY);
  EXPECT_TRUE(frame.action(ID_SUMMARY_MODE)->isChecked());
  EXPECT_EQ(periodLine(), QStringLiteral("HBB \t2024/04/01～2024/04/30"));
  EXPECT_EQ(view->codedText(IDC_ITEM_HEADER), QStringLiteral("A  M\t 項目名\t期間集計"));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t1,100")));
  EXPECT_TRUE(itemLine(kFifth).endsWith(QStringLiteral("\t500")));
  EXPECT_EQ(summaryLines().at(0), QStringLiteral("+\t前月残高\t3,000"));
  EXPECT_EQ(summaryLines().at(2), QStringLiteral("-\t支出合計\t1,600"));

  // Budget 30,000, 1,100 spent, 20 days left after the 10th.
  const struct {
    int column;
    const char* first;
  } columns[] = {{2, "30,000"}, {3, "1,376"}, {4, "3"}, {5, "28,900"}};
  for (const auto& c : columns) {
    view->columnSelector()->setValue(c.column);
    EXPECT_TRUE(itemLine(kFirst).endsWith(QLatin1Char('\t') + QLatin1String(c.first)))
        << c.column << " " << itemLine(kFirst).toStdString();
  }
  view->columnSelector()->setValue(3);
  shoot("view-summary.png");
  // A day within the period changes the daily guide only.
  key(Qt::Key_PageDown);
  EXPECT_EQ(view->periodStart(), dayFromYmd(2024, 4, 1));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t1,445")));  // 28,900 / 20

  view->columnSelector()->setValue(0);
  EXPECT_EQ(view->displayMode(), DM_DAY_INPUT);
  EXPECT_EQ(periodLine(), QStringLiteral("HBB \t 04/11(木)'2024"));
}

// The item header and the period line draw their line codes: the column title right-aligned
// in navy over the figures, the period bold in the colours of its table, red on a rest day.
TEST_F(SoramiViewTest, ItemHeaderAndPeriodLineAreCodedLines) {
  auto* header = qobject_cast<CStaticWnd*>(view->control(IDC_ITEM_HEADER));
  auto* period = qobject_cast<CStaticWnd*>(view->control(IDC_PERIOD_LINE));
  ASSERT_NE(header, nullptr);
  ASSERT_NE(period, nullptr);
  EXPECT_EQ(header->style(), CStaticWnd::ButtonStyle);
  EXPECT_EQ(period->style(), CStaticWnd::TableStyle);

  const CodedLineLayout h = header->layout();
  ASSERT_EQ(h.cells.size(), 2u);
  const LineCell& title = h.cells[1];
  EXPECT_EQ(title.text, QStringLiteral("　日集計"));
  EXPECT_TRUE(title.alignRight);
  EXPECT_EQ(title.x, header->width() - header->measure().unit);
  EXPECT_EQ(title.color, CellColor::Navy);

  CodedLineLayout p = period->layout();
  EXPECT_TRUE(p.bold);
  ASSERT_EQ(p.cells.size(), 1u);
  EXPECT_EQ(p.cells[0].color, CellColor::Style2Text);
  config().weeklyRestDays = 1 << 3;  // Wednesdays, as 10 April 2024 is
  key(Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(periodLine(), QStringLiteral("HBBR\t 04/10(水)'2024"));
  p = period->layout();
  ASSERT_EQ(p.cells.size(), 1u);
  EXPECT_EQ(p.cells[0].color, CellColor::Red);
  EXPECT_TRUE(p.bold);
}

// The first window on a 1366 × 768 desktop shows every item row and the summary rows whole.
// At the smallest width the fields keep room for ten characters.
TEST_F(SoramiViewTest, TheFirstWindowShowsEveryRowAndTheFieldsKeepTheirWidth) {
  frame.setGeometry(CMainFrame::firstStartGeometry(QRect(0, 0, 1366, 738)));
  QCoreApplication::processEvents();
  CGeneralList* items = view->itemList();
  const int rows = static_cast<int>(items->rows().size());
  EXPECT_EQ(items->verticalScrollBar()->maximum(), 0);
  EXPECT_GE(items->viewport()->height(), rows * items->rowHeight());
  CGeneralList* summary = view->summaryList();
  EXPECT_GE(summary->viewport()->height(), 4 * summary->rowHeight());
  const QRect inView(summary->mapTo(view, QPoint()), summary->size());
  EXPECT_TRUE(view->rect().contains(inView));
  shoot("main-window-first-start.png");

  frame.resize(frame.minimumSizeHint().width(), frame.height());
  QCoreApplication::processEvents();
  for (QWidget* field :
       {static_cast<QWidget*>(view->nameField()), static_cast<QWidget*>(view->amountField())}) {
    EXPECT_GE(field->width(), 10 * field->fontMetrics().horizontalAdvance(u'0'))
        << field->objectName().toStdString();
  }
  shoot("main-window-smallest.png");
}

// Refilled, the item list shows its first row again, and the selected item stays in view.
TEST_F(SoramiViewTest, RefillingTheItemListStartsAtItsFirstRow) {
  CGeneralList* items = view->itemList();
  frame.resize(1000, 420);
  QCoreApplication::processEvents();
  QScrollBar* bar = items->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0) << "the list must scroll for this test";
  bar->setValue(bar->maximum());
  key(Qt::Key_PageDown);  // the next day refills the list
  EXPECT_EQ(bar->value(), 0);
  const int last = static_cast<int>(items->rows().size()) - 1;
  key(Qt::Key_Up);  // from the first item round to the last
  EXPECT_EQ(items->selected(), last);
  const int shownFrom = bar->value();
  EXPECT_GT(shownFrom, 0);
  key(Qt::Key_PageDown);
  EXPECT_EQ(items->selected(), last);
  EXPECT_EQ(bar->value(), shownFrom);
}

TEST_F(SoramiViewTest, SummaryModeStepsByPeriods) {
  key(Qt::Key_K, Qt::AltModifier);  // the dialog is cancelled
  EXPECT_EQ(view->displayMode(), DM_DAY_INPUT);
  EXPECT_TRUE(frame.action(ID_DAY_INPUT_MODE)->isChecked());
  EXPECT_EQ(proposed.start, dayFromYmd(2024, 4, 1));
  EXPECT_EQ(proposed.end, dayFromYmd(2024, 4, 30));

  answer = SummaryPeriod{dayFromYmd(2024, 4, 1), dayFromYmd(2024, 4, 30), false};
  key(Qt::Key_K, Qt::AltModifier);
  EXPECT_EQ(view->displayMode(), DM_SUMMARY);
  EXPECT_EQ(view->columnSelector()->value(), 1);
  key(Qt::Key_PageDown, Qt::ControlModifier);  // next month
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 5, 1));
  EXPECT_EQ(periodLine(), QStringLiteral("HBB \t2024/05/01～2024/05/31"));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t1,000")));
  key(Qt::Key_PageUp);  // back into April: a new period
  EXPECT_EQ(view->periodEnd(), dayFromYmd(2024, 4, 30));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t1,100")));
  key(Qt::Key_PageUp, Qt::ControlModifier);  // previous month from April
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 3, 31));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t2,000")));
}

TEST_F(SoramiViewTest, AFixedPeriodStaysWhileMonthsStepAndTheGuideStopsAtItsEnd) {
  answer = SummaryPeriod{dayFromYmd(2024, 3, 15), dayFromYmd(2024, 4, 5), true};
  key(Qt::Key_K, Qt::AltModifier);
  EXPECT_EQ(periodLine(), QStringLiteral("HBB \t2024/03/15～2024/04/05"));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t2,300")));
  view->columnSelector()->setValue(3);
  // The 10th is past the fixed period's end: no days are left to spread the budget over.
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t0"))) << itemLine(kFirst).toStdString();
  key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 5, 1));
  EXPECT_EQ(view->periodStart(), dayFromYmd(2024, 3, 15));
  EXPECT_EQ(view->periodEnd(), dayFromYmd(2024, 4, 5));
}

TEST_F(SoramiViewTest, CashBookModeHidesTheItemSideAndShowsThePeriod) {
  key(Qt::Key_U, Qt::AltModifier);
  EXPECT_EQ(view->displayMode(), DM_CASH_BOOK);
  EXPECT_TRUE(frame.action(ID_CASH_BOOK_MODE)->isChecked());
  EXPECT_FALSE(view->itemList()->isVisible());
  EXPECT_EQ(view->periodStart(), dayFromYmd(2024, 4, 1));
  EXPECT_EQ(view->periodEnd(), dayFromYmd(2024, 4, 30));
  shoot("view-cash-book.png");
  key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(view->periodStart(), dayFromYmd(2024, 5, 1));
  key(Qt::Key_D, Qt::AltModifier);
  EXPECT_EQ(view->displayMode(), DM_DAY_INPUT);
  EXPECT_TRUE(view->itemList()->isVisible());
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t1,000")));
}

TEST_F(SoramiViewTest, ASavedModeComesBackWhenTheFileIsOpenedAgain) {
  gateway.document().config().saveDisplayMode = 1;
  answer = SummaryPeriod{dayFromYmd(2024, 4, 1), dayFromYmd(2024, 4, 30), false};
  key(Qt::Key_K, Qt::AltModifier);
  view->columnSelector()->setValue(4);
  key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(gateway.document().isModified());
  ASSERT_TRUE(gateway.openFile(QString::fromStdU16String(gateway.document().path().u16string())));
  EXPECT_EQ(view->displayMode(), DM_SUMMARY);
  EXPECT_EQ(view->columnSelector()->value(), 4);
  EXPECT_EQ(view->codedText(IDC_ITEM_HEADER), QStringLiteral("A  M\t 項目名\t消化率％"));
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t3")));
}

TEST_F(SoramiViewTest, AFileThatSwapsThePageKeysStepsTheOtherWay) {
  const QString path = QDir(temp.dir()).filePath(QStringLiteral("swapped.mtb"));
  test::writeFixture(path.toStdString(), [](CConfig& c) { c.swapPageKeys = 1; });
  ASSERT_TRUE(gateway.openFile(path));
  const struct {
    int key;
    Qt::KeyboardModifiers mods;
    Day day;
  } steps[] = {
      {Qt::Key_PageDown, Qt::NoModifier, dayFromYmd(2024, 4, 9)},
      {Qt::Key_PageUp, Qt::NoModifier, dayFromYmd(2024, 4, 10)},
      {Qt::Key_PageDown, Qt::ShiftModifier, dayFromYmd(2024, 4, 3)},
      {Qt::Key_PageUp, Qt::ControlModifier, dayFromYmd(2024, 5, 3)},
  };
  for (const auto& s : steps) {
    key(s.key, s.mods);
    EXPECT_EQ(view->currentDay(), s.day) << isoDate(s.day);
  }
  // The menu entry keeps its meaning and shows the key that reaches it now.
  EXPECT_EQ(frame.action(ID_PREV_DAY)->shortcut(), QKeySequence(Qt::Key_PageDown));

  // A file without the setting brings the usual keys back.
  ASSERT_TRUE(gateway.openFile(QDir(temp.dir()).filePath(QStringLiteral("fixture.mtb"))));
  key(Qt::Key_PageDown);
  EXPECT_EQ(view->currentDay(), kToday + 1);
}

TEST_F(SoramiViewTest, TheSettingsSheetOpensWithCtrlUAndItsColourChoiceRepaintsTheLists) {
  QTimer::singleShot(0, [] {
    auto* sheet = dynamic_cast<ConfigSheet*>(QApplication::activeModalWidget());
    ASSERT_NE(sheet, nullptr);
    sheet->tabs()->setCurrentIndex(ConfigSheet::Display);
    for (QCheckBox* box : sheet->findChildren<QCheckBox*>()) {
      if (box->text() == QStringLiteral("白黒画面で使う")) box->setChecked(true);
    }
    sheet->accept();
  });
  key(Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(frame.colors().displayColor(), DisplayColors::Monochrome);
  EXPECT_EQ(view->colors().displayColor(), DisplayColors::Monochrome);
  EXPECT_EQ(frame.configTabNo(), ConfigSheet::Display);
  EXPECT_EQ(view->itemList()->lines().size(), gateway.document().entries()->itemCount());
}

// A file from before the settings were kept in it takes the diary title of this device.
TEST_F(SoramiViewTest, AFileWithoutItsSettingsTakesTheDevicesDiaryTitle) {
  temp.store().setValue(QStringLiteral("Diary/DialyTitle"), QStringLiteral("わが家の日記"));
  const QString path = QDir(temp.dir()).filePath(QStringLiteral("old.mtb"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(SORAMI_FIXTURES "/no-block.mtb"), path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  ASSERT_TRUE(gateway.openFile(path));
  EXPECT_FALSE(config().hasBlock);
  EXPECT_EQ(config().diaryTitle, u"わが家の日記");
}

// What the sheet changes of the calculation reaches the amount field when it closes, without
// opening the file again.
TEST_F(SoramiViewTest, TheSettingsSheetReachesTheAmountFieldAtOnce) {
  ASSERT_FALSE(view->amountField()->calculator().settings().precedence);
  QTimer::singleShot(0, [] {
    auto* sheet = dynamic_cast<ConfigSheet*>(QApplication::activeModalWidget());
    ASSERT_NE(sheet, nullptr);
    sheet->tabs()->setCurrentIndex(ConfigSheet::Calculation);
    for (QCheckBox* box : sheet->findChildren<QCheckBox*>()) {
      if (box->text() == QStringLiteral("電卓で×÷を＋－より先に計算する")) box->setChecked(true);
    }
    sheet->accept();
  });
  key(Qt::Key_U, Qt::ControlModifier);
  ASSERT_EQ(config().operatorPrecedence, 1);
  EXPECT_TRUE(view->amountField()->calculator().settings().precedence);
}

}  // namespace
}  // namespace sorami
