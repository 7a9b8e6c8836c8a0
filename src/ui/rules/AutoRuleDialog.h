#pragma once
// The dialog "自動記入の設定": one automatic-entry rule — where the money comes from and goes to,
// its amounts, its schedule (through "記入日の指定"), its start and count, its special months
// and its holiday rule. OK runs the checks of a rule in their order, each with its message,
// and registers the accounts and loans the rule names that are new.

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "ledger/HinmeiList.h"
#include "rules/AutoRule.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace sorami {

class CAmountField;
class Prompts;

struct RuleDialogSettings {
  int decimalPlaces = 0;
  int firstYear = 2000;  // the year range the schedule offers (C28, C29)
  int lastYear = 2040;
};

class CAutoRuleDialog : public QDialog {
  Q_OBJECT

 public:
  CAutoRuleDialog(CHinmeiList& store, const CAutoRule& rule, const RuleDialogSettings& settings,
                  Prompts& prompts, QWidget* parent = nullptr);

  // The rule as accepted.
  const CAutoRule& rule() const { return rule_; }
  void accept() override;

  QComboBox* sourceItemBox() const { return sourceItem_; }
  QComboBox* sourceNameBox() const { return sourceName_; }
  QComboBox* destinationItemBox() const { return destinationItem_; }
  QComboBox* destinationNameBox() const { return destinationName_; }
  CAmountField* amountField(int index) const {
    return amounts_[index];
  }  // 基本額 初回額 最終額 特別額
  QPushButton* scheduleButton() const { return scheduleButton_; }
  QLabel* scheduleLabel() const { return scheduleLabel_; }
  QSpinBox* startYearBox() const { return startYear_; }
  QSpinBox* startMonthBox() const { return startMonth_; }
  QSpinBox* plannedBox() const { return planned_; }
  QSpinBox* specialBox(int index) const {
    return specials_[index];
  }  // month 1, day 1, month 2, day 2
  QCheckBox* skipBaseBox() const { return skipBase_; }
  QCheckBox* deleteAfterLastBox() const { return deleteAfterLast_; }
  QCheckBox* sameWeekBox() const { return sameWeek_; }
  QRadioButton* holidayRuleButton(int rule) const { return holidayRules_[rule]; }

  // Opens "記入日の指定"; replaced by tests.
  std::function<bool(CAutoRule& schedule)> chooseSchedule;

 private:
  void fillNames(QComboBox* names, const QString& itemName, bool incomeSide);
  void sourceItemChanged();
  void editSchedule();
  std::optional<CAutoRule> ruleFromFields();
  bool registerAccounts(CAutoRule& rule);

  CHinmeiList& store_;
  CAutoRule rule_;  // the schedule chosen so far, and what the dialog does not show
  RuleDialogSettings settings_;
  Prompts& prompts_;
  QComboBox* sourceItem_;
  QComboBox* sourceName_;
  QComboBox* destinationItem_;
  QComboBox* destinationName_;
  std::array<CAmountField*, 4> amounts_{};
  QPushButton* scheduleButton_;
  QLabel* scheduleLabel_;
  QSpinBox* startYear_;
  QSpinBox* startMonth_;
  QSpinBox* planned_;
  std::array<QSpinBox*, 4> specials_{};
  QCheckBox* skipBase_;
  QCheckBox* deleteAfterLast_;
  QCheckBox* sameWeek_;
  std::array<QRadioButton*, 3> holidayRules_{};
};

}  // namespace sorami
