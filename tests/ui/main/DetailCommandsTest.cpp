// The commands on detail lines in the main window: delete, change through the dialog, copy and
// paste through the clipboard.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>

#include "lists/DetailBox.h"
#include "platform/QtText.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFirst;

const Day kApril10 = dayFromYmd(2024, 4, 10);
const Day kApril11 = dayFromYmd(2024, 4, 11);

class DetailCommandsTest : public test::SoramiViewTest {
 protected:
  CHinmeiList& store() { return *gateway.document().entries(); }
  CDetailBox* details() const { return view->detailList(); }
  QStringList names() const {
    QStringList out;
    for (int i = 0; i < details()->count(); ++i) {
      out << toQString(details()->lines().entry(i).name);
    }
    return out;
  }
  std::vector<const CHinmei*> linesOn(Day d) {
    std::vector<const CHinmei*> out;
    for (const CHinmei& e : store().entries()) {
      if (e.date == d && e.item == kFirst) out.push_back(&e);
    }
    return out;
  }
  int shownCount(MessageId id) const {
    return static_cast<int>(std::count_if(prompts.shown.begin(), prompts.shown.end(),
                                          [id](const auto& s) { return s.id == id; }));
  }
  // A withdrawal from a bank account spent on the first item, on April 10th.
  void addTransfer() {
    CHinmeiList& s = store();
    ASSERT_TRUE(s.registerAccount(u"銀行", kKindAccount, -1, 10000));
    const CHinmei* out = s.itemByDirection(EF_ACCOUNT | EF_INCOME);
    ASSERT_NE(out, nullptr);
    const auto accountFlags = static_cast<uint16_t>(EF_ACCOUNT | EF_INCOME | EF_PAIR);
    ASSERT_TRUE(s.insert(CHinmei(kApril10, out->item, accountFlags, u"銀行", u"", 3000)));
    ASSERT_TRUE(s.insert(CHinmei(kApril10, kFirst, EF_EXPENSE | EF_PAIR_MASK, u"引出", u"", 3000)));
    view->currentProcessingDay();
  }
  void answerEdit(EntryEditAnswer::Action action, const QString& name, const QString& amount,
                  const QString& memo) {
    view->askEntryEdit = [=, this](const EntryEditRequest& r) -> std::optional<EntryEditAnswer> {
      requests.push_back(r);
      return EntryEditAnswer{action, {name, amount, memo}};
    };
  }

  std::vector<EntryEditRequest> requests;
};

TEST_F(DetailCommandsTest, DeleteAsksAndRemovesBothHalvesOfATransfer) {
  addTransfer();
  ASSERT_EQ(names(), (QStringList{QStringLiteral("昼食"), QStringLiteral("引出")}));
  key(Qt::Key_D, Qt::ControlModifier);  // nothing selected
  EXPECT_EQ(shownCount(MessageId::DeleteNeedsSelection), 1);
  EXPECT_EQ(linesOn(kApril10).size(), 2u);

  gateway.document().config().confirmDeletion = 1;
  details()->selectOnly(1);
  prompts.answers = {Answer::No};
  key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(shownCount(MessageId::ConfirmDeleteSelected), 1);
  EXPECT_EQ(names().size(), 2);

  store().setModified(false);
  details()->selectOnly(1);
  prompts.answers = {Answer::Yes};
  key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(names(), QStringList{QStringLiteral("昼食")});
  for (const CHinmei& e : store().entries()) {
    EXPECT_TRUE(e.isDefinition() || e.name != u"銀行") << e.item;
  }
  EXPECT_EQ(store().itemTotal(kFirst), 800);
  EXPECT_TRUE(itemLine(kFirst).contains(QStringLiteral("800")));
  EXPECT_TRUE(store().isModified());
  EXPECT_TRUE(view->nameField()->hasFocus());
}

TEST_F(DetailCommandsTest, ChangeOpensTheDialogForExactlyOneLine) {
  addTransfer();
  key(Qt::Key_E, Qt::ControlModifier);
  details()->setSelected(0, true);
  details()->setSelected(1, true);
  key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(shownCount(MessageId::SelectOneEntry), 2);

  // A double click selects the line and opens the dialog on the column hit.
  answerEdit(EntryEditAnswer::Action::Ok, QStringLiteral("昼ご飯"), QStringLiteral("1,500"),
             QStringLiteral("社食"));
  const QRect first = details()->lineRect(0);
  QTest::mouseDClick(details()->viewport(), Qt::LeftButton, Qt::NoModifier,
                     QPoint(3, first.center().y()));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].oldName, QStringLiteral("昼食"));
  EXPECT_EQ(requests[0].oldAmount, QStringLiteral("800"));
  EXPECT_EQ(requests[0].hitColumn, HitName);
  const CHinmei* lunch = linesOn(kApril10).front();
  EXPECT_EQ(lunch->name, u"昼ご飯");
  EXPECT_EQ(lunch->amount, 1500);
  EXPECT_EQ(lunch->visibleMemo(), u"社食");
  EXPECT_EQ(names().front(), QStringLiteral("昼ご飯"));
  EXPECT_EQ(details()->selectedLines(), std::vector<int>{0});
  EXPECT_EQ(store().itemTotal(kFirst), 4500);

  // 削除 in the dialog on the transfer's line takes the pair; Enter in the list opens it too.
  answerEdit(EntryEditAnswer::Action::Delete, {}, {}, {});
  details()->selectOnly(1);
  details()->setFocus();
  QTest::keyClick(details(), Qt::Key_Return);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(names(), QStringList{QStringLiteral("昼ご飯")});
  EXPECT_EQ(store().itemTotal(kFirst), 1500);
}

