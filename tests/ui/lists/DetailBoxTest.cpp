#include "lists/DetailBox.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "core/ledger/LedgerFixture.h"
#include "lists/StaticWnd.h"
#include "main/ViewFont.h"

namespace sorami {
namespace {

using test::day;
using test::kFood;
using test::kIntoAccount;
using test::kOutOfAccount;
using test::kSalary;

// The detail side of the main view: header, list and total, on a small ledger.
struct DetailSide : test::LedgerFixture {
  DetailSide() {
    account(u"普通預金", 120000);
    account(u"定期預金", 500000);
    add(day(3), kSalary, 250000, u"給与");
    add(day(3), kFood, 1280, u"スーパー");
    add(day(4), kFood, 540, u"パン屋");
    add(day(4), kIntoAccount, 30000, u"普通預金");
    add(day(6), kFood, 12345678, u"とても長い品名の食料品を一度にまとめ買い");
    add(day(7), kOutOfAccount, 8000, u"普通預金");
    add(day(7), kFood, 980, u"夕食")->setVisibleMemo(u"友人と");
    header = new CStaticWnd(QStringLiteral("C  M\t \t品　名\t金　額\t備　考"));
    total =
        new CStaticWnd(QStringLiteral("C   \t \t　　　　　合 計\t \t \t "), CStaticWnd::TableStyle);
    box = new CDetailBox(header, total);
    auto* layout = new QVBoxLayout(&side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(box, 1);
    layout->addWidget(total);
    side.setFont(makeViewFont(16));
    side.resize(900, 260);
    side.show();
  }

  void showCashBook() {
    showPeriod(day(1), day(31));
    store.context().window.mode = DisplayMode::CashBook;
    source.mode = DisplayMode::CashBook;
    source.item = nullptr;
    source.first = day(1);
    source.last = day(31);
    box->setSource(source);
  }
  void showItem(uint16_t item, DisplayMode mode) {
    if (mode == DisplayMode::Summary) {
      showPeriod(day(1), day(31));
    } else {
      showDay(day(4));
    }
    source.mode = mode;
    source.item = store.itemByNumber(item);
    source.first = mode == DisplayMode::Summary ? day(1) : day(4);
    source.last = mode == DisplayMode::Summary ? day(31) : day(4);
    box->setSource(source);
  }
  void grab(const char* name) {
    QApplication::processEvents();
    side.grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/") + QLatin1String(name));
  }

  QWidget side;
  CStaticWnd* header = nullptr;
  CStaticWnd* total = nullptr;
  CDetailBox* box = nullptr;
  DetailSource source = sourceOf(store);

  static DetailSource sourceOf(CHinmeiList& s) {
    DetailSource out;
    out.store = &s;
    return out;
  }
};

TEST(DetailBox, CashBookKeysAndSelectionTotals) {
  DetailSide f;
  f.showCashBook();
  f.grab("detail_cash_book.png");
  ASSERT_EQ(f.box->count(), 7);
  EXPECT_TRUE(f.header->text().startsWith(QStringLiteral("F  M\t月/日")));
  EXPECT_EQ(f.total->text(), QStringLiteral("FB  \t2024年\t01/01-01/31\t　　　　　合 計\t"
                                            "250,000\t12,348,478\t-12,110,478\t "));

  QSignalSpy changed(f.box, &CDetailBox::selectionChanged);
  // Ctrl+Up from no cursor wraps to the last line; Ctrl+Down from there wraps to the first.
  f.box->moveCursorLine(-1, false);
  EXPECT_EQ(f.box->cursorLine(), 6);
  f.box->moveCursorLine(1, false);
  EXPECT_EQ(f.box->cursorLine(), 0);
  EXPECT_EQ(f.box->selectedLines(), std::vector<int>{0});
  f.box->setFocus();
  QTest::keyClick(f.box, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(f.box, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(f.box->selectedLines(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(f.total->text(), QStringLiteral("FB  \t \t \t　　　 選択合計\t250,000\t1,820\t \t "));
  EXPECT_EQ(f.box->selectedAmount(), 1820);
  EXPECT_EQ(changed.count(), 4);
  f.grab("detail_cash_book_selected.png");
  QTest::keyClick(f.box, Qt::Key_Down);
  EXPECT_EQ(f.box->selectedLines(), std::vector<int>{3});
  EXPECT_TRUE(f.total->text().startsWith(QStringLiteral("FB  \t2024年")));
  f.box->moveCursorLine(1, true);
  EXPECT_EQ(f.box->selectedLines(), (std::vector<int>{3, 4}));
}

TEST(DetailBox, ClicksAndKeysSelectLikeAList) {
  DetailSide f;
  f.showCashBook();
  const auto click = [&](int line, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(f.box->viewport(), Qt::LeftButton, mods,
                      QPoint(20, f.box->lineRect(line).center().y()));
  };
  click(1);
  click(4, Qt::ShiftModifier);
  EXPECT_EQ(f.box->selectedLines(), (std::vector<int>{1, 2, 3, 4}));
  click(2, Qt::ControlModifier);
  EXPECT_EQ(f.box->selectedLines(), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(f.box->cursorLine(), 2);
  QTest::keyClick(f.box, Qt::Key_End);
  EXPECT_EQ(f.box->selectedLines(), std::vector<int>{6});
  QTest::keyClick(f.box, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(f.box->selectedLines().size(), 7u);
  QSignalSpy activated(f.box, &CDetailBox::lineActivated);
  QTest::keyClick(f.box, Qt::Key_Return);
  ASSERT_EQ(activated.count(), 1);
  EXPECT_EQ(activated.front().at(0).toInt(), 0);
}

TEST(DetailBox, MoveToDayAndHits) {
  DetailSide f;
  f.showCashBook();
  f.side.resize(400, 260);
  QApplication::processEvents();
  EXPECT_EQ(f.box->moveToDay(day(4), true), 2);
  EXPECT_EQ(f.box->cursorLine(), 3) << "the day's last line";
  EXPECT_EQ(f.box->selectedLines(), std::vector<int>{3});
  EXPECT_EQ(f.box->moveToDay(day(5), false), 4);

  QSignalSpy activated(f.box, &CDetailBox::lineActivated);
  const int u = f.box->measure().unit;
  const QRect line = f.box->lineRect(4);
  QTest::mouseDClick(f.box->viewport(), Qt::LeftButton, {}, QPoint(50 * u, line.center().y()));
  EXPECT_EQ(f.box->hitColumn(), HitAmount);
  ASSERT_EQ(activated.count(), 1);
  EXPECT_EQ(activated.front().at(0).toInt(), 4);
  QTest::mouseDClick(f.box->viewport(), Qt::LeftButton, {}, QPoint(30 * u, line.center().y()));
  EXPECT_EQ(f.box->hitColumn(), HitName);

  // The header and total follow the list sideways.
  f.box->horizontalScrollBar()->setValue(3 * u);
  EXPECT_EQ(f.header->scrollOffset(), 3 * u);
  EXPECT_EQ(f.total->scrollOffset(), 3 * u);
}

TEST(DetailBox, ItemsAndAccountsLookRight) {
  DetailSide f;
  f.showItem(kFood, DisplayMode::Summary);
  ASSERT_EQ(f.box->count(), 4);
  f.grab("detail_item_summary.png");
  f.box->selectOnly(0);
  f.box->setSelected(1, true);
  EXPECT_EQ(f.total->text(), QStringLiteral("C   \t         \t　　　 選択合計\t1,820\t \t "));

  f.showItem(kIntoAccount, DisplayMode::Summary);
  ASSERT_EQ(f.box->count(), 3);
  f.grab("detail_savings_summary.png");
  EXPECT_EQ(f.box->closingBalance(), 500000);
  EXPECT_EQ(f.total->text(),
            QStringLiteral("D   \t         \t　　　　　合 計\t30,000\t8,000\t642,000\t "));

  f.showItem(kFood, DisplayMode::DayInput);
  EXPECT_EQ(f.box->count(), 1);
  f.grab("detail_item_day.png");
}

}  // namespace
}  // namespace sorami
