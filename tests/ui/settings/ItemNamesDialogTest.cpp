// The page of items and special names: the names of the selected item, added after the selected
// row, changed, moved and deleted with the buttons, accounts cancelled on their item.

#include "settings/ItemNamesDialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "config/Config.h"
#include "core/ledger/LedgerFixture.h"

namespace sorami {
namespace {

using test::kFood;
using test::kIntoAccount;
using Names = std::vector<std::u16string>;

class ItemNamesDialogTest : public ::testing::Test {
 protected:
  ItemNamesDialogTest() {
    for (const char16_t* n : {u"米", u"パン"}) f.store.addSpecialName(kFood, n, -1, false);
    f.store.setRememberedRow(kFood, 1);
    f.account(u"普通", 1000);
    f.prompts.shown.clear();
  }
  void click(ItemNamesDialog& d, ItemNamesDialog::NameButton b) {
    QTest::mouseClick(d.button(b), Qt::LeftButton);
  }
  QStringList rows(const ItemNamesDialog& d) const {
    QStringList out;
    for (int i = 0; i < d.nameList()->count(); ++i) out << d.nameList()->item(i)->text();
    return out;
  }
  Names food() const { return f.store.specialNameTexts(kFood); }

  test::LedgerFixture f;
  CConfig config;
};

TEST_F(ItemNamesDialogTest, OpensOnTheItemWithItsRememberedName) {
  ItemNamesDialog d(f.store, config, f.prompts, kFood);
  EXPECT_EQ(d.itemList()->count(), f.store.itemCount());
  EXPECT_EQ(d.selectedSlot(), kFood);
  EXPECT_EQ(rows(d), (QStringList{QStringLiteral("1:米"), QStringLiteral("2:パン")}));
  EXPECT_EQ(d.selectedName(), 1);
  EXPECT_TRUE(d.grab().save(
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("item-names.png"))));
  config.specialNamesByNumber = 0;
  d.itemList()->setCurrentRow(kIntoAccount);
  EXPECT_EQ(rows(d), QStringList{QStringLiteral("普通")});
  EXPECT_FALSE(d.changed());
}

TEST_F(ItemNamesDialogTest, TheButtonsWorkOnTheSelectedName) {
  ItemNamesDialog d(f.store, config, f.prompts, kFood);
  d.nameList()->clearSelection();
  for (auto b :
       {ItemNamesDialog::NameUp, ItemNamesDialog::NameChange, ItemNamesDialog::NameDelete}) {
    f.prompts.shown.clear();
    click(d, b);
    ASSERT_EQ(f.prompts.shown.size(), 1u);
    EXPECT_EQ(f.prompts.shown[0].text, u"特別品名を選択してから行なって下さい。");
  }
  d.nameList()->setCurrentRow(0);
  f.prompts.specialNames.push_back(u"麦");
  click(d, ItemNamesDialog::NameAdd);  // after the selected row
  EXPECT_EQ(food(), (Names{u"米", u"麦", u"パン"}));
  EXPECT_EQ(d.selectedName(), 1);
  click(d, ItemNamesDialog::NameDown);
  EXPECT_EQ(food(), (Names{u"米", u"パン", u"麦"}));
  EXPECT_EQ(d.selectedName(), 2);
  click(d, ItemNamesDialog::NameDown);  // nothing below the last
  EXPECT_EQ(d.selectedName(), 2);
  f.prompts.nameChanges.push_back(SpecialNameChange{u"大麦", false});
  click(d, ItemNamesDialog::NameChange);
  EXPECT_EQ(food(), (Names{u"米", u"パン", u"大麦"}));
  click(d, ItemNamesDialog::NameDelete);
  EXPECT_EQ(food(), (Names{u"米", u"パン"}));
  EXPECT_EQ(d.selectedName(), 1);  // the new last row
  EXPECT_EQ(f.store.rememberedRow(kFood), 1);
  EXPECT_TRUE(d.changed());
}

TEST_F(ItemNamesDialogTest, DeletingAnAccountCancelsItAfterTheQuestion) {
  ItemNamesDialog d(f.store, config, f.prompts, kIntoAccount);
  d.nameList()->setCurrentRow(0);
  f.prompts.answers = {Answer::No, Answer::Yes};
  click(d, ItemNamesDialog::NameDelete);
  EXPECT_TRUE(f.store.findAccount(u"普通"));
  click(d, ItemNamesDialog::NameDelete);
  EXPECT_FALSE(f.store.findAccount(u"普通"));
  EXPECT_EQ(d.nameList()->count(), 0);
  EXPECT_EQ(f.prompts.shown.back().text,
            u"（普通）を取消しますか？\n取消すと、この口座の残高は表示されなくなります。");
}

}  // namespace
}  // namespace sorami
