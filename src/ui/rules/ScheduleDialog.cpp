#include "rules/ScheduleDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace sorami {

namespace {

QSpinBox* spin(int low, int high, int value) {
  auto* box = new QSpinBox;
  box->setRange(low, high);
  box->setValue(std::clamp(value, low, high));
  return box;
}

QComboBox* weekCombo(int week) {
  auto* box = new QComboBox;
  for (const char16_t* text : {u"第1", u"第2", u"第3", u"第4", u"最終"}) {
    box->addItem(QString::fromUtf16(text));
  }
  box->setCurrentIndex(std::clamp(week, 1, kLastWeek) - 1);
  return box;
}

QComboBox* weekdayCombo(int weekday) {
  auto* box = new QComboBox;
  for (int w = 0; w < 7; ++w) box->addItem(QString::fromStdU16String(ruleWeekdayText(w)));
  box->setCurrentIndex(std::clamp(weekday, 0, 6));
  return box;
}

CScheduleDialog::Kind kindOf(int code) {
  switch (scheduleKind(code)) {
    case ScheduleKind::MonthlyWeekday:
      return CScheduleDialog::MonthlyWeekday;
    case ScheduleKind::OddMonths:
      return CScheduleDialog::OddMonths;
    case ScheduleKind::EvenMonths:
      return CScheduleDialog::EvenMonths;
    case ScheduleKind::Yearly:
      return CScheduleDialog::Yearly;
    case ScheduleKind::YearlyWeekday:
      return CScheduleDialog::YearlyWeekday;
    case ScheduleKind::FixedDate:
      return CScheduleDialog::Fixed;
    default:
      return CScheduleDialog::MonthlyDay;
  }
}

}  // namespace

CScheduleDialog::CScheduleDialog(const CAutoRule& rule, int firstYear, int lastYear,
                                 QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("記入日の指定"));
  // A code of no known kind starts as day 1 of every month.
  const int code = scheduleKind(rule.scheduleCode) == ScheduleKind::Unknown ? 1 : rule.scheduleCode;
  const int day = scheduleKind(code) == ScheduleKind::MonthlyDay ? code : rule.scheduleDay;
  auto* grid = new QGridLayout;
  auto* group = new QButtonGroup(this);
  const char16_t* const names[kKinds] = {u"毎月", u"毎月", u"隔月(奇数月)", u"隔月(偶数月)",
                                         u"毎年", u"毎年", u"固定"};
  for (int k = 0; k < kKinds; ++k) {
    radios_[k] = new QRadioButton(QString::fromUtf16(names[k]));
    group->addButton(radios_[k], k);
    grid->addWidget(radios_[k], k, 0);
  }
  const auto addDay = [&](Kind k, int column) {
    QSpinBox* box = spin(1, 31, day);
    days_.emplace_back(k, box);
    grid->addWidget(box, k, column);
    grid->addWidget(new QLabel(QStringLiteral("日")), k, column + 1);
  };
  const auto addMonth = [&](Kind k, int column) {
    QSpinBox* box = spin(1, 12, rule.scheduleMonth);
    months_.emplace_back(k, box);
    grid->addWidget(box, k, column);
    grid->addWidget(new QLabel(QStringLiteral("月")), k, column + 1);
  };
  addDay(MonthlyDay, 5);
  addDay(OddMonths, 5);
  addDay(EvenMonths, 5);
  addMonth(Yearly, 3);
  addDay(Yearly, 5);
  addMonth(YearlyWeekday, 3);
  addMonth(Fixed, 3);
  addDay(Fixed, 5);
  year_ = spin(firstYear, std::max(firstYear, lastYear), rule.scheduleYear);
  grid->addWidget(year_, Fixed, 1);
  grid->addWidget(new QLabel(QStringLiteral("年")), Fixed, 2);
  for (int i = 0; i < 2; ++i) {
    const Kind k = i == 0 ? MonthlyWeekday : YearlyWeekday;
    weeks_[i] = weekCombo(rule.scheduleWeek);
    weekdays_[i] = weekdayCombo(rule.scheduleWeekday);
    grid->addWidget(weeks_[i], k, 5);
    grid->addWidget(weekdays_[i], k, 6);
  }
  // Each week and weekday box keeps its twin's choice.
  for (auto* pair : {&weeks_, &weekdays_}) {
    QComboBox* a = (*pair)[0];
    QComboBox* b = (*pair)[1];
    connect(a, &QComboBox::currentIndexChanged, b, &QComboBox::setCurrentIndex);
    connect(b, &QComboBox::currentIndexChanged, a, &QComboBox::setCurrentIndex);
  }
  for (const auto& [k, box] : days_) {
    connect(box, &QSpinBox::valueChanged, this, [this, box = box] { keepDaysTogether(box); });
  }
  for (const auto& [k, box] : months_) {
    connect(box, &QSpinBox::valueChanged, this, [this, box = box] { keepMonthsTogether(box); });
  }
  radios_[kindOf(code)]->setChecked(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

QSpinBox* CScheduleDialog::dayBox(Kind kind) const {
  for (const auto& [k, box] : days_) {
    if (k == kind) return box;
  }
  return nullptr;
}

QSpinBox* CScheduleDialog::monthBox(Kind kind) const {
  for (const auto& [k, box] : months_) {
    if (k == kind) return box;
  }
  return nullptr;
}

void CScheduleDialog::keepDaysTogether(QSpinBox* changed) {
  if (syncing_ || changed->value() < 1 || changed->value() > 31) return;
  syncing_ = true;
  for (const auto& [k, box] : days_) box->setValue(changed->value());
  syncing_ = false;
}

void CScheduleDialog::keepMonthsTogether(QSpinBox* changed) {
  if (syncing_) return;
  syncing_ = true;
  for (const auto& [k, box] : months_) box->setValue(changed->value());
  syncing_ = false;
}

CScheduleDialog::Kind CScheduleDialog::kind() const {
  for (int k = 0; k < kKinds; ++k) {
    if (radios_[k]->isChecked()) return static_cast<Kind>(k);
  }
  return MonthlyDay;
}

void CScheduleDialog::applyTo(CAutoRule& r) const {
  const Kind k = kind();
  const auto week = [this](Kind of) { return weekBox(of)->currentIndex() + 1; };
  const auto weekday = [this](Kind of) { return weekdayBox(of)->currentIndex(); };
  switch (k) {
    case MonthlyDay:
      r.scheduleCode = dayBox(k)->value();
      break;
    case MonthlyWeekday:
      r.scheduleCode = kScheduleNthWeekday;
      r.scheduleWeek = week(k);
      r.scheduleWeekday = weekday(k);
      break;
    case OddMonths:
    case EvenMonths:
      r.scheduleCode = k == OddMonths ? kScheduleOddMonths : kScheduleEvenMonths;
      r.scheduleDay = dayBox(k)->value();
      break;
    case Yearly:
      r.scheduleCode = kScheduleYearly;
      r.scheduleMonth = monthBox(k)->value();
      r.scheduleDay = dayBox(k)->value();
      break;
    case YearlyWeekday:
      r.scheduleCode = kScheduleYearlyNthWeekday;
      r.scheduleMonth = monthBox(k)->value();
      r.scheduleWeek = week(k);
      r.scheduleWeekday = weekday(k);
      break;
    case Fixed:
      r.scheduleCode = kScheduleFixedDate;
      r.scheduleYear = year_->value();
      r.scheduleMonth = monthBox(k)->value();
      r.scheduleDay = dayBox(k)->value();
      break;
  }
}

}  // namespace sorami
