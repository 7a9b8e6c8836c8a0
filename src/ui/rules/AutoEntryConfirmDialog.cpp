#include "rules/AutoEntryConfirmDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/QtPrompts.h"
#include "rules/AmountField.h"
#include "rules/AutoRule.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

// Amounts of a due line may be changed as far as an amount reaches.
constexpr int32_t kAmountLimit = 999'999'999;

QSpinBox* numberBox(int low, int high, int value) {
  auto* box = new QSpinBox;
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

}  // namespace

CAutoEntryConfirmDialog::CAutoEntryConfirmDialog(AutoEntryProposal& proposal, Prompts& prompts,
                                                 QWidget* parent)
    : QDialog(parent), proposal_(proposal), prompts_(prompts) {
  setWindowTitle(QStringLiteral("自動記入の確認"));
  const Ymd d = ymdFromDay(proposal.date);
  year_ = numberBox(100, 9999, d.year);
  month_ = numberBox(1, 12, d.month);
  day_ = numberBox(1, 31, d.day);
  amount_ = new CAmountField(proposal.decimalPlaces, kAmountLimit);
  amount_->setValue(proposal.amount);

  auto* date = new QHBoxLayout;
  for (auto [box, unit] : {std::pair{year_, u"年"}, {month_, u"月"}, {day_, u"日"}}) {
    date->addWidget(box);
    date->addWidget(new QLabel(QString::fromUtf16(unit)));
  }
  date->addStretch();
  auto* text = new QLabel(QString::fromStdU16String(proposal.text));
  text->setObjectName(QStringLiteral("text"));
  auto* amount = new QHBoxLayout;
  amount->addWidget(new QLabel(QStringLiteral("金額")));
  amount->addWidget(amount_, 1);

  auto* buttons = new QGridLayout;
  const std::pair<AutoEntryChoice, QString> kinds[] = {
      {AutoEntryChoice::Write, QStringLiteral("実行")},
      {AutoEntryChoice::WriteAll, QStringLiteral("全て実行")},
      {AutoEntryChoice::Cancel, QStringLiteral("取消")},
      {AutoEntryChoice::Skip, QStringLiteral("中止")},
      {AutoEntryChoice::StopAll, QStringLiteral("全て中止")},
  };
  int column = 0;
  for (const auto& [kind, label] : kinds) {
    auto* b = new QPushButton(label);
    b->setAutoDefault(false);
    buttons->addWidget(b, 0, column++);
    buttons_.emplace_back(kind, b);
  }
  if (proposal.remaining > 0) {
    auto* all = new QPushButton(QStringLiteral("残り%1行を全て実行").arg(proposal.remaining + 1));
    all->setAutoDefault(false);
    buttons->addWidget(all, 1, 0, 1, column);
    buttons_.emplace_back(AutoEntryChoice::WriteRemaining, all);
  }
  for (const auto& [kind, b] : buttons_) {
    connect(b, &QPushButton::clicked, this, [this, kind = kind] { choose(kind); });
  }
  button(AutoEntryChoice::Write)->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(date);
  layout->addWidget(text);
  layout->addLayout(amount);
  layout->addLayout(buttons);
  connect(year_, &QSpinBox::valueChanged, this, &CAutoEntryConfirmDialog::fitDayToMonth);
  connect(month_, &QSpinBox::valueChanged, this, &CAutoEntryConfirmDialog::fitDayToMonth);
  fitDayToMonth();
}

QPushButton* CAutoEntryConfirmDialog::button(AutoEntryChoice choice) const {
  for (const auto& [kind, b] : buttons_) {
    if (kind == choice) return b;
  }
  return nullptr;
}

// The day can never name a date the month does not have.
void CAutoEntryConfirmDialog::fitDayToMonth() {
  day_->setMaximum(daysInMonth(year_->value(), month_->value()));
}

void CAutoEntryConfirmDialog::choose(AutoEntryChoice choice) {
  const bool writes = choice == AutoEntryChoice::Write || choice == AutoEntryChoice::WriteAll ||
                      choice == AutoEntryChoice::WriteRemaining;
  if (writes) {
    const std::optional<int32_t> amount = amount_->value();
    if (!amount) {
      prompts_.inform(MessageId::AmountNotANumber, {}, Icon::Warning);
      amount_->setFocus();
      return;
    }
    proposal_.amount = *amount;
    proposal_.date = dayFromYmd(year_->value(), month_->value(), day_->value());
  }
  choice_ = choice;
  accept();
}

AutoEntryChoice QtPrompts::confirmAutoEntry(AutoEntryProposal& proposal) {
  CAutoEntryConfirmDialog dialog(proposal, *this, parentWidget());
  dialog.exec();
  return dialog.choice();
}

}  // namespace sorami
