// Saving: the configuration text goes into the header entry, then the whole file is written
// beside the old one and put in its place.

#include <exception>
#include <string>

#include "document/SoramiDoc.h"

namespace sorami {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxPasswordLength = 20;

// The configuration text lives in the visible memo of the header, which ends at a NUL; a NUL
// read from a damaged file into one of its texts would cut the text short on the next open.
void dropNulCharacters(CConfig& config) {
  for (std::u16string* text : {&config.delimiters, &config.decreaseName, &config.increaseName}) {
    std::erase(*text, u'\0');
  }
}

}  // namespace

bool CSoramiDoc::save(const fs::path& path) {
  if (!entries_) return false;
  closeStep();
  std::error_code ec;
  if (!diskPath_.empty() && fs::equivalent(path, diskPath_, ec) &&
      fileOnDisk() == DiskState::Changed) {
    switch (prompts_.ask(MessageId::FileChangedAskSave, {path.u16string()}, Buttons::YesNoCancel,
                         Answer::Cancel)) {
      case Answer::Yes:
        // The user has seen the other version and chose this one: it is the one to replace.
        if (const std::optional<FileIdentity> now = identityOnDisk(path)) {
          rememberOnDisk(path, *now);
        }
        break;
      case Answer::No:
        if (const std::optional<fs::path> other = prompts_.chooseSaveFile(
                {u"名前を付けて保存", path.filename().u16string(), u"そらみﾃﾞｰﾀ(*.mtb)", u"mtb"})) {
          return saveAs(*other);
        }
        return false;
      default:
        return false;
    }
  }
  if (!writeLedger(path, *entries_, budgets_.get())) return false;
  modified_ = false;
  entries_->markSaved();
  if (budgets_) budgets_->setModified(false);
  return true;
}

bool CSoramiDoc::saveAs(const fs::path& path) {
  if (!save(path)) return false;
  setPath(path);
  host_->addRecentFile(path);
  return true;
}

std::vector<uint8_t> CSoramiDoc::bytesToWrite(CHinmeiList& entries, CBudgetList* budgets,
                                              CConfig& copy) const {
  copy = live_;
  // Unless the display mode is saved, the file keeps the one it was opened with.
  if (live_.saveDisplayMode == 0) {
    copy.displayMode = snapshot_.displayMode;
    copy.displaySubMode = snapshot_.displaySubMode;
  }
  dropNulCharacters(copy);
  if (!entries.empty() && entries.begin()->isHeader()) {
    entries.begin()->setVisibleMemo(copy.toText());
  }
  return dataFileBytes(copy, entries, budgets);
}

std::vector<uint8_t> CSoramiDoc::recoveryBytes() {
  if (!entries_) return {};
  CConfig copy;
  return bytesToWrite(*entries_, budgets_.get(), copy);
}

bool CSoramiDoc::openRecovered(const fs::path& file, const fs::path& copy) {
  // The copy is no recent file of the user's; the window shows the ledger once it is in place.
  DocumentHost* host = host_;
  host_ = &noHost_;
  const bool opened = open(copy);
  host_ = host;
  if (!opened) return false;
  setPath(file);
  backedUp_.clear();
  heldLock_.reset();
  // Which version of the file the lost session had opened is not known: another program may
  // have changed it before the crash. The first save asks before it replaces the file.
  if (identityOnDisk(file)) {
    rememberOnDisk(file, FileIdentity{});
  } else {
    rememberOnDisk({}, {});
  }
  // Nothing of it is saved yet.
  entries_->setModified(true);
  entries_->clearHistory();
  restAtPresent();
  return true;
}

