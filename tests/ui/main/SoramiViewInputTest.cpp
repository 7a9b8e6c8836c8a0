// The input row driven from the keys: item, product name, amount and Enter write a line for the
// current day, transfers write pairs, refusals show their messages, the memo window waits.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "input/CalculatorPanel.h"
#include "input/MemoWindow.h"
#include "lists/DetailBox.h"
#include "main/Commands.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFirst;
using test::kToday;
using test::SoramiViewTest;

class SoramiViewInputTest : public SoramiViewTest {
 protected:
  int salarySlot() { return store().expenseItemCount(); }
  void click(int id) {
    QTest::mouseClick(static_cast<QPushButton*>(view->control(id)), Qt::LeftButton);
  }
  QString lastMessage() const {
    return prompts.shown.empty() ? QString() : QString::fromStdU16String(prompts.shown.back().text);
  }
};

TEST_F(SoramiViewInputTest, KeysWriteALineWithItsMemoAndTheFieldCalculates) {
  key(Qt::Key_Up);  // wraps round to the last item
  EXPECT_EQ(config().currentItem, store().itemCount() - 1);
  key(Qt::Key_Down);
  EXPECT_EQ(config().currentItem, kFirst);
  EXPECT_TRUE(view->nameField()->hasFocus());
  // A click on the summary rows hands the focus back to the field last used.
  view->amountField()->setFocus();
  view->summaryList()->setFocus();
  QTest::mouseClick(view->summaryList()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(view->amountField()->hasFocus());

  typeName(QStringLiteral("パン、朝食"));
  enter(view->nameField());
  ASSERT_TRUE(view->amountField()->hasFocus());
  // The amount memory offers the last amount of the product name, selected to be typed over.
  EXPECT_EQ(view->amountField()->selectedText(), QStringLiteral("300"));
  typeAmount(QStringLiteral("1000+200"));
  enter(view->amountField());

  const std::vector<CHinmei> lines = linesOn(kToday);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].item, kFirst);
  EXPECT_EQ(lines[2].flags, EF_EXPENSE);
  EXPECT_EQ(lines[2].name, u"パン");
  EXPECT_EQ(lines[2].memo, u"朝食");
  EXPECT_EQ(lines[2].amount, 1200);
  EXPECT_TRUE(itemLine(kFirst).endsWith(QStringLiteral("\t2,000")))
      << itemLine(kFirst).toStdString();
  EXPECT_EQ(summaryLines().at(2), QStringLiteral("-\t支出合計\t2,000"));
  EXPECT_EQ(summaryLines().at(3), QStringLiteral("-\t現金残高\t200,200"));
  EXPECT_EQ(view->detailList()->count(), 2);
  EXPECT_TRUE(gateway.document().isModified());
  // Back in the product name, which keeps the previous input selected.
  EXPECT_TRUE(view->nameField()->hasFocus());
  EXPECT_EQ(view->nameField()->selectedText(), QStringLiteral("パン、朝食"));

  // The arrows belong to the input row, but a list that has the focus keeps its own.
  view->detailList()->setFocus();
  QTest::keyClick(view->detailList(), Qt::Key_Down);
  QTest::keyClick(view->detailList(), Qt::Key_Down);
  EXPECT_EQ(view->detailList()->cursorLine(), 1);
  QTest::keyClick(view->detailList(), Qt::Key_Up);
  EXPECT_EQ(view->detailList()->cursorLine(), 0);
  EXPECT_EQ(config().currentItem, kFirst);

  // The amount memory offers the last amount of the same product name.
  typeName(QStringLiteral("昼食"));
  enter(view->nameField());
  EXPECT_EQ(view->amountField()->selectedText(), QStringLiteral("800"));
}

