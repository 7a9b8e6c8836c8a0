#pragma once
// A small dialog of a form above OK and ｷｬﾝｾﾙ, for the dialogs the prompts open.

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorami {

struct FormDialog {
  explicit FormDialog(QWidget* parent, const QString& title) : dialog(parent) {
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  }
  QPushButton* ok() const { return buttons->button(QDialogButtonBox::Ok); }
  bool run() { return dialog.exec() == QDialog::Accepted; }

  QDialog dialog;
  QFormLayout* form = new QFormLayout;
  QDialogButtonBox* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
};

}  // namespace sorami
