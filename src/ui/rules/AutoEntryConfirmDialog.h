#pragma once
// The dialog "自動記入の確認": one due line of an automatic entry, its date and amount open to
// change, with the buttons 実行, 全て実行, 取消, 中止 and 全て中止, and one that writes every
// remaining line of the run at once.

#include <QDialog>

#include "platform/Prompts.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace sorami {

class CAmountField;

class CAutoEntryConfirmDialog : public QDialog {
  Q_OBJECT

 public:
  CAutoEntryConfirmDialog(AutoEntryProposal& proposal, Prompts& prompts, QWidget* parent = nullptr);

  // What the user chose; 中止 when the dialog was closed otherwise.
  AutoEntryChoice choice() const { return choice_; }
  QPushButton* button(AutoEntryChoice choice) const;
  QSpinBox* yearBox() const { return year_; }
  QSpinBox* monthBox() const { return month_; }
  QSpinBox* dayBox() const { return day_; }
  CAmountField* amountField() const { return amount_; }

 private:
  void choose(AutoEntryChoice choice);
  void fitDayToMonth();

  AutoEntryProposal& proposal_;
  Prompts& prompts_;
  AutoEntryChoice choice_ = AutoEntryChoice::Skip;
  QSpinBox* year_;
  QSpinBox* month_;
  QSpinBox* day_;
  CAmountField* amount_;
  std::vector<std::pair<AutoEntryChoice, QPushButton*>> buttons_;
};

}  // namespace sorami
