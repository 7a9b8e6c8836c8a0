#pragma once
// The dialogs of the data moves ("日付間のデータ移動", "項目間のデータ移動",
// "指定期間のデータ移動") and of the cash balance change ("現金残高の変更"). Each checks its fields
// on OK (the standard range message, and the messages of its own) and stays open while one is
// wrong.

#include <QDialog>
#include <optional>
#include <vector>

#include "document/CashChange.h"
#include "rules/Day.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace sorami {

class CHinmeiList;
class CRangeSpin;
class Prompts;

inline constexpr int IDD_CHANGE_CASH_BALANCE = 234;

// A day as three fields: year 1971 to 9999 (the spin buttons from 1990), month and day.
class DateFields : public QWidget {
 public:
  explicit DateFields(Day day, QWidget* parent = nullptr);
  Day day() const;
  void setDay(Day day);
  // The standard range message for the first field out of range.
  bool check(Prompts& prompts);
  CRangeSpin* field(int index) const { return fields_.at(static_cast<size_t>(index)); }

 private:
  std::array<CRangeSpin*, 3> fields_{};
};

// 日付間のデータ移動: the day the lines go to.
class MoveToDayDialog : public QDialog {
 public:
  MoveToDayDialog(Day target, Prompts& prompts, QWidget* parent = nullptr);
  Day target() const { return target_->day(); }
  DateFields* targetFields() const { return target_; }
  void accept() override;

 private:
  Prompts& prompts_;
  DateFields* target_;
};

struct PeriodMove {
  Day from = MinDay;
  Day to = MinDay;
  Day target = MinDay;
  bool withDiary = false;
};

// 指定期間のデータ移動: the span, the day its first day goes to, and whether the diary goes too.
class MovePeriodDialog : public QDialog {
 public:
  MovePeriodDialog(Day day, Prompts& prompts, QWidget* parent = nullptr);
  PeriodMove result() const;
  DateFields* fields(int which) const { return dates_.at(static_cast<size_t>(which)); }
  QCheckBox* diary() const { return diary_; }
  void accept() override;

 private:
  Prompts& prompts_;
  std::array<DateFields*, 3> dates_{};
  QCheckBox* diary_;
};

struct ItemMove {
  Day from = MinDay;
  Day to = MaxDay;
  int source = -1;  // item numbers; no source with a selection
  int destination = -1;
};

// 項目間のデータ移動: a span (or all data) and the items, from and to. With lines selected in
// the detail list only the destination is chosen.
class MoveItemsDialog : public QDialog {
 public:
  MoveItemsDialog(const CHinmeiList& store, Day from, Day to, bool selection, Prompts& prompts,
                  QWidget* parent = nullptr);
  ItemMove result() const;
  QListWidget* sourceList() const { return source_; }
  QListWidget* destinationList() const { return destination_; }
  QCheckBox* allData() const { return all_; }
  DateFields* fields(int which) const { return which == 0 ? from_ : to_; }
  void accept() override;

 private:
  int chosen(const QListWidget* list) const;

  Prompts& prompts_;
  bool selection_;
  std::vector<int> numbers_;  // the item number of each row
  DateFields* from_;
  DateFields* to_;
  QCheckBox* all_;
  QListWidget* source_;
  QListWidget* destination_;
};

// 現金残高の変更: the new cash of the day, the mode and the adjustment items and names.
class CashChangeDialog : public QDialog {
 public:
  CashChangeDialog(const CHinmeiList& store, const CashChangeChoice& choice, Day day,
                   int decimalPlaces, Prompts& prompts, QWidget* parent = nullptr);
  CashChangeRequest result() const;
  CRangeSpin* balance() const { return balance_; }
  QRadioButton* mode(int which) const { return modes_.at(static_cast<size_t>(which)); }
  QComboBox* items(int which) const { return which == 0 ? decrease_ : increase_; }
  QLineEdit* names(int which) const { return which == 0 ? decreaseName_ : increaseName_; }
  QCheckBox* negativeIncrease() const { return negative_; }
  void accept() override;

 private:
  void enableFields();
  int chosen(const QComboBox* box) const;

  Prompts& prompts_;
  int64_t before_;
  CRangeSpin* balance_;
  std::array<QRadioButton*, 2> modes_{};
  QComboBox* decrease_;
  QComboBox* increase_;
  QLineEdit* decreaseName_;
  QLineEdit* increaseName_;
  QCheckBox* negative_;
};

}  // namespace sorami