// An amount typed with the Japanese input method on reads as the same figure; a text that is no
// figure at all is refused and the line stays as it was, rather than read as 0 and deleted.
TEST_F(DetailCommandsTest, ChangeReadsFullWidthFiguresAndRefusesText) {
  const struct {
    QString amount;
    int32_t stored;
    bool refused;
  } cases[] = {
      {QStringLiteral("１，５００"), 1500, false},
      {QStringLiteral("\u3000－２５０ "), -250, false},
      {QStringLiteral("千円"), -250, true},
  };
  for (const auto& c : cases) {
    answerEdit(EntryEditAnswer::Action::Ok, QStringLiteral("昼食"), c.amount, QString());
    details()->selectOnly(0);
    view->changeSelectedLine();
    ASSERT_EQ(linesOn(kApril10).size(), 1u) << c.amount.toStdString();
    EXPECT_EQ(linesOn(kApril10).front()->amount, c.stored) << c.amount.toStdString();
    EXPECT_EQ(shownCount(MessageId::AmountNotANumber), c.refused ? 1 : 0);
  }
}

TEST_F(DetailCommandsTest, CopiedLinesPasteOnAnotherDay) {
  ASSERT_TRUE(store().insert(CHinmei(kApril10, kFirst, EF_EXPENSE, u"おやつ", u"甘い", 1200)));
  view->currentProcessingDay();
  details()->setSelected(0, true);
  details()->setSelected(1, true);
  key(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("2024/04/10\t旅費、交通\t昼食\t0\t800\t\t100\n"
                           "2024/04/10\t旅費、交通\tおやつ\t0\t1,200\t甘い\t100"));

  key(Qt::Key_PageDown);
  ASSERT_EQ(view->currentDay(), kApril11);
  ASSERT_TRUE(names().isEmpty());
  store().setModified(false);
  key(Qt::Key_A, Qt::ControlModifier);
  const auto pasted = linesOn(kApril11);
  ASSERT_EQ(pasted.size(), 2u);
  EXPECT_EQ(pasted[1]->name, u"おやつ");
  EXPECT_EQ(pasted[1]->visibleMemo(), u"甘い");
  EXPECT_EQ(pasted[1]->amount, 1200);
  EXPECT_EQ(names(), (QStringList{QStringLiteral("昼食"), QStringLiteral("おやつ")}));
  EXPECT_TRUE(itemLine(kFirst).contains(QStringLiteral("2,000")));
  EXPECT_TRUE(view->codedText(IDC_DETAIL_TOTAL).contains(QStringLiteral("2,000")));
  EXPECT_TRUE(store().isModified());

  // Text that is no copied line pastes nothing.
  QGuiApplication::clipboard()->setText(QStringLiteral("ただの文章\nもう一行"));
  key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(linesOn(kApril11).size(), 2u);
}

TEST_F(DetailCommandsTest, EverySelectedLineCountsBeyondFiveHundred) {
  for (int i = 0; i < 600; ++i) {
    ASSERT_TRUE(store().insert(CHinmei(kApril10, kFirst, EF_EXPENSE, u"多", u"", 1)));
  }
  view->currentProcessingDay();
  ASSERT_EQ(details()->count(), 601);
  for (int i = 0; i < details()->count(); ++i) details()->setSelected(i, true);
  key(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().count(u'\n'), 600);
  key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(details()->count(), 0);
  EXPECT_TRUE(linesOn(kApril10).empty());
  key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(details()->count(), 601);
  EXPECT_EQ(store().itemTotal(kFirst), 1400);
}

