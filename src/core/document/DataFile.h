#pragma once
// The data file as a whole: the configuration block, the entry store and the budget list; how a
// file is recognised before it is read; and the older layouts that are still read (files
// without the configuration block, scrambled texts, versions that lack later fields).

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/Config.h"
#include "ledger/BudgetList.h"
#include "ledger/HinmeiList.h"
#include "platform/LargeBlock.h"
#include "platform/Messages.h"
#include "platform/Prompts.h"

namespace sorami {

class Archive;
class Prompts;

// Files up to this data version end after the entry store; later ones carry a budget list.
inline constexpr uint16_t kDataVersionLastWithoutBudgets = 626;
// Below this data version the product-name delimiters may stand in the memo of item
// definition 0 instead of the configuration text.
inline constexpr uint16_t kDataVersionDelimitersInItem = 600;
// A store with fewer entries (header, an item, end marker) cannot be worked with.
inline constexpr size_t kMinUsableEntries = 3;
// Recognising a file looks at this many bytes from its start.
inline constexpr size_t kRecogniseBytes = 12;
// The application's diary title when the settings hold none.
inline constexpr std::u16string_view kDefaultDiaryTitle = u"日記 / スケジュール";

enum class FileFailure : uint8_t { None, CannotOpen, NewerVersion };

struct Recognition {
  bool hasBlock = false;        // the file begins with the configuration block
  uint16_t scrambleMarker = 0;  // 0 or kScrambleMarker
  FileFailure failure = FileFailure::None;
};

// Looks at the first bytes of a file (fewer when the file is shorter).
Recognition recognise(std::span<const uint8_t> head);
Recognition recognise(const std::filesystem::path& path);

// How far reading went.
enum class ReadEnd : uint8_t {
  Complete,       // the whole file was read
  NoEntryStore,   // the entry store could not be read; the message has been shown
  Damaged,        // the store was read in part because its hooks accepted the damage
  TooFewEntries,  // the store holds fewer than kMinUsableEntries entries; nothing more was read
};

struct Ledger {
  std::unique_ptr<CHinmeiList> entries;  // null when no entry store was built
  std::unique_ptr<CBudgetList> budgets;  // always present once a usable store was read
  bool budgetsFromFile = false;          // false when the list was made because the file had none
  bool budgetsDamaged = false;           // the budget list was damaged or cut short (reported)
  ReadEnd end = ReadEnd::Complete;
};

// What the opener of a file decides while the entries are read (read limit, damage questions),
// and what the budget list needs to know of it afterwards.
class FileReadHooks : public EntryReadHooks {
 public:
  // When the store was shortened while read: the first month whose entries were kept, so that
  // the budgets of the months dropped go too.
  virtual std::optional<BudgetMonth> firstKeptMonth() const { return {}; }
};

struct ReadOptions {
  // The application's diary title, given to files that have no configuration block.
  std::u16string diaryTitle{kDefaultDiaryTitle};
  FileReadHooks* hooks = nullptr;  // null reads every entry and lets damage fail the read
  // False when what is read will not be saved: the bytes are then not hashed for the identity.
  bool identify = true;
};

// Reads a whole file from its bytes. The configuration block (or, for files without it, the
// configuration text) is read into `config`, whose values stand for fields the file does not
// hold. Throws ArchiveError when the file is refused; messages of damage that is survived go
// through `prompts`.
Ledger readDataFile(std::span<const uint8_t> bytes, CConfig& config, Prompts& prompts,
                    const ReadOptions& options = {});

// Writes the whole file in the current layout, scrambled when `config` carries the marker.
void writeDataFile(Archive& ar, CConfig& config, const CHinmeiList& entries,
                   const CBudgetList* budgets);
std::vector<uint8_t> dataFileBytes(CConfig& config, const CHinmeiList& entries,
                                   const CBudgetList* budgets);

// Reads the bytes a save is about to write as an open would, without showing anything: the
// reason it would refuse them or lose part of them, or nothing when they read back whole.
std::optional<std::string> readBackFailure(std::span<const uint8_t> bytes,
                                           const CHinmeiList& entries, const CBudgetList* budgets);

// The check of a typed password against the one the file's header holds; nothing when the
// file has none. Nothing of a file with a password is shown before its check passed.
std::optional<PasswordCheck> passwordCheckOf(const CHinmeiList& entries);

// Why a file on disk could not be opened.
enum class LoadFailure : uint8_t {
  None,
  CannotOpen,
  NewerVersion,
  Unreadable,     // an archive error ended the read (see `error`)
  Broken,         // no entry store could be built; its message has been shown
  TooFewEntries,  // the store holds too few entries to be used
};

// A file's content as it was read or written: enough to tell later whether another program
// has put something else there since.
struct FileIdentity {
  uint64_t size = 0;
  int64_t modifiedNs = 0;  // the time of its last change, in nanoseconds since 1970
  uint64_t hash = 0;       // of its bytes
  bool hashed = true;      // false: the bytes were not hashed, and nothing is known of them
  bool operator==(const FileIdentity&) const = default;
};
uint64_t hashOfBytes(std::span<const uint8_t> bytes);
// The same hash of bytes that come in pieces: hashOfBytes of them all, whatever the pieces.
class BytesHasher {
 public:
  BytesHasher();
  void add(std::span<const uint8_t> bytes);
  uint64_t value() const;

 private:
  static constexpr size_t kStripeBytes = 32;
  void takeStripe(const uint8_t* p);
  std::array<uint64_t, 4> lanes_;
  std::array<uint8_t, kStripeBytes> pending_{};
  size_t pendingSize_ = 0;
  uint64_t size_ = 0;
};

struct LoadedFile {
  LoadFailure failure = LoadFailure::None;
  FileIdentity identity;  // of the bytes read, whenever they could be read
  std::string error;      // what the archive reported, for Unreadable
  Recognition recognition;
  CConfig config;
  Ledger ledger;
};

// Recognises and reads a file from disk. Failures are returned, never thrown.
LoadedFile loadDataFile(const std::filesystem::path& path, Prompts& prompts,
                        const ReadOptions& options = {});
// The message that tells the user about a failure, when one is still to be shown.
std::optional<MessageId> failureMessage(LoadFailure failure);

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path);

// The whole content of a file read in one go into one block: the first `size` bytes of `block`.
struct FileBytes {
  LargeBlock block;
  size_t size = 0;
  int64_t modifiedNs = 0;
  std::span<const uint8_t> bytes() const { return {block.data(), size}; }
};
std::optional<FileBytes> readFileBytes(const std::filesystem::path& path);
// The identity of the file under `path` now; nothing when it cannot be read.
std::optional<FileIdentity> identityOnDisk(const std::filesystem::path& path);
// Writes beside the target and renames, so a failed write never leaves a half file in place of
// the old one. Throws ArchiveError (WriteFailed).
void replaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace sorami
