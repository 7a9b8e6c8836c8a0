#include "main/SummaryPeriodDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "rules/Calendar.h"

namespace sorami {

namespace {

struct FieldSpec {
  int id;
  int min;
  int max;
  const char16_t* suffix;
};

// The control ids the dialog's fields always had, with their ranges.
constexpr std::array<FieldSpec, 6> kFields{{{521, 1971, 9999, u"年"},
                                            {522, 1, 12, u"月"},
                                            {523, 1, 31, u"日"},
                                            {524, 1971, 9999, u"年"},
                                            {525, 1, 12, u"月"},
                                            {526, 1, 31, u"日"}}};

}  // namespace

SummaryPeriodDialog::SummaryPeriodDialog(const SummaryPeriod& proposed, QWidget* parent)
    : QDialog(parent), fixed_(new QCheckBox(QStringLiteral("集計時は常に上の期間にする(&A)"))) {
  setWindowTitle(QStringLiteral("集計期間の設定"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("開始")), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("終了")), 1, 0);
  for (size_t i = 0; i < fields_.size(); ++i) {
    auto* field = new QSpinBox;
    field->setObjectName(QString::number(kFields[i].id));
    field->setRange(kFields[i].min, kFields[i].max);
    field->setSuffix(QString::fromUtf16(kFields[i].suffix));
    fields_[i] = field;
    grid->addWidget(field, static_cast<int>(i / 3), static_cast<int>(i % 3) + 1);
  }
  fixed_->setObjectName(QStringLiteral("921"));
  fixed_->setChecked(proposed.fixed);
  auto* note = new QLabel(
      QStringLiteral("通常は記入日の移動に伴って締日から自動計算されるので、OFFにしてください。"));
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(fixed_);
  layout->addWidget(note);
  layout->addWidget(buttons);
  fill(0, proposed.start);
  fill(3, proposed.end);
}

void SummaryPeriodDialog::fill(int first, Day day) {
  int y = 0;
  int m = 0;
  int d = 0;
  fillDateParts(day, &y, &m, &d);
  fields_[static_cast<size_t>(first)]->setValue(y);
  fields_[static_cast<size_t>(first) + 1]->setValue(m);
  fields_[static_cast<size_t>(first) + 2]->setValue(d);
}

Day SummaryPeriodDialog::dateAt(int first) const {
  const auto f = static_cast<size_t>(first);
  return clampDay(fields_[f]->value(), fields_[f + 1]->value(), fields_[f + 2]->value());
}

SummaryPeriod SummaryPeriodDialog::result() const {
  return {dateAt(0), dateAt(3), fixed_->isChecked()};
}

}  // namespace sorami
