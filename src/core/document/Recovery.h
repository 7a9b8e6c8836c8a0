#pragma once
// The recovery copy of a file with unsaved changes, kept in the user's state folder so that a
// program that ends unexpectedly loses nothing typed since the last save. The copy is a data
// file like any other; the file itself is left alone until the user saves.

#include <cstdint>
#include <filesystem>
#include <span>

namespace sorami {

// $XDG_STATE_HOME/sorami, else ~/.local/state/sorami; empty when neither is known.
std::filesystem::path recoveryFolder();
// Where the copy of `file` lives: its name and a hash of its absolute path, so that files of the
// same name in two folders keep two copies. Empty without a state folder.
std::filesystem::path recoveryPathFor(const std::filesystem::path& file);
// Written beside its place and renamed over it, so a copy is always whole; false on failure.
bool writeRecoveryCopy(const std::filesystem::path& copy, std::span<const uint8_t> bytes);
// The copy of `file` when one exists that is newer than the file (or the file is gone).
std::filesystem::path newerRecoveryCopy(const std::filesystem::path& file);
void removeRecoveryCopy(const std::filesystem::path& file);

}  // namespace sorami
