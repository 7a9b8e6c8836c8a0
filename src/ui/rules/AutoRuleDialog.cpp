#include "rules/AutoRuleDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ledger/HinmeiList.h"
#include "ledger/RuleSettings.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "rules/AmountField.h"
#include "rules/ScheduleDialog.h"

namespace sorami {

namespace {

constexpr int kItemNameChars = 10;
constexpr char16_t kCash[] = u"現金";

QString qs(std::u16string_view text) {
  return toQString(text);
}

QComboBox* editableCombo(int maxLength) {
  auto* box = new QComboBox;
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->lineEdit()->setMaxLength(maxLength);
  return box;
}

QSpinBox* spin(int low, int high, int value) {
  auto* box = new QSpinBox;
  box->setRange(low, high);
  box->setValue(std::clamp(value, low, high));
  return box;
}

std::u16string itemName(const CHinmeiList& store, int32_t item) {
  const CHinmei* def = item >= 0 ? store.itemByNumber(item) : nullptr;
  return def != nullptr ? def->name.str() : std::u16string();
}

}  // namespace

CAutoRuleDialog::CAutoRuleDialog(CHinmeiList& store, const CAutoRule& rule,
                                 const RuleDialogSettings& settings, Prompts& prompts,
                                 QWidget* parent)
    : QDialog(parent), store_(store), rule_(rule), settings_(settings), prompts_(prompts) {
  setWindowTitle(QStringLiteral("自動記入の設定"));
  chooseSchedule = [this](CAutoRule& schedule) {
    CScheduleDialog dialog(schedule, settings_.firstYear, settings_.lastYear, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.applyTo(schedule);
    return true;
  };

  // The source: an item of the income side (transfers out of accounts and loans included), or
  // cash.
  sourceItem_ = editableCombo(kItemNameChars);
  destinationItem_ = editableCombo(kItemNameChars);
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei* def = store.itemAt(slot);
    if ((def->flags & EF_INCOME) != 0) sourceItem_->addItem(qs(def->name));
    destinationItem_->addItem(qs(def->name));
  }
  sourceItem_->addItem(QString::fromUtf16(kCash));
  sourceName_ = editableCombo(static_cast<int>(kMaxRuleSourceName));
  destinationName_ = editableCombo(255);
  const CHinmei* source = rule.sourceItem >= 0 ? store.itemByNumber(rule.sourceItem) : nullptr;
  const bool sourceIsItem = source != nullptr && (source->flags & EF_INCOME) != 0;
  sourceItem_->setCurrentText(sourceIsItem ? qs(source->name) : QString::fromUtf16(kCash));
  fillNames(sourceName_, sourceItem_->currentText(), true);
  sourceName_->setCurrentText(qs(rule.sourceName));
  destinationItem_->setCurrentText(qs(itemName(store, rule.destinationItem)));
  fillNames(destinationName_, destinationItem_->currentText(), false);
  destinationName_->setCurrentText(qs(rule.destinationName));
  sourceItemChanged();
  connect(sourceItem_, &QComboBox::currentTextChanged, this, [this] {
    fillNames(sourceName_, sourceItem_->currentText(), true);
    sourceItemChanged();
  });
  connect(destinationItem_, &QComboBox::currentTextChanged, this,
          [this] { fillNames(destinationName_, destinationItem_->currentText(), false); });

  const int32_t values[] = {rule.baseAmount, rule.firstAmount, rule.lastAmount, rule.specialAmount};
  for (size_t i = 0; i < amounts_.size(); ++i) {
    amounts_[i] = new CAmountField(settings.decimalPlaces, kRuleAmountLimit);
    amounts_[i]->setValue(values[i]);
  }
  scheduleButton_ = new QPushButton(QStringLiteral("記入日"));
  scheduleButton_->setAutoDefault(false);
  scheduleLabel_ = new QLabel(qs(rule.describe()));
  connect(scheduleButton_, &QPushButton::clicked, this, &CAutoRuleDialog::editSchedule);
  startYear_ = spin(1971, 9999, rule.startYear);
  startMonth_ = spin(1, 12, rule.startMonth);
  planned_ = spin(0, kMaxPlannedCount, rule.plannedCount);
  const int specialValues[] = {rule.specialMonth1, rule.specialDay1, rule.specialMonth2,
                               rule.specialDay2};
  for (size_t i = 0; i < specials_.size(); ++i) {
    specials_[i] = spin(0, i % 2 == 0 ? 12 : 31, specialValues[i]);
  }
  skipBase_ = new QCheckBox(QStringLiteral("特別額の記入がある月は基本額の記入をしない。"));
  skipBase_->setChecked(rule.skipBase != 0);
  deleteAfterLast_ = new QCheckBox(QStringLiteral("最終記入後に,この設定を削除する"));
  deleteAfterLast_->setChecked(rule.deleteAfterLast != 0);
  sameWeek_ = new QCheckBox(QStringLiteral("土>金,日>月"));
  sameWeek_->setChecked(rule.sameWeek != 0);

  // Layout.
  auto* sourceBox = new QGroupBox(QStringLiteral(" 引落元(&F) "));
  auto* sourceForm = new QFormLayout(sourceBox);
  sourceForm->addRow(QStringLiteral("項目名"), sourceItem_);
  sourceForm->addRow(QStringLiteral("名称"), sourceName_);
  auto* destinationBox = new QGroupBox(QStringLiteral(" 支出先(&T)"));
  auto* destinationForm = new QFormLayout(destinationBox);
  destinationForm->addRow(QStringLiteral("項目名"), destinationItem_);
  destinationForm->addRow(QStringLiteral("品名"), destinationName_);
  auto* where = new QHBoxLayout;
  where->addWidget(sourceBox);
  where->addWidget(destinationBox);

  auto* amounts = new QGridLayout;
  const char16_t* const amountNames[] = {u"基本額", u"初回額", u"最終額", u"特別額"};
  for (int i = 0; i < 4; ++i) {
    amounts->addWidget(new QLabel(QString::fromUtf16(amountNames[i])), i / 2, (i % 2) * 2);
    amounts->addWidget(amounts_[i], i / 2, (i % 2) * 2 + 1);
  }
  auto* schedule = new QHBoxLayout;
  schedule->addWidget(scheduleButton_);
  schedule->addWidget(scheduleLabel_, 1);
  auto* start = new QHBoxLayout;
  start->addWidget(new QLabel(QStringLiteral("開始")));
  start->addWidget(startYear_);
  start->addWidget(new QLabel(QStringLiteral("年")));
  start->addWidget(startMonth_);
  start->addWidget(new QLabel(QStringLiteral("月")));
  start->addSpacing(12);
  start->addWidget(new QLabel(QStringLiteral("予定記入回数")));
  start->addWidget(planned_);
  start->addWidget(new QLabel(QStringLiteral("回(0は無限回)")));
  start->addStretch();
  auto* specials = new QHBoxLayout;
  specials->addWidget(new QLabel(QStringLiteral("特別月,日")));
  for (size_t i = 0; i < specials_.size(); ++i) {
    specials->addWidget(specials_[i]);
    specials->addWidget(new QLabel(i % 2 == 0 ? QStringLiteral("月") : QStringLiteral("日")));
  }
  specials->addStretch();
  auto* holidays = new QGroupBox(QStringLiteral("休祝日の対応(&K)"));
  auto* holidayRow = new QHBoxLayout(holidays);
  auto* holidayGroup = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    holidayRules_[i] = new QRadioButton(qs(std::u16string(kRuleHolidayRuleNames[i])));
    holidayGroup->addButton(holidayRules_[i], i);
    holidayRow->addWidget(holidayRules_[i]);
  }
  holidayRow->addWidget(sameWeek_);
  holidayRules_[std::clamp(rule.holidayRule, 0, 2)]->setChecked(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CAutoRuleDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(where);
  layout->addLayout(amounts);
  layout->addLayout(schedule);
  layout->addLayout(start);
  layout->addWidget(new QLabel(QStringLiteral("予定記入回数には特別の記入も含まれます。")));
  layout->addLayout(specials);
  layout->addWidget(skipBase_);
  layout->addWidget(deleteAfterLast_);
  layout->addWidget(holidays);
  layout->addWidget(buttons);
}

// The names offered for an item: its accounts or loans, or its special names.
void CAutoRuleDialog::fillNames(QComboBox* names, const QString& itemText, bool incomeSide) {
  const QString typed = names->currentText();
  names->clear();
  const int number = store_.itemNumberByName(
      itemText.toStdU16String(), incomeSide ? (EF_INCOME >> 8) : (EF_DIRECTION_MASK >> 8));
  if (const CHinmei* item = number >= 0 ? store_.itemByNumber(number) : nullptr) {
    for (const std::u16string& name : store_.specialNameTexts(item->item)) names->addItem(qs(name));
  }
  names->setCurrentText(typed);
}

void CAutoRuleDialog::sourceItemChanged() {
  const int number =
      store_.itemNumberByName(sourceItem_->currentText().toStdU16String(), EF_INCOME >> 8);
  sourceName_->setEnabled(number >= 0);
}

void CAutoRuleDialog::editSchedule() {
  CAutoRule schedule = rule_;
  if (!chooseSchedule(schedule)) return;
  for (int32_t CAutoRule::*field :
       {&CAutoRule::scheduleCode, &CAutoRule::scheduleDay, &CAutoRule::scheduleMonth,
        &CAutoRule::scheduleWeek, &CAutoRule::scheduleWeekday, &CAutoRule::scheduleYear}) {
    rule_.*field = schedule.*field;
  }
  scheduleLabel_->setText(qs(rule_.describe()));
}

std::optional<CAutoRule> CAutoRuleDialog::ruleFromFields() {
  CAutoRule r = rule_;
  r.destinationItem = store_.itemNumberByName(destinationItem_->currentText().toStdU16String(),
                                              EF_DIRECTION_MASK >> 8);
  if (r.destinationItem < 0) {
    prompts_.inform(MessageId::ItemDoesNotExist, {}, Icon::Warning);
    destinationItem_->setFocus();
    return std::nullopt;
  }
  r.destinationName = destinationName_->currentText().toStdU16String();
  r.sourceItem =
      store_.itemNumberByName(sourceItem_->currentText().toStdU16String(), EF_INCOME >> 8);
  r.sourceName =
      r.sourceItem < 0 ? std::u16string(kCash) : sourceName_->currentText().toStdU16String();
  int32_t CAutoRule::*const amountFields[] = {&CAutoRule::baseAmount, &CAutoRule::firstAmount,
                                              &CAutoRule::lastAmount, &CAutoRule::specialAmount};
  for (size_t i = 0; i < amounts_.size(); ++i) {
    const std::optional<int32_t> value = amounts_[i]->value();
    if (!value) {
      prompts_.inform(MessageId::AmountNotANumber, {}, Icon::Warning);
      amounts_[i]->setFocus();
      return std::nullopt;
    }
    r.*amountFields[i] = *value;
  }
  r.startYear = startYear_->value();
  r.startMonth = startMonth_->value();
  r.plannedCount = planned_->value();
  r.specialMonth1 = specials_[0]->value();
  r.specialDay1 = specials_[1]->value();
  r.specialMonth2 = specials_[2]->value();
  r.specialDay2 = specials_[3]->value();
  r.skipBase = skipBase_->isChecked() ? 1 : 0;
  r.deleteAfterLast = deleteAfterLast_->isChecked() ? 1 : 0;
  r.sameWeek = sameWeek_->isChecked() ? 1 : 0;
  for (int i = 0; i < 3; ++i) {
    if (holidayRules_[i]->isChecked()) r.holidayRule = i;
  }
  return r;
}

// New accounts and loans are registered through their dialog; the rule takes the names they
// were registered under. Cancelling one cancels OK.
bool CAutoRuleDialog::registerAccounts(CAutoRule& r) {
  for (const auto& [kind, name] : unregisteredAccounts(store_, r)) {
    const std::optional<CHinmeiList::Position> def =
        store_.registerAccount(name, kind, -1, kAskInitialBalance);
    if (!def) return false;
    for (std::pair<int32_t, std::u16string*> side :
         {std::pair{r.destinationItem, &r.destinationName}, {r.sourceItem, &r.sourceName}}) {
      const CHinmei* item = side.first >= 0 ? store_.itemByNumber(side.first) : nullptr;
      if (item != nullptr && (item->flags & kind) != 0 && *side.second == name) {
        *side.second = (*def)->name;
      }
    }
  }
  return true;
}

void CAutoRuleDialog::accept() {
  std::optional<CAutoRule> r = ruleFromFields();
  if (!r) return;
  if (const std::optional<RuleProblem> problem = checkRule(store_, *r)) {
    prompts_.inform(problem->id, problem->args, Icon::Warning);
    return;
  }
  if (!registerAccounts(*r)) return;
  rule_ = *r;
  QDialog::accept();
}

}  // namespace sorami
