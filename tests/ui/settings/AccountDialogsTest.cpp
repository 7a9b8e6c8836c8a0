// The dialogs of special names and accounts hand back what the user typed; each is grabbed to a
// picture as the user sees it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "ledger/Account.h"
#include "platform/QtPrompts.h"
#include "settings/CardDialogs.h"

namespace sorami {
namespace {

// Runs `fill` on the dialog the prompts open, grabs it and presses OK.
void answer(const char* picture, const std::function<void(QDialog&)>& fill) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(dialog);
    fill(*dialog);
    QCoreApplication::processEvents();
    const QString dir = QCoreApplication::applicationDirPath();
    EXPECT_TRUE(dialog->grab().save(QDir(dir).filePath(QString::fromLatin1(picture))));
    dialog->accept();
  });
}

QStringList labels(const QDialog& d) {
  QStringList out;
  for (const QLabel* l : d.findChildren<QLabel*>()) out << l->text();
  return out;
}

TEST(AccountDialogs, TheLoanSettingsShowTheValuesAndOfferTheCard) {
  QtPrompts prompts;
  QString title;
  QStringList shown;
  QString cardTitle;
  answer("loan-settings.png", [&](QDialog& d) {
    title = d.windowTitle();
    shown = labels(d);
    EXPECT_EQ(d.findChild<QLineEdit*>()->text(), QStringLiteral("カード"));
    const QList<QSpinBox*> spins = d.findChildren<QSpinBox*>();
    EXPECT_EQ(spins.at(0)->value(), 50000);
    EXPECT_EQ(spins.at(1)->value(), 7);
    spins.at(0)->setValue(80000);
    d.findChild<QCheckBox*>()->setChecked(true);
    // The card settings come with the cards; their page opens and closes.
    QTimer::singleShot(0, [&] {
      cardTitle = QApplication::activeModalWidget()->windowTitle();
      QApplication::activeModalWidget()->close();
    });
    for (QPushButton* b : d.findChildren<QPushButton*>()) {
      if (b->text() == QStringLiteral("カード設定")) b->click();
    }
  });
  const auto values = prompts.accountSettings(kKindLoan, {u"カード", 50000, 7, false});
  ASSERT_TRUE(values);
  EXPECT_EQ(title, QStringLiteral("借入の設定"));
  EXPECT_TRUE(shown.contains(QStringLiteral("より多くなると通知")));
  EXPECT_EQ(cardTitle, QStringLiteral("カードの設定"));
  EXPECT_EQ(values->name, u"カード");
  EXPECT_EQ(values->watchThreshold, 80000);
  EXPECT_TRUE(values->outsideAssets);

  answer("account-settings.png", [&](QDialog& d) {
    title = d.windowTitle();
    shown = labels(d);
    d.findChild<QLineEdit*>()->setText(QStringLiteral("生活口座"));
  });
  const auto account = prompts.accountSettings(kKindAccount, {u"普通", 10000, 7, false});
  ASSERT_TRUE(account);
  EXPECT_EQ(title, QStringLiteral("口座の設定"));
  EXPECT_TRUE(shown.contains(QStringLiteral("より少なくなると通知")));
  EXPECT_EQ(account->name, u"生活口座");
  EXPECT_FALSE(account->outsideAssets);
}

QPushButton* buttonOf(const QDialog& d, const char* text) {
  for (QPushButton* b : d.findChildren<QPushButton*>()) {
    if (b->text() == QString::fromUtf8(text)) return b;
  }
  return nullptr;
}

