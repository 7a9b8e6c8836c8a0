#include "main/SummaryPeriodDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "help/HelpWindow.h"
#include "input/RangeSpin.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

struct FieldRange {
  int id;
  int min;  // accepted on OK
  int max;
  int stepMin;  // reached with the spin buttons
  const char16_t* suffix;
};

// The control ids the dialog's fields always had, with their ranges.
constexpr std::array<FieldRange, 6> kFields{{{521, 1971, 9999, 1990, u"年"},
                                             {522, 1, 12, 1, u"月"},
                                             {523, 1, 31, 1, u"日"},
                                             {524, 1971, 9999, 1990, u"年"},
                                             {525, 1, 12, 1, u"月"},
                                             {526, 1, 31, 1, u"日"}}};

}  // namespace

SummaryPeriodDialog::SummaryPeriodDialog(const SummaryPeriod& proposed, Prompts& prompts,
                                         QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      fixed_(new QCheckBox(QStringLiteral("集計時は常に上の期間にする(&A)"))) {
  setObjectName(QString::number(IDD_SUMMARY_PERIOD));
  setWindowTitle(QStringLiteral("集計期間の設定"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("開始")), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("終了")), 1, 0);
  for (size_t i = 0; i < fields_.size(); ++i) {
    const FieldRange& range = kFields[i];
    auto* field = new CRangeSpin(range.min, range.max, range.stepMin, range.max);
    field->setObjectName(QString::number(range.id));
    field->setSuffix(QString::fromUtf16(range.suffix));
    fields_[i] = field;
    grid->addWidget(field, static_cast<int>(i / 3), static_cast<int>(i % 3) + 1);
  }
  fixed_->setObjectName(QStringLiteral("921"));
  fixed_->setChecked(proposed.fixed);
  auto* note = new QLabel(
      QStringLiteral("通常は記入日の移動に伴って締日から自動計算されるので、OFFにしてください。"));
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Help | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ﾍﾙﾌﾟ"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, this, &SummaryPeriodDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { showHelp(this); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(fixed_);
  layout->addWidget(note);
  layout->addWidget(buttons);
  fill(0, proposed.start);
  fill(3, proposed.end);
}

// A day outside the calendar has no parts: each field shows -1.
void SummaryPeriodDialog::fill(int first, Day day) {
  const Ymd d = ymdFromDay(day);
  const auto f = static_cast<size_t>(first);
  fields_[f]->setValue(d.year);
  fields_[f + 1]->setValue(d.month);
  fields_[f + 2]->setValue(d.day);
}

// The fields in their order; the first one out of range keeps the dialog open.
void SummaryPeriodDialog::accept() {
  for (CRangeSpin* field : fields_) {
    // A number still being typed counts as typed.
    field->interpretText();
    if (!field->checkAccepted(prompts_)) return;
  }
  QDialog::accept();
}

Day SummaryPeriodDialog::dateAt(int first) const {
  const auto f = static_cast<size_t>(first);
  return clampDay(fields_[f]->value(), fields_[f + 1]->value(), fields_[f + 2]->value());
}

SummaryPeriod SummaryPeriodDialog::result() const {
  return {dateAt(0), dateAt(3), fixed_->isChecked()};
}

}  // namespace sorami
