#pragma once
// The diary editor (dialog 205 "日記の記入"): one day's text in a multi-line box with the edit
// buttons. It edits; the diary windows decide when the text is stored.

#include <QDialog>
#include <QString>

#include "rules/Day.h"

class QPlainTextEdit;

namespace sorami {

inline constexpr int IDD_DIARY_EDITOR = 205;
inline constexpr int IDC_DIARY_TEXT = 634;

class CDiaryEditor : public QDialog {
  Q_OBJECT

 public:
  explicit CDiaryEditor(QWidget* parent = nullptr);

  // Shows the day's text under the title; MinDay edits no day.
  void load(Day day, const QString& text, const QString& title);
  Day day() const { return day_; }
  // The text with "\n" line breaks.
  QString text() const;
  // The text differs from the one loaded (or last stored).
  bool changed() const { return text() != loaded_; }
  // The text was stored: it is what the day now holds.
  void markStored() { loaded_ = text(); }
  QPlainTextEdit* textBox() const { return edit_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void keepWithinLimit(int position, int added);

  QPlainTextEdit* edit_;
  Day day_ = MinDay;
  QString loaded_;
  // What typing may reach: the editor's limit, or a longer text that came in, kept whole.
  int limit_ = 0;
  bool trimming_ = false;
};

}  // namespace sorami
