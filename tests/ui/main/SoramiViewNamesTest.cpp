// The special-name window beside the input row and the commands on special names and accounts,
// driven from the keys and the pointer as the user does.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include "input/CalculatorPanel.h"
#include "input/NameListWnd.h"
#include "lists/DetailBox.h"
#include "main/Commands.h"
#include "platform/QtText.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFirst;
using test::kToday;
using test::SoramiViewTest;

class SoramiViewNamesTest : public SoramiViewTest {
 protected:
  SoramiViewNamesTest() {
    for (const char16_t* n : {u"電車賃", u"バス代", u"タクシー代"}) {
      store().addSpecialName(kFirst, n, -1, false);
    }
    store().setRememberedRow(kFirst, -1);
    view->itemStep(kFirst);
  }
  CSpecialNameWnd* names() { return view->specialNameWindow(); }
  void listKey(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(names()->list(), static_cast<Qt::Key>(k), mods);
  }
  void run(int id) { frame.action(id)->trigger(); }
  QRect rowRect(int row) { return names()->list()->visualItemRect(names()->list()->item(row)); }
  uint16_t savingsItem() { return static_cast<uint16_t>(store().expenseItemCount() - 2); }
};

TEST_F(SoramiViewNamesTest, TheWindowListsTheItemsNamesWhileTheNameIsTyped) {
  view->nameStep();
  ASSERT_TRUE(view->specialNamesShown());
  EXPECT_TRUE(view->nameField()->hasFocus());  // shown beside the field, not in its way
  EXPECT_EQ(names()->count(), 3);
  EXPECT_EQ(names()->headerText(), QStringLiteral("H   \t品名"));
  EXPECT_EQ(names()->windowTitle(), toQString(store().itemAt(kFirst)->name));
  // Names are drawn after their number when they are picked by number; the row is the name.
  EXPECT_EQ(names()->rowText(2), QStringLiteral("3.タクシー代"));
  EXPECT_EQ(names()->nameAt(2), QStringLiteral("タクシー代"));
  config().specialNamesByNumber = 0;
  view->itemStep(kFirst);
  EXPECT_EQ(names()->rowText(0), QStringLiteral("電車賃"));

  // Shift+Enter in the product name hides it, the ﾘｽﾄ button brings it back.
  key(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_FALSE(view->specialNamesShown());
  QTest::mouseClick(view->control(IDC_LIST_BUTTON), Qt::LeftButton);
  EXPECT_TRUE(view->specialNamesShown());
  // The amount field takes the focus and the window goes.
  typeName(QStringLiteral("切符"));
  enter(view->nameField());
  EXPECT_TRUE(view->amountField()->hasFocus());
  EXPECT_FALSE(view->specialNamesShown());
  // A transfer pseudo-item lists its accounts under the header 口座.
  store().registerAccount(u"普通", kKindAccount, -1, 0);
  view->itemStep(savingsItem());
  EXPECT_EQ(names()->headerText(), QStringLiteral("H   \t口座"));
  EXPECT_EQ(names()->nameAt(0), QStringLiteral("普通"));
  // The main window with the window beside its input row, as the user sees them.
  config().specialNamesByNumber = 1;
  view->itemStep(kFirst);
  view->nameStep();
  QCoreApplication::processEvents();
  QImage shot = frame.grab().toImage();
  QPainter(&shot).drawPixmap(names()->geometry().topLeft() - frame.geometry().topLeft(),
                             names()->grab());
  EXPECT_TRUE(shot.save(
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("name-list.png"))));
}

TEST_F(SoramiViewNamesTest, AChoiceByKeysGoesIntoTheLineAndIsRememberedForTheItem) {
  view->nameStep();
  key(Qt::Key_Tab);  // into the window
  EXPECT_EQ(names()->selectedRow(), 0);
  listKey(Qt::Key_Down);
  EXPECT_EQ(view->nameField()->text(), QStringLiteral("バス代"));
  listKey(Qt::Key_Return);
  ASSERT_TRUE(view->amountField()->hasFocus());
  EXPECT_FALSE(view->specialNamesShown());
  typeAmount(QStringLiteral("220"));
  enter(view->amountField());
  const std::vector<CHinmei> lines = linesOn(kToday);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].name, u"バス代");
  EXPECT_EQ(lines[2].amount, 220);

  // Coming back to the item shows the name chosen last.
  key(Qt::Key_Down);
  key(Qt::Key_Up);
  EXPECT_EQ(config().currentItem, kFirst);
  EXPECT_EQ(view->nameField()->text(), QStringLiteral("バス代"));
  EXPECT_EQ(names()->selectedRow(), 1);
  // Shift+Down and Shift+Up go round the list and show the name at once.
  key(Qt::Key_Down, Qt::ShiftModifier);
  key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(view->nameField()->text(), QStringLiteral("電車賃"));
  key(Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(view->nameField()->text(), QStringLiteral("タクシー代"));
}

