#include "document/ReadAhead.h"

#include <sys/stat.h>

#include <utility>

#include "document/SafeFile.h"

namespace sorami {

namespace {

int64_t nanoseconds(const struct timespec& t) {
  return int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

// Remembers that the read had something to tell; a read only ever informs or asks.
class SilentPrompts : public Prompts {
 public:
  void inform(MessageId, const std::vector<std::u16string>&, Icon) override { spoke = true; }
  Answer ask(MessageId, const std::vector<std::u16string>&, Buttons, Answer def) override {
    spoke = true;
    return def;
  }
  bool spoke = false;
};

// Ends a read nobody waits for any more, between two entries.
struct ReadStopped {};

class StoppableRead : public FileReadHooks {
 public:
  explicit StoppableRead(const std::stop_token& stop) : stop_(stop) {}
  void appended(CHinmeiList& /*list*/, EntryList::iterator /*entry*/, uint32_t index) override {
    constexpr uint32_t kEntriesBetweenLooks = 4096;
    if (index % kEntriesBetweenLooks == 0 && stop_.stop_requested()) throw ReadStopped{};
  }

 private:
  const std::stop_token& stop_;
};

}  // namespace

std::optional<FileState> fileStateOf(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileState{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                   static_cast<uint64_t>(st.st_size), nanoseconds(st.st_mtim),
                   nanoseconds(st.st_ctim)};
}

ReadAhead::ReadAhead(std::filesystem::path path, std::u16string diaryTitle)
    : path_(std::move(path)),
      diaryTitle_(std::move(diaryTitle)),
      thread_([this](const std::stop_token& stop) { read(stop); }) {}

// The thread is the last member: it is stopped and joined before the result goes.
ReadAhead::~ReadAhead() = default;

void ReadAhead::read(const std::stop_token& stop) {
  // Taken before the file is opened, so that any change after it shows when the result is taken.
  before_ = fileStateOf(path_);
  if (!before_) return;
  // Held as the document's own read holds it: a file another program is writing is not read.
  const std::optional<FileLock> lock = FileLock::tryLock(path_, FileLock::Mode::Shared);
  if (!lock) return;
  SilentPrompts prompts;
  StoppableRead hooks(stop);
  ReadOptions options;
  options.diaryTitle = diaryTitle_;
  options.hooks = &hooks;
  try {
    LoadedFile loaded = loadDataFile(path_, prompts, options);
    const bool whole =
        loaded.failure == LoadFailure::None && loaded.ledger.end == ReadEnd::Complete;
    const bool asRead =
        loaded.identity.size == before_->size && loaded.identity.modifiedNs == before_->modifiedNs;
    if (whole && asRead && !prompts.spoke) result_ = std::move(loaded);
  } catch (...) {
    // Stopped, out of memory or anything else: the open reads the file itself and meets the
    // same trouble where it can tell the user.
  }
}

void ReadAhead::wait() {
  if (thread_.joinable()) thread_.join();
}

std::optional<LoadedFile> ReadAhead::take(const std::filesystem::path& path,
                                          const std::u16string& diaryTitle) {
  wait();
  std::optional<LoadedFile> result = std::exchange(result_, std::nullopt);
  if (!result || path != path_) return std::nullopt;
  // Only a file without the configuration block takes the title given.
  if (!result->recognition.hasBlock && diaryTitle != diaryTitle_) return std::nullopt;
  if (fileStateOf(path_) != before_) return std::nullopt;
  return result;
}

}  // namespace sorami
