#pragma once
// The main window: the menus and keys of every command around the one main view.

#include <QEvent>
#include <QHash>
#include <QMainWindow>
#include <functional>

#include "main/DisplayColors.h"

class QAction;
class QActionGroup;
class QKeyEvent;

namespace sorami {

class AppSettings;
class CSoramiView;
struct CommandEntry;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(AppSettings& settings, QWidget* parent = nullptr);
  // Writes the device settings that belong to the window's lifetime.
  ~CMainFrame() override;

  CSoramiView* view() const { return view_; }
  QAction* action(int id) const { return actions_.value(id); }

  // Gives a command its work; from then on it is enabled whenever its data needs are met.
  void attachCommand(int id, std::function<void()> handler);
  // Every command runs through `runner` (which may bracket it), given the command's id.
  void setCommandRunner(std::function<void(int id, const std::function<void()>& run)> runner) {
    runner_ = std::move(runner);
  }
  // A command with a probe is enabled only while the probe says so, besides its data needs.
  void setAvailability(int id, std::function<bool()> available);
  // Gives a command's menu entry another text and looks at its state again.
  void setCommandText(int id, const QString& text);
  // Runs after every key and click, once the event was handled, before the modified mark.
  void setAfterInput(std::function<void()> afterInput) { afterInput_ = std::move(afterInput); }
  // Looks at the enabled state of every command again.
  void updateCommandStates();
  // Runs the command that owns the key, for windows beside this one whose keys are its keys;
  // false when no enabled command owns it.
  bool runKey(const QKeyEvent& event);
  // Commands that need data are disabled while no data file is open.
  void setDataLoaded(bool loaded);
  // An empty title means no file is open.
  void setDocumentTitle(const QString& title);
  // Tells whether the open file has changes not yet saved; the title bar marks them. The mark
  // is looked at again after every key and click and whenever refreshModifiedMark() is called.
  void setModifiedProbe(std::function<bool()> probe) { modifiedProbe_ = std::move(probe); }
  void refreshModifiedMark();
  void refreshRecentFiles();
  void bringToFront();
  // Shows the window where it was at the last exit; the first time, or when that place lies on
  // no screen now, at firstStartGeometry() of its screen.
  void showAtStart();
  // Centred in the screen's work area, as tall as it (less room for a title bar) so that every
  // item row and the summary rows show whole, and no wider than a desktop needs.
  static QRect firstStartGeometry(const QRect& workArea);
  // Asked before the window closes (the document saves a changed file there); false keeps it.
  void setCloseGuard(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

  // What the About box says: the program and its version.
  static QString aboutText();

  const DisplayColors& colors() const { return colors_; }
  // Switches between the colour and the monochrome table and repaints.
  void setDisplayColor(int displayColor);
  // The file's setting that exchanges PgUp and PgDown (with Shift and Ctrl alike).
  void setPageKeysSwapped(bool swapped);
  bool debugMessages() const { return debug_; }
  void setDebugMessages(bool on) { debug_ = on; }
  int configTabNo() const { return configTabNo_; }
  void setConfigTabNo(int page) { configTabNo_ = page; }

 signals:
  void recentFileChosen(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  QAction* buildAction(const CommandEntry& cmd);
  void setKeys(QAction* a, const char* text);
  bool isEnabled(const CommandEntry& cmd) const;
  void showAbout();
  QAction* actionForKey(const QKeyEvent& event) const;
  bool helpKeyElsewhere(QWidget& receiver, QEvent::Type type, const QKeyEvent& key);

  AppSettings& settings_;
  CSoramiView* view_;
  DisplayColors colors_;
  bool debug_;
  int configTabNo_;
  bool dataLoaded_ = false;
  QHash<int, QAction*> actions_;
  QHash<int, std::function<void()>> handlers_;
  std::function<bool()> mayClose_;
  std::function<bool()> modifiedProbe_;
  std::function<void(int, const std::function<void()>&)> runner_;
  QHash<int, std::function<bool()>> availability_;
  std::function<void()> afterInput_;
  bool markPending_ = false;
  QHash<int, QAction*> keys_;  // combined key code to the command that owns it
  QActionGroup* modes_;
};

}  // namespace sorami
