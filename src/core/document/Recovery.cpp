#include "document/Recovery.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/DataFile.h"

namespace sorami {

namespace fs = std::filesystem;

namespace {

fs::path absoluteBase(const char* variable, const char* fallbackBelowHome) {
  if (const char* v = std::getenv(variable); v != nullptr && *v == '/') return fs::path(v);
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home != '/') return {};
  return fs::path(home) / fallbackBelowHome;
}

bool writeAll(int fd, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

fs::path recoveryFolder() {
  const fs::path base = absoluteBase("XDG_STATE_HOME", ".local/state");
  return base.empty() ? fs::path() : base / "sorami";
}

fs::path recoveryPathFor(const fs::path& file) {
  const fs::path folder = recoveryFolder();
  if (folder.empty() || file.empty()) return {};
  std::error_code ec;
  fs::path absolute = fs::absolute(file, ec);
  if (ec) absolute = file;
  const std::string text = absolute.lexically_normal().string();
  const uint64_t hash =
      hashOfBytes(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return folder / (file.stem().string() + "-" + hex + ".mtb");
}

bool writeRecoveryCopy(const fs::path& copy, std::span<const uint8_t> bytes) {
  if (copy.empty()) return false;
  std::error_code ec;
  fs::create_directories(copy.parent_path(), ec);
  fs::permissions(copy.parent_path(), fs::perms::owner_all, fs::perm_options::replace, ec);
  // Built by appending: GCC 12 at -O3 misreads "." + name as an overlapping copy.
  std::string name = ".";
  name += copy.filename().string();
  name += ".XXXXXX";
  std::string temp = (copy.parent_path() / name).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(temp.c_str(), copy.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

fs::path newerRecoveryCopy(const fs::path& file) {
  fs::path copy = recoveryPathFor(file);
  std::error_code ec;
  if (copy.empty() || !fs::is_regular_file(copy, ec)) return {};
  const auto copied = fs::last_write_time(copy, ec);
  if (ec) return {};
  const auto saved = fs::last_write_time(file, ec);
  if (!ec && saved >= copied) return {};
  return copy;
}

void removeRecoveryCopy(const fs::path& file) {
  const fs::path copy = recoveryPathFor(file);
  std::error_code ec;
  if (!copy.empty()) fs::remove(copy, ec);
}

}  // namespace sorami
