#pragma once
// The main view: the item side on the left, the detail side on the right and the input row at
// the bottom. The lists are still empty frames here; they are filled as the ledger arrives.

#include <QHash>
#include <QWidget>

class QLineEdit;
class QScrollBar;

namespace sorami {

// Control ids, as commands and notifications carry them.
enum ViewControlId : int {
  IDC_ITEM_HEADER = 115,
  IDC_ITEM_LIST = 117,
  IDC_COLUMN_SELECTOR = 127,
  IDC_SUMMARY_LIST = 112,
  IDC_PERIOD_LINE = 151,
  IDC_DETAIL_HEADER = 125,
  IDC_DETAIL_LIST = 111,
  IDC_DETAIL_TOTAL = 131,
  IDC_NAME_LABEL = 143,
  IDC_NAME_FIELD = 113,
  IDC_LIST_BUTTON = 116,
  IDC_AMOUNT_LABEL = 150,
  IDC_AMOUNT_FIELD = 114,
  IDC_CALCULATOR_BUTTON = 118,
};

enum DisplayMode : int { DM_DAY_INPUT = 0, DM_SUMMARY = 1, DM_CASH_BOOK = 2 };

class CSoramiView : public QWidget {
  Q_OBJECT

 public:
  explicit CSoramiView(QWidget* parent = nullptr);

  QWidget* control(int id) const { return controls_.value(id); }
  QLineEdit* nameField() const;
  QLineEdit* amountField() const;
  QScrollBar* columnSelector() const;

  int displayMode() const { return displayMode_; }
  // The cash book takes the whole width; the other modes show the item side too.
  void setDisplayMode(int mode);

  void setViewFont(const QFont& font);

 private:
  QWidget* buildItemSide();
  QWidget* buildDetailSide();
  QWidget* buildInputRow();
  QWidget* codedLine(int id, const QString& text);
  QWidget* list(int id);
  template <typename W>
  W* add(int id, W* widget);

  QHash<int, QWidget*> controls_;
  QWidget* itemSide_ = nullptr;
  int displayMode_ = DM_DAY_INPUT;
};

}  // namespace sorami
