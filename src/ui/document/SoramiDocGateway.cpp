#include "document/SoramiDocGateway.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTimer>

#include "diary/DiaryWindows.h"
#include "document/Recovery.h"
#include "import/StatementImportDialog.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "main/ViewCommands.h"
#include "platform/AppSettings.h"
#include "reports/ReportCommands.h"
#include "reports/SearchCommand.h"
#include "rules/AutoEntryPage.h"
#include "settings/ConfigSheet.h"

namespace sorami {

namespace {

constexpr int kChangesPerCopy = 10;
constexpr qint64 kCopyIntervalMs = 60'000;
constexpr int kIdleBeforeCopyMs = 1500;

const QString kFileFilter = QStringLiteral("そらみﾃﾞｰﾀ(*.mtb)");

std::filesystem::path toPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString fromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

// File commands replace or write the ledger rather than change it; the history's own commands
// move in it.
bool isStepOfHistory(int id) {
  switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_START_OF_PERIOD:
    case ID_APP_EXIT:
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
      return false;
    default:
      return id < ID_FILE_MRU_FILE1 || id > ID_FILE_MRU_FILE1 + 3;
  }
}

// A step is named after its command; a line typed, changed or deleted by its own content.
std::u16string stepLabel(int id) {
  const CommandEntry* c = findCommand(id);
  if (c == nullptr || c->menu == MenuId::None || id == ID_DELETE_ENTRY || id == ID_CHANGE_ENTRY) {
    return {};
  }
  QString text = QString::fromUtf16(c->text);
  text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  text.remove(QStringLiteral("..."));
  return text.toStdU16String();
}

// The items the settings sheet offers as receivers of tax lines, transfers left out.
ConfigSheetItems sheetItems(CHinmeiList* store) {
  ConfigSheetItems items;
  if (store == nullptr) return items;
  for (int slot = 0; slot < store->itemCount(); ++slot) {
    const CHinmei* def = store->itemAt(slot);
    if (def->flags & (EF_ACCOUNT | EF_LOAN)) continue;
    const ItemChoice choice{def->item, def->name.str()};
    if (def->flags & EF_EXPENSE) items.expense.push_back(choice);
    if (def->flags & EF_INCOME) items.income.push_back(choice);
  }
  return items;
}

}  // namespace

SoramiDocGateway::SoramiDocGateway(AppSettings& settings, Prompts& prompts, const Clock& clock,
                                   std::filesystem::path installedHolidays, QObject* parent)
    : QObject(parent),
      settings_(settings),
      prompts_(prompts),
      installedHolidays_(std::move(installedHolidays)),
      document_(live_, prompts, clock, this) {
  // What is due is written as soon as a file is open; its warnings wait for the window.
  document_.postOpen = [this](CSoramiDoc& doc) {
    startUp_ = runStartUp(doc, holidays_);
    shortfallsPending_ = !startUp_.shortfalls.empty();
  };
}

std::unique_ptr<ReadAhead> SoramiDocGateway::readAhead(const QString& path) {
  if (path.isEmpty()) return nullptr;
  return std::make_unique<ReadAhead>(toPath(path));
}

std::filesystem::path SoramiDocGateway::installedHolidayFile() {
  const QDir bin(QCoreApplication::applicationDirPath());
  return toPath(bin.absoluteFilePath(QStringLiteral("../share/sorami/HOLIDAY.TXT")));
}

QString SoramiDocGateway::title() const {
  return QString::fromStdU16String(document_.title());
}