bool CSoramiDoc::writeLedger(const fs::path& path, CHinmeiList& entries, CBudgetList* budgets) {
  CConfig copy;
  const std::vector<uint8_t> bytes = bytesToWrite(entries, budgets, copy);
  // A file this program would refuse to open, or open with lines missing, never replaces one
  // it can.
  if (readBackFailure(bytes, entries, budgets)) {
    prompts_.inform(MessageId::SaveFailed, {}, Icon::Error);
    return false;
  }
  SafeWriteOptions options;
  // The first save of an opening keeps the version it replaces.
  options.keepBackup = backedUp_ != path;
  options.progress = saveProgress;
  options.writeFault = saveWriteFault;
  options.lockWait = lockWait_;
  if (heldLock_) options.heldLock = &*heldLock_;
  options.checkLocked = [this, &path] { return checkBeforeReplacing(path); };
  SaveError error = SaveError::WriteFailed;
  try {
    error = writeFileSafely(path, bytes, options);
  } catch (const std::exception&) {
    error = SaveError::WriteFailed;
  }
  if (error != SaveError::None) {
    reportSaveError(error, path);
    return false;
  }
  backedUp_ = path;
  snapshot_ = copy;
  const std::optional<FileIdentity> written = identityOnDisk(path);
  rememberOnDisk(path, written ? *written : FileIdentity{bytes.size(), 0, hashOfBytes(bytes)});
  // The lock held since the read was on the file just replaced; the new one is held on.
  if (holdLock_) heldLock_ = FileLock::tryLock(path, FileLock::Mode::Exclusive);
  return true;
}

void CSoramiDoc::holdLockFromOpen(std::chrono::milliseconds wait) {
  holdLock_ = true;
  lockWait_ = wait;
}

void CSoramiDoc::rememberOnDisk(const fs::path& path, const FileIdentity& identity) {
  diskPath_ = path;
  diskIdentity_ = identity;
}

CSoramiDoc::DiskState CSoramiDoc::fileOnDisk() const {
  if (diskPath_.empty()) return DiskState::Unknown;
  const std::optional<FileIdentity> now = identityOnDisk(diskPath_);
  if (!now) return DiskState::Gone;
  // The time of change alone would miss two saves within one tick of the clock, and would
  // count a file that was only touched as changed: the bytes decide.
  // A file opened without its identity is taken to have changed, so a save asks first.
  const bool same =
      diskIdentity_.hashed && now->size == diskIdentity_.size && now->hash == diskIdentity_.hash;
  return same ? DiskState::Unchanged : DiskState::Changed;
}

// Runs while the file is locked for the save, so nothing can change it between this check
// and the replacement.
SaveError CSoramiDoc::checkBeforeReplacing(const fs::path& path) const {
  std::error_code ec;
  if (diskPath_.empty() || !fs::equivalent(path, diskPath_, ec)) return SaveError::None;
  return fileOnDisk() == DiskState::Changed ? SaveError::ChangedOnDisk : SaveError::None;
}

void CSoramiDoc::reportSaveError(SaveError error, const fs::path& path) {
  switch (error) {
    case SaveError::CannotCreate:
      prompts_.inform(MessageId::InvalidFileName, {}, Icon::Error);
      return;
    case SaveError::InUse:
      prompts_.inform(MessageId::FileInUse, {path.u16string()}, Icon::Error);
      return;
    case SaveError::ReadOnly:
      prompts_.inform(MessageId::FileReadOnly, {path.u16string()}, Icon::Error);
      return;
    case SaveError::FolderReadOnly: {
      const fs::path folder = path.parent_path().empty() ? fs::current_path() : path.parent_path();
      prompts_.inform(MessageId::FolderNotWritable, {folder.u16string()}, Icon::Error);
      return;
    }
    case SaveError::BackupFailed:
      prompts_.inform(MessageId::BackupFailed, {backupPath(path).u16string()}, Icon::Error);
      return;
    case SaveError::ChangedOnDisk:
      prompts_.inform(MessageId::FileChangedOnDisk, {path.u16string()}, Icon::Error);
      return;
    case SaveError::None:
    case SaveError::WriteFailed:
      prompts_.inform(MessageId::SaveFailed, {}, Icon::Error);
      return;
  }
}

bool CSoramiDoc::saveModified() {
  if (!isModified()) return true;
  if (path_.empty()) return false;
  if (live_.confirmSaveAfterChange != 0) {
    const Answer a = prompts_.ask(MessageId::ConfirmSaveChanged, {path_.u16string()},
                                  Buttons::YesNoCancel, Answer::Yes);
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) return true;
  }
  return save();
}

bool CSoramiDoc::setPassword() {
  if (!entries_ || entries_->empty() || !entries_->begin()->isHeader()) return false;
  std::optional<std::u16string> typed = prompts_.newPassword();
  if (!typed) return false;
  if (typed->size() > kMaxPasswordLength) typed->resize(kMaxPasswordLength);
  if (*typed == entries_->begin()->name) return false;
  entries_->setPassword(std::move(*typed));
  return true;
}

}  // namespace sorami