TEST_F(SoramiViewInputTest, RefusedInputShowsItsMessageAndWritesNothing) {
  typeName(QStringLiteral("\u3000 "));
  enter(view->nameField());
  EXPECT_EQ(lastMessage(), QStringLiteral("品名を空白以外にしてください。"));
  EXPECT_TRUE(view->nameField()->hasFocus());

  typeName(QStringLiteral("3"));  // the item has no special names
  enter(view->nameField());
  EXPECT_EQ(lastMessage(), QStringLiteral("入力された番号の特別品名はありません。"));
  EXPECT_EQ(view->nameField()->selectedText(), QStringLiteral("3"));

  typeName(QStringLiteral("0"));  // taken as a name
  enter(view->nameField());
  ASSERT_TRUE(view->amountField()->hasFocus());
  typeAmount(QStringLiteral("0"));
  enter(view->amountField());
  EXPECT_TRUE(prompts.wasShown(MessageId::ZeroAmountRefused));
  EXPECT_TRUE(view->amountField()->hasFocus());

  typeAmount(QStringLiteral("50/0="));
  EXPECT_TRUE(prompts.wasShown(MessageId::DivisionByZero));
  // A result is shown whole, separators and all.
  view->amountField()->selectAll();
  typeAmount(QStringLiteral("A99999*9999="));  // after clearing all
  EXPECT_EQ(view->amountField()->text(), QStringLiteral("999,890,001"));
  EXPECT_EQ(linesOn(kToday).size(), 2u);
}

TEST_F(SoramiViewInputTest, TransferIntoANewAccountWritesAPair) {
  view->itemStep(salarySlot());
  typeName(QStringLiteral("4月分"));
  enter(view->nameField());
  typeAmount(QStringLiteral("50,000"));

  // No account yet, and the name is not given: nothing is written.
  view->askTransferName = [](TransferKind, const QStringList&, const QString&) {
    return std::optional<QString>();
  };
  view->addEntry(TransferKind::Savings);
  EXPECT_TRUE(prompts.wasShown(MessageId::NoAccountRegistered));
  EXPECT_EQ(linesOn(kToday).size(), 2u);

  view->askTransferName = [](TransferKind kind, const QStringList& names, const QString&) {
    EXPECT_EQ(kind, TransferKind::Savings);
    EXPECT_TRUE(names.isEmpty());
    return std::optional<QString>(QStringLiteral(" 新口座 "));
  };
  prompts.answers.push_back(Answer::Yes);
  prompts.newAccounts.push_back(NewAccount{u"新口座", 0, 0, 7});
  view->addEntry(TransferKind::Savings);
  EXPECT_TRUE(prompts.wasShown(MessageId::RegisterNewAccount));
  const std::vector<CHinmei> lines = linesOn(kToday);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2].flags, EF_INCOME | EF_PAIR);
  EXPECT_EQ(lines[2].name, u"4月分");
  EXPECT_EQ(lines[2].memo, u"口座:新口座へ");
  EXPECT_EQ(lines[3].flags, EF_ACCOUNT | EF_EXPENSE | EF_PAIR | EF_PAIR_SECOND);
  EXPECT_EQ(lines[3].name, u"新口座");
  EXPECT_EQ(lines[3].memo, u"所得:4月分から");
  EXPECT_NE(store().findAccount(u"新口座"), nullptr);
  // The salary went into the account, not into the cash.
  EXPECT_EQ(summaryLines().at(3), QStringLiteral("-\t現金残高\t201,400"));

  // The next time the product name brings its account along.
  view->setTransferName(TransferKind::Savings, {});
  typeName(QStringLiteral("4月分"));
  enter(view->nameField());
  EXPECT_EQ(view->transferName(TransferKind::Savings), QStringLiteral("新口座"));
  EXPECT_EQ(view->amountField()->text(), QStringLiteral("50,000"));
}

