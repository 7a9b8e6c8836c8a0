// The windows of automatic entries: the confirmation of a due line, the dialogs of a rule and of
// its schedule, and the settings page with its list.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "config/Config.h"
#include "config/DefaultData.h"
#include "platform/AppSettings.h"
#include "rules/AmountField.h"
#include "rules/AutoEntryConfirmDialog.h"
#include "rules/AutoEntryPage.h"
#include "rules/AutoRuleDialog.h"
#include "rules/AutoSpread.h"
#include "rules/ScheduleDialog.h"
#include "support/ScriptedPrompts.h"
#include "ui/TempSettings.h"

namespace sorami::test {
namespace {

constexpr uint16_t kFood = 4;  // items of a new file
constexpr uint16_t kRent = 7;
constexpr uint16_t kSalary = 14;
constexpr uint16_t kOutOfAccount = 17;

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

void shoot(QWidget& w, const char* name, QSize size = {}) {
  if (size.isValid()) {
    w.resize(size);
  } else {
    w.adjustSize();
  }
  QCoreApplication::processEvents();
  EXPECT_TRUE(w.grab().save(QDir(QCoreApplication::applicationDirPath()).filePath(name)));
}

void setText(QLineEdit* field, const QString& text) {
  field->selectAll();
  QTest::keyClicks(field, text);
}

class RuleWindows : public ::testing::Test {
 protected:
  RuleWindows() {
    store.context().today = ymd(2024, 4, 10);
    store.context().prompts = &prompts;
  }

  int add(uint16_t item, std::u16string name, int code, int32_t base, int executed = 0) {
    CAutoRule r = CAutoRule::makeDefault(store.context().today);
    r.sourceName = u"現金";
    r.destinationItem = item;
    r.destinationName = std::move(name);
    r.scheduleCode = code;
    r.baseAmount = base;
    r.startAsNew();
    r.executedCount = executed;
    return *store.addRule(r);
  }

  CConfig config;
  NewLedger ledger = buildNewLedger(config, {14, 5, 5000, false});
  CHinmeiList& store = *ledger.entries;
  ScriptedPrompts prompts;
  TempSettings temp;
  AppSettings settings{temp.store()};
};

TEST_F(RuleWindows, TheConfirmationWritesTheEditedLineOrWhatTheButtonSays) {
  AutoEntryProposal p{ymd(2024, 4, 25), u"［現金］\n↓\n［食費：米］", 4000, 0, 3};
  CAutoEntryConfirmDialog dialog(p, prompts);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("自動記入の確認"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("text"))->text(),
            QStringLiteral("［現金］\n↓\n［食費：米］"));
  EXPECT_EQ(dialog.button(AutoEntryChoice::WriteRemaining)->text(),
            QStringLiteral("残り4行を全て実行"));
  EXPECT_TRUE(dialog.button(AutoEntryChoice::Write)->isDefault());
  EXPECT_EQ(dialog.amountField()->text(), QStringLiteral("4,000"));
  shoot(dialog, "auto-entry-confirm.png");

