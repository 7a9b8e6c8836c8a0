#include "document/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>

#include "archive/Archive.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

constexpr uint8_t kMagic[4] = {'S', 'o', 'r', 'a'};
constexpr size_t kDataVersionOffset = 8;
constexpr size_t kScrambleMarkerOffset = 10;
// The window through which a file passes while it is parsed: a block of the general heap, below
// the size that gets a mapping of its own, and within the processor's cache between the copy
// from the system and the parse.
constexpr size_t kWindowBytes = size_t{60} << 10;
static_assert(kWindowBytes < kMappedBlockBytes);

uint16_t u16At(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

bool beginsWithScrambleMarker(std::span<const uint8_t> bytes, size_t offset) {
  return bytes.size() >= offset + 2 && u16At(bytes, offset) == kScrambleMarker;
}

// Files written before the configuration block existed begin with the entry store, preceded by
// the scramble marker when their texts are scrambled.
void readOldHead(Archive& ar, const Recognition& recognition, CConfig& config,
                 const std::u16string& diaryTitle) {
  if (recognition.scrambleMarker == kScrambleMarker) ar.readU16();
  config.scrambleMarker = recognition.scrambleMarker;
  config.hasBlock = false;
  config.oldFormatMarker = 1;
  config.diaryTitle = diaryTitle;
  config.blockSubVersion = 0;
  config.blockVersion = 0;
  // The configuration text tells the data version once the entries are read.
  config.dataVersion = 0;
  ar.setScrambled(config.scrambleMarker == kScrambleMarker);
}

std::unique_ptr<CHinmeiList> readEntryStore(Archive& ar, const CConfig& config, Prompts& prompts,
                                            FileReadHooks* hooks) {
  auto store = std::make_unique<CHinmeiList>();
  store->setDataVersion(config.dataVersion);
  store->setBlockVersion(config.blockVersion);
  try {
    if (!ar.readObjectTag(ClassId::HinmeiList)) {
      ar.fail(ArchiveErrorKind::BadFormat, "the file holds no entry store");
    }
    if (hooks) {
      store->serialize(ar, *hooks);
    } else {
      store->serialize(ar);
    }
  } catch (const ArchiveError&) {
    prompts.inform(MessageId::FileBroken, {}, Icon::Information);
    return nullptr;
  }
  return store;
}

const CHinmei* itemDefinitionZero(const CHinmeiList& store) {
  for (const CHinmei& e : store) {
    if (e.isItemDefinition() && e.item == 0) return &e;
    if (e.isDated()) break;
  }
  return nullptr;
}

bool parseHeaderText(const CHinmeiList& store, CConfig& config, uint16_t dataVersion) {
  std::u16string_view fallback;
  if (dataVersion < kDataVersionDelimitersInItem) {
    if (const CHinmei* item0 = itemDefinitionZero(store)) fallback = item0->visibleMemo();
  }
  return config.fromText(store.begin()->visibleMemo(), fallback);
}

void unscrambleTexts(CHinmeiList& store) {
  for (CHinmei& e : store) {
    Archive::scramble(e.name);
    Archive::scramble(e.memo);
  }
}

// The texts of the block were read under the same wrong assumption as those of the entries;
// left as they are they would be saved garbled once the marker is cleared.
void unscrambleBlockTexts(CConfig& config) {
  Archive::scramble(config.diaryTitle);
  for (ConfigRecord& r : config.reservedRecords) Archive::scramble(r.text);
  Archive::scramble(config.taxName);
  Archive::scramble(config.currencySymbol);
  for (std::u16string& text : config.reservedTexts) Archive::scramble(text);
}

// The configuration text in the header entry. When it cannot be read, the texts are taken as
// scrambled the other way round than the file said; if that reads, the file counts as plain.
bool readConfigurationText(CHinmeiList& store, CConfig& config) {
  const uint16_t fileVersion = config.dataVersion;
  if (!parseHeaderText(store, config, fileVersion)) {
    unscrambleTexts(store);
    if (!parseHeaderText(store, config, fileVersion)) return false;
    if (config.hasBlock) unscrambleBlockTexts(config);
    config.scrambleMarker = 0;
  }
  if (config.hasBlock) {
    // The block's data version describes the bytes that were read; it stays.
    config.dataVersion = fileVersion;
  } else {
    config.oldFormatMarker = 1;
  }
  store.setDataVersion(config.dataVersion);
  store.setBlockVersion(config.hasBlock ? config.blockVersion : config.dataVersion);
  return true;
}

// Damage inside the list is reported by the list itself, which keeps the budgets before it. A
// file of these versions always holds the list or the null object, so a file that ends before
// it (or whose tag is damaged) has lost it: that is reported too.
std::unique_ptr<CBudgetList> readBudgetList(Archive& ar, Prompts& prompts,
                                            const FileReadHooks* hooks, bool& damaged) {
  damaged = false;
  try {
    if (!ar.readObjectTag(ClassId::BudgetList)) return nullptr;
  } catch (const ArchiveError&) {
    prompts.inform(MessageId::BudgetDataDamaged, {}, Icon::Warning);
    damaged = true;
    return nullptr;
  }
  auto list = std::make_unique<CBudgetList>();
  damaged = !list->read(ar, prompts, hooks ? hooks->firstKeptMonth() : std::nullopt);
  return list;
}

// A little more than the file will take: the block and the budgets are small, an entry takes its
// tag, 12 bytes of numbers and two texts with their prefixes.
size_t storedSizeEstimate(const CHinmeiList& entries) {
  constexpr size_t kFixedPart = size_t{64} * 1024;
  constexpr size_t kEntryOverhead = 2 + 12 + 2 * 6;
  size_t size = kFixedPart;
  for (const CHinmei& e : entries) size += kEntryOverhead + 2 * (e.name.size() + e.memo.size());
  return size;
}

}  // namespace

