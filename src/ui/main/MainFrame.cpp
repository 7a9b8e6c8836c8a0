#include "main/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "document/DocumentGateway.h"
#include "help/HelpWindow.h"
#include "main/Commands.h"
#include "main/SoramiView.h"
#include "platform/AppSettings.h"
#include "platform/Version.h"
#include "platform/WindowPos.h"

namespace sorami {

namespace {

int keyCode(const QKeyEvent& event) {
  // A key of the number pad means the same command as its twin on the main keyboard.
  const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
  return QKeyCombination(mods, static_cast<Qt::Key>(event.key())).toCombined();
}

bool isRecentFile(int id) {
  return id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 4;
}

// The main window's place in the settings store.
const QString kFrameSection = QStringLiteral("MainFrame");
// What the first window leaves of the work area: room for the title bar and the border that a
// window manager adds around the window.
constexpr int TitleBarAllowance = 40;
constexpr int FrameMargin = 16;
// Wider than this the lists gain nothing but empty space.
constexpr int FirstStartMaxWidth = 1280;

}  // namespace

CMainFrame::CMainFrame(AppSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      view_(new CSoramiView(this)),
      colors_(settings.displayColor()),
      debug_(settings.debug()),
      configTabNo_(settings.configTabNo()),
      modes_(new QActionGroup(this)) {
  setCentralWidget(view_);
  view_->setDisplayColor(colors_.displayColor());
  view_->setAppSettings(&settings_);
  view_->setFocus();
  buildMenus();
  attachCommand(ID_APP_EXIT, [this] { close(); });
  attachCommand(ID_APP_ABOUT, [this] { showAbout(); });
  attachCommand(ID_HELP_FINDER, [] { showHelp(); });
  setDocumentTitle({});
  refreshRecentFiles();
  qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
  // Also where no window manager reports moves: the geometry is what the window has.
  if (isVisible()) saveWindowPos(*this, kFrameSection, settings_);
  settings_.setDisplayColor(colors_.displayColor());
  settings_.writeVersion();
  settings_.setDebug(debug_);
  settings_.setConfigTabNo(configTabNo_);
  settings_.sync();
}

void CMainFrame::buildMenus() {
  QHash<MenuId, QMenu*> menus;
  for (const MenuEntry& m : menuTable()) {
    menus.insert(m.id, menuBar()->addMenu(QString::fromUtf16(m.title)));
  }
  for (const CommandEntry& cmd : commandTable()) {
    QAction* a = buildAction(cmd);
    if (cmd.menu == MenuId::None) {
      addAction(a);  // keys of the window without a menu entry
      continue;
    }
    QMenu* menu = menus.value(cmd.menu);
    if ((cmd.flags & CF_SEPARATOR) && !menu->isEmpty()) menu->addSeparator();
    menu->addAction(a);
  }
  modes_->setExclusive(true);
  for (int id : {ID_DAY_INPUT_MODE, ID_SUMMARY_MODE, ID_CASH_BOOK_MODE}) {
    modes_->addAction(action(id));
  }
  action(ID_DAY_INPUT_MODE)->setChecked(true);
}

QAction* CMainFrame::buildAction(const CommandEntry& cmd) {
  auto* a = new QAction(QString::fromUtf16(cmd.text), this);
  a->setData(cmd.id);
  a->setCheckable(cmd.flags & CF_CHECKABLE);
  a->setShortcutContext(Qt::WindowShortcut);
  setKeys(a, cmd.keys);
  connect(a, &QAction::triggered, this, [this, id = cmd.id] {
    if (isRecentFile(id)) {
      // A copy: opening the file reorders the list the path came from.
      const QString path = settings_.recentFiles().files().value(id - ID_FILE_MRU_FILE1);
      if (!path.isEmpty()) emit recentFileChosen(path);
      return;
    }
    const auto handler = handlers_.value(id);
    if (!handler) return;
    if (runner_) {
      runner_(id, handler);
    } else {
      handler();
    }
  });
  actions_.insert(cmd.id, a);
  a->setEnabled(isEnabled(cmd));
  return a;
}

void CMainFrame::setKeys(QAction* a, const char* text) {
  for (const QKeySequence& k : a->shortcuts()) keys_.remove(k[0].toCombined());
  QList<QKeySequence> keys =
      QKeySequence::listFromString(QString::fromLatin1(text), QKeySequence::PortableText);
  keys.removeIf([](const QKeySequence& k) { return k.isEmpty(); });
  a->setShortcuts(keys);
  for (const QKeySequence& k : keys) keys_.insert(k[0].toCombined(), a);
}

// With the page keys swapped, PgDown goes back and PgUp forward; the menu entries keep their
// meaning and show the keys that now reach them.
void CMainFrame::setPageKeysSwapped(bool swapped) {
  const std::pair<int, int> pairs[] = {
      {ID_PREV_DAY, ID_NEXT_DAY}, {ID_PREV_WEEK, ID_NEXT_WEEK}, {ID_PREV_MONTH, ID_NEXT_MONTH}};
  for (const auto& [back, forward] : pairs) {
    const char* backKeys = findCommand(back)->keys;
    const char* forwardKeys = findCommand(forward)->keys;
    // Both first lose their keys, so that neither takes back a key the other is about to get.
    setKeys(action(back), "");
    setKeys(action(forward), "");
    setKeys(action(back), swapped ? forwardKeys : backKeys);
    setKeys(action(forward), swapped ? backKeys : forwardKeys);
  }
}

bool CMainFrame::isEnabled(const CommandEntry& cmd) const {
  const int id = isRecentFile(cmd.id) ? ID_FILE_OPEN : cmd.id;
  const bool landed = handlers_.contains(id);
  const auto available = availability_.value(id);
  return landed && (dataLoaded_ || !(cmd.flags & CF_NEEDS_DATA)) && (!available || available());
}

void CMainFrame::setAvailability(int id, std::function<bool()> available) {
  availability_[id] = std::move(available);
  updateCommandStates();
}

void CMainFrame::setCommandText(int id, const QString& text) {
  if (QAction* a = action(id)) {
    a->setText(text);
    a->setEnabled(isEnabled(*findCommand(id)));
  }
}

void CMainFrame::updateCommandStates() {
  for (const CommandEntry& cmd : commandTable()) action(cmd.id)->setEnabled(isEnabled(cmd));
}

void CMainFrame::attachCommand(int id, std::function<void()> handler) {
  handlers_[id] = std::move(handler);
  updateCommandStates();
}

void CMainFrame::setDataLoaded(bool loaded) {
  dataLoaded_ = loaded;
  updateCommandStates();
}

QRect CMainFrame::firstStartGeometry(const QRect& workArea) {
  const QSize size(qMin(workArea.width() - FrameMargin, FirstStartMaxWidth),
                   workArea.height() - TitleBarAllowance);
  QRect r(QPoint(), size);
  r.moveCenter(workArea.center());
  return r;
}

void CMainFrame::showAtStart() {
  const QScreen* at = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (at != nullptr) setGeometry(firstStartGeometry(at->availableGeometry()));
  restoreWindowPos(*this, kFrameSection, settings_);  // left alone when there is none
  show();
}

// "[*]" is where the title bar shows the mark of unsaved changes.
void CMainFrame::setDocumentTitle(const QString& title) {
  setWindowTitle(title.isEmpty() ? NoFileTitle : title + QStringLiteral("[*]"));
  refreshModifiedMark();
}

void CMainFrame::refreshModifiedMark() {
  markPending_ = false;
  // A question asked in the middle of writing a line (a new account's balance) is part of that
  // line: its keys do not end the step, or one undo would leave half a pair.
  if (afterInput_ && QApplication::activeModalWidget() == nullptr) afterInput_();
  const bool modified = modifiedProbe_ && modifiedProbe_();
  if (modified == isWindowModified()) return;
  // Without a file the title has no place for the mark.
  if (modified && !windowTitle().contains(QStringLiteral("[*]"))) return;
  setWindowModified(modified);
}

void CMainFrame::setDisplayColor(int displayColor) {
  colors_.select(displayColor);
  view_->setDisplayColor(displayColor);
  update();
}

void CMainFrame::refreshRecentFiles() {
  const QStringList& files = settings_.recentFiles().files();
  for (int i = 0; i < 4; ++i) {
    QAction* a = action(ID_FILE_MRU_FILE1 + i);
    a->setVisible(i < files.size());
    if (i < files.size()) a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]));
  }
}