// Groceries at 8 % 内税 and a tool at 10 % 外税 from a new account, typed through the panel:
// each line with its one tax line, exact to the yen, and "A On" counting every line written.
TEST_F(SoramiViewInputTest, CalculatorPanelWritesLinesWithTheirTaxLines) {
  config().calculatorOnAmount = 1;
  config().calculatorTaxMode = TAX_INSIDE;
  config().taxRate = 8;
  config().taxRounding = TAX_ROUND_DOWN;
  typeName(QStringLiteral("食料品"));
  enter(view->nameField());
  CCalculatorPanel* panel = view->calculatorPanel();
  ASSERT_NE(panel, nullptr);
  // A tool window counts as active with its main window: wait for the keys themselves.
  const auto panelHasKeys = [panel] {
    return QTest::qWaitFor([panel] { return QApplication::activeWindow() == panel; });
  };
  ASSERT_TRUE(panelHasKeys());
  EXPECT_EQ(QApplication::focusWidget(), panel->grossField());
  EXPECT_EQ(panel->writeButton(WriteButton::Cash)->text(), QStringLiteral("現金から"));
  QTest::mouseClick(panel->key(QStringLiteral("A Off")), Qt::LeftButton);
  typeText(QApplication::focusWidget(), QStringLiteral("1080"));
  EXPECT_EQ(panel->amountField()->text(), QStringLiteral("1,000"));
  EXPECT_EQ(panel->taxField()->text(), QStringLiteral("80"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(panel->grab().save(QDir(QCoreApplication::applicationDirPath())
                                     .filePath(QStringLiteral("calculator-panel.png"))));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

  std::vector<CHinmei> lines = linesOn(kToday);
  ASSERT_EQ(lines.size(), 4u) << lastMessage().toStdString();
  EXPECT_EQ(lines[2].name, u"食料品");
  EXPECT_EQ(lines[2].amount, 1000);
  EXPECT_EQ(lines[2].flags, EF_EXPENSE | taxFlags(TAX_INSIDE, TAX_ROUND_DOWN, false));
  EXPECT_EQ(lines[3].name, u"消費税");
  EXPECT_EQ(lines[3].amount, 80);
  EXPECT_TRUE(lines[3].memo.view().ends_with(u"食料品"));
  EXPECT_EQ(panel->state().memory(), 1080);
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &frame; }));
  EXPECT_TRUE(view->nameField()->hasFocus());

  // The panel is closed and opened again with the new rate; the account is asked about once.
  click(IDC_CALCULATOR_BUTTON);
  EXPECT_FALSE(panel->isVisible());
  config().taxRate = 10;
  config().calculatorTaxMode = TAX_OUTSIDE;
  typeName(QStringLiteral("工具"));
  enter(view->nameField());
  ASSERT_TRUE(panelHasKeys());
  typeText(QApplication::focusWidget(), QStringLiteral("1980"));
  EXPECT_EQ(panel->taxField()->text(), QStringLiteral("198"));
  panel->setAccountName(QStringLiteral("普通"));
  EXPECT_EQ(panel->defaultButton(), WriteButton::Cash);  // the file's cash-button default
  prompts.answers.push_back(Answer::Yes);
  prompts.newAccounts.push_back(NewAccount{u"普通", 0, 0, 7});
  QTest::mouseClick(panel->writeButton(WriteButton::Account), Qt::LeftButton);
  int asked = 0;
  for (const auto& shown : prompts.shown) asked += shown.id == MessageId::RegisterNewAccount;
  EXPECT_EQ(asked, 1);
  lines = linesOn(kToday);
  ASSERT_EQ(lines.size(), 8u);
  int64_t tool = 0;
  int64_t tax = 0;
  for (size_t i = 4; i < lines.size(); ++i) {
    (lines[i].name == u"消費税" || lines[i].memo == u"消費税" ? tax : tool) += lines[i].amount;
  }
  EXPECT_EQ(tool, 2 * 1980);  // both halves of each pair
  EXPECT_EQ(tax, 2 * 198);
  EXPECT_NE(store().findAccount(u"普通"), nullptr);
  EXPECT_GE(panel->accountBox()->findText(QStringLiteral("普通")), 0);  // listed from now on

  // Turning to another program takes the panel away with the main window's other tool windows.
  ASSERT_TRUE(panel->isVisible());
  emit qApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_FALSE(panel->isVisible());
}

