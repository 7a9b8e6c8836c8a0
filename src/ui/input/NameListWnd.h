#pragma once
// The special-name window: a small floating list of the special names of the item selected in
// the main window, so that a product name is picked instead of typed. It keeps its place in the
// device settings and passes its keys on to the main window as the main window's commands.

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QKeyEvent;
class QListWidget;

namespace sorami {

class AppSettings;
class CStaticWnd;
class DisplayColors;

inline constexpr int IDD_SPECIAL_NAMES = 250;

class CSpecialNameWnd : public QWidget {
  Q_OBJECT

 public:
  // `settings` keeps the position (none: it is not kept); `colors` draws the rows.
  CSpecialNameWnd(AppSettings* settings, const DisplayColors& colors, QWidget* parent = nullptr);

  // The names, bare; with `numbered` each row is drawn after its number and a point. The
  // header names what the rows are (品名, 口座 or 借入) and the caption the item.
  void setNames(const std::vector<std::u16string>& names, bool numbered, int selected);
  void setHeader(const QString& codedText);
  QString headerText() const;
  // How many rows the window shows (3 to 25).
  void setVisibleRows(int rows);

  int count() const;
  int selectedRow() const;
  void selectRow(int row);
  QString nameAt(int row) const;
  // A row as it is drawn, number included.
  QString rowText(int row) const;
  QListWidget* list() const { return list_; }

  // Shows the window without taking the focus: where the user left it, or above `anchor` (in
  // global coordinates) the first time, held inside the screen.
  void showBeside(const QRect& anchor);
  // The keys come to the list (Tab from the input row); the window takes the keys only so.
  void takeKeys();
  // Puts the window back onto the screen it is on, or the nearest one.
  void holdOnScreen();

  // Asked for every key the window does not keep for itself; true when the main window ran a
  // command for it.
  std::function<bool(const QKeyEvent&)> mainWindowKey;

 signals:
  // A row was chosen with the pointer or the keys: its name goes into the product-name field.
  void nameSelected(int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void fitHeight();

  AppSettings* settings_;
  CStaticWnd* header_;
  QListWidget* list_;
  int visibleRows_ = 7;
  bool numbered_ = false;
  bool placed_ = false;
  bool clickPending_ = false;
  bool keysWanted_ = false;
};

}  // namespace sorami
