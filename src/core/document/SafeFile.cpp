#include "document/SafeFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>

namespace sorami {

namespace fs = std::filesystem;

namespace {

// A file beside the target that disappears unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) {
    // Appended piece by piece: GCC 12 at -O3 misreads a chain of + on strings as an overlapping
    // copy (-Wrestrict).
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (target.parent_path() / name).string();
    fd_ = ::mkstemp(pattern.data());
    if (fd_ >= 0) path_ = pattern;
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) {
      std::error_code ec;
      fs::remove(path_, ec);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool created() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const fs::path& path() const { return path_; }
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void keep() { path_.clear(); }

 private:
  int fd_ = -1;
  fs::path path_;
};

bool writeAll(int fd, std::span<const uint8_t> bytes, const SafeWriteOptions& options) {
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t n = std::min(kSaveBlockBytes, bytes.size() - done);
    const ssize_t w = ::write(fd, bytes.data() + done, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    done += static_cast<size_t>(w);
    if (options.progress) options.progress(done);
  }
  return true;
}

// The rename is only durable once the folder itself is on disk.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool copyToBackup(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return true;
  const fs::path backup = backupPath(path);
  fs::path partial = backup;
  partial += "~";
  fs::copy_file(path, partial, fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::rename(partial, backup, ec);
  if (ec) fs::remove(partial, ec);
  return !ec;
}

}  // namespace

std::optional<FileLock> FileLock::tryLock(const fs::path& path, Mode mode) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileLock(-1);
  const int op = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  if (::flock(fd, op) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return FileLock(fd);
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

fs::path backupPath(const fs::path& path) {
  fs::path backup = path;
  backup += ".bak";
  return backup;
}

SaveError writeFileSafely(const fs::path& path, std::span<const uint8_t> bytes,
                          const SafeWriteOptions& options) {
  if (path.filename().empty()) return SaveError::CannotCreate;
  const std::optional<FileLock> lock = FileLock::tryLock(path, FileLock::Mode::Exclusive);
  if (!lock) return SaveError::InUse;
  TemporaryFile temporary(path);
  if (!temporary.created()) return SaveError::CannotCreate;
  // The new file keeps the permissions of the one it replaces.
  std::error_code ec;
  const fs::file_status old = fs::status(path, ec);
  const auto perms = ec || !fs::exists(old) ? fs::perms(0644) : old.permissions();
  (void)::fchmod(temporary.fd(), static_cast<mode_t>(perms & fs::perms::mask));
  if (!writeAll(temporary.fd(), bytes, options)) return SaveError::WriteFailed;
  if (::fsync(temporary.fd()) != 0 || !temporary.close()) return SaveError::WriteFailed;
  if (options.keepBackup && !copyToBackup(path)) return SaveError::WriteFailed;
  fs::rename(temporary.path(), path, ec);
  if (ec) return SaveError::WriteFailed;
  temporary.keep();
  syncFolder(path.parent_path());
  return SaveError::None;
}

}  // namespace sorami
