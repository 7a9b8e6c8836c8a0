// The calculator panel driven with keys and the pointer: the keypad, the memory, the tax
// controls and the write buttons with their account and loan boxes.

#include "input/CalculatorPanel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "config/Config.h"
#include "input/ParsedEdit.h"
#include "platform/AppSettings.h"
#include "support/ScriptedPrompts.h"
#include "ui/TempSettings.h"

namespace sorami {
namespace {

class CalculatorPanelTest : public ::testing::Test {
 protected:
  CalculatorPanelTest() : settings(temp.store()) {
    config.taxRate = 8;
    config.calculatorTaxMode = TAX_OUTSIDE;
    config.calculatorCashDefault = 0;
    config.operatorPrecedence = 1;
    open();
  }
  void open() {
    panel = std::make_unique<CCalculatorPanel>(&settings);
    panel->setPrompts(&prompts);
    panel->setUp(config);
    panel->setNames({QStringLiteral("普通")}, {QStringLiteral("カード")});
    QObject::connect(panel.get(), &CCalculatorPanel::writeRequested,
                     [this](const CalculatorWrite& w) { writes.push_back(w); });
    QObject::connect(panel.get(), &CCalculatorPanel::writeTaxRequested,
                     [this](int32_t tax) { taxesNow.push_back(tax); });
    panel->openPanel(true);
    EXPECT_TRUE(QTest::qWaitForWindowActive(panel.get()));
  }
  // Types into whatever has the focus, as the keyboard does.
  void type(const QString& keys, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    for (const QChar c : keys) {
      QTest::keyClick(QApplication::focusWidget(), static_cast<char>(c.unicode()), mods);
    }
  }
  void press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), k, mods);
  }
  void click(const QString& label) {
    QPushButton* b = panel->key(label);
    ASSERT_NE(b, nullptr) << label.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
  }
  QString shown() const { return panel->amountField()->text(); }
  QString tax() const { return panel->taxField()->text(); }

  test::TempSettings temp;
  AppSettings settings;
  test::ScriptedPrompts prompts;
  CConfig config;
  std::unique_ptr<CCalculatorPanel> panel;
  std::vector<CalculatorWrite> writes;
  std::vector<int32_t> taxesNow;
};

TEST_F(CalculatorPanelTest, KeysAndKeypadCalculate) {
  const struct {
    bool precedence;
    QStringList clicks;  // keypad labels, or keys typed when prefixed by "k:"
    QString shown;
  } cases[] = {
      {true, {"２", "＋", "３", "×", "４", "＝"}, "14"},
      {false, {"２", "＋", "３", "×", "４", "＝"}, "20"},
      {true, {"k:2;3:4="}, "14"},  // ; and : are the keys of + and *
      {false, {"１", "00", "＋", "１", "０", "%"}, "110"},
      {false, {"３", "000", "±"}, "-3,000"},
      {false, {"k:123", "C(&C)", "k:7+1="}, "8"},
      {false, {"k:5+", "AC(&A)", "k:7+1="}, "8"},
  };
  for (const auto& c : cases) {
    config.operatorPrecedence = c.precedence ? 1 : 0;
    panel->setUp(config);
    click(QStringLiteral("AC(&A)"));
    for (const QString& k : c.clicks) {
      if (k.startsWith(QStringLiteral("k:"))) {
        type(k.mid(2));
      } else {
        click(k);
      }
    }
    EXPECT_EQ(shown(), c.shown) << c.clicks.join(' ').toStdString();
  }
  click(QStringLiteral("AC(&A)"));
  type(QStringLiteral("50/0="));
  EXPECT_TRUE(prompts.wasShown(MessageId::DivisionByZero));
  type(QStringLiteral("A100000*30000="));
  EXPECT_TRUE(prompts.wasShown(MessageId::AmountOutOfRange));
  EXPECT_EQ(shown(), QStringLiteral("30000"));
  // Backspace takes the last character of the field that receives keys, wherever the focus is.
  panel->writeButton(WriteButton::Cash)->setFocus();
  press(Qt::Key_Backspace);
  EXPECT_EQ(shown(), QStringLiteral("3000"));
  type(QStringLiteral("5"));
  EXPECT_EQ(shown(), QStringLiteral("30005"));
}

