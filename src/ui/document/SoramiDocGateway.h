#pragma once
// The open data file in the window: the File menu over the document, the title, the holiday
// table of the program's lifetime, the settings sheet, and the main view fed with each new ledger.

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <filesystem>
#include <future>

#include "config/Config.h"
#include "document/DocumentGateway.h"
#include "document/SoramiDoc.h"
#include "document/StartUpProcessing.h"
#include "rules/Holidays.h"

class QTimer;

namespace sorami {

class AppSettings;
class CDiaryWindows;
class CSearchCommand;
class Clock;
class Prompts;

class SoramiDocGateway : public QObject, public DocumentGateway, public DocumentHost {
  Q_OBJECT

 public:
  // `installedHolidays` is the holiday file installed with the program, read when the user has
  // none of their own.
  SoramiDocGateway(AppSettings& settings, Prompts& prompts, const Clock& clock,
                   std::filesystem::path installedHolidays, QObject* parent = nullptr);

  // Starts reading the file at `path` (when there is one) for the document's first open.
  static std::unique_ptr<ReadAhead> readAhead(const QString& path);

  // The holiday file installed beside the program's data: <prefix>/share/sorami/HOLIDAY.TXT.
  static std::filesystem::path installedHolidayFile();

  bool openFile(const QString& path) override;
  void startWithoutFile() override;
  bool hasFile() const override { return document_.hasFile(); }
  QString title() const override;
  void attachFrame(CMainFrame& frame) override;

  CSoramiDoc& document() { return document_; }
  CHoliday& holidays() { return holidays_; }
  Prompts& prompts() { return prompts_; }
  AppSettings& settings() { return settings_; }
  // The diary windows with the calendar, and the search; there once a frame is attached.
  CDiaryWindows* diaryWindows() const { return diary_; }
  CSearchCommand* searchCommand() const { return search_; }

  // ---- The document's side.
  void exitApplication() override;
  void addRecentFile(const std::filesystem::path& path) override;

  // ---- Commands.
  void newFile();
  void openChosen();
  bool save();
  bool saveAs();
  void setPassword();
  void startOfPeriod();
  // "明細の取り込み": a bank or card statement into the open file.
  void importStatement();
  void settingsSheet();
  // The settings page "自動記入" and the command "自動記入の強制実行".
  void autoEntryPage();
  void forcedAutoEntries();
  // "元に戻す" and "やり直し": the last step of the history taken back, or made again.
  void undo();
  void redo();
  // The window is active again: a file another program changed meanwhile is offered for
  // reading again, when nothing here is unsaved.
  void checkFileOnDisk();
  // Writes the recovery copy of the unsaved ledger now (the bytes here, the file beside the
  // window's work); waits for the copy before.
  void writeRecoveryCopy();
  // Waits until the copy being written is on disk.
  void waitForRecoveryCopy();
  // The close guard: a changed file is saved (asked as configured), the holiday table written.
  bool mayClose();

 private:
  // What the diary editor holds goes into the ledger before a save or a close.
  void storePendingText();
  bool openPath(const QString& path);
  // Every command that may change the ledger is one step of its history.
  void runCommand(int id, const std::function<void()>& run);
  void afterInput();
  void afterHistoryMove();
  // The edit menu names the steps it would take back and make again.
  void showHistory();
  // After a change: every tenth change, and a minute after the last copy, the copy follows.
  void keepRecoveryCopy(bool timerDue);
  // The copy is gone once the file is saved or let go of as the user chose.
  void dropRecoveryCopy();
  // Before a file is opened: a recovery copy newer than it is offered instead.
  bool openRecoveredInstead(const QString& path);
  void showDocument();
  void showState();
  QWidget* window() const;
  // The shortfalls the balance watch found at the last opening, told once the window shows the
  // file.
  void reportShortfalls();

  AppSettings& settings_;
  Prompts& prompts_;
  std::filesystem::path installedHolidays_;
  CConfig live_;
  CHoliday holidays_;
  CSoramiDoc document_;
  CMainFrame* frame_ = nullptr;
  StartUpResult startUp_;
  bool shortfallsPending_ = false;
  CDiaryWindows* diary_ = nullptr;
  CSearchCommand* search_ = nullptr;
  bool askingReload_ = false;
  uint64_t copiedAtChange_ = 0;
  QElapsedTimer sinceCopy_;
  std::future<bool> copying_;
  QTimer* idleCopy_ = nullptr;
  // The version on disk the user chose not to read again (its time of change).
  QString declinedPath_;
  QDateTime declinedTime_;
};

}  // namespace sorami
