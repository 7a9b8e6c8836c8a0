#include "input/WriteTaxDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sorami {

namespace {

QComboBox* nameBox(const QStringList& names) {
  auto* box = new QComboBox;
  box->setEditable(true);
  box->addItems(names);
  box->setMinimumContentsLength(12);
  return box;
}

}  // namespace

WriteTaxDialog::WriteTaxDialog(const QStringList& accounts, const QStringList& loans,
                               QWidget* parent)
    : QDialog(parent), accounts_(nameBox(accounts)), loans_(nameBox(loans)) {
  setWindowTitle(QStringLiteral("消費税の選択"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("詳細窓で選択されている品名の消費税を記入します。\n"
                                              "消費税の記入対象を選択してください。")),
                    0, 0, 1, 2);
  const struct {
    TaxSource source;
    const char16_t* label;
    QComboBox* box;
  } rows[] = {{TaxSource::Cash, u"現金から", nullptr},
              {TaxSource::Account, u"口座から", accounts_},
              {TaxSource::Loan, u"借入から", loans_}};
  int row = 1;
  for (const auto& r : rows) {
    auto* button = new QPushButton(QString::fromUtf16(r.label));
    button->setObjectName(QString::number(static_cast<int>(r.source)));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, source = r.source] { choose(source); });
    layout->addWidget(button, row, 0);
    if (r.box) layout->addWidget(r.box, row, 1);
    if (r.source == TaxSource::Cash) button->setDefault(true);
    ++row;
  }
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(cancel, row, 0);
}

void WriteTaxDialog::choose(TaxSource source) {
  QString name;
  if (source == TaxSource::Account) name = accounts_->currentText().trimmed();
  if (source == TaxSource::Loan) name = loans_->currentText().trimmed();
  choice_ = WriteTaxChoice{source, name};
  accept();
}

std::optional<WriteTaxChoice> WriteTaxDialog::ask(const QStringList& accounts,
                                                  const QStringList& loans, QWidget* parent) {
  WriteTaxDialog dialog(accounts, loans, parent);
  dialog.exec();
  return dialog.choice();
}

}  // namespace sorami
