#pragma once
// Where import profiles are kept: the user's own in the configuration folder, the ones that
// come with the program beside it. A profile of the user's hides a shipped one of the same
// file name.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "reports/StatementProfile.h"

namespace sorami {

inline constexpr std::string_view kProfileExtension = ".profile";

// $XDG_CONFIG_HOME (or ~/.config) /Tsumiki/そらみ/import-profiles: the folder beside the
// device settings.
std::filesystem::path userProfileFolder();

// The user's folder, then <prefix>/share/sorami/import-profiles for a program in <prefix>/bin
// (and the same folder of a build tree for a program one level further down).
std::vector<std::filesystem::path> profileFolders(const std::filesystem::path& programFolder);

struct ProfileChoice {
  std::filesystem::path path;
  std::u16string title;  // the profile's name, or its file name without the extension
};

// Every profile of the folders, the user's first, each file name once, sorted by file name
// within a folder. A profile that cannot be read is still listed (choosing it tells why).
std::vector<ProfileChoice> listProfiles(const std::vector<std::filesystem::path>& folders);

// A profile by path, or by its file name (with or without extension) in the folders.
std::optional<std::filesystem::path> findProfile(const std::string& nameOrPath,
                                                 const std::vector<std::filesystem::path>& folders);

// The profile of a file: read, or the error (an unreadable file, or the first mistake in it).
ProfileRead loadProfile(const std::filesystem::path& path);

}  // namespace sorami
