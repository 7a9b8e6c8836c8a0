#include "document/DataFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "archive/Archive.h"
#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

using Bytes = std::vector<uint8_t>;

std::filesystem::path fixture(const std::string& name) {
  return std::filesystem::path(SORAMI_FIXTURES) / name;
}

Bytes fixtureBytes(const std::string& name) {
  auto bytes = readWholeFile(fixture(name));
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or(Bytes{});
}

struct Read {
  CConfig config;
  Ledger ledger;
  test::ScriptedPrompts prompts;
};

std::unique_ptr<Read> readBytes(const Bytes& bytes, const ReadOptions& options = {}) {
  auto r = std::make_unique<Read>();
  r->ledger = readDataFile(bytes, r->config, r->prompts, options);
  return r;
}

std::vector<std::u16string> names(const CHinmeiList& store) {
  std::vector<std::u16string> out;
  for (const CHinmei& e : store) out.push_back(e.name.str());
  return out;
}

Bytes head(std::initializer_list<uint8_t> first) {
  return Bytes(first);
}

TEST(DataFile, RecognisesTheFirstBytes) {
  struct Case {
    const char* what;
    Bytes bytes;
    bool hasBlock;
    uint16_t marker;
    FileFailure failure;
  };
  const Case cases[] = {
      {"current", head({'S', 'o', 'r', 'a', 1, 0, 0, 0, 0xB6, 0x03, 0, 0}), true, 0,
       FileFailure::None},
      {"scrambled", head({'S', 'o', 'r', 'a', 1, 0, 0, 0, 0xB6, 0x03, 0xA1, 0xE9}), true,
       kScrambleMarker, FileFailure::None},
      {"version 951", head({'S', 'o', 'r', 'a', 1, 0, 0, 0, 0xB7, 0x03, 0, 0}), true, 0,
       FileFailure::NewerVersion},
      {"old scrambled", head({0xA1, 0xE9, 0xFF, 0xFF}), false, kScrambleMarker, FileFailure::None},
      {"old plain", head({0xFF, 0xFF, 0, 0}), false, 0, FileFailure::None},
      {"marker bytes reversed", head({0xE9, 0xA1}), false, 0, FileFailure::None},
      {"magic cut short", head({'S', 'o', 'r'}), false, 0, FileFailure::None},
      {"empty", Bytes{}, false, 0, FileFailure::None},
  };
  for (const Case& c : cases) {
    const Recognition r = recognise(c.bytes);
    EXPECT_EQ(r.hasBlock, c.hasBlock) << c.what;
    EXPECT_EQ(r.scrambleMarker, c.marker) << c.what;
    EXPECT_EQ(r.failure, c.failure) << c.what;
  }
  EXPECT_EQ(recognise(fixture("no-such-file.mtb")).failure, FileFailure::CannotOpen);
  EXPECT_EQ(recognise(std::filesystem::path(SORAMI_FIXTURES)).failure, FileFailure::CannotOpen);
  EXPECT_EQ(recognise(fixture("version-951.mtb")).failure, FileFailure::NewerVersion);
}

TEST(DataFile, CurrentFilesWriteBackByteForByte) {
  for (const char* name : {"current-minimal.mtb", "scrambled.mtb"}) {
    const Bytes original = fixtureBytes(name);
    auto r = readBytes(original);
    ASSERT_EQ(r->ledger.end, ReadEnd::Complete) << name;
    EXPECT_TRUE(r->prompts.shown.empty()) << name;
    EXPECT_EQ(dataFileBytes(r->config, *r->ledger.entries, r->ledger.budgets.get()), original)
        << name;
  }
}

TEST(DataFile, ReadsEveryPartOfACurrentFile) {
  auto r = readBytes(fixtureBytes("current-minimal.mtb"));
  EXPECT_TRUE(r->config.hasBlock);
  EXPECT_EQ(r->config.decimalPlaces, 2);
  EXPECT_EQ(r->config.reservedTexts[6], u"秘密");  // C52, complemented in the file
  ASSERT_EQ(r->ledger.entries->size(), 13u);
  const CHinmei& account = *std::next(r->ledger.entries->begin(), 6);
  EXPECT_EQ(account.tailView(), u"口座設定");
  EXPECT_EQ(std::next(r->ledger.entries->begin(), 7)->date, dayFromYmd(2024, 4, 1));
  ASSERT_TRUE(r->ledger.budgetsFromFile);
  ASSERT_EQ(r->ledger.budgets->size(), 2u);
  EXPECT_EQ(r->ledger.budgets->begin()->amounts[0], 30000);
}