// The loan's カード設定 opens the card settings named as the loan; OK with a name makes it a
// card of that name, and the revolving settings come back through the card's dialog.
TEST(AccountDialogs, TheCardSettingsMakeTheLoanACard) {
  QtPrompts prompts;
  AccountSettingsValues current(u"ローン", 0, 7, false);
  current.card = CardSettings::newRecord(2024, 4);
  current.card->feeRate = 13.23456;  // more decimals than the field shows
  current.accountNames = {u"普通預金", u"定期"};
  answer("loan-card.png", [&](QDialog& loan) {
    QTimer::singleShot(0, [&] {
      auto* card = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(card);
      EXPECT_EQ(card->windowTitle(), QStringLiteral("カードの設定"));
      EXPECT_EQ(card->findChild<QLineEdit*>()->text(), QStringLiteral("ローン"));
      card->findChild<QLineEdit*>()->setText(QStringLiteral("青いカード"));
      card->findChildren<QSpinBox*>().at(0)->setValue(25);  // 締日
      const QList<QComboBox*> boxes = card->findChildren<QComboBox*>();
      boxes.at(0)->setCurrentIndex(2);  // 休祝日後
      boxes.at(1)->setCurrentIndex(2);  // 翌々月
      boxes.at(3)->setCurrentIndex(boxes.at(3)->findText(QStringLiteral("定期")));
      card->findChildren<QCheckBox*>().at(2)->setChecked(true);  // リボルビング払い
      QTimer::singleShot(0, [] {
        auto* revolving = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(revolving);
        EXPECT_EQ(revolving->windowTitle(), QStringLiteral("リボルビングの設定"));
        revolving->findChildren<QDoubleSpinBox*>().at(0)->setValue(7.5);
        EXPECT_TRUE(revolving->grab().save(
            QDir(QCoreApplication::applicationDirPath()).filePath("revolving-settings.png")));
        revolving->accept();
      });
      buttonOf(*card, "リボルビングの設定")->click();
      EXPECT_TRUE(card->grab().save(
          QDir(QCoreApplication::applicationDirPath()).filePath("card-settings.png")));
      card->accept();
    });
    buttonOf(loan, "カード設定")->click();
    EXPECT_EQ(loan.findChild<QLineEdit*>()->text(), QStringLiteral("青いカード"));
  });
  const auto values = prompts.accountSettings(kKindLoan, current);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->name, u"青いカード");
  EXPECT_TRUE(values->isCard);
  ASSERT_TRUE(values->card);
  const CardSettings& c = *values->card;
  EXPECT_EQ(c.closingDay, 25);
  EXPECT_EQ(c.closingHolidayRule, 2);
  EXPECT_EQ(c.paymentMonthOffset, 2);
  EXPECT_EQ(c.settlementAccount, u"定期");
  EXPECT_EQ(c.revolving, 1);
  EXPECT_EQ(c.paymentRate, 7.5);
  EXPECT_EQ(c.feeRate, 13.23456);
}

TEST(AccountDialogs, TheInitialBalanceChangeShowsTheOldAmount) {
  QtPrompts prompts;
  QStringList shown;
  answer("initial-balance.png", [&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("口座の初期残高変更"));
    shown = labels(d);
    d.findChild<QSpinBox*>()->setValue(-2500);
  });
  EXPECT_EQ(prompts.newInitialBalance(u"普通", 120000), -2500);
  EXPECT_TRUE(shown.contains(QStringLiteral("普通")));
  EXPECT_TRUE(shown.contains(QStringLiteral("120,000")));
}

TEST(AccountDialogs, SpecialNameDialogsOfferTheRenameOfLinesWhereItApplies) {
  QtPrompts prompts;
  answer("special-name-change.png", [](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("特別品名の変更"));
    d.findChild<QLineEdit*>()->setText(QStringLiteral("食パン"));
    d.findChild<QCheckBox*>()->setChecked(true);
  });
  const auto change = prompts.specialNameChange(u"パン", true);
  ASSERT_TRUE(change);
  EXPECT_EQ(change->newName, u"食パン");
  EXPECT_TRUE(change->renameEntries);

  answer("special-name-add.png", [](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("特別品名の追加"));
    EXPECT_FALSE(d.findChild<QCheckBox*>());
    d.findChild<QLineEdit*>()->setText(QStringLiteral("牛乳"));
  });
  EXPECT_EQ(prompts.specialNameToAdd(u"食費"), u"牛乳");
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_FALSE(prompts.specialNameToAdd(u"食費"));
}

}  // namespace
}  // namespace sorami
