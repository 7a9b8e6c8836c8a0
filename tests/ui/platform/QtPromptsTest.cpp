#include "platform/QtPrompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace sorami {
namespace {

// Looks at the box that is open and presses one of its buttons (or closes it with Escape).
void answerBox(QMessageBox::StandardButton press, QString* text, QString* title,
               QMessageBox::StandardButton* defaultButton) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box);
    *text = box->text();
    *title = box->windowTitle();
    *defaultButton = box->standardButton(box->defaultButton());
    if (press == QMessageBox::NoButton) {
      box->reject();
    } else {
      box->button(press)->click();
    }
  });
}

TEST(QtPrompts, AsksWithTheTableTextAndTheDefaultAnswer) {
  QtPrompts prompts;
  QString text, title;
  QMessageBox::StandardButton def{};
  answerBox(QMessageBox::Yes, &text, &title, &def);
  EXPECT_EQ(prompts.ask(MessageId::ClockOutOfRange, {}, Buttons::YesNo, Answer::No), Answer::Yes);
  EXPECT_EQ(title, QStringLiteral("そらみ"));
  EXPECT_TRUE(text.startsWith(QStringLiteral("日付と時刻が異常のため")));
  EXPECT_EQ(def, QMessageBox::No);

  answerBox(QMessageBox::NoButton, &text, &title, &def);  // closed without an answer
  EXPECT_EQ(prompts.ask(MessageId::ClockOutOfRange, {}, Buttons::YesNo, Answer::No), Answer::No);
  answerBox(QMessageBox::NoButton, &text, &title, &def);
  EXPECT_EQ(
      prompts.ask(MessageId::ConfirmDeleteEntry, {u"食費"}, Buttons::YesNoCancel, Answer::Yes),
      Answer::Cancel);
  EXPECT_EQ(text, QStringLiteral("ﾃﾞｰﾀ（食費）を削除してよろしいですか？"));
}

TEST(QtPrompts, RegistersANewAccountWithItsOpeningBalance) {
  QtPrompts prompts;
  QString title;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    title = dialog->windowTitle();
    dialog->findChild<QLineEdit*>()->setText(QStringLiteral("定期"));
    dialog->findChildren<QSpinBox*>().at(0)->setValue(30000);
    dialog->accept();
  });
  const std::optional<NewAccount> a = prompts.registerAccount(0x4000, u"普通");
  ASSERT_TRUE(a);
  EXPECT_EQ(title, QStringLiteral("新規の貯蓄の登録"));
  EXPECT_EQ(a->name, u"定期");
  EXPECT_EQ(a->initialBalance, 30000);
  EXPECT_EQ(a->watchDays, 7);

  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_FALSE(prompts.registerAccount(0x2000, u"カード"));
}

}  // namespace
}  // namespace sorami