TEST_F(CalculatorPanelTest, TaxModesRoundingAndTheTaxKey) {
  type(QStringLiteral("1000"));
  EXPECT_EQ(tax(), QStringLiteral("80"));
  EXPECT_TRUE(panel->taxField()->isEnabled());
  EXPECT_FALSE(panel->grossField()->isVisible());
  EXPECT_EQ(panel->key(QStringLiteral("税モード"))->text(), QStringLiteral("外税(&Z)"));

  click(QStringLiteral("税モード"));  // 内税: what was typed is the gross amount
  EXPECT_EQ(config.calculatorTaxState, TAX_INSIDE);
  EXPECT_TRUE(panel->grossField()->isVisible());
  EXPECT_EQ(panel->grossField()->value(), 1000);
  EXPECT_EQ(shown(), QStringLiteral("926"));
  EXPECT_EQ(tax(), QStringLiteral("74"));
  type(QStringLiteral("0"));  // the keys go to the gross amount: 10,000
  EXPECT_EQ(shown(), QStringLiteral("9,260"));
  EXPECT_EQ(tax(), QStringLiteral("740"));
  click(QStringLiteral("端数"));
  EXPECT_EQ(panel->key(QStringLiteral("端数"))->text(), QStringLiteral("切り上げ"));
  EXPECT_EQ(tax(), QStringLiteral("741"));
  panel->findChild<QCheckBox*>()->click();  // 10円未満切捨
  EXPECT_EQ(tax(), QStringLiteral("740"));
  panel->findChild<QCheckBox*>()->click();

  click(QStringLiteral("税モード"));  // 税抜: back to the gross amount, no tax to hand over
  EXPECT_EQ(shown(), QStringLiteral("10,000"));
  EXPECT_FALSE(panel->taxField()->isEnabled());
  click(QStringLiteral("税モード"));
  click(QStringLiteral("端数"));
  click(QStringLiteral("端数"));
  EXPECT_EQ(panel->key(QStringLiteral("端数"))->text(), QStringLiteral("切り捨て"));

  // ←税 (also Q and Ctrl+Z): the tax goes into the amount, and the amount is without tax.
  click(QStringLiteral("←税"));
  EXPECT_EQ(shown(), QStringLiteral("10,800"));
  EXPECT_EQ(panel->state().mode(), TAX_EXCLUDED);
  click(QStringLiteral("税モード"));
  press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(shown(), QStringLiteral("11,664"));
}

TEST_F(CalculatorPanelTest, WriteButtonsHandOverAmountTaxAndName) {
  type(QStringLiteral("1000+500"));
  press(Qt::Key_Return);  // the sum is finished first
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].transfer, TransferKind::None);
  EXPECT_EQ(writes[0].amount, QStringLiteral("1,500"));
  EXPECT_EQ(writes[0].tax, 120);
  EXPECT_EQ(writes[0].taxFlags, TF_MODE_OUTSIDE | TF_ROUND_DOWN);

  // Without a name 口座から offers the first account and writes nothing yet.
  press(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(writes.size(), 1u);
  EXPECT_EQ(panel->accountName(), QStringLiteral("普通"));
  panel->accountBox()->hidePopup();
  EXPECT_EQ(panel->defaultButton(), WriteButton::Account);
  panel->amountField()->setFocus();
  press(Qt::Key_Return);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[1].transfer, TransferKind::Savings);
  EXPECT_EQ(writes[1].account, QStringLiteral("普通"));

  // A name not listed is written only when the user agrees to register it.
  panel->setAccountName(QStringLiteral(" 定期 "));
  prompts.answers = {Answer::No, Answer::Yes};
  press(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(writes.size(), 2u);
  press(Qt::Key_Return, Qt::ShiftModifier);
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[2].account, QStringLiteral("定期"));

  // No loan at all: the message, and nothing written.
  panel->setNames({}, {});
  press(Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(prompts.wasShown(MessageId::NoLoanRegistered));
  EXPECT_EQ(writes.size(), 3u);

  // Shift+Down walks 現金から → 借入から → 口座から; Enter presses the one with the focus.
  panel->amountField()->setFocus();
  press(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_TRUE(panel->writeButton(WriteButton::Cash)->hasFocus());
  press(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_TRUE(panel->writeButton(WriteButton::Loan)->hasFocus());
  press(Qt::Key_Up, Qt::ShiftModifier);
  press(Qt::Key_Return);
  ASSERT_EQ(writes.size(), 4u);
  EXPECT_EQ(writes[3].transfer, TransferKind::None);

  // The file can make 現金から the default whatever is named; an income item's labels.
  config.calculatorCashDefault = 1;
  EXPECT_EQ(panel->defaultButton(), WriteButton::Cash);
  panel->setIncome(true);
  EXPECT_EQ(panel->writeButton(WriteButton::Loan)->text(), QStringLiteral("借入返済"));
}

// Shift+Z writes the tax line at once; the next write hands over no tax, so the tax line is not
// written twice, until the amount changes.
TEST_F(CalculatorPanelTest, TaxWrittenAtOnceIsNotHandedOverAgain) {
  type(QStringLiteral("2000"));
  press(Qt::Key_Z, Qt::ShiftModifier);
  ASSERT_EQ(taxesNow, std::vector<int32_t>{160});
  panel->taxWritten();
  EXPECT_EQ(tax(), QString());
  press(Qt::Key_Return);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].tax, 0);
  EXPECT_EQ(writes[0].amount, QStringLiteral("2000"));
  press(Qt::Key_Z, Qt::ShiftModifier);  // nothing left to write
  EXPECT_EQ(taxesNow.size(), 1u);
  type(QStringLiteral("0"));
  EXPECT_EQ(tax(), QStringLiteral("1,600"));
}