void SoramiDocGateway::attachFrame(CMainFrame& frame) {
  frame_ = &frame;
  holidays_.loadAtStart(installedHolidays_, prompts_);
  frame.attachCommand(ID_FILE_NEW, [this] { newFile(); });
  frame.attachCommand(ID_FILE_OPEN, [this] { openChosen(); });
  frame.attachCommand(ID_FILE_SAVE, [this] { save(); });
  frame.attachCommand(ID_FILE_SAVE_AS, [this] { saveAs(); });
  frame.attachCommand(ID_SET_PASSWORD, [this] { setPassword(); });
  frame.attachCommand(ID_START_OF_PERIOD, [this] { startOfPeriod(); });
  frame.attachCommand(ID_IMPORT_STATEMENT, [this] { importStatement(); });
  frame.attachCommand(ID_OPTIONS, [this] { settingsSheet(); });
  frame.attachCommand(ID_AUTO_ENTRY, [this] { autoEntryPage(); });
  frame.attachCommand(ID_AUTO_ENTRY_RUN, [this] { forcedAutoEntries(); });
  frame.attachCommand(ID_EDIT_UNDO, [this] { undo(); });
  frame.attachCommand(ID_EDIT_REDO, [this] { redo(); });
  frame.setAvailability(ID_EDIT_UNDO,
                        [this] { return hasFile() && document_.entries()->canUndo(); });
  frame.setAvailability(ID_EDIT_REDO,
                        [this] { return hasFile() && document_.entries()->canRedo(); });
  frame.setCommandRunner([this](int id, const std::function<void()>& run) { runCommand(id, run); });
  frame.setAfterInput([this] { afterInput(); });
  auto* copyTimer = new QTimer(this);
  connect(copyTimer, &QTimer::timeout, this, [this] { keepRecoveryCopy(true); });
  copyTimer->start(static_cast<int>(kCopyIntervalMs));
  // The copy is taken when the user pauses, so that typing never waits for it.
  idleCopy_ = new QTimer(this);
  idleCopy_->setSingleShot(true);
  idleCopy_->setInterval(kIdleBeforeCopyMs);
  connect(idleCopy_, &QTimer::timeout, this, [this] { writeRecoveryCopy(); });
  connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s == Qt::ApplicationActive) checkFileOnDisk();
  });
  frame.setCloseGuard([this] { return mayClose(); });
  frame.setModifiedProbe([this] { return hasFile() && document_.isModified(); });
  attachViewCommands(frame);
  attachReportCommands(frame, *this);
  diary_ = attachDiaryWindows(frame, document_, holidays_, &settings_);
  search_ = attachSearchCommand(frame, document_, holidays_);
  showDocument();
}

QWidget* SoramiDocGateway::window() const {
  return frame_;
}

bool SoramiDocGateway::openFile(const QString& path) {
  storePendingText();
  if (document_.hasFile() && !document_.saveModified()) return false;
  dropRecoveryCopy();
  return openPath(path);
}

bool SoramiDocGateway::openPath(const QString& path) {
  document_.setOldFileDiaryTitle(settings_.diaryTitle().toStdU16String());
  if (openRecoveredInstead(path)) return true;
  const bool opened = document_.open(toPath(path));
  if (opened) settings_.addRecentFile(path);
  showDocument();
  return opened;
}

void SoramiDocGateway::startWithoutFile() {
  showDocument();
}

void SoramiDocGateway::newFile() {
  storePendingText();
  if (document_.hasFile() && !document_.saveModified()) return;
  dropRecoveryCopy();
  if (document_.newDataFile()) settings_.addRecentFile(fromPath(document_.path()));
  showDocument();
}

void SoramiDocGateway::openChosen() {
  const QString start =
      hasFile() ? QFileInfo(fromPath(document_.path())).absolutePath() : QString();
  const QString path =
      QFileDialog::getOpenFileName(window(), QStringLiteral("開く"), start, kFileFilter);
  if (!path.isEmpty()) openFile(path);
}

bool SoramiDocGateway::save() {
  if (!hasFile()) return false;
  storePendingText();
  // A file changed on disk may be saved under another name instead: the copy of the file this
  // session had open goes as well, or it would be offered at its next open.
  const std::filesystem::path before = document_.path();
  const bool saved = document_.save();
  if (saved) {
    waitForRecoveryCopy();
    if (document_.path() != before) removeRecoveryCopy(before);
    dropRecoveryCopy();
  }
  showState();
  return saved;
}

// The title, the recent files and every later save follow the new name; the ledger stays as
// it is in memory (a password file is not asked for again).
bool SoramiDocGateway::saveAs() {
  if (!hasFile()) return false;
  const QString path = QFileDialog::getSaveFileName(window(), QStringLiteral("名前を付けて保存"),
                                                    fromPath(document_.path()), kFileFilter);
  if (path.isEmpty()) return false;
  storePendingText();
  const std::filesystem::path before = document_.path();
  const bool saved = document_.saveAs(toPath(path));
  if (saved) {
    waitForRecoveryCopy();
    removeRecoveryCopy(before);
    dropRecoveryCopy();
  }
  showState();
  return saved;
}

void SoramiDocGateway::setPassword() {
  if (hasFile()) document_.setPassword();
  showState();
}

void SoramiDocGateway::startOfPeriod() {
  if (!hasFile()) return;
  storePendingText();
  document_.startOfPeriod();
  showDocument();
}