TEST(DataFile, ScrambledFileReadsAsItsPlainTwin) {
  auto plain = readBytes(fixtureBytes("current-minimal.mtb"));
  auto scrambled = readBytes(fixtureBytes("scrambled.mtb"));
  EXPECT_EQ(scrambled->config.scrambleMarker, kScrambleMarker);
  EXPECT_EQ(names(*scrambled->ledger.entries), names(*plain->ledger.entries));
  EXPECT_EQ(scrambled->ledger.entries->begin()->memo, plain->ledger.entries->begin()->memo);
  EXPECT_EQ(scrambled->config.diaryTitle, u"日記 / スケジュール");
  EXPECT_EQ(scrambled->config.reservedTexts[6], u"秘密");
}

TEST(DataFile, ScrambledTextIsStoredWithEvenCharactersComplemented) {
  auto r = readBytes(fixtureBytes("scrambled.mtb"));
  r->ledger.entries->begin()->name = u"ABC";  // the header's product name: the password
  const Bytes bytes = dataFileBytes(r->config, *r->ledger.entries, r->ledger.budgets.get());
  // Length prefix 3, then ~'A', 'B', ~'C' as UTF-16LE.
  const Bytes stored = {0xFF, 0xFE, 0xFF, 0x03, 0xBE, 0xFF, 'B', 0x00, 0xBC, 0xFF};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end()), bytes.end());
  auto back = readBytes(bytes);
  EXPECT_EQ(back->ledger.entries->begin()->name, u"ABC");
}

TEST(DataFile, FileWithoutBudgetListGetsTheStandardBudget) {
  auto r = readBytes(fixtureBytes("no-budgets.mtb"));
  ASSERT_EQ(r->ledger.end, ReadEnd::Complete);
  EXPECT_FALSE(r->ledger.budgetsFromFile);
  ASSERT_EQ(r->ledger.budgets->size(), 1u);
  const CBudget& standard = *r->ledger.budgets->begin();
  EXPECT_EQ(standard.kind, kBudgetStandard);
  EXPECT_EQ(standard.when(), (BudgetMonth{1, 1}));
  EXPECT_EQ(standard.amounts, CBudget().amounts);
  EXPECT_TRUE(r->prompts.shown.empty());
}

TEST(DataFile, WritesANullBudgetListWhenThereIsNone) {
  auto r = readBytes(fixtureBytes("current-minimal.mtb"));
  const Bytes bytes = dataFileBytes(r->config, *r->ledger.entries, nullptr);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[bytes.size() - 2], 0);
  EXPECT_EQ(bytes.back(), 0);
  EXPECT_EQ(bytes, fixtureBytes("no-budgets.mtb"));
}

TEST(DataFile, NewerVersionIsRefusedBeforeReading) {
  test::ScriptedPrompts prompts;
  const LoadedFile loaded = loadDataFile(fixture("version-951.mtb"), prompts);
  EXPECT_EQ(loaded.failure, LoadFailure::NewerVersion);
  EXPECT_EQ(loaded.ledger.entries, nullptr);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(failureMessage(loaded.failure), MessageId::NewerVersionRequired);
  CConfig config;
  EXPECT_THROW(readDataFile(fixtureBytes("version-951.mtb"), config, prompts), ArchiveError);
}

