#pragma once
// The main window: the menus and keys of every command around the one main view.

#include <QEvent>
#include <QHash>
#include <QMainWindow>
#include <functional>

#include "main/DisplayColors.h"

class QAction;
class QActionGroup;

namespace sorami {

class AppSettings;
class CSoramiView;
struct CommandSpec;

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
  // Commands that need data are disabled while no data file is open.
  void setDataLoaded(bool loaded);
  // An empty title means no file is open.
  void setDocumentTitle(const QString& title);
  void refreshRecentFiles();
  void bringToFront();
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
  QAction* buildAction(const CommandSpec& cmd);
  void setKeys(QAction* a, const char* text);
  void updateCommandStates();
  bool isEnabled(const CommandSpec& cmd) const;
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
  QHash<int, QAction*> keys_;  // combined key code to the command that owns it
  QActionGroup* modes_;
};

}  // namespace sorami