  // April has no 31st.
  dialog.dayBox()->setValue(31);
  EXPECT_EQ(dialog.dayBox()->value(), 30);
  setText(dialog.amountField(), QStringLiteral("abc"));
  QTest::mouseClick(dialog.button(AutoEntryChoice::Write), Qt::LeftButton);
  EXPECT_TRUE(prompts.wasShown(MessageId::AmountNotANumber));
  EXPECT_TRUE(dialog.isVisible());
  setText(dialog.amountField(), QStringLiteral("4,500"));
  QTest::mouseClick(dialog.button(AutoEntryChoice::Write), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.choice(), AutoEntryChoice::Write);
  EXPECT_EQ(p.date, ymd(2024, 4, 30));
  EXPECT_EQ(p.amount, 4500);
}

TEST_F(RuleWindows, EachOtherButtonOfTheConfirmationGivesItsChoice) {
  for (AutoEntryChoice c :
       {AutoEntryChoice::WriteAll, AutoEntryChoice::WriteRemaining, AutoEntryChoice::Cancel,
        AutoEntryChoice::Skip, AutoEntryChoice::StopAll}) {
    AutoEntryProposal p{ymd(2024, 4, 25), u"x", 4000, 0, 1};
    CAutoEntryConfirmDialog dialog(p, prompts);
    dialog.show();
    dialog.dayBox()->setValue(20);
    QTest::mouseClick(dialog.button(c), Qt::LeftButton);
    EXPECT_EQ(dialog.choice(), c);
    // Only the buttons that write take the edited date.
    const bool writes = c == AutoEntryChoice::WriteAll || c == AutoEntryChoice::WriteRemaining;
    EXPECT_EQ(p.date, writes ? ymd(2024, 4, 20) : ymd(2024, 4, 25));
  }
  AutoEntryProposal last{ymd(2024, 4, 25), u"x", 4000, 0, 0};
  EXPECT_EQ(CAutoEntryConfirmDialog(last, prompts).button(AutoEntryChoice::WriteRemaining),
            nullptr);
}

TEST_F(RuleWindows, TheScheduleDialogShowsTheRuleAndKeepsItsFieldsTogether) {
  CAutoRule r = CAutoRule::makeDefault(ymd(2024, 4, 10));
  r.scheduleCode = kScheduleYearly;
  r.scheduleMonth = 7;
  r.scheduleDay = 31;
  CScheduleDialog dialog(r, 2000, 2040);
  EXPECT_TRUE(dialog.radio(CScheduleDialog::Yearly)->isChecked());
  EXPECT_EQ(dialog.dayBox(CScheduleDialog::MonthlyDay)->value(), 31);
  EXPECT_EQ(dialog.monthBox(CScheduleDialog::Fixed)->value(), 7);
  dialog.dayBox(CScheduleDialog::MonthlyDay)->setValue(15);
  EXPECT_EQ(dialog.dayBox(CScheduleDialog::Fixed)->value(), 15);
  dialog.monthBox(CScheduleDialog::YearlyWeekday)->setValue(11);
  EXPECT_EQ(dialog.monthBox(CScheduleDialog::Yearly)->value(), 11);
  dialog.weekBox(CScheduleDialog::YearlyWeekday)->setCurrentIndex(4);
  EXPECT_EQ(dialog.weekBox(CScheduleDialog::MonthlyWeekday)->currentIndex(), 4);
  dialog.weekdayBox(CScheduleDialog::MonthlyWeekday)->setCurrentIndex(5);
  dialog.radio(CScheduleDialog::MonthlyWeekday)->click();
  CAutoRule chosen = r;
  dialog.applyTo(chosen);
  EXPECT_EQ(chosen.describe(), u"毎月最終金曜日");
  EXPECT_EQ(chosen.scheduleDay, 31);  // only the chosen kind's fields change
  dialog.radio(CScheduleDialog::Yearly)->click();
  dialog.applyTo(chosen);
  EXPECT_EQ(chosen.describe(), u"毎年11月15日");
  shoot(dialog, "auto-entry-schedule.png");
}

TEST_F(RuleWindows, TheRuleDialogChecksInOrderAndRegistersANewAccount) {
  CAutoRuleDialog dialog(store, CAutoRule::makeDefault(ymd(2024, 4, 10)), {}, prompts);
  dialog.chooseSchedule = [](CAutoRule& s) {
    s.scheduleCode = 27;
    return true;
  };
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("自動記入の設定"));
  EXPECT_EQ(dialog.sourceItemBox()->currentText(), QStringLiteral("現金"));
  EXPECT_FALSE(dialog.sourceNameBox()->isEnabled());
  dialog.destinationItemBox()->setCurrentText(QStringLiteral("ない項目"));
  dialog.accept();
  EXPECT_EQ(prompts.shown.back().text, u"この項目は存在しません。");
  dialog.destinationItemBox()->setCurrentText(QStringLiteral("住居、公金"));
  dialog.accept();
  EXPECT_EQ(prompts.shown.back().text, u"支出先の品名を空白以外にしてください。");
  EXPECT_TRUE(dialog.isVisible());

  dialog.destinationNameBox()->setCurrentText(QStringLiteral("家賃"));
  dialog.sourceItemBox()->setCurrentText(QStringLiteral("貯蓄引出"));
  EXPECT_TRUE(dialog.sourceNameBox()->isEnabled());
  dialog.sourceNameBox()->setCurrentText(QStringLiteral("普通預金"));
  setText(dialog.amountField(0), QStringLiteral("80,000"));
  QTest::mouseClick(dialog.scheduleButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.scheduleLabel()->text(), QStringLiteral("毎月27日"));
  dialog.holidayRuleButton(2)->click();
  shoot(dialog, "auto-entry-rule.png");
  // Cancelling the registration of the new account keeps the dialog open.
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  prompts.newAccounts = {NewAccount{u"普通預金", 100000, 0, 7}};
  dialog.accept();
  EXPECT_FALSE(dialog.isVisible());
  const CAutoRule& r = dialog.rule();
  EXPECT_EQ(r.sourceItem, kOutOfAccount);
  EXPECT_EQ(r.sourceName, u"普通預金");
  EXPECT_EQ(r.destinationItem, kRent);
  EXPECT_EQ(r.baseAmount, 80000);
  EXPECT_EQ(r.scheduleCode, 27);
  EXPECT_EQ(r.holidayRule, 2);
  EXPECT_TRUE(store.definitionByName(u"普通預金", kKindAccount));
}