void SoramiDocGateway::importStatement() {
  if (!hasFile() || !frame_) return;
  const std::vector<std::filesystem::path> folders =
      profileFolders(toPath(QCoreApplication::applicationDirPath()));
  StatementImportDialog dialog(*document_.entries(), live_.decimalPlaces, prompts_, folders,
                               frame_);
  if (dialog.exec() != QDialog::Accepted) return;
  frame_->view()->refreshAll();
  showState();
}

void SoramiDocGateway::settingsSheet() {
  if (!frame_) return;
  ConfigSheetDevice device{frame_->colors().displayColor(), frame_->debugMessages() ? 1 : 0,
                           frame_->configTabNo()};
  ConfigSheet sheet(live_, device, sheetItems(document_.entries()), prompts_, frame_);
  const int result = sheet.exec();
  frame_->setConfigTabNo(device.configTabNo);
  if (result != QDialog::Accepted) return;
  const ConfigChanges& changes = sheet.changes();
  frame_->setDebugMessages(device.debug != 0);
  if (changes.displayColor) frame_->setDisplayColor(device.displayColor);
  CSoramiView* view = frame_->view();
  // The amount field works with the new settings from the next key on.
  if (changes.settings) view->setUpCalculator();
  if (changes.processingDay) {
    view->currentProcessingDay();
  } else if (changes.totals || changes.decimalPlaces || changes.listLayout) {
    view->refreshAll();
  }
  view->fitFont();
  showState();
}

void SoramiDocGateway::autoEntryPage() {
  if (!frame_ || !hasFile()) return;
  CSoramiView* view = frame_->view();
  CAutoEntryPage page(*document_.entries(), live_, prompts_, &settings_, view->currentDay(),
                      frame_);
  page.exec();
  // Rules may have registered accounts and loans the lists show.
  view->refreshAll();
  showState();
}

void SoramiDocGateway::forcedAutoEntries() {
  if (!frame_ || !hasFile()) return;
  CSoramiView* view = frame_->view();
  if (!sorami::forcedAutoEntries(*document_.entries(), live_, holidays_, view->currentDay())) {
    return;
  }
  view->refreshAll();
  showState();
}

void SoramiDocGateway::runCommand(int id, const std::function<void()>& run) {
  if (!hasFile() || !isStepOfHistory(id)) {
    run();
  } else {
    document_.beginStep(stepLabel(id));
    run();
    document_.endStep();
  }
  showHistory();
  keepRecoveryCopy(false);
}

// What a window beside the commands changed (the diary editor, the calendar) ends with the
// key or click that changed it.
void SoramiDocGateway::afterInput() {
  if (!hasFile()) return;
  document_.closeStep();
  showHistory();
  keepRecoveryCopy(false);
}

void SoramiDocGateway::keepRecoveryCopy(bool timerDue) {
  if (!hasFile()) return;
  // An evening's diary stays in the editor until the day changes: the minute's copy takes it.
  if (timerDue && QApplication::activeModalWidget() == nullptr) storePendingText();
  if (!document_.isModified()) return;
  const uint64_t changes = document_.entries()->changeCount();
  if (changes == copiedAtChange_) return;
  const bool due = timerDue ? !sinceCopy_.isValid() || sinceCopy_.elapsed() >= kCopyIntervalMs
                            : changes >= copiedAtChange_ + kChangesPerCopy;
  if (due && idleCopy_ != nullptr) idleCopy_->start();
}

void SoramiDocGateway::writeRecoveryCopy() {
  if (!hasFile() || !document_.isModified()) return;
  // A question in the middle of writing a line (a new account's balance) leaves half a pair in
  // the list: the copy waits until the line is whole.
  if (QApplication::activeModalWidget() != nullptr || document_.entries()->stepDepth() > 0) {
    if (idleCopy_ != nullptr) idleCopy_->start();
    return;
  }
  storePendingText();
  waitForRecoveryCopy();
  copiedAtChange_ = document_.entries()->changeCount();
  sinceCopy_.start();
  // The bytes are the ledger of this moment; writing them waits for the disk, which the window
  // does not.
  copying_ = std::async(std::launch::async, [copy = recoveryPathFor(document_.path()),
                                             bytes = document_.recoveryBytes()] {
    return sorami::writeRecoveryCopy(copy, bytes);
  });
}

void SoramiDocGateway::waitForRecoveryCopy() {
  if (copying_.valid()) copying_.get();
}

void SoramiDocGateway::dropRecoveryCopy() {
  if (idleCopy_ != nullptr) idleCopy_->stop();
  waitForRecoveryCopy();
  if (!document_.path().empty()) removeRecoveryCopy(document_.path());
  copiedAtChange_ = hasFile() ? document_.entries()->changeCount() : 0;
}

