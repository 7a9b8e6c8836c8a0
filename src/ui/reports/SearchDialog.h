#pragma once
// The search dialog: ledger lines by item, keyword and period, newest first, with their count
// and sum. It is modal, so the lines it lists are still in the store when the user picks one.

#include <QDialog>
#include <optional>

#include "reports/Search.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QSpinBox;

namespace sorami {

class CConfig;
class CSearchResults;
class Prompts;

// Where the search starts: the period, and the item and keyword of a selected line.
struct SearchStart {
  Day from = FirstUserDay;
  Day to = LastUserDay;
  std::optional<uint16_t> item;
  std::u16string keyword;
};

class CSearchDialog : public QDialog {
  Q_OBJECT

 public:
  CSearchDialog(CHinmeiList& store, const CConfig& config, Prompts& prompts,
                const SearchStart& start, QWidget* parent = nullptr);

  // 検索開始.
  void runSearch();
  // The line the user double-clicked, once the dialog was accepted.
  std::optional<CHinmeiList::Position> chosenLine() const { return chosen_; }

  QComboBox* itemBox() const { return item_; }
  QComboBox* keywordBox() const { return keyword_; }
  QCheckBox* memoBox() const { return memo_; }
  QListView* resultList() const { return list_; }
  CSearchResults* results() const { return results_; }
  QString summaryText() const;
  void setFrom(Day day);
  void setTo(Day day);
  Day fromFields() const;
  Day toFields() const;

 private:
  struct DateFields {
    QSpinBox* year;
    QSpinBox* month;
    QSpinBox* day;
  };
  DateFields dateFields();
  static void setFields(const DateFields& f, Day day);
  static Day readFields(const DateFields& f);
  std::optional<uint16_t> chosenItem();
  void refillKeywords();
  void lineActivated(int row);

  CHinmeiList& store_;
  const CConfig& config_;
  Prompts& prompts_;
  QComboBox* item_;
  QComboBox* keyword_;
  QCheckBox* memo_;
  DateFields from_;
  DateFields to_;
  QListView* list_;
  CSearchResults* results_;
  QLabel* summary_;
  std::optional<CHinmeiList::Position> chosen_;
};

}  // namespace sorami