TEST(DataFile, FilesWithoutTheBlockTakeVersionAndTitleFromElsewhere) {
  ReadOptions options;
  options.diaryTitle = u"わが家の日記";
  for (const char* name : {"no-block.mtb", "no-block-scrambled.mtb"}) {
    auto r = readBytes(fixtureBytes(name), options);
    ASSERT_EQ(r->ledger.end, ReadEnd::Complete) << name;
    EXPECT_FALSE(r->config.hasBlock) << name;
    EXPECT_EQ(r->config.dataVersion, 700) << name;
    EXPECT_EQ(r->config.blockVersion, 0) << name;
    EXPECT_EQ(r->config.oldFormatMarker, 1) << name;
    EXPECT_EQ(r->config.diaryTitle, u"わが家の日記") << name;
    EXPECT_EQ(r->config.taxRate, 3.0) << name;
    // Without a block the version is unknown while the text is read, so the delimiters of a
    // text that has none come from the memo of item definition 0.
    EXPECT_EQ(r->config.delimiters, u"、。") << name;
    EXPECT_EQ(r->ledger.entries->size(), 13u) << name;
    EXPECT_EQ(std::next(r->ledger.entries->begin(), 7)->date, dayFromYmd(2024, 4, 1)) << name;
    EXPECT_TRUE(r->ledger.budgetsFromFile) << name;
  }
  EXPECT_EQ(readBytes(fixtureBytes("no-block-scrambled.mtb"))->config.scrambleMarker,
            kScrambleMarker);
  EXPECT_EQ(readBytes(fixtureBytes("no-block.mtb"))->config.diaryTitle, kDefaultDiaryTitle);
}

TEST(DataFile, OldVersionsSkipTheirLaterFields) {
  struct Case {
    const char* name;
    uint16_t version;
    int decimalPlaces;  // 2 in every file; stored only from 840 on
    bool budgetsFromFile;
  };
  const Case cases[] = {
      {"version-900.mtb", 900, 2, true},
      {"version-820.mtb", 820, 0, true},
      {"version-626.mtb", 626, 0, false},
  };
  for (const Case& c : cases) {
    auto r = readBytes(fixtureBytes(c.name));
    ASSERT_EQ(r->ledger.end, ReadEnd::Complete) << c.name;
    EXPECT_EQ(r->config.dataVersion, c.version) << c.name;
    EXPECT_EQ(r->config.blockVersion, c.version) << c.name;
    EXPECT_EQ(r->config.decimalPlaces, c.decimalPlaces) << c.name;
    EXPECT_EQ(r->ledger.budgetsFromFile, c.budgetsFromFile) << c.name;
    ASSERT_EQ(r->ledger.entries->size(), 13u) << c.name;
    EXPECT_EQ(std::next(r->ledger.entries->begin(), 11)->date, dayFromYmd(2024, 4, 2)) << c.name;
    EXPECT_EQ(r->ledger.entries->dataVersion(), c.version) << c.name;
  }
}

TEST(DataFile, MarkerWithoutScrambledTextsIsClearedByTheFallback) {
  auto r = readBytes(fixtureBytes("marked-scrambled-but-plain.mtb"));
  ASSERT_EQ(r->ledger.end, ReadEnd::Complete);
  EXPECT_EQ(r->config.scrambleMarker, 0);
  EXPECT_EQ(std::next(r->ledger.entries->begin(), 1)->name, u"食費");
  EXPECT_EQ(std::next(r->ledger.entries->begin(), 6)->tailView(), u"口座設定");
  // The block's texts were plain as well and must not be saved garbled.
  EXPECT_EQ(r->config.diaryTitle, u"日記 / スケジュール");
  EXPECT_EQ(r->config.taxName, u"消費税");
  EXPECT_EQ(r->config.reservedTexts[6], u"秘密");
  const Bytes saved = dataFileBytes(r->config, *r->ledger.entries, r->ledger.budgets.get());
  EXPECT_EQ(saved, fixtureBytes("current-minimal.mtb"));
}

