#include "reports/ProfileFolders.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include "platform/TextCodec.h"

namespace sorami {

namespace fs = std::filesystem;

namespace {

bool isProfile(const fs::path& p) {
  std::error_code ec;
  return p.extension() == kProfileExtension && fs::is_regular_file(p, ec);
}

}  // namespace

fs::path userProfileFolder() {
  fs::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    config = fs::path(home) / ".config";
  } else {
    return {};
  }
  return config / "Tsumiki" / fs::path(u8"そらみ") / "import-profiles";
}

std::vector<fs::path> profileFolders(const fs::path& programFolder) {
  std::vector<fs::path> folders;
  if (fs::path user = userProfileFolder(); !user.empty()) folders.push_back(std::move(user));
  if (!programFolder.empty()) {
    const fs::path shared = fs::path("share") / "sorami" / "import-profiles";
    folders.push_back((programFolder / ".." / shared).lexically_normal());
    folders.push_back((programFolder / ".." / ".." / shared).lexically_normal());
  }
  return folders;
}

ProfileRead loadProfile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text;
  if (in) {
    // One byte past the limit is enough to tell a file too large.
    text.resize(kMaxProfileBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
  }
  if (!in && !in.eof()) {
    return {std::nullopt, {MessageId::ProfileUnreadable, {path.u16string(), u""}}};
  }
  ProfileRead read = readStatementProfile(text);
  if (!read.profile) {
    read.error = {MessageId::ProfileUnreadable, {path.u16string(), read.error.text()}};
  }
  return read;
}

std::vector<ProfileChoice> listProfiles(const std::vector<fs::path>& folders) {
  std::vector<ProfileChoice> choices;
  std::set<fs::path> seen;
  for (const fs::path& folder : folders) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (isProfile(it->path()) && !seen.contains(it->path().filename())) {
        files.push_back(it->path());
      }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      seen.insert(file.filename());
      const ProfileRead read = loadProfile(file);
      std::u16string title = read.profile ? read.profile->name : std::u16string();
      if (title.empty()) title = file.stem().u16string();
      choices.push_back({file, std::move(title)});
    }
  }
  return choices;
}

std::optional<fs::path> findProfile(const std::string& nameOrPath,
                                    const std::vector<fs::path>& folders) {
  std::error_code ec;
  const fs::path given(nameOrPath);
  if (fs::is_regular_file(given, ec)) return given;
  if (nameOrPath.empty() || given.has_parent_path()) return std::nullopt;
  fs::path file = given;
  if (file.extension() != kProfileExtension) file += kProfileExtension;
  for (const fs::path& folder : folders) {
    if (isProfile(folder / file)) return folder / file;
  }
  return std::nullopt;
}

}  // namespace sorami
