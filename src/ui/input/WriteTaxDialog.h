#pragma once
// The dialog "消費税の選択" of the command 消費税記入: where the tax of the lines selected in the
// detail list comes from — cash, an account or a loan (by name, chosen or typed) — or ｷｬﾝｾﾙ.

#include <QDialog>
#include <QStringList>
#include <optional>

#include "ledger/EntryInput.h"

class QComboBox;

namespace sorami {

struct WriteTaxChoice {
  TaxSource source = TaxSource::Cash;
  QString name;  // the account or loan
};

class WriteTaxDialog : public QDialog {
 public:
  WriteTaxDialog(const QStringList& accounts, const QStringList& loans, QWidget* parent = nullptr);
  // What was chosen; nothing when cancelled.
  std::optional<WriteTaxChoice> choice() const { return choice_; }
  QComboBox* accountBox() const { return accounts_; }
  QComboBox* loanBox() const { return loans_; }
  // Opens the dialog and waits for the user.
  static std::optional<WriteTaxChoice> ask(const QStringList& accounts, const QStringList& loans,
                                           QWidget* parent);

 private:
  void choose(TaxSource source);

  QComboBox* accounts_;
  QComboBox* loans_;
  std::optional<WriteTaxChoice> choice_;
};

}  // namespace sorami