TEST_F(SoramiViewNamesTest, TabAndShiftTabStepThroughTheWindow) {
  view->nameStep();
  key(Qt::Key_Tab);
  listKey(Qt::Key_Backtab, Qt::ShiftModifier);  // back to the product name
  EXPECT_TRUE(view->specialNamesShown());
  listKey(Qt::Key_Tab);  // on to the amount
  EXPECT_FALSE(view->specialNamesShown());
  QTest::keyClick(view->amountField(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(view->specialNamesShown());
  // Shift+Enter in the window hides it.
  key(Qt::Key_Tab);
  listKey(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_FALSE(view->specialNamesShown());
  // In the amount field the same key is the calculator's.
  view->amountField()->setFocus();
  QTest::keyClick(view->amountField(), Qt::Key_Return, Qt::ShiftModifier);
  ASSERT_NE(view->calculatorPanel(), nullptr);
  EXPECT_TRUE(view->calculatorPanel()->isVisible());
  EXPECT_FALSE(view->specialNamesShown());
}

TEST_F(SoramiViewNamesTest, AChoiceWithThePointerPutsTheBareName) {
  view->nameStep();
  QTest::mouseClick(names()->list()->viewport(), Qt::LeftButton, {}, rowRect(2).center());
  EXPECT_EQ(view->nameField()->text(), QStringLiteral("タクシー代"));
  EXPECT_EQ(store().rememberedRow(kFirst), 2);
  // A long name goes in whole, not cut at the field's length.
  store().addSpecialName(kFirst, std::u16string(30, u'長'), -1, false);
  view->itemStep(kFirst);
  QTest::mouseClick(names()->list()->viewport(), Qt::LeftButton, {}, rowRect(3).center());
  EXPECT_EQ(view->nameField()->text(), QString(30, QChar(u'長')));
  // A press that started outside the rows chooses nothing.
  view->nameField()->clear();
  QTest::mousePress(names()->list()->viewport(), Qt::LeftButton, {}, QPoint(2, 2000));
  QTest::mouseRelease(names()->list()->viewport(), Qt::LeftButton, {}, rowRect(0).center());
  EXPECT_TRUE(view->nameField()->text().isEmpty());
}

TEST_F(SoramiViewNamesTest, TheWindowComesBackWhereItWasLeftAndStaysOnTheScreen) {
  view->nameStep();
  names()->move(120, 90);
  view->toggleSpecialNames();
  EXPECT_EQ(settings.specialListPos(), QPoint(120, 90));
  view->toggleSpecialNames();
  EXPECT_EQ(names()->pos(), QPoint(120, 90));
  // Moved beyond the screen (a smaller screen than before), it is pulled back onto it.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  names()->move(screen.right() + 300, screen.bottom() + 300);
  names()->holdOnScreen();
  EXPECT_TRUE(screen.contains(names()->frameGeometry())) << names()->x() << "," << names()->y();
}

TEST_F(SoramiViewNamesTest, CtrlTRegistersTheTypedNameOnce) {
  view->nameStep();
  typeName(QStringLiteral("回数券　メモ"));
  config().delimiters = std::u16string(1, u'\u3000');
  key(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(store().specialNameTexts(kFirst).back(), u"回数券");
  EXPECT_EQ(names()->count(), 4);
  EXPECT_EQ(names()->selectedRow(), 3);
  key(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(prompts.shown.back().text, u"「回数券」は特別品名として登録済です。");
  EXPECT_EQ(names()->count(), 4);
}

TEST_F(SoramiViewNamesTest, ChangingTheSelectedNameAsksForTheNewOne) {
  run(ID_CHANGE_SPECIAL_NAME);
  EXPECT_EQ(prompts.shown.back().text, u"特別品名を選択してから行なって下さい。");
  view->nameStep();
  names()->selectRow(0);
  prompts.nameChanges.push_back(SpecialNameChange{u"運賃", false});
  run(ID_CHANGE_SPECIAL_NAME);
  EXPECT_EQ(prompts.nameChangesAsked.back().first, u"電車賃");
  EXPECT_EQ(names()->nameAt(0), QStringLiteral("運賃"));
}

TEST_F(SoramiViewNamesTest, TheInitialBalanceOfTheSelectedAccountChangesWithItsFigures) {
  run(ID_CHANGE_INITIAL_BALANCE);
  EXPECT_EQ(prompts.shown.back().text, u"変更する口座や借入を詳細窓で選択後に実施して下さい。");
  store().registerAccount(u"普通", kKindAccount, -1, 1000);
  view->itemStep(savingsItem());
  run(ID_CHANGE_INITIAL_BALANCE);
  EXPECT_EQ(prompts.shown.back().text, u"口座を１個だけ選択してください。");
  CDetailBox* details = view->detailList();
  ASSERT_EQ(details->count(), 1);
  details->selectOnly(0);
  prompts.initialBalances.push_back(25000);
  run(ID_CHANGE_INITIAL_BALANCE);
  ASSERT_EQ(prompts.initialBalancesAsked.size(), 1u);
  EXPECT_EQ(prompts.initialBalancesAsked[0], std::make_pair(std::u16string(u"普通"), 1000));
  EXPECT_EQ(store().findAccount(u"普通")->balance, 25000);
  EXPECT_EQ(store().rowValue(ITEM_ACCOUNT_BALANCE), 25000);
  EXPECT_TRUE(details->isSelected(0));
  EXPECT_TRUE(gateway.document().isModified());
}

}  // namespace
}  // namespace sorami
