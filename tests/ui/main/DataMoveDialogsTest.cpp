// The item half of the item settings page, the move between items and the cash balance change,
// driven with the pointer and the keys on the main window's open file.

#include "main/DataMoveDialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "document/CashChange.h"
#include "input/RangeSpin.h"
#include "main/Commands.h"
#include "platform/QtText.h"
#include "settings/ItemNamesDialog.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFifth;
using test::kFirst;
using test::kToday;
using test::SoramiViewTest;

class DataMoveDialogsTest : public SoramiViewTest {
 protected:
  // Runs `use` on the dialog the command opens; a dialog still open afterwards is cancelled, so
  // that a failed expectation never leaves the test waiting.
  template <typename Dialog>
  void runCommand(int id, const std::function<void(Dialog&)>& use) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      seen = true;
      use(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    frame.action(id)->trigger();
    EXPECT_TRUE(seen);
  }
  static void clickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  // As the window system delivers it: a click, then a press that comes with the double click.
  static void doubleClickRow(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &twice);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
  }
  static void typeInto(QSpinBox* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
  }
  static void typeDay(DateFields* fields, int year, int month, int day) {
    typeInto(fields->field(0), QString::number(year));
    typeInto(fields->field(1), QString::number(month));
    typeInto(fields->field(2), QString::number(day));
  }
  static void press(QDialog& d, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
  }
  void save(QWidget& w, const char* name) {
    QCoreApplication::processEvents();
    const QString dir = QCoreApplication::applicationDirPath();
    EXPECT_TRUE(w.grab().save(QDir(dir).filePath(QString::fromLatin1(name))));
  }
  // The ledger lines (no diary, no end marker) in stored order.
  std::vector<const CHinmei*> lines() {
    std::vector<const CHinmei*> out;
    for (const CHinmei& e : store().entries()) {
      if (e.isDated() && !e.isDiary() && !e.isEndMarker()) out.push_back(&e);
    }
    return out;
  }
  // The name of each line's item: what a renumbering must keep.
  QStringList itemsOfLines() {
    QStringList names;
    for (const CHinmei* e : lines()) {
      names << toQString(store().itemByNumber(e->item)->name);
    }
    return names;
  }
  QString itemName(int slot) { return toQString(store().itemAt(slot)->name); }
};

TEST_F(DataMoveDialogsTest, TheItemPageAddsRenamesAndDeletesThroughTheDocument) {
  ItemNamesDialog d(store(), config(), prompts, kFirst);
  d.setDocument(&gateway.document());
  std::optional<ItemNameInput> typed;
  int asked = 0;
  d.askItemName = [&](bool, const QString&) {
    ++asked;
    return typed;
  };
  d.show();
  const QStringList before = itemsOfLines();
  const int expenses = store().expenseItemCount();

  // 子供 goes between 旅費、交通 and 通信; its number is the side's next, and every line keeps
  // its item through the renumbering of the later numbers.
  clickRow(d.itemList(), 1);
  typed = ItemNameInput{QStringLiteral("子供"), false};
  QTest::mouseClick(d.button(ItemNamesDialog::ItemAdd), Qt::LeftButton);
  EXPECT_EQ(itemName(1), QStringLiteral("子供"));
  EXPECT_EQ(itemName(2), QStringLiteral("通信"));
  EXPECT_EQ(store().expenseItemCount(), expenses + 1);
  EXPECT_EQ(d.itemList()->item(1)->text(), QStringLiteral("子供"));
  EXPECT_EQ(d.selectedSlot(), 1);
  const uint16_t added = store().itemAt(1)->item;
  EXPECT_EQ(added, expenses - 2);  // before the savings and loan items
  EXPECT_EQ(itemsOfLines(), before);
  EXPECT_EQ(store().itemAt(store().expenseItemCount() - 2)->item, added + 1);
  EXPECT_EQ(gateway.document().budgets()->budgetFor(2024, 4).amounts[kFirst], 30000);
  save(d, "item-page.png");

  // A double click renames; a cancelled name changes nothing.
  typed = ItemNameInput{QStringLiteral("子ども"), false};
  doubleClickRow(d.itemList(), 1);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(itemName(1), QStringLiteral("子ども"));
  typed.reset();
  QTest::mouseClick(d.button(ItemNamesDialog::ItemChange), Qt::LeftButton);
  EXPECT_EQ(itemName(1), QStringLiteral("子ども"));

  // Deleting 旅費、交通 asks with the count of its lines; No keeps it, Yes takes it.
  clickRow(d.itemList(), 0);
  prompts.shown.clear();
  prompts.answers = {Answer::No};
  QTest::mouseClick(d.button(ItemNamesDialog::ItemDelete), Qt::LeftButton);
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_EQ(prompts.shown[0].id, MessageId::ConfirmDeleteItemLines);
  EXPECT_NE(prompts.shown[0].text.find(u"削除されるデータ 4 個、うち組のデータ 0 個"),
            std::u16string::npos);
  EXPECT_EQ(itemName(0), QStringLiteral("旅費、交通"));
  prompts.answers = {Answer::Yes};
  QTest::mouseClick(d.button(ItemNamesDialog::ItemDelete), Qt::LeftButton);
  EXPECT_EQ(itemName(0), QStringLiteral("子ども"));
  EXPECT_EQ(d.itemList()->count(), store().itemCount());
  QStringList kept = before;
  kept.removeAll(QStringLiteral("旅費、交通"));
  EXPECT_EQ(itemsOfLines(), kept);
  EXPECT_EQ(store().itemProblem(), "");

  // The savings and loan items cannot be deleted: their button is off.
  clickRow(d.itemList(), store().expenseItemCount() - 2);
  EXPECT_FALSE(d.button(ItemNamesDialog::ItemDelete)->isEnabled());
}