Recognition recognise(std::span<const uint8_t> head) {
  Recognition r;
  if (head.size() >= std::size(kMagic) &&
      std::equal(std::begin(kMagic), std::end(kMagic), head.begin())) {
    r.hasBlock = true;
    if (beginsWithScrambleMarker(head, kScrambleMarkerOffset)) r.scrambleMarker = kScrambleMarker;
    if (head.size() >= kDataVersionOffset + 2 &&
        u16At(head, kDataVersionOffset) > kDataVersionCurrent) {
      r.failure = FileFailure::NewerVersion;
    }
  } else if (beginsWithScrambleMarker(head, 0)) {
    r.scrambleMarker = kScrambleMarker;
  }
  return r;
}

Recognition recognise(const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return {.failure = FileFailure::CannotOpen};
  uint8_t head[kRecogniseBytes];
  const size_t n = std::fread(head, 1, sizeof head, f);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return {.failure = FileFailure::CannotOpen};
  return recognise(std::span<const uint8_t>(head, n));
}

namespace {

// Reads a whole file from the archive, whose head was recognised as `recognition`.
Ledger readLedger(Archive& ar, const Recognition& recognition, CConfig& config, Prompts& prompts,
                  const ReadOptions& options) {
  CConfig read = config;
  if (recognition.hasBlock) {
    read.serialize(ar);
  } else {
    readOldHead(ar, recognition, read, options.diaryTitle);
  }

  Ledger ledger;
  ledger.entries = readEntryStore(ar, read, prompts, options.hooks);
  ar.setScrambled(false);
  if (!ledger.entries) {
    ledger.end = ReadEnd::NoEntryStore;
  } else if (ledger.entries->loadState() == kLoadDamaged) {
    // The opener works with what was read; it needs a budget list all the same.
    ledger.end = ReadEnd::Damaged;
    ledger.budgets = std::make_unique<CBudgetList>(CBudgetList::withStandardBudget());
  } else if (ledger.entries->size() < kMinUsableEntries) {
    ledger.end = ReadEnd::TooFewEntries;
  }
  if (ledger.end != ReadEnd::Complete) {
    config = std::move(read);
    return ledger;
  }

  const bool textRead = readConfigurationText(*ledger.entries, read);
  if (read.dataVersion > kDataVersionLastWithoutBudgets) {
    ledger.budgets = readBudgetList(ar, prompts, options.hooks, ledger.budgetsDamaged);
    ledger.budgetsFromFile = ledger.budgets != nullptr;
  }
  if (!ledger.budgets) {
    ledger.budgets = std::make_unique<CBudgetList>(CBudgetList::withStandardBudget());
  }
  if (!textRead) {
    ar.fail(ArchiveErrorKind::WrongClass, "the configuration text cannot be read");
  }
  config = std::move(read);
  return ledger;
}

// Reading a file from disk failed: not damage of its content, the file could not be read.
struct FileReadFailed {};

// The bytes of an open file as the archive asks for them, hashed as they pass when the file's
// identity is wanted.
class FileSource : public ByteSource {
 public:
  FileSource(int fd, uint64_t size, BytesHasher* hasher) : fd_(fd), size_(size), hasher_(hasher) {}
  size_t read(uint8_t* out, size_t size) override {
    for (;;) {
      const ssize_t n = ::read(fd_, out, size);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw FileReadFailed{};
      read_ += static_cast<uint64_t>(n);
      if (hasher_ != nullptr) hasher_->add({out, static_cast<size_t>(n)});
      return static_cast<size_t>(n);
    }
  }
  uint64_t left() const override { return size_ > read_ ? size_ - read_ : 0; }
  // Reads what the parse left to the end, so the identity covers every byte; the bytes read.
  uint64_t readToEnd() {
    std::array<uint8_t, 4096> rest{};
    while (read(rest.data(), rest.size()) > 0) {
    }
    return read_;
  }

