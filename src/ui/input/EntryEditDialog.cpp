#include "input/EntryEditDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "lists/DetailLines.h"

namespace sorami {

namespace {

constexpr int DialogId = 200;
constexpr int NameMaxChars = 20;
constexpr int AmountMaxChars = 13;
constexpr int MemoMaxChars = 255;

}  // namespace

EntryEditDialog::EntryEditDialog(const EntryEditRequest& request, QWidget* parent)
    : QDialog(parent),
      name_(field(1, request.proposed.name, NameMaxChars)),
      amount_(field(2, request.proposed.amount, AmountMaxChars)),
      memo_(field(3, request.proposed.memo, MemoMaxChars)) {
  setObjectName(QString::number(DialogId));
  setWindowTitle(QStringLiteral("品名(品目)ﾃﾞｰﾀの変更、削除"));
  amount_->setAlignment(Qt::AlignRight);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("変更前の品名"), new QLabel(request.oldName));
  form->addRow(QStringLiteral("変更前の金額"), new QLabel(request.oldAmount));
  form->addRow(QStringLiteral("品名"), name_);
  form->addRow(QStringLiteral("金額"), amount_);
  form->addRow(QStringLiteral("備考"), memo_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  QPushButton* remove = buttons->addButton(QStringLiteral("削除"), QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(remove, &QPushButton::clicked, this, [this] {
    deleteChosen_ = true;
    accept();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  QLineEdit* first = request.hitColumn == HitAmount ? amount_
                     : request.hitColumn == HitMemo ? memo_
                                                    : name_;
  first->setFocus();
  first->selectAll();
}

QLineEdit* EntryEditDialog::field(int id, const QString& text, int maxLength) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::number(id));
  edit->setMaxLength(std::max(maxLength, static_cast<int>(text.size())));
  edit->setText(text);
  return edit;
}

std::optional<EntryEditAnswer> EntryEditDialog::answer() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  return EntryEditAnswer{
      deleteChosen_ ? EntryEditAnswer::Action::Delete : EntryEditAnswer::Action::Ok,
      {name_->text(), amount_->text(), memo_->text()}};
}

std::optional<EntryEditAnswer> EntryEditDialog::ask(const EntryEditRequest& request,
                                                    QWidget* parent) {
  EntryEditDialog dialog(request, parent);
  dialog.exec();
  return dialog.answer();
}

}  // namespace sorami
