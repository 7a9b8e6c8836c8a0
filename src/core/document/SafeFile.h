#pragma once
// Writing a data file so that nothing the user wrote is ever lost: the new content goes to a
// file beside the old one, is flushed to disk, and only then takes the old one's place in one
// rename. Readers and writers of the same file hold an advisory lock meanwhile.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

namespace sorami {

// An advisory lock on an existing file, released with the object. A file that does not exist
// yet needs none.
class FileLock {
 public:
  enum class Mode { Shared, Exclusive };
  // Nothing when another process holds a lock that conflicts.
  static std::optional<FileLock> tryLock(const std::filesystem::path& path, Mode mode);
  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&&) = delete;
  FileLock(const FileLock&) = delete;
  ~FileLock();

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

enum class SaveError : uint8_t {
  None,
  CannotCreate,  // the folder does not take a new file there
  WriteFailed,   // writing, flushing or the rename failed
  InUse,         // another process holds the file
};

struct SafeWriteOptions {
  // Keep the file being replaced as NAME.bak first.
  bool keepBackup = false;
  // Called after each block written, with the bytes written so far; a test may fail the write
  // there (by throwing) or end the process to show what a crash leaves.
  std::function<void(size_t)> progress;
};

inline constexpr size_t kSaveBlockBytes = 4096;

// The name under which the previous version of a file is kept.
std::filesystem::path backupPath(const std::filesystem::path& path);

SaveError writeFileSafely(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                          const SafeWriteOptions& options = {});

}  // namespace sorami
