// The diary list, its editor and search, and the calendar, opened from the main window's keys
// and commands on the small fixture ledger.

#include "diary/DiaryWindows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "diary/CalendarWnd.h"
#include "diary/DiaryEditor.h"
#include "diary/DiaryList.h"
#include "diary/DiarySearch.h"
#include "main/Commands.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kToday;

class DiaryWindowsTest : public test::SoramiViewTest {
 protected:
  CDiaryWindows& diary() { return *gateway.diaryWindows(); }
  CDiaryList& list() { return *diary().list(); }
  CDiaryEditor& editor() { return *diary().editor(); }
  // The list is the active window then, as it is for the user, so its keys reach it.
  void openList() {
    frame.action(ID_DIARY_LIST)->trigger();
    ASSERT_TRUE(diary().list() && list().isVisible());
    list().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&list()));
  }
  // Ctrl+M in the main window: the editor of the current day.
  void editCurrentDay() {
    key(Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(diary().editor() && editor().isVisible());
  }
  void typeInEditor(const QString& text) { typeText(editor().textBox(), text); }
  std::u16string diaryOf(Day day) {
    const auto e = store().diaryOf(day);
    return e ? std::u16string((*e)->visibleMemo()) : u"";
  }
  void shootWindow(QWidget& w, const char* name) {
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.grab().save(QDir(QCoreApplication::applicationDirPath()).filePath(name)));
  }
};

TEST_F(DiaryWindowsTest, WritingADayFromTheMainViewAndSeeingItInTheList) {
  editCurrentDay();
  EXPECT_EQ(editor().windowTitle(), QStringLiteral("2024年 4月10日<水曜日>の日記編集"));
  typeInEditor(QStringLiteral("花見"));
  QTest::keyClick(editor().textBox(), Qt::Key_Return, Qt::ControlModifier);
  typeInEditor(QStringLiteral("桜が満開"));
  shootWindow(editor(), "diary-editor.png");
  editor().accept();
  EXPECT_EQ(diaryOf(kToday), u"花見\r\n桜が満開");
  EXPECT_TRUE(store().isModified());

  openList();
  EXPECT_EQ(list().windowTitle(), QString::fromStdU16String(config().diaryTitle));
  EXPECT_EQ(list().monthLabel(), QStringLiteral("2024年 4月"));
  EXPECT_EQ(list().days()->topLevelItemCount(), 30);
  EXPECT_EQ(list().rowText(9), QStringLiteral("10<水>花見 桜が満開"));
  EXPECT_EQ(list().days()->currentItem(), list().days()->topLevelItem(9));
  // Sunday the 7th and Monday the 29th (昭和の日) in red, Thursday the 11th not.
  EXPECT_TRUE(list().rowIsRed(6));
  EXPECT_TRUE(list().rowIsRed(28));
  EXPECT_FALSE(list().rowIsRed(10));
  shootWindow(list(), "diary-list.png");

  // An empty text removes the day's diary.
  QTest::keyClick(list().days(), Qt::Key_Return, Qt::ShiftModifier);
  editor().textBox()->selectAll();
  QTest::keyClick(editor().textBox(), Qt::Key_Delete);
  editor().accept();
  EXPECT_FALSE(store().diaryOf(kToday));
  EXPECT_EQ(list().rowText(9), QStringLiteral("10<水>"));
}

