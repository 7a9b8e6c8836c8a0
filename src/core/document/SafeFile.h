#pragma once
// Writing a data file so that nothing the user wrote is ever lost: the new content goes to a
// file beside the old one, is flushed to disk, and only then takes the old one's place in one
// rename. Readers and writers of the same file hold an advisory lock meanwhile; a command that
// reads, changes and saves holds it from its read to its save.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

namespace sorami {

// An advisory lock on an existing file, released with the object. A file that does not exist
// yet needs none (the lock then holds nothing). A save replaces the file by another one under
// the same name, so a lock is only taken once the name still leads to the file locked.
class FileLock {
 public:
  enum class Mode { Shared, Exclusive };
  // Nothing when another process holds a lock that conflicts.
  static std::optional<FileLock> tryLock(const std::filesystem::path& path, Mode mode);
  // The same, trying again for up to `wait` while another process holds the file.
  static std::optional<FileLock> lock(const std::filesystem::path& path, Mode mode,
                                      std::chrono::milliseconds wait);
  FileLock(FileLock&& other) noexcept : fd_(other.fd_), mode_(other.mode_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  ~FileLock();

  Mode mode() const { return mode_; }
  // True when the lock holds the file that `path` names now.
  bool holds(const std::filesystem::path& path) const;

 private:
  FileLock(int fd, Mode mode) : fd_(fd), mode_(mode) {}
  int fd_ = -1;
  Mode mode_ = Mode::Shared;
};

enum class SaveError : uint8_t {
  None,
  CannotCreate,    // the folder does not take a new file there
  WriteFailed,     // writing, flushing or the rename failed
  InUse,           // another process holds the file
  ReadOnly,        // the file is not to be written: no write permission, or marked read-only
  BackupFailed,    // the previous version could not be kept; nothing was replaced
  ChangedOnDisk,   // the file is no longer the one the caller read (see checkLocked)
  FolderReadOnly,  // the folder (or its file system) takes no new file
};

struct SafeWriteOptions {
  // Keep the file being replaced as NAME.bak first.
  bool keepBackup = false;
  // Called after each block written, with the bytes written so far; a test may fail the write
  // there (by throwing) or end the process to show what a crash leaves.
  std::function<void(size_t)> progress;
  // The exclusive lock the caller holds on the file since it read it; otherwise the write
  // takes one of its own.
  const FileLock* heldLock = nullptr;
  // Runs once the file is locked and before anything is written; anything but None ends the
  // save there with that error.
  std::function<SaveError()> checkLocked;
  // A stand-in for the disk: the errno with which writing `file` fails, 0 to write it. Tests
  // make the disk full for one of the files with it.
  std::function<int(const std::filesystem::path& file)> writeFault;
  // How long to wait for another process's lock before the save reports InUse.
  std::chrono::milliseconds lockWait{0};
};

inline constexpr size_t kSaveBlockBytes = 4096;

// The name under which the previous version of a file is kept.
std::filesystem::path backupPath(const std::filesystem::path& path);

SaveError writeFileSafely(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                          const SafeWriteOptions& options = {});

// The files that saves of `path` leave while they run (".NAME.XXXXXX", "NAME.bak~") and whose
// writer is gone: each live writer holds a lock on its own. Returns how many were removed.
size_t removeAbandonedSaves(const std::filesystem::path& path);

// True when `path` exists and may not be written by this user, or has no write permission
// for anyone (a file marked read-only, which not even an administrator's save replaces).
bool isReadOnlyFile(const std::filesystem::path& path);

}  // namespace sorami
