#pragma once
// The dialog "記入日の指定": the schedule of an automatic-entry rule, chosen among seven kinds —
// every month on a day or on the n-th weekday, odd or even months on a day, every year on a date
// or on the n-th weekday of a month, or once on a fixed date. The day, month, week and weekday
// fields of the kinds follow one another, so switching the kind keeps what was typed.

#include <QDialog>
#include <array>
#include <vector>

#include "rules/AutoRule.h"

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace sorami {

class CScheduleDialog : public QDialog {
  Q_OBJECT

 public:
  // The kinds in the order of their radio buttons.
  enum Kind { MonthlyDay, MonthlyWeekday, OddMonths, EvenMonths, Yearly, YearlyWeekday, Fixed };
  static constexpr int kKinds = 7;

  // `firstYear` and `lastYear` bound the year of the fixed date (the file's year range).
  CScheduleDialog(const CAutoRule& rule, int firstYear, int lastYear, QWidget* parent = nullptr);

  // The rule's schedule fields as chosen; only the fields of the chosen kind change.
  void applyTo(CAutoRule& rule) const;
  Kind kind() const;

  QRadioButton* radio(Kind kind) const { return radios_[kind]; }
  // The day field of a kind that has one (MonthlyDay, OddMonths, EvenMonths, Yearly, Fixed).
  QSpinBox* dayBox(Kind kind) const;
  QSpinBox* monthBox(Kind kind) const;
  QComboBox* weekBox(Kind kind) const { return kind == YearlyWeekday ? weeks_[1] : weeks_[0]; }
  QComboBox* weekdayBox(Kind kind) const {
    return kind == YearlyWeekday ? weekdays_[1] : weekdays_[0];
  }
  QSpinBox* yearBox() const { return year_; }

 private:
  void keepDaysTogether(QSpinBox* changed);
  void keepMonthsTogether(QSpinBox* changed);

  std::array<QRadioButton*, kKinds> radios_{};
  std::vector<std::pair<Kind, QSpinBox*>> days_;
  std::vector<std::pair<Kind, QSpinBox*>> months_;
  std::array<QComboBox*, 2> weeks_{};
  std::array<QComboBox*, 2> weekdays_{};
  QSpinBox* year_ = nullptr;
  bool syncing_ = false;
};

}  // namespace sorami