TEST_F(DiaryWindowsTest, MovingInTheListKeepsWhatWasTypedUnderItsOwnDay) {
  store().setDiary(kToday + 1, u"十一日の日記");
  openList();
  QTest::keyClick(list().days(), Qt::Key_Return, Qt::ShiftModifier);
  typeInEditor(QStringLiteral("十日に書いた"));
  // Down in the list: the day after, while the editor is still open.
  list().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&list()));
  list().days()->setFocus();
  QTest::keyClick(list().days(), Qt::Key_Down);
  EXPECT_EQ(list().currentDay(), kToday + 1);
  EXPECT_EQ(diaryOf(kToday), u"十日に書いた");
  EXPECT_EQ(editor().day(), kToday + 1);
  EXPECT_EQ(editor().text(), QStringLiteral("十一日の日記"));
  // Up from the 1st goes to the month before; closing the list keeps the editor's text.
  list().showDay(dayFromYmd(2024, 4, 1));
  typeInEditor(QStringLiteral("一日"));
  QTest::keyClick(list().days(), Qt::Key_Up);
  EXPECT_EQ(list().monthLabel(), QStringLiteral("2024年 3月"));
  EXPECT_EQ(diaryOf(dayFromYmd(2024, 4, 1)), u"一日");
  typeInEditor(QStringLiteral("三月末"));
  list().accept();
  EXPECT_FALSE(editor().isVisible());
  EXPECT_EQ(diaryOf(dayFromYmd(2024, 3, 31)), u"三月末");
  EXPECT_FALSE(frame.action(ID_DIARY_LIST)->isChecked());
}

// Typing still open in the editor goes into the file when it is saved, and is not dropped when
// another file is opened.
TEST_F(DiaryWindowsTest, TypingStillInTheEditorIsSavedAndSurvivesOpeningAnotherFile) {
  const std::filesystem::path first = gateway.document().path();
  editCurrentDay();
  typeInEditor(QStringLiteral("保存前"));
  ASSERT_TRUE(gateway.save());
  EXPECT_EQ(diaryOf(kToday), u"保存前");
  EXPECT_FALSE(gateway.document().isModified());

  typeInEditor(QStringLiteral("、続き"));
  const QString other = QDir(temp.dir()).filePath(QStringLiteral("other.mtb"));
  test::writeFixture(other.toStdString());
  ASSERT_TRUE(gateway.openFile(other));
  ASSERT_TRUE(gateway.openFile(QString::fromStdString(first.string())));
  EXPECT_EQ(diaryOf(kToday), u"保存前、続き");
}

