#include "settings/CardDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <array>

#include "ledger/HinmeiList.h"
#include "platform/FormDialog.h"

namespace sorami {

namespace {

constexpr int kHighestAmount = 999999999;
constexpr double kHighestRate = 100;
constexpr int kRateDecimals = 3;

QString qs(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

QSpinBox* spin(int low, int high, int value) {
  auto* box = new QSpinBox;
  box->setRange(std::min(low, value), std::max(high, value));
  box->setValue(value);
  return box;
}

QSpinBox* amountSpin(int value) {
  QSpinBox* box = spin(0, kHighestAmount, value);
  box->setGroupSeparatorShown(true);
  return box;
}

// A rate as the field shows it; the stored value stays as it was unless the user changed it, so
// that opening and closing the dialog does not round it to the field's decimals.
struct RateField {
  QDoubleSpinBox* box = nullptr;
  double shown = 0;
  double valueFor(double stored) const { return box->value() == shown ? stored : box->value(); }
};

RateField rateField(double value) {
  auto* box = new QDoubleSpinBox;
  box->setDecimals(kRateDecimals);
  box->setRange(0, std::max(kHighestRate, value));
  box->setValue(value);
  return {box, box->value()};
}

// Widgets side by side on one row of the form.
QWidget* row(std::initializer_list<QWidget*> widgets) {
  auto* line = new QWidget;
  auto* layout = new QHBoxLayout(line);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : widgets) layout->addWidget(w);
  layout->addStretch(1);
  return line;
}

QLabel* label(const char* text) {
  return new QLabel(QString::fromUtf8(text));
}

QComboBox* holidayChoice(int rule) {
  auto* box = new QComboBox;
  for (const char* text : {"当日", "休祝日前", "休祝日後"}) box->addItem(QString::fromUtf8(text));
  box->setCurrentIndex(rule >= 0 && rule <= 2 ? rule : 0);
  return box;
}

QCheckBox* sameWeekBox(int32_t value) {
  auto* box = new QCheckBox(QStringLiteral("土>金,日>月"));
  box->setChecked(value != 0);
  return box;
}

// Two radio buttons in a group, the first for 0.
QButtonGroup* choiceOfTwo(QWidget* owner, const char* first, const char* second, int value,
                          QWidget*& line) {
  auto* group = new QButtonGroup(owner);
  auto* a = new QRadioButton(QString::fromUtf8(first));
  auto* b = new QRadioButton(QString::fromUtf8(second));
  group->addButton(a, 0);
  group->addButton(b, 1);
  (value == 1 ? b : a)->setChecked(true);
  line = row({a, b});
  return group;
}

}  // namespace

QString paymentMonthText(int offset) {
  switch (offset) {
    case 0:
      return QStringLiteral("当月");
    case 1:
      return QStringLiteral("翌月");
    case 2:
      return QStringLiteral("翌々月");
    default:
      return QStringLiteral("%1ヶ月後").arg(offset);
  }
}

bool runCardSettings(QWidget* parent, CardSettings& card, const CardDialogChoices& choices) {
  FormDialog d(parent, QStringLiteral("カードの設定"));
  auto* name = new QLineEdit(qs(card.cardName));
  name->setMaxLength(static_cast<int>(kMaxNameLength));
  d.form->addRow(QStringLiteral("カード名"), name);

  // 0 or less closes on the month's last day, as 31 does.
  QSpinBox* closingDay = spin(1, 31, card.closingDay <= 0 ? 31 : std::min(card.closingDay, 31));
  QComboBox* closingRule = holidayChoice(card.closingHolidayRule);
  QCheckBox* closingWeek = sameWeekBox(card.closingSameWeek);
  d.form->addRow(QStringLiteral("締日"), row({closingDay, label("日"), closingRule, closingWeek}));

  QSpinBox* year = spin(choices.firstYear, choices.lastYear, card.nextClosingYear);
  QSpinBox* month = spin(1, 12, std::clamp(card.nextClosingMonth, 1, 12));
  d.form->addRow(QStringLiteral("次回の締め予定月"), row({year, label("年"), month, label("月")}));

  auto* offset = new QComboBox;
  const int lastOffset = std::max(kLastPaymentOffset, card.paymentMonthOffset);
  for (int i = 0; i <= lastOffset; ++i) offset->addItem(paymentMonthText(i), i);
  offset->setCurrentIndex(std::max(0, offset->findData(card.paymentMonthOffset)));
  QSpinBox* paymentDay = spin(1, 31, std::clamp(card.paymentDay, 1, 31));
  QComboBox* paymentRule = holidayChoice(card.paymentHolidayRule);
  QCheckBox* paymentWeek = sameWeekBox(card.paymentSameWeek);
  d.form->addRow(QStringLiteral("決済"),
                 row({offset, paymentDay, label("日"), paymentRule, paymentWeek}));

  auto* account = new QComboBox;
  for (const std::u16string& a : choices.accounts) account->addItem(qs(a));
  // An account the file names but that is not registered (any more) stays chosen.
  if (account->findText(qs(card.settlementAccount)) < 0) {
    account->insertItem(0, qs(card.settlementAccount));
  }
  account->setCurrentIndex(account->findText(qs(card.settlementAccount)));
  d.form->addRow(QStringLiteral("決済口座"), account);

  auto* revolving = new QCheckBox(QStringLiteral("リボルビング払い"));
  revolving->setChecked(card.revolving != 0);
  auto* revolvingButton = new QPushButton(QStringLiteral("リボルビングの設定"));
  revolvingButton->setAutoDefault(false);
  CardSettings edited = card;
  QObject::connect(revolvingButton, &QPushButton::clicked, &d.dialog,
                   [&] { runRevolvingSettings(&d.dialog, edited); });
  d.form->addRow(row({revolving, revolvingButton}));

  if (!d.run()) return false;
  edited.cardName = name->text().trimmed().toStdU16String();
  edited.closingDay = closingDay->value();
  edited.closingHolidayRule = closingRule->currentIndex();
  edited.closingSameWeek = closingWeek->isChecked() ? 1 : 0;
  edited.nextClosingYear = year->value();
  edited.nextClosingMonth = month->value();
  edited.paymentMonthOffset = offset->currentData().toInt();
  edited.paymentDay = paymentDay->value();
  edited.paymentHolidayRule = paymentRule->currentIndex();
  edited.paymentSameWeek = paymentWeek->isChecked() ? 1 : 0;
  edited.settlementAccount = account->currentText().toStdU16String();
  edited.revolving = revolving->isChecked() ? 1 : 0;
  card = edited;
  return true;
}

bool runRevolvingSettings(QWidget* parent, CardSettings& card) {
  FormDialog d(parent, QStringLiteral("リボルビングの設定"));
  QWidget* methodRow = nullptr;
  QButtonGroup* method = choiceOfTwo(&d.dialog, "定額", "定率", card.method, methodRow);
  d.form->addRow(QStringLiteral("支払い方法"), methodRow);

  auto* table = new QWidget;
  auto* grid = new QGridLayout(table);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(label("残高"), 0, 1);
  grid->addWidget(label("返済額"), 0, 3);
  std::array<QSpinBox*, 5> bounds{};
  std::array<QSpinBox*, 5> payments{};
  for (int i = 0; i < 5; ++i) {
    const auto n = static_cast<size_t>(i);
    bounds[n] = amountSpin(card.balanceBounds[n]);
    payments[n] = amountSpin(card.payments[n]);
    grid->addWidget(label(i == 0 ? "0 ～" : "～"), i + 1, 0);
    grid->addWidget(bounds[n], i + 1, 1);
    grid->addWidget(label("円まで"), i + 1, 2);
    grid->addWidget(payments[n], i + 1, 3);
  }
  d.form->addRow(QStringLiteral("定額"), table);

  const RateField rate = rateField(card.paymentRate);
  QSpinBox* minimum = amountSpin(card.minimumPayment);
  d.form->addRow(QStringLiteral("定率"), row({label("残高の"), rate.box, label("%")}));
  d.form->addRow(QStringLiteral("最低支払い額"), minimum);

  const RateField fee = rateField(card.feeRate);
  d.form->addRow(QStringLiteral("手数料"), row({label("年"), fee.box, label("%")}));
  QWidget* addedRow = nullptr;
  QButtonGroup* addedTo = choiceOfTwo(&d.dialog, "支払額", "残高", card.feeAddedTo, addedRow);
  d.form->addRow(QStringLiteral("加算対象"), addedRow);
  QWidget* firstRow = nullptr;
  QButtonGroup* first = choiceOfTwo(&d.dialog, "無し", "払う", card.feeAtFirstSettlement, firstRow);
  d.form->addRow(QStringLiteral("決済初回の手数料"), firstRow);

  if (!d.run()) return false;
  card.method = method->checkedId();
  for (size_t i = 0; i < 5; ++i) {
    card.balanceBounds[i] = bounds[i]->value();
    card.payments[i] = payments[i]->value();
  }
  card.paymentRate = rate.valueFor(card.paymentRate);
  card.minimumPayment = minimum->value();
  card.feeRate = fee.valueFor(card.feeRate);
  card.feeAddedTo = addedTo->checkedId();
  card.feeAtFirstSettlement = first->checkedId();
  return true;
}

}  // namespace sorami
