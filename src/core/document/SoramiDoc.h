#pragma once
// The document: the one open data file with its ledger. It decides when a file is created,
// opened, saved and closed, asks for the password, recovers from damaged and oversized files,
// and keeps the live configuration consistent with the file.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/Config.h"
#include "config/DefaultData.h"
#include "document/DataFile.h"
#include "document/ReadAhead.h"
#include "document/SafeFile.h"
#include "ledger/BudgetList.h"
#include "ledger/EntryReader.h"
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"

namespace sorami {

class Clock;

inline constexpr std::u16string_view kNoFileTitle = u"開いたデータ無し";

// What the document tells the window around it. Every default does nothing.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  virtual void titleChanged(const std::u16string& /*title*/) {}
  virtual void addRecentFile(const std::filesystem::path& /*path*/) {}
  // Every view shows the new ledger.
  virtual void refreshViews() {}
  // The password check ended with "終了(&X)": the application ends.
  virtual void exitApplication() {}
};

// How the last open went, for reports such as the command line's check.
struct OpenReport {
  bool ok = false;
  bool damaged = false;         // the store was read in part
  bool budgetsDamaged = false;  // the budget list was read in part
  bool upgraded = false;        // an older version was brought up to date
  bool trimmed = false;         // the oldest entries were folded away
  uint16_t dataVersion = 0;     // as read from the file
  LoadFailure failure = LoadFailure::None;
};

class CSoramiDoc {
 public:
  CSoramiDoc(CConfig& live, Prompts& prompts, const Clock& clock, DocumentHost* host = nullptr);
  ~CSoramiDoc();
  CSoramiDoc(const CSoramiDoc&) = delete;
  CSoramiDoc& operator=(const CSoramiDoc&) = delete;

  // For a process that ends right after this document: the store and the budgets are left to
  // the system instead of being taken apart entry by entry (a million entries take
  // milliseconds to free). Nothing of the document may be used afterwards but its destructor.
  void leaveStoreToProcessExit();

  // ---- State.
  CHinmeiList* entries() { return entries_.get(); }
  CBudgetList* budgets() { return budgets_.get(); }
  const std::filesystem::path& path() const { return path_; }
  const std::u16string& title() const { return title_; }
  bool hasFile() const { return entries_ != nullptr && !path_.empty(); }
  CConfig& config() { return live_; }
  Prompts& prompts() { return prompts_; }
  const CConfig& snapshot() const { return snapshot_; }
  Day currentDay() const { return currentDay_; }
  Day today() const;
  // Modified: the entry store or the budget list changed, or the settings differ from those
  // last opened or saved. With the open-day mode 2 the current day is remembered first.
  bool isModified();
  void setModified(bool on) { modified_ = on; }
  // The number of entries a read may keep; kReadLimitUnlimited never trims.
  uint32_t readLimit() const { return readLimit_; }
  void setReadLimit(uint32_t limit) { readLimit_ = limit; }
  // The diary title that files without a configuration block are given (the device's own).
  void setOldFileDiaryTitle(std::u16string title) { oldFileDiaryTitle_ = std::move(title); }
  // The next open takes what `ahead` read when it opens that file and the read still stands
  // for it; whatever else it opens, it reads itself. Later opens always read for themselves.
  void setReadAhead(std::unique_ptr<ReadAhead> ahead) { readAhead_ = std::move(ahead); }
  const OpenReport& lastOpen() const { return lastOpen_; }
  // Runs after every open and creation (card settlement, automatic entries, ...).
  std::function<void(CSoramiDoc&)> postOpen;
  // Passed to every save, so a test can fail or end a save half-way.
  std::function<void(size_t)> saveProgress;
  // Called for every entry read, with the limit in force; a test can run out of memory there.
  std::function<void(uint32_t index, uint32_t limit)> readProgress;
  // Passed to every save as the stand-in for the disk (see SafeWriteOptions::writeFault).
  std::function<int(const std::filesystem::path&)> saveWriteFault;

  // ---- The file on disk.
  enum class DiskState {
    Unchanged,  // the file holds what this document read or last saved there
    Changed,    // another program has written it since
    Gone,       // it was removed or cannot be read
    Unknown,    // this document has read or saved no file
  };
  // Whether the file this document read or last saved is still on disk as it was then (its
  // size and the hash of its bytes). Every save over that file asks it first and refuses to
  // write over another program's changes.
  DiskState fileOnDisk() const;
  // For a program that reads, changes and saves in one go: every open then takes the file's
  // exclusive lock (waiting up to `wait` for another process to let it go) and holds it until
  // the next open or the end of the document, so no other writer comes between read and save.
  void holdLockFromOpen(std::chrono::milliseconds wait);
  // For a reader that will not save: opening then skips hashing the file's bytes, which only
  // tells a save whether another program changed the file meanwhile (a save would ask first).
  void openForReadingOnly() { identifiesFile_ = false; }
  // For a reader that computes each figure it shows itself: opening then leaves the balances of
  // the opening day uncomputed, and a report of its own span passes over the lines once.
  void skipOpeningFigures() { figuresAtOpen_ = false; }

