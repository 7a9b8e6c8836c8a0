// The dialogs of special names and accounts: adding and changing a special name, registering an
// account or loan, its settings, and its initial balance.

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>

#include "ledger/Account.h"
#include "ledger/HinmeiList.h"
#include "platform/FormDialog.h"
#include "platform/QtPrompts.h"
#include "settings/CardDialogs.h"

namespace sorami {

namespace {

constexpr int kHighestAmount = 999999999;
constexpr int kLongestWatch = 999;

QString qs(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

QLineEdit* nameField(const std::u16string& name) {
  auto* field = new QLineEdit(qs(name));
  field->setMaxLength(static_cast<int>(kMaxNameLength));
  return field;
}

QSpinBox* amountBox(int low, int value) {
  auto* box = new QSpinBox;
  box->setRange(low, kHighestAmount);
  box->setGroupSeparatorShown(true);
  box->setValue(value);
  return box;
}

// A field with the words that follow it on the same row.
QWidget* withText(QWidget* field, const QString& text) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field, 1);
  layout->addWidget(new QLabel(text));
  return row;
}

// The fields an account and a loan share: the name and the balance watch.
struct AccountFields {
  QLineEdit* name = nullptr;
  QSpinBox* threshold = nullptr;
  QSpinBox* days = nullptr;
};

// `balance`, when given, is the initial balance, right under the name.
AccountFields addAccountFields(FormDialog& d, bool loan, const std::u16string& name, int threshold,
                               int days, QSpinBox* balance = nullptr) {
  AccountFields f{nameField(name), amountBox(-kHighestAmount, threshold), amountBox(0, days)};
  f.days->setMaximum(kLongestWatch);
  f.days->setSpecialValueText(QStringLiteral("監視しない"));
  d.form->addRow(loan ? QStringLiteral("借入名") : QStringLiteral("口座名"), f.name);
  if (balance != nullptr) d.form->addRow(QStringLiteral("初期残高"), balance);
  d.form->addRow(QStringLiteral("残高が"),
                 withText(f.threshold, loan ? QStringLiteral("より多くなると通知")
                                            : QStringLiteral("より少なくなると通知")));
  d.form->addRow(QStringLiteral("監視する日数"), withText(f.days, QStringLiteral("日先まで")));
  // A name is required: OK waits for one.
  QObject::connect(f.name, &QLineEdit::textChanged, &d.dialog,
                   [&d](const QString& text) { d.ok()->setEnabled(!text.trimmed().isEmpty()); });
  d.ok()->setEnabled(!f.name->text().trimmed().isEmpty());
  return f;
}

// "カード設定" opens the card settings of the loan, named as the loan's field names it now. On
// OK a card name makes the loan a card of that name (the loan's field takes it); an empty one
// makes it a plain loan.
void addCardButton(FormDialog& d, AccountSettingsValues& values, QLineEdit* loanName) {
  auto* button = new QPushButton(QStringLiteral("カード設定"));
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, &d.dialog, [&d, &values, loanName] {
    if (!values.card) values.card = CardSettings::newRecord(values.firstYear, 1);
    CardSettings copy = *values.card;
    copy.cardName = loanName->text().trimmed().toStdU16String();
    if (!runCardSettings(&d.dialog, copy,
                         {values.accountNames, values.firstYear, values.lastYear})) {
      return;
    }
    values.isCard = !copy.cardName.empty();
    if (values.isCard) loanName->setText(qs(copy.cardName));
    values.card = copy;
  });
  d.form->addRow(button);
}

}  // namespace

std::optional<std::u16string> QtPrompts::specialNameToAdd(const std::u16string& itemName) {
  FormDialog d(parentWidget(), QStringLiteral("特別品名の追加"));
  QLineEdit* name = nameField(u"");
  d.form->addRow(QStringLiteral("項目"), new QLabel(qs(itemName)));
  d.form->addRow(QStringLiteral("特別品名"), name);
  if (!d.run()) return std::nullopt;
  return name->text().toStdU16String();
}

std::optional<SpecialNameChange> QtPrompts::specialNameChange(const std::u16string& oldName,
                                                              bool offerRename) {
  FormDialog d(parentWidget(), QStringLiteral("特別品名の変更"));
  QLineEdit* name = nameField(oldName);
  d.form->addRow(QStringLiteral("変更前"), new QLabel(qs(oldName)));
  d.form->addRow(QStringLiteral("変更後"), name);
  QCheckBox* entries = nullptr;
  if (offerRename) {
    entries = new QCheckBox(QStringLiteral("入力済みﾃﾞｰﾀの名前も変更する"));
    d.form->addRow(entries);
  }
  name->selectAll();
  if (!d.run()) return std::nullopt;
  return SpecialNameChange{name->text().toStdU16String(), entries && entries->isChecked()};
}

std::optional<int32_t> QtPrompts::newInitialBalance(const std::u16string& name, int32_t current) {
  FormDialog d(parentWidget(), QStringLiteral("口座の初期残高変更"));
  QSpinBox* after = amountBox(-kHighestAmount, current);
  d.form->addRow(QStringLiteral("口座名"), new QLabel(qs(name)));
  d.form->addRow(QStringLiteral("変更前"),
                 new QLabel(QLocale(QLocale::Japanese).toString(current)));
  d.form->addRow(QStringLiteral("変更後"), after);
  after->selectAll();
  if (!d.run()) return std::nullopt;
  return after->value();
}

// A transfer that names a new account or loan registers it; the user gives its opening balance
// and its balance watch here.
std::optional<NewAccount> QtPrompts::registerAccount(uint16_t kind, const std::u16string& name) {
  const bool loan = kind == kKindLoan;
  FormDialog d(parentWidget(),
               loan ? QStringLiteral("新規の借入の登録") : QStringLiteral("新規の貯蓄の登録"));
  const NewAccount defaults;
  // The lowest figure would stand for "not given".
  QSpinBox* balance = amountBox(-kHighestAmount + 1, 0);
  const AccountFields f =
      addAccountFields(d, loan, name, defaults.watchThreshold, defaults.watchDays, balance);
  if (!d.run()) return std::nullopt;
  return NewAccount{f.name->text().toStdU16String(), balance->value(), f.threshold->value(),
                    f.days->value()};
}

std::optional<AccountSettingsValues> QtPrompts::accountSettings(
    uint16_t kind, const AccountSettingsValues& current) {
  const bool loan = kind == kKindLoan;
  FormDialog d(parentWidget(), loan ? QStringLiteral("借入の設定") : QStringLiteral("口座の設定"));
  const AccountFields f =
      addAccountFields(d, loan, current.name, current.watchThreshold, current.watchDays);
  auto* outside = new QCheckBox(QStringLiteral("総資産に含めない"));
  outside->setChecked(current.outsideAssets);
  d.form->addRow(outside);
  AccountSettingsValues values = current;
  if (loan) addCardButton(d, values, f.name);
  if (!d.run()) return std::nullopt;
  values.name = f.name->text().toStdU16String();
  values.watchThreshold = f.threshold->value();
  values.watchDays = f.days->value();
  values.outsideAssets = outside->isChecked();
  return values;
}

}  // namespace sorami
