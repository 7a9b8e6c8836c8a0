#pragma once
// The diary search (dialog 270): a word, and the buttons that look for it on earlier or later
// days than the diary list's current day.

#include <QDialog>

#include "reports/Diary.h"

class QLineEdit;

namespace sorami {

inline constexpr int IDD_DIARY_SEARCH = 270;
inline constexpr int IDC_DIARY_KEYWORD = 930;
inline constexpr int IDC_DIARY_EARLIER = 928;
inline constexpr int IDC_DIARY_LATER = 927;

class CDiarySearch : public QDialog {
  Q_OBJECT

 public:
  explicit CDiarySearch(QWidget* parent = nullptr);
  QLineEdit* keyword() const { return keyword_; }

 signals:
  void searchRequested(const QString& keyword, DiaryDirection direction);

 private:
  QLineEdit* keyword_;
};

}  // namespace sorami