TEST(DataFile, BrokenFilesFailWithTheirMessage) {
  struct Case {
    const char* name;
    LoadFailure failure;
    bool fileBrokenShown;
  };
  const Case cases[] = {
      {"truncated-in-entry.mtb", LoadFailure::Broken, true},
      {"bad-class-name.mtb", LoadFailure::Broken, true},
      {"entry-back-reference.mtb", LoadFailure::Broken, true},
      {"huge-entry-count.mtb", LoadFailure::Broken, true},
      {"text-past-end.mtb", LoadFailure::Unreadable, false},
      {"unreadable-config-text.mtb", LoadFailure::Unreadable, false},
      {"no-such-file.mtb", LoadFailure::CannotOpen, false},
  };
  // A file opened only to be read is parsed as it is read, and fails the same way.
  for (const bool identify : {true, false}) {
    for (const Case& c : cases) {
      test::ScriptedPrompts prompts;
      const LoadedFile loaded = loadDataFile(fixture(c.name), prompts, {.identify = identify});
      EXPECT_EQ(loaded.failure, c.failure) << c.name << identify;
      EXPECT_EQ(prompts.wasShown(MessageId::FileBroken), c.fileBrokenShown) << c.name << identify;
      EXPECT_EQ(prompts.shown.size(), c.fileBrokenShown ? 1u : 0u) << c.name << identify;
    }
  }
  CConfig config;
  test::ScriptedPrompts prompts;
  try {
    readDataFile(fixtureBytes("unreadable-config-text.mtb"), config, prompts);
    ADD_FAILURE() << "an unreadable configuration text was accepted";
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.kind(), ArchiveErrorKind::WrongClass);
  }
}

TEST(DataFile, DamagedBudgetsKeepThoseReadBefore) {
  auto damaged = readBytes(fixtureBytes("damaged-budget.mtb"));
  ASSERT_EQ(damaged->ledger.end, ReadEnd::Complete);
  EXPECT_TRUE(damaged->prompts.wasShown(MessageId::BudgetDataDamaged));
  EXPECT_EQ(damaged->ledger.budgets->size(), 2u);

  auto shortOne = readBytes(fixtureBytes("short-budget.mtb"));
  ASSERT_EQ(shortOne->ledger.budgets->size(), 1u);
  const auto& amounts = shortOne->ledger.budgets->begin()->amounts;
  EXPECT_EQ(amounts[2], 3);
  EXPECT_TRUE(std::all_of(amounts.begin() + 3, amounts.end(), [](int32_t a) { return a == 0; }));
}

TEST(DataFile, ABudgetListCutShortIsDamageThatKeepsTheBudgetsBeforeTheCut) {
  const Bytes whole = fixtureBytes("current-minimal.mtb");
  const std::string_view name = "CBudgetList";
  const auto at = std::search(whole.begin(), whole.end(), name.begin(), name.end());
  ASSERT_NE(at, whole.end());
  // The new-class tag, schema and name length stand before the name.
  const size_t tag = static_cast<size_t>(at - whole.begin()) - 6;
  const struct {
    size_t cut;
    size_t kept;
  } cases[] = {{tag, 1}, {tag + 8, 1}, {whole.size() - 3, 1}};
  for (const auto& c : cases) {
    auto r = readBytes(Bytes(whole.begin(), whole.begin() + static_cast<long>(c.cut)));
    EXPECT_EQ(r->ledger.end, ReadEnd::Complete) << c.cut;
    EXPECT_TRUE(r->ledger.budgetsDamaged) << c.cut;
    EXPECT_TRUE(r->prompts.wasShown(MessageId::BudgetDataDamaged)) << c.cut;
    // A list lost whole leaves the standard budget in its place.
    EXPECT_EQ(r->ledger.budgets->size(), c.kept) << c.cut;
  }
  auto intact = readBytes(whole);
  EXPECT_FALSE(intact->ledger.budgetsDamaged);
  EXPECT_EQ(intact->ledger.budgets->size(), 2u);
}

TEST(DataFile, BudgetsOfDroppedMonthsGoWithTheirEntries) {
  struct KeepFromMay : FileReadHooks {
    std::optional<BudgetMonth> firstKeptMonth() const override { return BudgetMonth{2024, 5}; }
  } hooks;
  ReadOptions options;
  options.hooks = &hooks;
  auto r = readBytes(fixtureBytes("current-minimal.mtb"), options);
  ASSERT_EQ(r->ledger.budgets->size(), 1u);
  EXPECT_TRUE(r->ledger.budgets->begin()->isStandard());
}

