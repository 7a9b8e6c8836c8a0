#pragma once
// The dialog "品名(品目)ﾃﾞｰﾀの変更、削除" of one detail line: the old product name and amount,
// and the new name, amount and memo, with the buttons OK, ｷｬﾝｾﾙ and 削除. It opens with the
// field of the column the user double-clicked.

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;

namespace sorami {

struct EntryEditFields {
  QString name;
  QString amount;
  QString memo;
};

struct EntryEditRequest {
  QString oldName;
  QString oldAmount;
  EntryEditFields proposed;
  int hitColumn = 1;  // HitName, HitAmount or HitMemo
};

struct EntryEditAnswer {
  enum class Action { Ok, Delete } action = Action::Ok;
  EntryEditFields fields;
};

class EntryEditDialog : public QDialog {
 public:
  explicit EntryEditDialog(const EntryEditRequest& request, QWidget* parent = nullptr);
  // What was chosen; nothing when cancelled.
  std::optional<EntryEditAnswer> answer() const;
  // Opens the dialog and waits for the user.
  static std::optional<EntryEditAnswer> ask(const EntryEditRequest& request, QWidget* parent);

 private:
  // A stored text longer than the field takes is kept whole, never cut.
  static QLineEdit* field(int id, const QString& text, int maxLength);

  QLineEdit* name_;
  QLineEdit* amount_;
  QLineEdit* memo_;
  bool deleteChosen_ = false;
};

}  // namespace sorami