TEST_F(RuleWindows, ThePageListsTheRulesAndMovesDeletesAndAddsThem) {
  add(kRent, u"家賃", 27, 80000, 3);
  add(kSalary, u"給与", 25, 250000);
  add(kFood, u"米", 5, 4000);
  config.confirmDeletion = 1;
  CAutoEntryPage page(store, config, prompts, &settings, ymd(2024, 4, 10));
  std::vector<CAutoRule> edited;
  std::optional<CAutoRule> answer;
  page.editRule = [&](const CAutoRule& r) {
    edited.push_back(r);
    return answer;
  };
  page.show();
  CAutoSpread& grid = *page.grid();
  EXPECT_EQ(grid.gridSize(), (GridSize{10, 3}));
  EXPECT_EQ(grid.cellText(0, 9, false), QStringLiteral("CCN実行済年月(回数)"));
  EXPECT_EQ(grid.cellText(1, 0, false), QStringLiteral("lCN毎月27日"));
  EXPECT_EQ(grid.cellText(1, 1, false), QStringLiteral("lCN現金"));
  EXPECT_EQ(grid.cellText(1, 2, false), QStringLiteral("lCN住居、公金:家賃"));
  EXPECT_EQ(grid.cellText(1, 3, false), QStringLiteral("rCN80,000"));
  EXPECT_EQ(grid.cellText(1, 3, true), QStringLiteral("rCN80000"));
  EXPECT_EQ(grid.cellText(1, 8, false), QStringLiteral("lCN2024年 4月(  0回)"));
  EXPECT_EQ(grid.cellText(1, 9, false), QStringLiteral("lCN2024年 3月(  3回)"));
  EXPECT_EQ(grid.cellText(2, 9, false), QStringLiteral("lCN　　未実行(  0回)"));
  EXPECT_EQ(grid.cellText(1, 10, false), QStringLiteral("lCN当日"));
  EXPECT_EQ(grid.cellText(4, 1, false), QStringLiteral("CCN "));
  shoot(page, "auto-entry-page.png", {1240, 300});

  QTest::mouseClick(page.upButton(), Qt::LeftButton);
  EXPECT_EQ(prompts.shown.back().text, u"いずれかの行を選択してから行ってください。");
  grid.setCurrentCell(2, 0);
  QTest::mouseClick(page.upButton(), Qt::LeftButton);
  EXPECT_EQ(store.rule(0)->destinationName, u"給与");
  EXPECT_EQ(grid.currentCell().row, 1);
  QTest::mouseClick(page.upButton(), Qt::LeftButton);  // the first row stays
  EXPECT_EQ(store.rule(0)->destinationName, u"給与");
  grid.setCurrentCell(3, 0);
  QTest::mouseClick(page.downButton(), Qt::LeftButton);  // so does the last
  EXPECT_EQ(store.rule(2)->destinationName, u"米");

  prompts.answers = {Answer::No, Answer::Yes};
  QTest::mouseClick(page.deleteButton(), Qt::LeftButton);
  EXPECT_EQ(prompts.shown.back().text, u"以下の設定を削除しますか？\n「現金」\n 　↓\n「食費：米」");
  EXPECT_EQ(store.ruleCount(), 3);
  QTest::mouseClick(page.deleteButton(), Qt::LeftButton);
  EXPECT_EQ(store.ruleCount(), 2);

  // Double click: the rule opens, and its execution state stays whatever the dialog gives.
  grid.setCurrentCell(2, 0);
  answer = *store.rule(1);
  answer->baseAmount = 85000;
  answer->executedCount = 0;
  emit grid.cellActivated(2, 0);
  ASSERT_EQ(edited.size(), 1u);
  EXPECT_EQ(edited[0].destinationName, u"家賃");
  EXPECT_EQ(store.rule(1)->baseAmount, 85000);
  EXPECT_EQ(store.rule(1)->executedCount, 3);

  // A new rule that starts in January last ran in December.
  answer = CAutoRule::makeDefault(ymd(2024, 4, 10));
  answer->destinationItem = kFood;
  answer->destinationName = u"年始";
  answer->startYear = 2025;
  answer->startMonth = 1;
  QTest::mouseClick(page.addButton(), Qt::LeftButton);
  ASSERT_EQ(store.ruleCount(), 3);
  EXPECT_EQ(store.rule(2)->lastYear, 2024);
  EXPECT_EQ(store.rule(2)->lastMonth, 12);
  EXPECT_EQ(grid.currentCell().row, 3);

  page.stopBox()->setChecked(true);
  page.memoBox()->setChecked(true);
  page.accept();
  EXPECT_EQ(config.stopAutoEntries, 1);
  EXPECT_EQ(config.memoOnAutoEntries, 1);
}

TEST_F(RuleWindows, ThePageNeverMakesARuleBeyondTheTable) {
  for (size_t i = 0; i < kMaxRules; ++i) add(kFood, u"米", 5, 100);
  CAutoEntryPage page(store, config, prompts, &settings, ymd(2024, 4, 10));
  bool opened = false;
  page.editRule = [&](const CAutoRule&) -> std::optional<CAutoRule> {
    opened = true;
    return std::nullopt;
  };
  page.addRule();
  EXPECT_FALSE(opened);
  EXPECT_EQ(prompts.shown.back().text,
            u"自動記載の設定数が 200(最大数)に、\n達しましたのでこれ以上登録できません。");
}

}  // namespace
}  // namespace sorami::test