TEST(DataFile, StoreWithTooFewEntriesEndsTheRead) {
  CConfig config;
  CHinmeiList store;
  store.addAtEnd({MinDay, ITEM_HEADER, EF_ITEM, u"", config.toText(), 0});
  store.addAtEnd({MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0});
  const CBudgetList budgets = CBudgetList::withStandardBudget();
  auto r = readBytes(dataFileBytes(config, store, &budgets));
  EXPECT_EQ(r->ledger.end, ReadEnd::TooFewEntries);
  EXPECT_EQ(r->ledger.entries->size(), 2u);
  EXPECT_EQ(r->ledger.budgets, nullptr);
}

// Every prefix of a valid file either fails with an archive error or reads what it holds.
// A file on disk is parsed as it is read and hashed on the way: the same as reading its bytes
// whole, with the identity of the file as it is on disk.
TEST(DataFile, AFileReadAsItComesReadsAsItsWholeBytes) {
  for (const char* name : {"current-minimal.mtb", "no-block-scrambled.mtb", "scrambled.mtb",
                           "version-626.mtb", "version-900.mtb", "damaged-budget.mtb"}) {
    Read whole;
    whole.ledger = readDataFile(fixtureBytes(name), whole.config, whole.prompts);
    for (const bool identify : {true, false}) {
      test::ScriptedPrompts prompts;
      LoadedFile read = loadDataFile(fixture(name), prompts, {.identify = identify});
      ASSERT_EQ(read.failure, LoadFailure::None) << name;
      EXPECT_EQ(prompts.shown.size(), whole.prompts.shown.size()) << name;
      EXPECT_EQ(dataFileBytes(read.config, *read.ledger.entries, read.ledger.budgets.get()),
                dataFileBytes(whole.config, *whole.ledger.entries, whole.ledger.budgets.get()))
          << name;
      const std::optional<FileIdentity> onDisk = identityOnDisk(fixture(name));
      ASSERT_TRUE(onDisk.has_value());
      if (identify) {
        EXPECT_EQ(read.identity, *onDisk) << name;
      } else {
        EXPECT_FALSE(read.identity.hashed);
        EXPECT_EQ(read.identity.size, onDisk->size);
        EXPECT_EQ(read.identity.modifiedNs, onDisk->modifiedNs);
      }
    }
  }
}

// A file without a size to go by (a pipe) is read whole before it is parsed, so its counts and
// lengths are judged against what it holds.
TEST(DataFile, AFileOnlyReadFromAPipeReadsWhole) {
  const auto dir = std::filesystem::temp_directory_path() / "sorami-pipe-test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto pipe = dir / "book.mtb";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const Bytes bytes = fixtureBytes("current-minimal.mtb");
  std::atomic<bool> done = false;
  std::thread writer([&] {
    {
      std::ofstream out(pipe, std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    // A pipe gives its bytes once: a reader that opened it a second time would wait here for
    // ever. Such a reader is let go with an empty pipe, so the test fails instead of hanging.
    while (!done) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) ::close(fd);
    }
  });
  test::ScriptedPrompts prompts;
  LoadedFile read = loadDataFile(pipe, prompts, {.identify = false});
  done = true;
  writer.join();
  ASSERT_EQ(read.failure, LoadFailure::None);
  EXPECT_EQ(read.identity.size, bytes.size());
  EXPECT_EQ(dataFileBytes(read.config, *read.ledger.entries, read.ledger.budgets.get()), bytes);
  std::filesystem::remove_all(dir);
}

TEST(DataFile, EveryTruncationFailsCleanly) {
  for (const char* name : {"current-minimal.mtb", "no-block-scrambled.mtb"}) {
    const Bytes whole = fixtureBytes(name);
    for (size_t n = 0; n < whole.size(); ++n) {
      const Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
      CConfig config;
      test::ScriptedPrompts prompts;
      try {
        const Ledger ledger = readDataFile(cut, config, prompts);
        if (ledger.end == ReadEnd::Complete) {
          // Only the budget list can be missing or short: the entries are all there.
          EXPECT_EQ(ledger.entries->size(), 13u) << name << " " << n;
          EXPECT_NE(ledger.budgets, nullptr) << name << " " << n;
        } else {
          EXPECT_EQ(ledger.end, ReadEnd::NoEntryStore) << name << " " << n;
          EXPECT_TRUE(prompts.wasShown(MessageId::FileBroken)) << name << " " << n;
        }
      } catch (const ArchiveError& e) {
        EXPECT_EQ(e.kind(), ArchiveErrorKind::EndOfFile) << name << " " << n;
      }
    }
  }
}

