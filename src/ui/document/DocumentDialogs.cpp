// The document's dialogs: a new data file, the file to save to, the password and the closing date
// of the start-of-period processing.

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/FormDialog.h"
#include "platform/QtPrompts.h"

namespace sorami {

namespace {

constexpr int PasswordMaxChars = 20;

QString qs(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

QLineEdit* passwordField() {
  auto* field = new QLineEdit;
  field->setEchoMode(QLineEdit::Password);
  field->setMaxLength(PasswordMaxChars);
  return field;
}

}  // namespace

std::optional<NewFileValues> QtPrompts::newFileValues(const NewFileValues& proposed) {
  FormDialog d(parentWidget(), QStringLiteral("新規ﾃﾞｰﾀの作成"));
  auto* cash = new QSpinBox;
  cash->setRange(0, 999999999);
  cash->setValue(proposed.initialCash);
  auto* samples = new QCheckBox(QStringLiteral("ｻﾝﾌﾟﾙの特別品名を登録する。"));
  samples->setChecked(proposed.sampleNames);
  auto* tax = new QDoubleSpinBox;
  tax->setRange(0, 100);
  tax->setValue(proposed.taxRate);
  d.form->addRow(QStringLiteral("現金の初期残高"), cash);
  d.form->addRow(samples);
  d.form->addRow(QStringLiteral("消費税率(%)"), tax);
  if (!d.run()) return std::nullopt;
  return NewFileValues{cash->value(), samples->isChecked(), tax->value()};
}

std::optional<std::filesystem::path> QtPrompts::chooseSaveFile(const SaveFileRequest& request) {
  QFileDialog dialog(parentWidget(), qs(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(qs(request.defaultExtension));
  // "name|pattern||" as the request gives it becomes "name (pattern)".
  const QStringList parts = qs(request.filter).split(u'|', Qt::SkipEmptyParts);
  if (parts.size() >= 2) dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(parts[0], parts[1]));
  if (!request.proposedName.empty() && request.proposedName.find(u'*') == std::u16string::npos) {
    dialog.selectFile(qs(request.proposedName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().first().toStdU16String());
}

PasswordReply QtPrompts::askPassword(const PasswordCheck& check, bool canExit) {
  FormDialog d(parentWidget(), QStringLiteral("ﾊﾟｽﾜｰﾄﾞの確認"));
  auto* note = new QLabel(
      QStringLiteral("このﾌｧｲﾙには、ﾊﾟｽﾜｰﾄﾞが設定されています。ﾊﾟｽﾜｰﾄﾞを入力して下さい。"));
  note->setWordWrap(true);
  QLineEdit* field = passwordField();
  d.form->addRow(note);
  d.form->addRow(field);
  d.ok()->setEnabled(false);
  QObject::connect(field, &QLineEdit::textChanged, &d.dialog,
                   [&](const QString& text) { d.ok()->setEnabled(check(text.toStdU16String())); });
  bool exitChosen = false;
  if (canExit) {
    QPushButton* exit =
        d.buttons->addButton(QStringLiteral("終了(&X)"), QDialogButtonBox::DestructiveRole);
    QObject::connect(exit, &QPushButton::clicked, &d.dialog, [&] {
      exitChosen = true;
      d.dialog.reject();
    });
  }
  const bool ok = d.run();
  if (exitChosen) return {PasswordReply::Action::Exit, {}};
  if (!ok) return {PasswordReply::Action::Cancel, {}};
  return {PasswordReply::Action::Ok, field->text().toStdU16String()};
}

std::optional<std::u16string> QtPrompts::newPassword() {
  FormDialog d(parentWidget(), QStringLiteral("ﾊﾟｽﾜｰﾄﾞの設定"));
  QLineEdit* first = passwordField();
  QLineEdit* second = passwordField();
  d.form->addRow(QStringLiteral("ﾊﾟｽﾜｰﾄﾞ"), first);
  d.form->addRow(QStringLiteral("ﾊﾟｽﾜｰﾄﾞの確認"), second);
  auto same = [&] { d.ok()->setEnabled(first->text() == second->text()); };
  QObject::connect(first, &QLineEdit::textChanged, &d.dialog, same);
  QObject::connect(second, &QLineEdit::textChanged, &d.dialog, same);
  if (!d.run()) return std::nullopt;
  return first->text().toStdU16String();
}

std::optional<Day> QtPrompts::periodClosingDate(Day proposed) {
  FormDialog d(parentWidget(), QStringLiteral("期首処理の設定"));
  auto* date = new QDateEdit(QDate(1899, 12, 30).addDays(proposed));
  date->setDisplayFormat(QStringLiteral("yyyy年MM月dd日"));
  date->setCalendarPopup(true);
  d.form->addRow(QStringLiteral("締めの日付"), date);
  d.form->addRow(new QLabel(QStringLiteral("例:2000年12月31日")));
  if (!d.run()) return std::nullopt;
  return static_cast<Day>(QDate(1899, 12, 30).daysTo(date->date()));
}

}  // namespace sorami
