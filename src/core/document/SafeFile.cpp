#include "document/SafeFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace sorami {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPartialBackupSuffix = "~";
// The characters mkstemp puts in place of its XXXXXX.
constexpr size_t kTemporarySuffixLength = 6;

// Appended piece by piece: GCC 12 at -O3 misreads a chain of + on strings as an overlapping copy
// (-Wrestrict).
std::string temporaryPrefix(const fs::path& target) {
  std::string prefix(1, '.');
  prefix += target.filename().string();
  prefix += '.';
  return prefix;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Writes in blocks; false with errno set when the disk (or the stand-in for it) refuses.
bool writeAll(int fd, std::span<const uint8_t> bytes, const fs::path& file,
              const SafeWriteOptions& options, bool reportProgress) {
  if (options.writeFault) {
    if (const int fault = options.writeFault(file); fault != 0) {
      errno = fault;
      return false;
    }
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t n = std::min(kSaveBlockBytes, bytes.size() - done);
    const ssize_t w = ::write(fd, bytes.data() + done, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    done += static_cast<size_t>(w);
    if (reportProgress && options.progress) options.progress(done);
  }
  return true;
}

// A file beside the target that disappears unless it was renamed into place. Its writer holds
// a lock on it while it lives, so that a later save can tell it from one a crash left.
class TemporaryFile {
 public:
  TemporaryFile(const fs::path& target, const std::string& prefix) {
    std::string name = prefix;
    name.append(kTemporarySuffixLength, 'X');
    std::string pattern = (target.parent_path() / name).string();
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
      error_ = errno;
      return;
    }
    path_ = pattern;
    (void)::flock(fd_, LOCK_EX | LOCK_NB);
  }
  ~TemporaryFile() {
    if (!path_.empty()) {
      std::error_code ec;
      fs::remove(path_, ec);
    }
    if (fd_ >= 0) ::close(fd_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool created() const { return fd_ >= 0; }
  int error() const { return error_; }
  int fd() const { return fd_; }
  const fs::path& path() const { return path_; }
  // Once renamed into place the file is no longer temporary; it stays open (and locked) until
  // the writer is done.
  void keep() { path_.clear(); }

 private:
  int fd_ = -1;
  int error_ = 0;
  fs::path path_;
};

// The rename is only durable once the folder itself is on disk.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::optional<std::vector<uint8_t>> readAll(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t block[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), block, block + n);
  }
  ::close(fd);
  return bytes;
}

// The previous version as NAME.bak, written whole beside it first: a backup that cannot be
// written (a full disk) leaves the old backup and fails the save.
bool copyToBackup(const fs::path& path, const SafeWriteOptions& options) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return true;
  const std::optional<std::vector<uint8_t>> old = readAll(path);
  if (!old) return false;
  const fs::path backup = backupPath(path);
  fs::path partial = backup;
  partial += kPartialBackupSuffix;
  const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);
  bool ok = writeAll(fd, *old, partial, options, false) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) {
    fs::rename(partial, backup, ec);
    ok = !ec;
  }
  if (!ok) {
    std::error_code ignored;
    fs::remove(partial, ignored);
  }
  return ok;
}

SaveError creationError(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOSPC:
    case EDQUOT:
      return SaveError::FolderReadOnly;
    default:
      return SaveError::CannotCreate;
  }
}

}  // namespace

std::optional<FileLock> FileLock::tryLock(const fs::path& path, Mode mode) {
  const int op = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  // A save of another process may put a new file under the name between the open and the
  // lock: the lock then holds the old file, and the name is opened again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FileLock(-1, mode);
    if (::flock(fd, op) != 0) {
      ::close(fd);
      return std::nullopt;
    }
    struct stat locked {};
    struct stat named {};
    if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 && sameFile(locked, named)) {
      return FileLock(fd, mode);
    }
    ::close(fd);
  }
  return std::nullopt;
}

std::optional<FileLock> FileLock::lock(const fs::path& path, Mode mode,
                                       std::chrono::milliseconds wait) {
  const auto until = std::chrono::steady_clock::now() + wait;
  for (;;) {
    std::optional<FileLock> held = tryLock(path, mode);
    if (held || std::chrono::steady_clock::now() >= until) return held;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    mode_ = other.mode_;
    other.fd_ = -1;
  }
  return *this;
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileLock::holds(const fs::path& path) const {
  struct stat named {};
  const bool exists = ::stat(path.c_str(), &named) == 0;
  if (fd_ < 0) return !exists;
  struct stat locked {};
  return exists && ::fstat(fd_, &locked) == 0 && sameFile(locked, named);
}

fs::path backupPath(const fs::path& path) {
  fs::path backup = path;
  backup += ".bak";
  return backup;
}

bool isReadOnlyFile(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

size_t removeAbandonedSaves(const fs::path& path) {
  const std::string prefix = temporaryPrefix(path);
  std::string partialBackup = backupPath(path).filename().string();
  partialBackup += kPartialBackupSuffix;
  std::error_code ec;
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  std::vector<fs::path> candidates;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const bool temporary = name.size() == prefix.size() + kTemporarySuffixLength &&
                           name.compare(0, prefix.size(), prefix) == 0;
    if (temporary || name == partialBackup) candidates.push_back(it->path());
  }
  size_t removed = 0;
  for (const fs::path& candidate : candidates) {
    const int fd = ::open(candidate.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    struct stat st {};
    // A live writer holds its file locked; only a file nobody holds is left over.
    const bool abandoned =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (abandoned && ::unlink(candidate.c_str()) == 0) ++removed;
    ::close(fd);
  }
  return removed;
}

SaveError writeFileSafely(const fs::path& path, std::span<const uint8_t> bytes,
                          const SafeWriteOptions& options) {
  if (path.filename().empty()) return SaveError::CannotCreate;
  std::optional<FileLock> ownLock;
  const bool held = options.heldLock != nullptr &&
                    options.heldLock->mode() == FileLock::Mode::Exclusive &&
                    options.heldLock->holds(path);
  if (!held) {
    ownLock = FileLock::lock(path, FileLock::Mode::Exclusive, options.lockWait);
    if (!ownLock) return SaveError::InUse;
  }
  if (isReadOnlyFile(path)) return SaveError::ReadOnly;
  if (options.checkLocked) {
    if (const SaveError refused = options.checkLocked(); refused != SaveError::None) {
      return refused;
    }
  }
  // Holding the file's lock, no other save of it runs: what such saves left is abandoned.
  removeAbandonedSaves(path);
  TemporaryFile temporary(path, temporaryPrefix(path));
  if (!temporary.created()) return creationError(temporary.error());
  // The new file keeps the permissions of the one it replaces.
  std::error_code ec;
  const fs::file_status old = fs::status(path, ec);
  const auto perms = ec || !fs::exists(old) ? fs::perms(0644) : old.permissions();
  (void)::fchmod(temporary.fd(), static_cast<mode_t>(perms & fs::perms::mask));
  if (!writeAll(temporary.fd(), bytes, temporary.path(), options, true)) {
    return SaveError::WriteFailed;
  }
  if (::fsync(temporary.fd()) != 0) return SaveError::WriteFailed;
  if (options.keepBackup && !copyToBackup(path, options)) return SaveError::BackupFailed;
  fs::rename(temporary.path(), path, ec);
  if (ec) return SaveError::WriteFailed;
  temporary.keep();
  syncFolder(path.parent_path());
  return SaveError::None;
}

}  // namespace sorami