void CMainFrame::bringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (mayClose_ && !mayClose_()) {
    event->ignore();
    return;
  }
  saveWindowPos(*this, kFrameSection, settings_);
  QMainWindow::closeEvent(event);
}

QString CMainFrame::aboutText() {
  return QStringLiteral("そらみ %1\n家計簿,出納簿そらみ").arg(QString::fromLatin1(kVersion));
}

void CMainFrame::showAbout() {
  QMessageBox::about(this, QStringLiteral("バージョン情報"), aboutText());
}

// The help key works in every window of the program, each opening its own page; the other keys
// of the main window stay in the main window.
bool CMainFrame::helpKeyElsewhere(QWidget& receiver, QEvent::Type type, const QKeyEvent& key) {
  QAction* help = action(ID_HELP_FINDER);
  if (actionForKey(key) != help || !help->isEnabled()) return false;
  // The page is that of the window the key was typed in.
  if (type == QEvent::KeyPress && !key.isAutoRepeat()) showHelp(&receiver);
  return type == QEvent::KeyPress;
}

QAction* CMainFrame::actionForKey(const QKeyEvent& event) const {
  return keys_.value(keyCode(event));
}

bool CMainFrame::runKey(const QKeyEvent& event) {
  QAction* a = actionForKey(event);
  if (a == nullptr || !a->isEnabled()) return false;
  a->trigger();
  return true;
}

// The window's own keys come before the meaning a child widget or the desktop gives them
// (Ctrl+A pastes entries here instead of selecting the text of a field). A key whose command is
// disabled does nothing, as a menu key should.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // Whatever a key or a click changes is done once the event has been handled.
  if ((type == QEvent::KeyRelease || type == QEvent::MouseButtonRelease) && !markPending_) {
    markPending_ = true;
    QTimer::singleShot(0, this, &CMainFrame::refreshModifiedMark);
  }
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (widget->window() != this) return helpKeyElsewhere(*widget, type, *key);
  QAction* a = actionForKey(*key);
  if (!a) return false;
  if (type == QEvent::ShortcutOverride) {
    if (!a->isEnabled()) return false;
    key->ignore();  // leaves the key to the window's shortcut
    return true;
  }
  const CommandEntry* cmd = findCommand(a->data().toInt());
  return !a->isEnabled() && cmd && cmd->menu != MenuId::None;
}

}  // namespace sorami