TEST(DataFile, ReplaceFileWritesWholeFilesOnly) {
  const auto dir = std::filesystem::temp_directory_path() / "sorami-datafile-test";
  std::filesystem::create_directories(dir);
  const auto target = dir / "out.mtb";
  const Bytes bytes = fixtureBytes("current-minimal.mtb");
  replaceFile(target, bytes);
  EXPECT_EQ(readWholeFile(target), bytes);
  EXPECT_THROW(replaceFile(dir / "missing-folder" / "out.mtb", bytes), ArchiveError);
  std::filesystem::remove_all(dir);
}

// Files are read in one go into one block: every size from empty to beyond the huge-page blocks
// comes back byte for byte, and what cannot be read is nothing.
TEST(DataFile, WholeFilesAreReadByteForByte) {
  const auto dir = std::filesystem::temp_directory_path() / "sorami-readfile-test";
  std::filesystem::create_directories(dir);
  const auto path = dir / "bytes.bin";
  for (const size_t size :
       {size_t{0}, size_t{1}, kMappedBlockBytes - 1, kMappedBlockBytes, kLargePageBytes + 3}) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
    replaceFile(path, bytes);
    const std::optional<FileBytes> file = readFileBytes(path);
    ASSERT_TRUE(file.has_value()) << size;
    EXPECT_TRUE(std::ranges::equal(file->bytes(), bytes)) << size;
    EXPECT_EQ(readWholeFile(path), bytes) << size;
  }
  // A file whose size is not known beforehand (as those of /proc) is read to its end all the
  // same, its block growing as needed.
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const Bytes cmdline{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::optional<FileBytes> grown = readFileBytes("/proc/self/cmdline");
  ASSERT_TRUE(grown.has_value());
  EXPECT_GT(cmdline.size(), 1u);
  EXPECT_TRUE(std::ranges::equal(grown->bytes(), cmdline));
  EXPECT_FALSE(readFileBytes(dir / "missing.bin").has_value());
  EXPECT_FALSE(readFileBytes(dir).has_value());
  std::filesystem::remove_all(dir);
}

// The identity tells a file changed by another program: one byte changed anywhere, in the
// blocks the hash takes at once or in the bytes left after them, or one byte more, changes it.
TEST(DataFile, IdentityHashOfPiecesIsThatOfTheWhole) {
  for (const size_t size : {0, 1, 31, 32, 33, 64, 100, 4099}) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 13 + 5);
    for (const size_t piece : {1, 3, 8, 31, 32, 33, 1000}) {
      BytesHasher hasher;
      for (size_t at = 0; at < size; at += piece) {
        hasher.add(std::span(bytes).subspan(at, std::min(piece, size - at)));
      }
      hasher.add({});
      EXPECT_EQ(hasher.value(), hashOfBytes(bytes)) << size << " in pieces of " << piece;
    }
  }
}

TEST(DataFile, IdentityHashSeesEveryByte) {
  for (const size_t size : {0, 1, 3, 7, 8, 31, 32, 33, 100, 4099}) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    const uint64_t original = hashOfBytes(bytes);
    EXPECT_EQ(original, hashOfBytes(Bytes(bytes))) << size;
    for (size_t at = 0; at < size; ++at) {
      Bytes changed = bytes;
      changed[at] ^= 0x01;
      EXPECT_NE(original, hashOfBytes(changed)) << size << " at " << at;
    }
    Bytes longer = bytes;
    longer.push_back(0);
    EXPECT_NE(original, hashOfBytes(longer)) << size;
  }
}

}  // namespace
}  // namespace sorami