TEST_F(DataMoveDialogsTest, AMoveBetweenItemsChecksItsFieldsAndReassignsTheSpan) {
  prompts.answers = {Answer::Yes};
  runCommand<MoveItemsDialog>(ID_MOVE_BETWEEN_ITEMS, [&](MoveItemsDialog& d) {
    // A span that ends before it starts is refused and the dialog stays.
    typeDay(d.fields(0), 2024, 4, 10);
    typeDay(d.fields(1), 2024, 3, 31);
    clickRow(d.sourceList(), kFirst);
    clickRow(d.destinationList(), kFifth);
    press(d, QDialogButtonBox::Ok);
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().id, MessageId::MoveReversed);
    EXPECT_TRUE(d.isVisible());
    typeDay(d.fields(0), 2024, 3, 31);
    typeDay(d.fields(1), 2024, 4, 10);
    save(d, "move-dialog.png");
    press(d, QDialogButtonBox::Ok);
  });
  // The three lines of the span move to 食費 after the question; 5/1 stays.
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_EQ(prompts.shown.back().id, MessageId::ConfirmMoveLines);
  EXPECT_NE(prompts.shown.back().text.find(u"3 個のデータを移動します"), std::u16string::npos);
  for (const CHinmei* e : lines()) {
    if (e->item > kFifth) continue;
    EXPECT_EQ(e->item, e->date == dayFromYmd(2024, 5, 1) ? kFirst : kFifth) << e->date;
  }
  EXPECT_EQ(store().itemProblem(), "");
}

TEST_F(DataMoveDialogsTest, TheCashChangeInEntryModeNeedsAnItemAndWritesNothingWithout) {
  // No saved item, and the fallback その他支出 is gone: nothing is preselected.
  config().decreaseItem = -1;
  ASSERT_TRUE(store().renameItem(6, u"雑費"));
  const size_t lines = store().size();
  runCommand<CashChangeDialog>(ID_CHANGE_CASH_BALANCE, [&](CashChangeDialog& d) {
    EXPECT_EQ(d.items(0)->currentIndex(), -1);
    typeInto(d.balance(), QStringLiteral("1000"));
    press(d, QDialogButtonBox::Ok);
    EXPECT_TRUE(d.isVisible());
    press(d, QDialogButtonBox::Cancel);
  });
  ASSERT_FALSE(prompts.shown.empty());
  EXPECT_EQ(prompts.shown.back().id, MessageId::CashChangeNeedsItem);
  EXPECT_EQ(store().size(), lines);
  EXPECT_EQ(config().decreaseItem, -1);
}

TEST_F(DataMoveDialogsTest, TheCashChangeOnADayWithLinesEndsAtTheTypedBalance) {
  // 2024-04-10 already has a lunch and the salary: the adjustment goes after them.
  const int64_t before = cashAtEndOfDay(store(), kToday);
  runCommand<CashChangeDialog>(ID_CHANGE_CASH_BALANCE, [&](CashChangeDialog& d) {
    EXPECT_EQ(d.balance()->value(), before);
    EXPECT_EQ(d.items(0)->currentText(), QStringLiteral("その他支出"));
    typeInto(d.balance(), QStringLiteral("150000"));
    save(d, "cash-change.png");
    press(d, QDialogButtonBox::Ok);
  });
  EXPECT_EQ(cashAtEndOfDay(store(), kToday), 150000);
  const std::vector<CHinmei> day = linesOn(kToday);
  ASSERT_EQ(day.size(), 3u);
  EXPECT_EQ(day.back().item, 6);
  EXPECT_EQ(day.back().amount, before - 150000);
  EXPECT_EQ(config().decreaseItem, 6);
}

}  // namespace
}  // namespace sorami
