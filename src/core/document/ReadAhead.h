#pragma once
// The data file the program opens first, read on a thread of its own while the window is being
// made, so that the open finds its entries ready. The read shows nothing and asks nothing:
// whatever would need a word with the user (damage, memory running out, a file held by another
// program) leaves no result, and the open reads the file again as usual, with every message and
// question where it always is.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "document/DataFile.h"

namespace sorami {

// What tells that a file is still the one read: any write, rename or change of time moves one
// of these.
struct FileState {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modifiedNs = 0;
  int64_t changedNs = 0;  // of the file's status: set by the system, never by a program
  bool operator==(const FileState&) const = default;
};
std::optional<FileState> fileStateOf(const std::filesystem::path& path);

class ReadAhead {
 public:
  // Starts reading `path` now. Files without a configuration block are given `diaryTitle`.
  explicit ReadAhead(std::filesystem::path path,
                     std::u16string diaryTitle = std::u16string(kDefaultDiaryTitle));
  // Stops a read still running (its result is not wanted) and waits for the thread.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Waits until the read has ended and let the file go.
  void wait();
  // Waits for the read and hands its result over, once: when it is of `path`, read whole
  // without a message and with the same diary title for a file that needs it, and the file on
  // disk is still as it was when the read began. It stands for a read that keeps every entry.
  // Nothing otherwise: the caller then reads the file itself.
  std::optional<LoadedFile> take(const std::filesystem::path& path,
                                 const std::u16string& diaryTitle);

 private:
  void read(const std::stop_token& stop);

  std::filesystem::path path_;
  std::u16string diaryTitle_;
  // Written by the thread only, read only after it has been joined.
  std::optional<LoadedFile> result_;
  std::optional<FileState> before_;
  std::jthread thread_;
};

}  // namespace sorami