TEST_F(DiaryWindowsTest, ALongTextIsNeverCutAndTypingStopsAtTheLimit) {
  const std::u16string longText(40'000, u'長');
  store().setDiary(kToday, longText);
  store().setModified(false);
  editCurrentDay();
  EXPECT_EQ(editor().text().size(), 40'000);
  editor().accept();
  EXPECT_EQ(diaryOf(kToday), longText);
  EXPECT_FALSE(store().isModified());

  store().setDiary(kToday, u"");
  editCurrentDay();
  editor().textBox()->insertPlainText(QString(30'005, u'a'));
  EXPECT_EQ(editor().text().size(), 30'000);
}

TEST_F(DiaryWindowsTest, DiarySearchMovesTheListAndSaysWhenNothingIsFound) {
  store().setDiary(dayFromYmd(2024, 3, 20), u"雨の日");
  store().setDiary(kToday, u"雨");
  std::vector<std::pair<QString, QString>> boxes;
  diary().notFound = [&](const QString& text, const QString& caption) {
    boxes.emplace_back(text, caption);
  };
  openList();
  list().findChild<QPushButton*>(QString::number(IDC_DIARY_SEARCH))->click();
  CDiarySearch& search = *diary().search();
  search.keyword()->setText(QStringLiteral("雨"));
  search.findChild<QPushButton*>(QString::number(IDC_DIARY_EARLIER))->click();
  EXPECT_EQ(list().currentDay(), dayFromYmd(2024, 3, 20));
  EXPECT_EQ(list().monthLabel(), QStringLiteral("2024年 3月"));
  search.findChild<QPushButton*>(QString::number(IDC_DIARY_EARLIER))->click();
  search.findChild<QPushButton*>(QString::number(IDC_DIARY_LATER))->click();
  EXPECT_EQ(list().currentDay(), kToday);
  search.findChild<QPushButton*>(QString::number(IDC_DIARY_LATER))->click();
  EXPECT_EQ(boxes, (std::vector<std::pair<QString, QString>>{
                       {QStringLiteral("見つかりませんでした"), QStringLiteral("前方検索")},
                       {QStringLiteral("見つかりませんでした"), QStringLiteral("後方検索")}}));
}

TEST_F(DiaryWindowsTest, TheListFollowsTheMainViewAndItsMonthButtonsStopAtTheEnd) {
  openList();
  key(Qt::Key_PageDown);
  EXPECT_EQ(list().currentDay(), kToday + 1);
  key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(list().monthLabel(), QStringLiteral("2024年 5月"));
  list().showDay(dayFromYmd(9999, 12, 1));
  list().findChild<QPushButton*>(QString::number(IDC_DIARY_NEXT_MONTH))->click();
  EXPECT_EQ(list().monthLabel(), QStringLiteral("9999年12月"));
  // The start-up setting is the file's.
  list().findChild<QCheckBox*>(QString::number(IDC_DIARY_AT_START))->setChecked(true);
  EXPECT_EQ(config().diaryAtStartup, 1);
}

TEST_F(DiaryWindowsTest, AFileThatAsksForItShowsTheDiaryWhenOpened) {
  const QString path = QDir(temp.dir()).filePath(QStringLiteral("diary.mtb"));
  test::writeFixture(path.toStdString(), [](CConfig& c) { c.diaryAtStartup = 1; });
  ASSERT_TRUE(gateway.openFile(path));
  ASSERT_TRUE(diary().list());
  EXPECT_TRUE(list().isVisible());
  EXPECT_EQ(list().currentDay(), kToday);
}

TEST(CalendarHitTest, CellsOfTheGridAndNothingOutsideThem) {
  // June 2024 begins on a Saturday and spans six week rows; cells of 10 by 10 pixels.
  const YearMonth june{2024, 6};
  const struct {
    int x, y;
    std::optional<int> day;
  } cases[] = {
      {65, 15, 1},
      {5, 25, 2},
      {69, 59, 29},
      {5, 65, 30},
      {15, 65, std::nullopt},
      {5, 5, std::nullopt},    // the weekday header
      {5, 15, std::nullopt},   // an empty cell before the 1st
      {71, 15, std::nullopt},  // the strip right of the seventh column (width 71)
      {5, 70, std::nullopt},   // below the sixth week row (height 74)
      {-1, 15, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<Day> day = calendarDayAt(june, c.x, c.y, 71, 74);
    EXPECT_EQ(day, c.day ? std::optional<Day>(dayFromYmd(2024, 6, *c.day)) : std::nullopt)
        << c.x << "," << c.y;
  }
  EXPECT_EQ(calendarDayAt(june, 0, 0, 6, 6), std::nullopt);  // too small for a cell
}

TEST_F(DiaryWindowsTest, CalendarClickMovesTheMainView) {
  key(Qt::Key_C, Qt::AltModifier);
  CCalendarWnd* calendar = diary().calendar();
  ASSERT_TRUE(calendar && calendar->isVisible());
  EXPECT_EQ(calendar->windowTitle(), QStringLiteral("2024年 4月"));
  calendar->resize(420, 360);
  QCoreApplication::processEvents();
  CCalendarGrid* grid = calendar->grid();
  const int w = grid->width() / kCalendarColumns;
  const int h = grid->height() / kCalendarRows;
  // April 2024 begins on a Monday: the 17th is Wednesday of the third week row.
  QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(3 * w + w / 2, 3 * h + h / 2));
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 4, 17));
  EXPECT_TRUE(calendar->isVisible());
  shootWindow(*calendar, "calendar.png");
  QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(w / 2, h / 2));
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 4, 17));
  // With Alt the calendar closes after the move.
  QTest::mouseClick(grid, Qt::LeftButton, Qt::AltModifier, QPoint(w + w / 2, h + h / 2));
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 4, 1));
  EXPECT_FALSE(calendar->isVisible());
}

}  // namespace
}  // namespace sorami