TEST_F(SoramiViewInputTest, MemoWindowWritesOnlyOnOk) {
  config().memoAfterAmount = 1;
  typeName(QStringLiteral("パン、特売"));
  enter(view->nameField());
  typeAmount(QStringLiteral("300"));
  enter(view->amountField());
  CMemoWindow* memo = view->memoWindow();
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isVisible());
  EXPECT_EQ(memo->windowTitle(), QStringLiteral("備 考 の 入 力"));
  EXPECT_EQ(memo->memo(), QStringLiteral("特売"));
  EXPECT_EQ(memo->editor()->cursorPosition(), 0);
  EXPECT_EQ(linesOn(kToday).size(), 2u);

  // The main window with the memo window over it, as the user sees them (the title bar of the
  // memo window is drawn here, as the desktop would).
  QCoreApplication::processEvents();
  QImage shot = frame.grab().toImage();
  {
    QPainter painter(&shot);
    const QPoint at = memo->geometry().topLeft() - frame.geometry().topLeft();
    const int bar = memo->fontMetrics().height() + 6;
    const QRect title(at.x(), at.y() - bar, memo->width(), bar);
    painter.fillRect(title, QColor(0, 0, 128));
    painter.setPen(Qt::white);
    painter.drawText(title.adjusted(6, 0, 0, 0), Qt::AlignVCenter, memo->windowTitle());
    painter.drawPixmap(at, memo->grab());
    painter.setPen(Qt::darkGray);
    painter.drawRect(title.united(QRect(at, memo->size())).adjusted(0, 0, -1, -1));
  }
  EXPECT_TRUE(shot.save(
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("input-memo.png"))));

  memo->editor()->setText(QStringLiteral("特売品"));
  memo->accept();
  EXPECT_FALSE(memo->isVisible());
  std::vector<CHinmei> lines = linesOn(kToday);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].name, u"パン");
  EXPECT_EQ(lines[2].memo, u"特売品");
  EXPECT_EQ(lines[2].amount, 300);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));  // the main window has the keys again

  typeName(QStringLiteral("牛乳"));
  enter(view->nameField());
  typeAmount(QStringLiteral("200"));
  enter(view->amountField());
  ASSERT_TRUE(memo->isVisible());
  memo->reject();
  EXPECT_FALSE(memo->isVisible());
  EXPECT_EQ(linesOn(kToday).size(), 3u);
  EXPECT_TRUE(QTest::qWaitFor([&] { return view->amountField()->hasFocus(); }));
}

// An operator works on the amount the field shows, also while it is selected to be typed over;
// a digit or point replaces the selection.
TEST_F(SoramiViewInputTest, OperatorsTakeTheSelectedAmountAsTheFieldsValue) {
  const struct {
    QString keys;
    QString shown;
  } cases[] = {
      {QStringLiteral("*2="), QStringLiteral("600")},
      {QStringLiteral("+50="), QStringLiteral("350")},
      {QStringLiteral("-100="), QStringLiteral("200")},
      {QStringLiteral("75"), QStringLiteral("75")},
      // Z adds the file's outside tax (10 %) to the amount shown.
      {QStringLiteral("Z"), QStringLiteral("330")},
      {QStringLiteral("1234z"), QStringLiteral("1,357")},
  };
  for (const auto& c : cases) {
    typeName(QStringLiteral("パン"));
    enter(view->nameField());
    ASSERT_EQ(view->amountField()->selectedText(), QStringLiteral("300"));
    typeAmount(c.keys);
    EXPECT_EQ(view->amountField()->text(), c.shown) << c.keys.toStdString();
  }
}

// A result is shown and written whole, also when it is longer than what may be typed.
TEST_F(SoramiViewInputTest, ALongResultIsWrittenWhole) {
  typeName(QStringLiteral("土地"));
  enter(view->nameField());
  // Beyond an amount the field refuses the result and keeps its figure.
  typeAmount(QStringLiteral("100000*30000="));
  EXPECT_TRUE(prompts.wasShown(MessageId::AmountOutOfRange));
  EXPECT_EQ(view->amountField()->text(), QStringLiteral("30000"));
  typeAmount(QStringLiteral("A100000000*15="));
  EXPECT_EQ(view->amountField()->text(), QStringLiteral("1,500,000,000"));
  enter(view->amountField());
  ASSERT_EQ(linesOn(kToday).size(), 3u);
  EXPECT_EQ(linesOn(kToday)[2].amount, 1500000000);
  // The amount memory offers it whole as well.
  typeName(QStringLiteral("土地"));
  enter(view->nameField());
  EXPECT_EQ(view->amountField()->text(), QStringLiteral("1,500,000,000"));
}