bool SoramiDocGateway::openRecoveredInstead(const QString& path) {
  const std::filesystem::path file = toPath(path);
  const std::filesystem::path copy = newerRecoveryCopy(file);
  if (copy.empty()) return false;
  const QString when =
      QFileInfo(fromPath(copy)).lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
  const Answer a = prompts_.ask(MessageId::RecoveryFound, {file.u16string(), when.toStdU16String()},
                                Buttons::YesNo, Answer::Yes);
  if (a != Answer::Yes) {
    std::error_code ec;
    std::filesystem::remove(copy, ec);
    return false;
  }
  if (!document_.openRecovered(file, copy)) return false;
  settings_.addRecentFile(path);
  copiedAtChange_ = document_.entries()->changeCount();
  showDocument();
  return true;
}

void SoramiDocGateway::checkFileOnDisk() {
  if (!hasFile() || askingReload_) return;
  const QString path = fromPath(document_.path());
  const QDateTime changed = QFileInfo(path).lastModified();
  if (path == declinedPath_ && changed == declinedTime_) return;
  storePendingText();
  if (document_.isModified() || document_.fileOnDisk() != CSoramiDoc::DiskState::Changed) return;
  askingReload_ = true;
  const Answer a = prompts_.ask(MessageId::FileChangedAskReload, {path.toStdU16String()},
                                Buttons::YesNo, Answer::Yes);
  askingReload_ = false;
  if (a == Answer::Yes) {
    openPath(path);
    return;
  }
  declinedPath_ = path;
  declinedTime_ = changed;
}

void SoramiDocGateway::undo() {
  storePendingText();
  if (hasFile() && document_.undo()) afterHistoryMove();
}

void SoramiDocGateway::redo() {
  storePendingText();
  if (hasFile() && document_.redo()) afterHistoryMove();
}

void SoramiDocGateway::afterHistoryMove() {
  if (!frame_) return;
  frame_->view()->refreshAll();
  if (diary_ != nullptr) diary_->historyMoved();
  showState();
}

void SoramiDocGateway::showHistory() {
  if (!frame_) return;
  const CHinmeiList* store = hasFile() ? document_.entries() : nullptr;
  const auto named = [](const char16_t* plain, const char16_t* prefix,
                        const std::u16string& label) {
    if (label.empty()) return QString::fromUtf16(plain);
    return QString::fromUtf16(prefix) + QString::fromStdU16String(label);
  };
  frame_->setCommandText(ID_EDIT_UNDO, named(u"元に戻す(&U)", u"元に戻す: ",
                                             store ? store->undoLabel() : std::u16string()));
  frame_->setCommandText(ID_EDIT_REDO, named(u"やり直し(&R)", u"やり直し: ",
                                             store ? store->redoLabel() : std::u16string()));
}

void SoramiDocGateway::reportShortfalls() {
  if (!shortfallsPending_) return;
  shortfallsPending_ = false;
  sorami::reportShortfalls(startUp_, prompts_);
}

bool SoramiDocGateway::mayClose() {
  storePendingText();
  // Without a file there is nothing to save, whatever the settings sheet changed.
  if (hasFile() && !document_.saveModified()) return false;
  // Saved, or left unsaved as the user chose: either way the program ends normally.
  dropRecoveryCopy();
  holidays_.saveAtExit(prompts_);
  return true;
}

void SoramiDocGateway::storePendingText() {
  if (diary_ != nullptr) diary_->storePendingText();
}

void SoramiDocGateway::addRecentFile(const std::filesystem::path& path) {
  settings_.addRecentFile(fromPath(path));
}

void SoramiDocGateway::exitApplication() {
  // Queued, so that it also ends a program whose event loop has not started yet.
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

// The view shows the ledger now in the document, and the window its state.
void SoramiDocGateway::showDocument() {
  if (!frame_) return;
  CSoramiView* view = frame_->view();
  view->setDocument(hasFile() ? &document_ : nullptr, &holidays_);
  view->documentLoaded();
  showState();
  if (shortfallsPending_) {
    QMetaObject::invokeMethod(this, &SoramiDocGateway::reportShortfalls, Qt::QueuedConnection);
  }
}

void SoramiDocGateway::showState() {
  if (!frame_) return;
  frame_->setDocumentTitle(hasFile() ? title() : QString());
  frame_->setDataLoaded(hasFile());
  frame_->setPageKeysSwapped(hasFile() && live_.swapPageKeys != 0);
  frame_->refreshRecentFiles();
  showHistory();
}

}  // namespace sorami
