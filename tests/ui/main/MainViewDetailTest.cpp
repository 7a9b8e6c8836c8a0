// The detail list in the main window: the selected item's lines of the current day, following
// the day and the item, and the cash book with its running balances.

#include <gtest/gtest.h>

#include "lists/DetailBox.h"
#include "platform/QtText.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFifth;

class MainViewDetailTest : public test::SoramiViewTest {
 protected:
  CDetailBox* details() const { return view->detailList(); }
  QStringList names() const {
    QStringList out;
    const DetailLines& lines = details()->lines();
    for (int i = 0; i < lines.size(); ++i) out << toQString(lines.entry(i).name);
    return out;
  }
  std::vector<int64_t> balances() const {
    std::vector<int64_t> out;
    for (int i = 0; i < details()->count(); ++i) out.push_back(details()->lines().row(i).balance);
    return out;
  }
};

TEST_F(MainViewDetailTest, ShowsTheSelectedItemsLinesOfTheDayAndFollowsDayAndItem) {
  ASSERT_NE(details(), nullptr);
  EXPECT_EQ(details()->lines().source().mode, DisplayMode::DayInput);
  EXPECT_EQ(names(), QStringList{QStringLiteral("昼食")});  // 2024-04-10, the first item
  shoot("main-window-day-input.png");

  for (int i = 0; i < 9; ++i) key(Qt::Key_PageUp);  // back to April 1st
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 4, 1));
  EXPECT_EQ(names(), QStringList{QStringLiteral("パン")});
  key(Qt::Key_PageUp);  // March 31st
  EXPECT_EQ(names(), QStringList{QStringLiteral("米")});
  key(Qt::Key_PageUp);  // a day without lines
  EXPECT_TRUE(names().isEmpty());

  for (int i = 0; i < 2; ++i) key(Qt::Key_PageDown);
  view->itemList()->rowClicked(kFifth);
  EXPECT_EQ(names(), QStringList{QStringLiteral("電車")});
  // The chosen item stays across a day step.
  key(Qt::Key_PageDown);
  EXPECT_TRUE(names().isEmpty());
  key(Qt::Key_PageUp);
  EXPECT_EQ(names(), QStringList{QStringLiteral("電車")});
  // The header and total above and below the list are the list's own.
  EXPECT_EQ(view->codedText(IDC_DETAIL_HEADER), details()->lines().headerText());
  EXPECT_EQ(view->codedText(IDC_DETAIL_TOTAL), details()->lines().totalText());
  EXPECT_EQ(details()->font(), view->font());
}

TEST_F(MainViewDetailTest, CashBookModeShowsTheCashBookWithRunningBalances) {
  key(Qt::Key_U, Qt::AltModifier);
  ASSERT_EQ(view->displayMode(), DM_CASH_BOOK);
  EXPECT_EQ(details()->lines().kind(), DetailKind::CashBook);
  EXPECT_EQ(names(), (QStringList{QStringLiteral("パン"), QStringLiteral("電車"),
                                  QStringLiteral("昼食"), QStringLiteral("給与")}));
  // Cash 5,000 at the start of the book, 2,000 spent on March 31st.
  EXPECT_EQ(balances(), (std::vector<int64_t>{2700, 2200, 1400, 201400}));
  shoot("main-window-cash-book.png");

  key(Qt::Key_PageDown, Qt::ControlModifier);  // May
  EXPECT_EQ(names(), QStringList{QStringLiteral("夕食")});
  EXPECT_EQ(balances(), std::vector<int64_t>{200400});

  key(Qt::Key_D, Qt::AltModifier);  // back to the item's lines of May 1st
  EXPECT_EQ(details()->lines().kind(), DetailKind::Ordinary);
  EXPECT_EQ(names(), QStringList{QStringLiteral("夕食")});
}

TEST_F(MainViewDetailTest, ADayStepWithinThePeriodMovesTheCashBookCursorToThatDay) {
  key(Qt::Key_U, Qt::AltModifier);
  // Opened on April 10th: the last line of that day, 給与, is the cursor line.
  EXPECT_EQ(details()->cursorLine(), 3);
  for (int i = 0; i < 9; ++i) key(Qt::Key_PageUp);  // April 1st, still the same period
  EXPECT_EQ(view->periodStart(), dayFromYmd(2024, 4, 1));
  EXPECT_EQ(details()->cursorLine(), 1);  // 電車, the last line of the 1st
  EXPECT_EQ(details()->topLine(), 0);
  key(Qt::Key_PageDown, Qt::ShiftModifier);  // April 8th has no lines: the 1st's last line
  EXPECT_EQ(details()->cursorLine(), 1);
  EXPECT_EQ(names().size(), 4);  // the list itself was not rebuilt for another period
}

TEST_F(MainViewDetailTest, CtrlArrowsMoveTheDetailCursorFromTheInputRowAndWrap) {
  key(Qt::Key_U, Qt::AltModifier);  // the cash book of April: four lines, cursor on the 4th
  ASSERT_EQ(details()->count(), 4);
  key(Qt::Key_Down, Qt::ControlModifier);  // wraps to the first
  EXPECT_EQ(details()->selectedLines(), std::vector<int>{0});
  key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(details()->selectedLines(), (std::vector<int>{0, 1}));
  key(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(details()->selectedLines(), std::vector<int>{0});
  EXPECT_TRUE(view->nameField()->hasFocus());  // the keys work without leaving the input row
}

}  // namespace
}  // namespace sorami
