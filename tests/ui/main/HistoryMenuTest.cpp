// Taking back and making again from the main window: the edit menu names the step and is on
// only when there is one, the keys work from the input row, the modified mark follows.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>

#include "main/Commands.h"
#include "platform/QtText.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFirst;
using test::kToday;
using test::SoramiViewTest;

class HistoryMenuTest : public SoramiViewTest {
 protected:
  // The fixture set a setting after the open; saved, it is no step of the user's.
  void SetUp() override {
    gateway.document().closeStep();
    ASSERT_TRUE(gateway.document().save());
    store().clearHistory();
  }
  QAction* undo() const { return frame.action(ID_EDIT_UNDO); }
  QAction* redo() const { return frame.action(ID_EDIT_REDO); }
  // A key in the field that has the focus, then the mark of unsaved changes as it follows.
  void press(int k, Qt::KeyboardModifiers mods) {
    QWidget* field = QApplication::focusWidget();
    ASSERT_TRUE(field == view->nameField() || field == view->amountField());
    QTest::keyClick(field, static_cast<Qt::Key>(k), mods);
    QCoreApplication::processEvents();
  }
};

TEST_F(HistoryMenuTest, AnEnteredLineIsTakenBackAndMadeAgainFromTheInputRow) {
  EXPECT_FALSE(undo()->isEnabled()) << "the open wrote nothing";
  EXPECT_FALSE(redo()->isEnabled());
  EXPECT_EQ(undo()->text(), QStringLiteral("元に戻す(&U)"));
  const size_t lines = linesOn(kToday).size();

  typeName(QStringLiteral("パン"));
  enter(view->nameField());
  typeAmount(QStringLiteral("1200"));
  enter(view->amountField());
  QCoreApplication::processEvents();
  ASSERT_EQ(linesOn(kToday).size(), lines + 1);
  const QString step =
      toQString(store().itemByNumber(kFirst)->name) + QStringLiteral(" パン 1,200 の入力");
  EXPECT_TRUE(frame.isWindowModified());
  EXPECT_TRUE(undo()->isEnabled());
  EXPECT_EQ(undo()->text(), QStringLiteral("元に戻す: ") + step);

  press(Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(linesOn(kToday).size(), lines);
  EXPECT_FALSE(frame.isWindowModified()) << "back at the file as opened";
  EXPECT_FALSE(undo()->isEnabled());
  EXPECT_TRUE(redo()->isEnabled());
  EXPECT_EQ(redo()->text(), QStringLiteral("やり直し: ") + step);

  press(Qt::Key_Y, Qt::ControlModifier);
  ASSERT_EQ(linesOn(kToday).size(), lines + 1);
  EXPECT_EQ(linesOn(kToday).back().name, u"パン");
  EXPECT_TRUE(frame.isWindowModified());
  EXPECT_FALSE(redo()->isEnabled());
  EXPECT_EQ(redo()->text(), QStringLiteral("やり直し(&R)"));
  EXPECT_TRUE(undo()->isEnabled());
}

}  // namespace
}  // namespace sorami
