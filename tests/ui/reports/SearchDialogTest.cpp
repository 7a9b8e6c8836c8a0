// The search dialog from the main window's command: its start, the results with count and sum,
// its messages and the move of the main view to a found line.

#include "reports/SearchDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <QSpinBox>
#include <QTest>

#include "lists/DetailBox.h"
#include "main/Commands.h"
#include "reports/SearchCommand.h"
#include "reports/SearchResults.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFifth;
using test::kFirst;

class SearchDialogTest : public test::SoramiViewTest {
 protected:
  // Runs the command; `drive` works the dialog and tells whether it was accepted.
  void search(const std::function<bool(CSearchDialog&)>& drive) {
    gateway.searchCommand()->runDialog = [&](CSearchDialog& d) {
      // Shown and active, as exec() leaves it.
      d.show();
      d.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
      return drive(d) ? QDialog::Accepted : QDialog::Rejected;
    };
    frame.action(ID_SEARCH)->trigger();
  }
  static QStringList rows(CSearchDialog& d) {
    QStringList out;
    for (int r = 0; r < d.results()->rowCount(); ++r) {
      out << d.results()->index(r).data().toString();
    }
    return out;
  }
};

TEST_F(SearchDialogTest, StartsOnTheAccountingMonthAndListsNewestFirst) {
  search([&](CSearchDialog& d) {
    EXPECT_EQ(d.fromFields(), dayFromYmd(2024, 4, 1));
    EXPECT_EQ(d.toFields(), dayFromYmd(2024, 4, 30));
    EXPECT_EQ(d.itemBox()->currentIndex(), 0);
    EXPECT_EQ(d.itemBox()->currentText(), QStringLiteral("全項目"));
    d.runSearch();
    EXPECT_EQ(rows(d), (QStringList{QStringLiteral("2024/04/10 所得 給与 200,000 "),
                                    QStringLiteral("2024/04/10 旅費、交通 昼食 800 "),
                                    QStringLiteral("2024/04/01 食費 電車 500 "),
                                    QStringLiteral("2024/04/01 旅費、交通 パン 300 ")}));
    EXPECT_EQ(d.summaryText(), QStringLiteral("( 4件, 合計 201,600　 )"));
    return false;
  });
}

TEST_F(SearchDialogTest, ADayPastTheMonthsEndAndNothingFound) {
  search([&](CSearchDialog& d) {
    d.setFrom(dayFromYmd(2024, 3, 1));
    d.findChildren<QSpinBox*>().at(2)->setValue(31);  // from: 2024-03-31
    d.setTo(dayFromYmd(2024, 4, 1));
    d.findChildren<QSpinBox*>().at(4)->setValue(6);  // to: 2024-06-31
    d.findChildren<QSpinBox*>().at(5)->setValue(31);
    d.runSearch();
    EXPECT_EQ(d.toFields(), dayFromYmd(2024, 6, 30));
    EXPECT_EQ(d.results()->rowCount(), 6);
    d.keywordBox()->setEditText(QStringLiteral("ガス"));
    d.runSearch();
    EXPECT_EQ(d.results()->rowCount(), 0);
    EXPECT_EQ(d.summaryText(), QStringLiteral("( 0件, 合計 0　 )"));
    return false;
  });
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_EQ(prompts.shown.back().id, MessageId::SearchNothingFound);
}

TEST_F(SearchDialogTest, ItemKeywordMemoAndAJumpToTheLine) {
  store().setDiary(dayFromYmd(2024, 4, 2), u"パンを焼いた");
  auto line = store().insert(
      CHinmei(dayFromYmd(2024, 4, 3), kFifth, EF_EXPENSE, u"バス", u"パン屋まで", 230));
  ASSERT_TRUE(line);
  view->currentProcessingDay();
  search([&](CSearchDialog& d) {
    d.keywordBox()->setEditText(QStringLiteral("パン"));
    d.runSearch();
    EXPECT_EQ(d.results()->rowCount(), 1);  // the diary is never a line
    d.memoBox()->setChecked(true);
    d.runSearch();
    EXPECT_EQ(d.results()->rowCount(), 2);
    d.itemBox()->setCurrentIndex(kFifth + 1);
    // The keyword list offers the item's special names and keeps what was typed.
    EXPECT_EQ(d.keywordBox()->currentText(), QStringLiteral("パン"));
    d.runSearch();
    EXPECT_EQ(rows(d), QStringList{QStringLiteral("2024/04/03 食費 バス 230 パン屋まで")});
    QCoreApplication::processEvents();
    EXPECT_TRUE(
        d.grab().save(QDir(QCoreApplication::applicationDirPath()).filePath("search-results.png")));
    // Enter on a line does what a double click does.
    QListView* list = d.resultList();
    list->setFocus();
    list->setCurrentIndex(d.results()->index(0));
    QTest::keyClick(list, Qt::Key_Return);
    return d.result() == QDialog::Accepted;
  });
  EXPECT_EQ(view->currentDay(), dayFromYmd(2024, 4, 3));
  EXPECT_EQ(config().currentItem, kFifth);
  EXPECT_EQ(view->displayMode(), DM_DAY_INPUT);
}

TEST_F(SearchDialogTest, ASelectedLineGivesItsItemAndName) {
  view->detailList()->selectOnly(0);
  search([&](CSearchDialog& d) {
    EXPECT_EQ(d.itemBox()->currentIndex(), kFirst + 1);
    EXPECT_EQ(d.keywordBox()->currentText(), QStringLiteral("昼食"));
    return false;
  });
}

}  // namespace
}  // namespace sorami
