#pragma once
// The memo window: opened after the amount when the memo is to be written last. It stays open
// beside the main window; OK writes the line with the memo as edited, ｷｬﾝｾﾙ writes nothing.

#include <QDialog>

class QLineEdit;

namespace sorami {

class AppSettings;

inline constexpr int IDD_MEMO = 258;
inline constexpr int kMemoMaxChars = 255;

class CMemoWindow : public QDialog {
  Q_OBJECT

 public:
  // Keeps its position in `settings` (section "Comment") when there are settings.
  explicit CMemoWindow(AppSettings* settings, QWidget* parent = nullptr);

  // Shows the window with the memo, the text cursor at its start. QDialog's own open() stays
  // beside it.
  using QDialog::open;
  void open(const QString& memo);
  QString memo() const;
  QLineEdit* editor() const { return edit_; }

 signals:
  // OK: write the line with memo().
  void memoAccepted();
  // ｷｬﾝｾﾙ or closed: back to the amount.
  void memoCancelled();

 protected:
  void done(int result) override;

 private:
  AppSettings* settings_;
  QLineEdit* edit_;
};

}  // namespace sorami