// 消費税記入 (Ctrl+Z): the outside tax of the selected lines at the file's 10 %, written to the
// file's tax item from cash, or as a pair from an account; cancelled, or with nothing selected,
// nothing is written.
TEST_F(DetailCommandsTest, WriteTaxAddsTheTaxOfTheSelection) {
  addTransfer();
  std::vector<QStringList> offered;
  std::optional<WriteTaxChoice> choice;
  view->askWriteTax = [&](const QStringList& accounts, const QStringList&) {
    offered.push_back(accounts);
    return choice;
  };
  const auto taxLines = [this] {
    std::vector<CHinmei> out;
    for (const CHinmei& e : store().entries()) {
      if (e.isDated() && e.name == u"消費税") out.push_back(e);
    }
    return out;
  };
  details()->selectOnly(0);  // 昼食, 800
  key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], QStringList{QStringLiteral("銀行")});
  EXPECT_TRUE(taxLines().empty());  // cancelled

  choice = WriteTaxChoice{TaxSource::Cash, {}};
  key(Qt::Key_Z, Qt::ControlModifier);
  std::vector<CHinmei> lines = taxLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(store().itemByNumber(lines[0].item)->name, u"税金");
  EXPECT_EQ(lines[0].memo, u"旅費、交通:昼食");
  EXPECT_EQ(lines[0].amount, 80);
  EXPECT_EQ(lines[0].date, kApril10);

  // Both lines: 3,800, and the tax 380 from the account, which pays it.
  const int64_t accounts = store().rowValue(ITEM_ACCOUNT_BALANCE);
  details()->selectOnly(0);
  details()->setSelected(1, true);
  choice = WriteTaxChoice{TaxSource::Account, QStringLiteral("銀行")};
  key(Qt::Key_Z, Qt::ControlModifier);
  lines = taxLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].item, kFirst);
  EXPECT_EQ(lines[1].amount, 380);
  EXPECT_EQ(lines[1].memo, u"");  // the lines have different names
  EXPECT_TRUE(std::any_of(store().begin(), store().end(), [](const CHinmei& e) {
    return e.isTransfer() && e.name == u"銀行" && e.amount == 380 && e.memo == u"消費税";
  }));
  EXPECT_EQ(store().rowValue(ITEM_ACCOUNT_BALANCE), accounts - 380);

  details()->clearSelection();
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(offered.size(), 4u);
  EXPECT_EQ(taxLines().size(), 2u);
}

TEST(WriteTaxDialog, AnswersEachButtonWithItsName) {
  const QStringList accounts{QStringLiteral("銀行"), QStringLiteral("郵便")};
  const struct {
    TaxSource source;
    std::optional<TaxSource> chosen;
    QString name;
  } cases[] = {{TaxSource::Cash, TaxSource::Cash, {}},
               {TaxSource::Account, TaxSource::Account, QStringLiteral("郵便")},
               {TaxSource::Loan, TaxSource::Loan, QStringLiteral("新カード")}};
  for (const auto& c : cases) {
    WriteTaxDialog dialog(accounts, {});
    dialog.accountBox()->setCurrentIndex(1);
    dialog.loanBox()->setEditText(QStringLiteral(" 新カード "));
    auto* button = dialog.findChild<QPushButton*>(QString::number(static_cast<int>(c.source)));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(dialog.choice());
    EXPECT_EQ(dialog.choice()->source, *c.chosen);
    EXPECT_EQ(dialog.choice()->name, c.name);
  }
  WriteTaxDialog dialog(accounts, {});
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.choice());
}

TEST(EntryEditDialog, OpensOnTheColumnHitAndAnswersEachButton) {
  const QString longMemo(300, u'm');
  const EntryEditRequest request{QStringLiteral("昼食"),
                                 QStringLiteral("800"),
                                 {QStringLiteral("昼食"), QStringLiteral("800"), longMemo},
                                 HitAmount};
  EntryEditDialog dialog(request);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("品名(品目)ﾃﾞｰﾀの変更、削除"));
  dialog.show();
  auto* amount = dialog.findChild<QLineEdit*>(QStringLiteral("2"));
  ASSERT_NE(amount, nullptr);
  EXPECT_EQ(dialog.focusWidget(), amount);
  EXPECT_EQ(amount->selectedText(), QStringLiteral("800"));
  QTest::keyClicks(amount, QStringLiteral("1,000"));
  const QString dir = QCoreApplication::applicationDirPath();
  EXPECT_TRUE(dialog.grab().save(QDir(dir).filePath(QStringLiteral("entry-edit-dialog.png"))));
  dialog.accept();
  auto answer = dialog.answer();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->action, EntryEditAnswer::Action::Ok);
  EXPECT_EQ(answer->fields.amount, QStringLiteral("1,000"));
  EXPECT_EQ(answer->fields.memo, longMemo);  // a stored memo longer than the field stays whole

  dialog.reject();
  EXPECT_FALSE(dialog.answer());
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
    if (b->text() == QStringLiteral("削除")) b->click();
  }
  ASSERT_TRUE(dialog.answer());
  EXPECT_EQ(dialog.answer()->action, EntryEditAnswer::Action::Delete);
}

}  // namespace
}  // namespace sorami