TEST_F(CalculatorPanelTest, MemoryKeysAndAutomaticMemory) {
  type(QStringLiteral("500"));
  click(QStringLiteral("M&S"));
  type(QStringLiteral("A200"));
  click(QStringLiteral("M+"));
  press(Qt::Key_A, Qt::ControlModifier);  // M+ again
  type(QStringLiteral("A"));
  click(QStringLiteral("M&R"));
  EXPECT_EQ(shown(), QStringLiteral("900"));
  type(QStringLiteral("+1="));
  EXPECT_EQ(shown(), QStringLiteral("901"));
  type(QStringLiteral("2147483647"));
  click(QStringLiteral("M+"));
  EXPECT_TRUE(prompts.wasShown(MessageId::AmountOutOfRange));
  EXPECT_EQ(panel->state().memory(), 900);

  panel->lineAdded(100);  // "A Off": lines written do not count
  click(QStringLiteral("A Off"));
  EXPECT_EQ(panel->key(QStringLiteral("A Off"))->text(), QStringLiteral("A On"));
  EXPECT_EQ(config.calculatorToggle, 1);
  panel->lineAdded(100);
  EXPECT_EQ(panel->state().memory(), 1000);

  // The memory is kept as the whole number it is, also with decimal places.
  config.decimalPlaces = 2;
  panel->hide();
  EXPECT_EQ(settings.calculatorMemory(), QStringLiteral("1000"));
  open();
  EXPECT_EQ(panel->state().memory(), 1000);
  EXPECT_EQ(panel->key(QStringLiteral("000"))->text(), QStringLiteral("."));
  click(QStringLiteral("&MC"));
  EXPECT_EQ(panel->state().memory(), 0);
}

TEST_F(CalculatorPanelTest, OpensWhereItWasLeftButOnTheScreen) {
  panel->move(40, 50);
  panel->hide();
  EXPECT_EQ(settings.calculatorPos(), QPoint(40, 50));
  settings.setCalculatorPos(QPoint(100000, -500));
  open();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(panel->frameGeometry().topLeft()));
  EXPECT_LE(panel->frameGeometry().right(), screen.right());
}

// A line taken over: its rounding and, while the panel keeps the previous mode, its mode; a
// 内税 line is stored net, so the panel shows it with its tax.
TEST_F(CalculatorPanelTest, ShowsALineWithItsTax) {
  config.calculatorTaxMode = 3;
  panel->showAmount(926, taxFlags(TAX_INSIDE, TAX_ROUND_HALF_UP, false));
  EXPECT_EQ(panel->state().mode(), TAX_INSIDE);
  EXPECT_EQ(panel->grossField()->value(), 1000);
  EXPECT_EQ(shown(), QStringLiteral("926"));
  EXPECT_EQ(panel->key(QStringLiteral("端数"))->text(), QStringLiteral("四捨五入"));
}

}  // namespace
}  // namespace sorami