  // ---- History. One user command is one step: beginStep and endStep bracket it, and what
  // changed outside any command becomes a step at the next closeStep(). The budgets and the
  // file's settings are taken back and made again with the entries. Opening or creating a
  // file starts a new history; saving keeps it.
  void beginStep(std::u16string label = {});
  void endStep();
  void closeStep();
  bool undo();
  bool redo();

  // ---- Recovery after a crash (document/Recovery.h keeps the copies).
  // The ledger as a save would write it now.
  std::vector<uint8_t> recoveryBytes();
  // Opens the recovery copy of `file` in its place: the ledger is the copy's, unsaved, and the
  // open file (the one a save replaces) is `file`, which stays as it is until then.
  bool openRecovered(const std::filesystem::path& file, const std::filesystem::path& copy);

  // ---- Lifecycle.
  // The command "新規作成": the dialog, the file name and the new ledger.
  bool newDataFile();
  // Creates a new file at `path` from given values, without dialogs.
  bool createFile(const std::filesystem::path& path, const NewFileValues& values);
  bool open(const std::filesystem::path& path);
  bool save(const std::filesystem::path& path);
  bool save() { return save(path_); }
  // "名前を付けて保存": the ledger goes to `path`, which then is the open file; the old file
  // stays as it was saved last.
  bool saveAs(const std::filesystem::path& path);
  // Before a close, exit or the open of another file; true when the close may go on.
  bool saveModified();
  // The dialog "ﾊﾟｽﾜｰﾄﾞの設定"; true when the password changed.
  bool setPassword();
  // The command "期首処理(&C)...": the closing date, the new file, then the processing.
  bool startOfPeriod();
  // Closes the old period on `closing` into the new file `newPath`, which then is the open file.
  bool closePeriod(Day closing, const std::filesystem::path& newPath);
  void deleteContents();
  // After a change that alters many lines or every past balance: the next save keeps the file
  // as it was before it as NAME.mtb.bak, even when this opening already kept one.
  void keepBackupAtNextSave() { backedUp_.clear(); }
  // Makes `day` the current day and fits the ledger's window to it.
  void setCurrentDay(Day day);

 private:
  enum class ReadStep { Done, Retry, Failed };
  ReadStep readOnce(const std::filesystem::path& path, LoadedFile& loaded,
                    std::optional<FileLock>& lock, ReadAhead* ahead);
  LoadedFile load(const std::filesystem::path& path, const ReadOptions& options, ReadAhead* ahead);
  std::optional<FileLock> lockForReading(const std::filesystem::path& path);
  SaveError checkBeforeReplacing(const std::filesystem::path& path) const;
  void rememberOnDisk(const std::filesystem::path& path, const FileIdentity& identity);
  bool lowerLimitAndAsk(std::optional<uint32_t> lowered);
  bool passwordAccepted(const CHinmeiList& entries);
  bool acceptDamage(const LoadedFile& loaded, const EntryReader& reader);
  void reportTrim(const EntryReader& reader);
  void upgrade(LoadedFile& loaded);
  void adopt(LoadedFile& loaded, const std::filesystem::path& path);
  void restorePrevious();
  Day openingDay() const;
  void runPostOpen();
  void updateContext();
  void setPath(const std::filesystem::path& path);
  bool writeLedger(const std::filesystem::path& path, CHinmeiList& entries, CBudgetList* budgets);
  std::vector<uint8_t> bytesToWrite(CHinmeiList& entries, CBudgetList* budgets,
                                    CConfig& copy) const;
  void reportSaveError(SaveError error, const std::filesystem::path& path);
  bool createLedger(const std::filesystem::path& path, const NewFileValues& values);
  void foldBalancesInto(Day day);
  void noteSideChanges();
  void restAtPresent();
  void afterHistoryMove();

  CConfig& live_;
  Prompts& prompts_;
  const Clock& clock_;
  DocumentHost* host_;
  DocumentHost noHost_;

  std::unique_ptr<CHinmeiList> entries_;
  std::unique_ptr<CBudgetList> budgets_;
  std::filesystem::path path_;
  std::u16string title_{kNoFileTitle};
  CConfig snapshot_;
  CConfig backup_;
  Day currentDay_ = MinDay;
  bool modified_ = false;
  uint32_t readLimit_ = kReadLimitUnlimited;
  std::u16string oldFileDiaryTitle_{kDefaultDiaryTitle};
  // The file whose previous version was already kept as .bak in this opening.
  std::filesystem::path backedUp_;
  // The file as this document last read or saved it.
  std::filesystem::path diskPath_;
  FileIdentity diskIdentity_;
  bool holdLock_ = false;
  bool identifiesFile_ = true;
  bool figuresAtOpen_ = true;
  std::chrono::milliseconds lockWait_{0};
  std::optional<FileLock> heldLock_;
  OpenReport lastOpen_;
  std::unique_ptr<ReadAhead> readAhead_;
  // The budgets and settings as the last step left them, to tell what a step changed.
  CBudgetList budgetsAtRest_;
  CConfig configAtRest_;
};

}  // namespace sorami