// A special name chosen by its number is taken whole, however long: cut short, an account's
// name would name another account.
TEST_F(SoramiViewInputTest, ASpecialNameByNumberIsTakenWhole) {
  const std::u16string longName = u"みずほ銀行 渋谷中央支店 普通預金 口座番号1234567";
  ASSERT_TRUE(store().registerAccount(longName, kKindAccount, -1, 0));
  int slot = 0;
  while (slot < store().itemCount() && (store().itemAt(slot)->flags & EF_ACCOUNT) == 0) ++slot;
  ASSERT_LT(slot, store().itemCount());
  config().specialNamesByNumber = 1;
  view->itemStep(slot);
  typeName(QStringLiteral("1"));
  enter(view->nameField());
  EXPECT_EQ(view->nameField()->text().toStdU16String(), longName);
}

// The transfer text joins a memo that may already fill the window's field: what opens in the
// window is written whole, never cut at the field's length.
TEST(MemoWindow, KeepsAMemoLongerThanTheFieldTakes) {
  const QString longMemo = QString(250, u'm') + QStringLiteral(" :口座:普通預金から");
  CMemoWindow window(nullptr);
  window.open(longMemo);
  EXPECT_EQ(window.memo().size(), longMemo.size());
  EXPECT_TRUE(window.memo() == longMemo);
  window.accept();
  window.open(QStringLiteral("短い"));
  EXPECT_EQ(window.memo(), QStringLiteral("短い"));
  // A memo typed afresh still stops at the field's length.
  window.editor()->setText(QString(300, u'x'));
  EXPECT_EQ(window.memo().size(), kMemoMaxChars);
}

// A written line marks the title bar until the file is saved.
TEST_F(SoramiViewInputTest, UnsavedChangesAreMarkedInTheTitleBar) {
  EXPECT_FALSE(frame.isWindowModified());
  typeName(QStringLiteral("お茶"));
  enter(view->nameField());
  typeAmount(QStringLiteral("150"));
  enter(view->amountField());
  ASSERT_EQ(linesOn(kToday).size(), 3u);
  QCoreApplication::processEvents();
  EXPECT_TRUE(frame.isWindowModified());
  key(Qt::Key_S, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_FALSE(gateway.document().isModified());
  EXPECT_FALSE(frame.isWindowModified());
}

// A week typed into a new file, saved and opened again: every day shows the same figures.
TEST_F(SoramiViewInputTest, AWeekOfLinesSurvivesSavingAndOpeningAgain) {
  const QString path = QDir(temp.dir()).filePath(QStringLiteral("week.mtb"));
  prompts.newFiles.push_back(NewFileValues{10000, false, 10});
  prompts.savePaths.push_back(std::filesystem::path(path.toStdString()));
  frame.action(ID_FILE_NEW)->trigger();
  ASSERT_EQ(frame.windowTitle(), QStringLiteral("week.mtb[*]"));
  view = frame.view();

  struct Shown {
    QStringList items;
    QStringList summary;
  };
  std::vector<Shown> days;
  for (int i = 0; i < 7; ++i) {
    view->itemStep(i % 4);
    typeName(QStringLiteral("品%1").arg(i));
    enter(view->nameField());
    typeAmount(QString::number(100 * (i + 1)));
    enter(view->amountField());
    if (i == 3) {  // an income line as well
      view->itemStep(salarySlot());
      typeName(QStringLiteral("臨時"));
      enter(view->nameField());
      typeAmount(QStringLiteral("5000"));
      enter(view->amountField());
    }
    days.push_back({view->itemList()->lines(), summaryLines()});
    key(Qt::Key_PageDown);
  }
  EXPECT_EQ(days.back().summary.at(3), QStringLiteral("-\t現金残高\t12,200"));
  frame.action(ID_FILE_SAVE)->trigger();
  ASSERT_FALSE(gateway.document().isModified());

  ASSERT_TRUE(gateway.openFile(path));
  view = frame.view();
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(view->currentDay(), kToday + i);
    EXPECT_EQ(view->itemList()->lines(), days[static_cast<size_t>(i)].items) << i;
    EXPECT_EQ(summaryLines(), days[static_cast<size_t>(i)].summary) << i;
    key(Qt::Key_PageDown);
  }
}

}  // namespace
}  // namespace sorami
