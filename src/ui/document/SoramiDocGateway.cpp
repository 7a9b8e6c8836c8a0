#include "document/SoramiDocGateway.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "diary/DiaryWindows.h"
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

const QString kFileFilter = QStringLiteral("そらみﾃﾞｰﾀ(*.mtb)");

std::filesystem::path toPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString fromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

// The items the settings sheet offers as receivers of tax lines, transfers left out.
ConfigSheetItems sheetItems(CHinmeiList* store) {
  ConfigSheetItems items;
  if (store == nullptr) return items;
  for (int slot = 0; slot < store->itemCount(); ++slot) {
    const CHinmei* def = store->itemAt(slot);
    if (def->flags & (EF_ACCOUNT | EF_LOAN)) continue;
    const ItemChoice choice{def->item, def->name};
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
  return openPath(path);
}

bool SoramiDocGateway::openPath(const QString& path) {
  document_.setOldFileDiaryTitle(settings_.diaryTitle().toStdU16String());
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
  const bool saved = document_.save();
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
  const bool saved = document_.saveAs(toPath(path));
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

void SoramiDocGateway::reportShortfalls() {
  if (!shortfallsPending_) return;
  shortfallsPending_ = false;
  sorami::reportShortfalls(startUp_, prompts_);
}

bool SoramiDocGateway::mayClose() {
  storePendingText();
  // Without a file there is nothing to save, whatever the settings sheet changed.
  if (hasFile() && !document_.saveModified()) return false;
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
}

}  // namespace sorami
