#pragma once
// The dialog "明細の取り込み": a statement file and its import profile, where its money moved,
// the preview of every line (the item changeable line by line) and 取り込む, which writes the
// new lines in one change and tells what it did.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "reports/ProfileFolders.h"
#include "reports/StatementImport.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace sorami {

class Prompts;
class StatementModel;

class StatementImportDialog : public QDialog {
  Q_OBJECT

 public:
  StatementImportDialog(CHinmeiList& store, int decimalPlaces, Prompts& prompts,
                        const std::vector<std::filesystem::path>& profileFolders,
                        QWidget* parent = nullptr);

  // Reads the statement at `path` (as if chosen with 参照...) and shows its preview.
  void setStatementFile(const QString& path);

  QLineEdit* fileField() const { return file_; }
  QComboBox* profileBox() const { return profiles_; }
  QComboBox* moneyBox() const { return money_; }
  QTableView* table() const { return table_; }
  QCheckBox* skipRefusedBox() const { return skipRefused_; }
  QPushButton* importButton() const { return import_; }
  QLabel* summaryLabel() const { return summary_; }
  StatementModel* model() const { return model_; }
  // What 取り込む did; nothing before.
  const std::optional<StatementOutcome>& outcome() const { return outcome_; }

 private:
  void chooseFile();
  void profileChosen();
  void selectMoney(const MoneyTarget& wanted);
  void refresh();
  void updateState();
  void importLines();
  std::optional<MoneyTarget> chosenMoney() const;

  CHinmeiList& store_;
  int decimalPlaces_;
  Prompts& prompts_;
  std::vector<ProfileChoice> choices_;
  std::optional<StatementProfile> profile_;
  std::optional<Refusal> problem_;       // the profile's, found when it was chosen
  std::optional<Refusal> shownProblem_;  // what keeps the preview from being imported
  std::optional<StatementOutcome> outcome_;

  QLineEdit* file_;
  QComboBox* profiles_;
  QComboBox* money_;
  QTableView* table_;
  StatementModel* model_;
  QLabel* summary_;
  QCheckBox* skipRefused_;
  QPushButton* import_;
};

}  // namespace sorami