 private:
  int fd_;
  uint64_t size_;
  BytesHasher* hasher_;
  uint64_t read_ = 0;
};

// Reads the file whose archive `ar` is into `loaded`, failures included.
void readLoadedFile(LoadedFile& loaded, Archive& ar, Prompts& prompts, const ReadOptions& options) {
  loaded.recognition = recognise(ar.peek(kRecogniseBytes));
  if (loaded.recognition.failure == FileFailure::NewerVersion) {
    loaded.failure = LoadFailure::NewerVersion;
    return;
  }
  try {
    loaded.ledger = readLedger(ar, loaded.recognition, loaded.config, prompts, options);
  } catch (const ArchiveError& e) {
    loaded.failure = LoadFailure::Unreadable;
    loaded.error = e.what();
    loaded.ledger = {};
    return;
  }
  if (loaded.ledger.end == ReadEnd::NoEntryStore) loaded.failure = LoadFailure::Broken;
  if (loaded.ledger.end == ReadEnd::TooFewEntries) loaded.failure = LoadFailure::TooFewEntries;
}

// Closes a file on every way out, a throw of the read hooks included.
struct Closer {
  explicit Closer(int opened) : fd(opened) {}
  Closer(const Closer&) = delete;
  Closer& operator=(const Closer&) = delete;
  ~Closer() {
    if (fd >= 0) ::close(fd);
  }
  int fd;
};

int64_t modifiedNsOf(const struct stat& st) {
  return int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
}

// The size the file has now is a hint: a file that grows meanwhile is read to its end all the
// same, into a block twice as large.
std::optional<FileBytes> readOpenFile(int fd, const struct stat& st) {
  const size_t hint = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
  FileBytes file{LargeBlock(hint + 1, Pages::AtOnce), 0, modifiedNsOf(st)};
  for (;;) {
    if (file.size == file.block.size()) {
      LargeBlock larger(file.block.size() * 2);
      std::copy_n(file.block.data(), file.size, larger.data());
      file.block = std::move(larger);
    }
    const ssize_t n = ::read(fd, file.block.data() + file.size, file.block.size() - file.size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return file;
    file.size += static_cast<size_t>(n);
  }
}

// A regular file is parsed as it comes, a window at a time, and hashed on the way: its bytes
// never need a block of their own.
LoadedFile loadFileAsRead(int fd, const struct stat& st, Prompts& prompts,
                          const ReadOptions& options) {
  LoadedFile loaded;
  const auto size = static_cast<uint64_t>(st.st_size);
  try {
    BytesHasher hasher;
    FileSource source(fd, size, options.identify ? &hasher : nullptr);
    {
      // One more byte than the file holds, so a small file read whole takes one call.
      Archive ar(source, static_cast<size_t>(std::min<uint64_t>(size + 1, kWindowBytes)));
      readLoadedFile(loaded, ar, prompts, options);
    }
    const uint64_t bytesRead = source.readToEnd();
    loaded.identity = {bytesRead, modifiedNsOf(st), options.identify ? hasher.value() : 0,
                       options.identify};
  } catch (const FileReadFailed&) {
    loaded = {};
    loaded.failure = LoadFailure::CannotOpen;
  }
  return loaded;
}

}  // namespace

Ledger readDataFile(std::span<const uint8_t> bytes, CConfig& config, Prompts& prompts,
                    const ReadOptions& options) {
  const Recognition recognition = recognise(bytes.first(std::min(bytes.size(), kRecogniseBytes)));
  if (recognition.failure == FileFailure::NewerVersion) {
    throw ArchiveError(ArchiveErrorKind::BadFormat, kDataVersionOffset,
                       "written by a newer version of the program");
  }
  Archive ar(bytes);
  return readLedger(ar, recognition, config, prompts, options);
}

void writeDataFile(Archive& ar, CConfig& config, const CHinmeiList& entries,
                   const CBudgetList* budgets) {
  // The block switches the archive to scrambled texts when the file has the marker.
  config.serialize(ar);
  ar.writeObjectTag(ClassId::HinmeiList);
  entries.write(ar);
  ar.setScrambled(false);
  if (budgets) {
    ar.writeObjectTag(ClassId::BudgetList);
    budgets->write(ar);
  } else {
    ar.writeNullObject();
  }
  ar.flush();
}

std::vector<uint8_t> dataFileBytes(CConfig& config, const CHinmeiList& entries,
                                   const CBudgetList* budgets) {
  VectorSink sink;
  // Growing the buffer step by step would copy a large file several times over.
  sink.bytes.reserve(storedSizeEstimate(entries));
  Archive ar(sink);
  writeDataFile(ar, config, entries, budgets);
  return std::move(sink.bytes);
}

LoadedFile loadDataFile(const std::filesystem::path& path, Prompts& prompts,
                        const ReadOptions& options) {
  LoadedFile loaded;
  const Closer file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st {};
  if (file.fd < 0 || ::fstat(file.fd, &st) != 0) {
    loaded.failure = LoadFailure::CannotOpen;
    return loaded;
  }
  if (S_ISREG(st.st_mode) && st.st_size > 0) return loadFileAsRead(file.fd, st, prompts, options);
  // Not a regular file with a size (a pipe, say): the size bounds every count and length, so it
  // is read whole first, from this same opening (a pipe gives its bytes once).
  const std::optional<FileBytes> whole = readOpenFile(file.fd, st);
  if (!whole) {
    loaded.failure = LoadFailure::CannotOpen;
    return loaded;
  }
  const std::span<const uint8_t> bytes = whole->bytes();
  loaded.identity = {bytes.size(), whole->modifiedNs, options.identify ? hashOfBytes(bytes) : 0,
                     options.identify};
  Archive ar(bytes);
  readLoadedFile(loaded, ar, prompts, options);
  return loaded;
}

std::optional<MessageId> failureMessage(LoadFailure failure) {
  switch (failure) {
    case LoadFailure::None:
    case LoadFailure::Broken:
      return std::nullopt;
    case LoadFailure::NewerVersion:
      return MessageId::NewerVersionRequired;
    case LoadFailure::CannotOpen:
    case LoadFailure::Unreadable:
    case LoadFailure::TooFewEntries:
      return MessageId::FileOpenFailed;
  }
  return MessageId::FileOpenFailed;
}

std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path) {
  const std::optional<FileBytes> file = readFileBytes(path);
  if (!file) return std::nullopt;
  const std::span<const uint8_t> bytes = file->bytes();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::optional<FileBytes> readFileBytes(const std::filesystem::path& path) {
  const Closer file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st {};
  if (file.fd < 0) return std::nullopt;
  if (::fstat(file.fd, &st) != 0) st = {};
  return readOpenFile(file.fd, st);
}

std::optional<PasswordCheck> passwordCheckOf(const CHinmeiList& entries) {
  constexpr size_t kMaxPasswordLength = 20;
  if (entries.empty() || !entries.begin()->isHeader()) return std::nullopt;
  std::u16string password = entries.begin()->name.str();
  if (password.empty()) return std::nullopt;
  return [password = std::move(password)](std::u16string_view typed) {
    if (typed.size() > kMaxPasswordLength) return false;
    if (typed == password) return true;
    // Files with scrambled texts may hold the password scrambled.
    std::u16string scrambled(typed);
    Archive::scramble(scrambled);
    return scrambled == password;
  };
}

namespace {

// The hash only compares the file on disk with what this process read or wrote, so it is
// never stored: it takes eight bytes a step in four independent lanes (the rounds of XXH64).
constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

uint64_t load64(const uint8_t* p) {
  uint64_t v = 0;
  std::memcpy(&v, p, sizeof v);
  return v;
}

uint32_t load32(const uint8_t* p) {
  uint32_t v = 0;
  std::memcpy(&v, p, sizeof v);
  return v;
}

uint64_t hashRound(uint64_t lane, uint64_t word) {
  return std::rotl(lane + word * kPrime2, 31) * kPrime1;
}

uint64_t mergeLane(uint64_t h, uint64_t lane) {
  return (h ^ hashRound(0, lane)) * kPrime1 + kPrime4;
}

}  // namespace

BytesHasher::BytesHasher() : lanes_{kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1} {}

void BytesHasher::takeStripe(const uint8_t* p) {
  for (size_t i = 0; i < lanes_.size(); ++i) lanes_[i] = hashRound(lanes_[i], load64(p + 8 * i));
}

void BytesHasher::add(std::span<const uint8_t> bytes) {
  const uint8_t* p = bytes.data();
  const uint8_t* const end = p + bytes.size();
  size_ += bytes.size();
  if (pendingSize_ > 0) {
    const auto n = std::min(kStripeBytes - pendingSize_, static_cast<size_t>(end - p));
    std::copy_n(p, n, pending_.begin() + static_cast<std::ptrdiff_t>(pendingSize_));
    pendingSize_ += n;
    p += n;
    if (pendingSize_ < kStripeBytes) return;
    takeStripe(pending_.data());
    pendingSize_ = 0;
  }
  for (; static_cast<size_t>(end - p) >= kStripeBytes; p += kStripeBytes) takeStripe(p);
  pendingSize_ = static_cast<size_t>(end - p);
  std::copy(p, end, pending_.begin());
}

uint64_t BytesHasher::value() const {
  uint64_t h = 0;
  if (size_ >= kStripeBytes) {
    h = std::rotl(lanes_[0], 1) + std::rotl(lanes_[1], 7) + std::rotl(lanes_[2], 12) +
        std::rotl(lanes_[3], 18);
    for (const uint64_t lane : lanes_) h = mergeLane(h, lane);
  } else {
    h = kPrime5;
  }
  h += size_;
  // The bytes after the last whole stripe.
  const uint8_t* p = pending_.data();
  const uint8_t* const end = p + pendingSize_;
  for (; end - p >= 8; p += 8) h = std::rotl(h ^ hashRound(0, load64(p)), 27) * kPrime1 + kPrime4;
  if (end - p >= 4) {
    h = std::rotl(h ^ (uint64_t{load32(p)} * kPrime1), 23) * kPrime2 + kPrime3;
    p += 4;
  }
  for (; p != end; ++p) h = std::rotl(h ^ (uint64_t{*p} * kPrime5), 11) * kPrime1;
  h ^= h >> 33;
  h *= kPrime2;
  h ^= h >> 29;
  h *= kPrime3;
  h ^= h >> 32;
  return h;
}

uint64_t hashOfBytes(std::span<const uint8_t> bytes) {
  BytesHasher hasher;
  hasher.add(bytes);
  return hasher.value();
}

std::optional<FileIdentity> identityOnDisk(const std::filesystem::path& path) {
  const std::optional<FileBytes> file = readFileBytes(path);
  if (!file) return std::nullopt;
  return FileIdentity{file->size, file->modifiedNs, hashOfBytes(file->bytes())};
}

namespace {

// Remembers whether reading showed that something was lost or damaged.
class ReadBackPrompts : public Prompts {
 public:
  void inform(MessageId id, const std::vector<std::u16string>&, Icon) override {
    if (id == MessageId::FileBroken || id == MessageId::BudgetDataDamaged) damage = true;
  }
  Answer ask(MessageId, const std::vector<std::u16string>&, Buttons, Answer) override {
    damage = true;
    return Answer::No;
  }
  bool damage = false;
};

}  // namespace

std::optional<std::string> readBackFailure(std::span<const uint8_t> bytes,
                                           const CHinmeiList& entries, const CBudgetList* budgets) {
  ReadBackPrompts prompts;
  CConfig config;
  Ledger ledger;
  try {
    ledger = readDataFile(bytes, config, prompts);
  } catch (const ArchiveError& e) {
    return e.what();
  }
  if (ledger.end != ReadEnd::Complete || !ledger.entries) return "the entries do not read back";
  if (prompts.damage) return "the file reads back as damaged";
  if (ledger.entries->size() != entries.size()) return "entries are missing when read back";
  const size_t written = budgets ? budgets->size() : 0;
  const size_t read = ledger.budgetsFromFile ? ledger.budgets->size() : 0;
  if (budgets && read != written) return "budgets are missing when read back";
  return std::nullopt;
}

void replaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::filesystem::path temporary = path;
  temporary += ".saving~";
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  if (!f)
    throw ArchiveError(ArchiveErrorKind::WriteFailed, 0, "cannot create " + temporary.string());
  // An empty span may have no data pointer at all, which fwrite must not be given.
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  ok = ::fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) std::filesystem::rename(temporary, path, ec);
  if (!ok || ec) {
    std::filesystem::remove(temporary, ec);
    throw ArchiveError(ArchiveErrorKind::WriteFailed, bytes.size(),
                       "cannot write " + path.string());
  }
}

}  // namespace sorami
