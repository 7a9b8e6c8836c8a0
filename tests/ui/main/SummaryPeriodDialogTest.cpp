// The summary period dialog on its own: what it opens with, the fields it refuses on OK, the
// steps of its spin buttons and the dates it hands back.

#include "main/SummaryPeriodDialog.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include "input/RangeSpin.h"
#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

using test::ScriptedPrompts;

const std::vector<int> kOpened{2024, 4, 1, 2024, 4, 30};

class SummaryPeriodDialogTest : public ::testing::Test {
 protected:
  SummaryPeriodDialogTest()
      : dialog({dayFromYmd(2024, 4, 1), dayFromYmd(2024, 4, 30), true}, prompts) {
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  // Replaces a field's text by typing, as the user does.
  void type(int field, const QString& text) {
    CRangeSpin* f = dialog.field(field);
    f->setFocus();
    f->selectAll();
    QTest::keyClicks(f, text);
  }
  void clickOk() {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
  }
  std::vector<int> values() const {
    std::vector<int> v;
    for (int i = 0; i < 6; ++i) v.push_back(dialog.field(i)->value());
    return v;
  }

  ScriptedPrompts prompts;
  SummaryPeriodDialog dialog;
};

TEST_F(SummaryPeriodDialogTest, OpensOnTheProposedPeriod) {
  EXPECT_EQ(dialog.objectName(), QStringLiteral("206"));
  EXPECT_EQ(values(), kOpened);
  const SummaryPeriod r = dialog.result();
  EXPECT_TRUE(r.fixed);
  EXPECT_EQ(r.start, dayFromYmd(2024, 4, 1));

  // A stored period end that is no day at all: its parts show as -1 and OK refuses them.
  ScriptedPrompts other;
  SummaryPeriodDialog broken({dayFromYmd(2024, 4, 1), MaxDay + 1, false}, other);
  EXPECT_EQ(broken.field(3)->value(), -1);
  EXPECT_EQ(broken.field(3)->text(), QStringLiteral("-1年"));
  EXPECT_EQ(broken.field(5)->value(), -1);
  broken.accept();
  EXPECT_EQ(broken.QDialog::result(), QDialog::Rejected);
  ASSERT_EQ(other.shown.size(), 1u);
  EXPECT_EQ(other.shown[0].text, u"1971 から 9999 までの整数を入力してください。");
}

TEST_F(SummaryPeriodDialogTest, RefusesAFieldOutOfRangeAndKeepsTheDialogOpen) {
  const struct {
    int field;
    const char* typed;
    const char16_t* message;
  } cases[] = {
      {0, "1970", u"1971 から 9999 までの整数を入力してください。"},
      {3, "10000", u"1971 から 9999 までの整数を入力してください。"},
      {1, "13", u"1 から 12 までの整数を入力してください。"},
      {4, "0", u"1 から 12 までの整数を入力してください。"},
      {2, "32", u"1 から 31 までの整数を入力してください。"},
      {5, "0", u"1 から 31 までの整数を入力してください。"},
  };
  for (const auto& c : cases) {
    prompts.shown.clear();
    type(c.field, QString::fromLatin1(c.typed));
    clickOk();
    EXPECT_TRUE(dialog.isVisible()) << c.typed;
    ASSERT_EQ(prompts.shown.size(), 1u) << c.typed;
    EXPECT_EQ(prompts.shown[0].id, MessageId::IntegerOutOfRange);
    EXPECT_EQ(prompts.shown[0].text, c.message);
    // The field keeps what was typed, selected for typing over it.
    EXPECT_EQ(dialog.field(c.field)->value(), QString::fromLatin1(c.typed).toInt());
    EXPECT_TRUE(dialog.field(c.field)->hasFocus()) << c.typed;
    dialog.field(c.field)->setValue(kOpened[static_cast<size_t>(c.field)]);
  }
  prompts.shown.clear();
  clickOk();
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(dialog.QDialog::result(), QDialog::Accepted);
}

TEST_F(SummaryPeriodDialogTest, SpinButtonsStepYearsFrom1990) {
  CRangeSpin* year = dialog.field(0);
  year->setValue(1990);
  year->setFocus();
  QTest::keyClick(year, Qt::Key_Down);
  EXPECT_EQ(year->value(), 1990);
  year->setValue(1975);  // typed, and accepted on OK, but below the buttons' range
  QTest::keyClick(year, Qt::Key_Down);
  EXPECT_EQ(year->value(), 1975);
  year->setValue(-1);
  QTest::keyClick(year, Qt::Key_Up);
  EXPECT_EQ(year->value(), 1990);
  year->setValue(9999);
  QTest::keyClick(year, Qt::Key_Up);
  EXPECT_EQ(year->value(), 9999);

  CRangeSpin* month = dialog.field(1);
  month->setValue(12);
  month->setFocus();
  QTest::keyClick(month, Qt::Key_Up);
  EXPECT_EQ(month->value(), 12);
  QTest::keyClick(month, Qt::Key_Down);
  EXPECT_EQ(month->value(), 11);
}

TEST_F(SummaryPeriodDialogTest, HandsBackDatesWithinTheirMonthsUncompared) {
  type(0, QStringLiteral("2024"));
  type(1, QStringLiteral("5"));
  type(2, QStringLiteral("31"));
  type(3, QStringLiteral("2023"));
  type(4, QStringLiteral("2"));
  type(5, QStringLiteral("31"));
  clickOk();
  EXPECT_EQ(dialog.QDialog::result(), QDialog::Accepted);
  EXPECT_TRUE(prompts.shown.empty());
  const SummaryPeriod r = dialog.result();
  EXPECT_EQ(r.start, dayFromYmd(2024, 5, 31));
  EXPECT_EQ(r.end, dayFromYmd(2023, 2, 28));  // after the start is no refusal
}

}  // namespace
}  // namespace sorami
