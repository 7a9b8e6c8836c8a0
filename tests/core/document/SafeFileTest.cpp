#include "document/SafeFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fstream>

#include "support/DocumentFixture.h"

namespace sorami {
namespace {

namespace fs = std::filesystem;
using test::DocumentTest;
using test::fileBytes;

TEST_F(DocumentTest, SaveKilledHalfWayLeavesThePreviousFileIntact) {
  const fs::path p = created("a.mtb");
  // Enough lines that the save takes several blocks.
  for (int i = 0; i < 400; ++i) {
    doc.entries()->insert(CHinmei(dayFromYmd(2024, 4, 1), 4, EF_EXPENSE, u"パン", u"", 100 + i));
  }
  const auto before = fileBytes(p);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    doc.saveProgress = [](size_t written) {
      if (written > kSaveBlockBytes) ::raise(SIGKILL);
    };
    doc.save();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(fileBytes(p), before);
  // The next save goes through and leaves a readable file.
  ASSERT_TRUE(doc.save());
  test::OtherDocument r(clock);
  ASSERT_TRUE(r.doc.open(p));
  EXPECT_EQ(r.doc.entries()->size(), 485u);
}

TEST_F(DocumentTest, SecondWriterIsTurnedAwayWhileTheFileIsLocked) {
  const fs::path p = created("a.mtb");
  const auto before = fileBytes(p);
  // flock locks belong to the open file, so a second lock in this process conflicts too.
  const std::optional<FileLock> reading = FileLock::tryLock(p, FileLock::Mode::Shared);
  ASSERT_TRUE(reading);
  EXPECT_EQ(writeFileSafely(p, std::vector<uint8_t>{1, 2, 3}), SaveError::InUse);
  EXPECT_FALSE(doc.save());
  EXPECT_TRUE(prompts.wasShown(MessageId::FileInUse));
  EXPECT_EQ(fileBytes(p), before);
}

TEST_F(DocumentTest, SafeWriteKeepsPermissionsAndTheBackupOnRequest) {
  const fs::path p = file("x.mtb");
  ASSERT_EQ(writeFileSafely(p, std::vector<uint8_t>{1}), SaveError::None);
  fs::permissions(p, fs::perms(0600));
  SafeWriteOptions keep;
  keep.keepBackup = true;
  ASSERT_EQ(writeFileSafely(p, std::vector<uint8_t>{2}, keep), SaveError::None);
  EXPECT_EQ(fileBytes(p), std::vector<uint8_t>{2});
  EXPECT_EQ(fileBytes(backupPath(p)), std::vector<uint8_t>{1});
  EXPECT_EQ(fs::status(p).permissions() & fs::perms::mask, fs::perms(0600));
  EXPECT_EQ(writeFileSafely(dir / "no" / "y.mtb", std::vector<uint8_t>{1}),
            SaveError::CannotCreate);
}

void addLine(CSoramiDoc& doc, const char16_t* name) {
  ASSERT_TRUE(doc.entries()->insert(CHinmei(dayFromYmd(2024, 4, 1), 4, EF_EXPENSE, name, u"", 1)));
}

bool hasLine(const fs::path& p, const Clock& clock, const std::u16string& name) {
  test::OtherDocument r(clock);
  if (!r.doc.open(p)) return false;
  return std::any_of(r.doc.entries()->begin(), r.doc.entries()->end(),
                     [&](const CHinmei& e) { return e.name == name; });
}

TEST_F(DocumentTest, ASaveDoesNotOverwriteWhatAnotherProgramSavedMeanwhile) {
  const fs::path p = created("a.mtb");
  EXPECT_EQ(doc.fileOnDisk(), CSoramiDoc::DiskState::Unchanged);
  test::OtherDocument other(clock);
  ASSERT_TRUE(other.doc.open(p));
  addLine(other.doc, u"他方");
  ASSERT_TRUE(other.doc.save());
  EXPECT_EQ(doc.fileOnDisk(), CSoramiDoc::DiskState::Changed);

  addLine(doc, u"こちら");
  const auto theirs = fileBytes(p);
  EXPECT_FALSE(doc.save());
  EXPECT_TRUE(prompts.wasShown(MessageId::FileChangedAskSave));
  EXPECT_EQ(fileBytes(p), theirs);
  // Saving under another name keeps both.
  ASSERT_TRUE(doc.saveAs(file("b.mtb")));
  EXPECT_TRUE(hasLine(p, clock, u"他方"));
  EXPECT_TRUE(hasLine(file("b.mtb"), clock, u"こちら"));

  // The same bytes written again (a copy, a touch) are no change; a removed file is gone.
  const auto ours = fileBytes(file("b.mtb"));
  test::writeBytes(file("b.mtb"), ours);
  EXPECT_EQ(doc.fileOnDisk(), CSoramiDoc::DiskState::Unchanged);
  fs::remove(file("b.mtb"));
  EXPECT_EQ(doc.fileOnDisk(), CSoramiDoc::DiskState::Gone);
  EXPECT_TRUE(doc.save());
}

// A document opened only to read knows nothing of the file's bytes: should it save after all,
// it asks before replacing the file rather than take it as unchanged.
TEST_F(DocumentTest, ADocumentOpenedOnlyToReadAsksBeforeItSaves) {
  const fs::path p = created("a.mtb");
  test::OtherDocument reader(clock);
  reader.doc.openForReadingOnly();
  ASSERT_TRUE(reader.doc.open(p));
  EXPECT_EQ(reader.doc.fileOnDisk(), CSoramiDoc::DiskState::Changed);
  const auto before = fileBytes(p);
  addLine(reader.doc, u"読むだけ");
  EXPECT_FALSE(reader.doc.save());
  EXPECT_TRUE(reader.prompts.wasShown(MessageId::FileChangedAskSave));
  EXPECT_EQ(fileBytes(p), before);
}

// Asked before a save over another program's version: over it, under another name, or not at
// all; neither answer loses a line.
TEST_F(DocumentTest, ASaveOverAnotherProgramsVersionAsksAndLosesNothingEitherWay) {
  const fs::path p = created("a.mtb");
  test::OtherDocument other(clock);
  ASSERT_TRUE(other.doc.open(p));
  addLine(other.doc, u"他方");
  ASSERT_TRUE(other.doc.save());
  addLine(doc, u"こちら");

  prompts.answers = {Answer::No};
  prompts.savePaths = {file("mine.mtb")};
  ASSERT_TRUE(doc.save());
  EXPECT_TRUE(hasLine(p, clock, u"他方"));
  EXPECT_FALSE(hasLine(p, clock, u"こちら"));
  EXPECT_TRUE(hasLine(file("mine.mtb"), clock, u"こちら"));
  EXPECT_EQ(doc.path(), file("mine.mtb"));

  ASSERT_TRUE(doc.open(p));
  ASSERT_TRUE(other.doc.open(p));
  addLine(other.doc, u"二度目");
  ASSERT_TRUE(other.doc.save());
  addLine(doc, u"上書き");
  prompts.answers = {Answer::Yes};
  ASSERT_TRUE(doc.save());
  EXPECT_TRUE(hasLine(p, clock, u"上書き"));
  EXPECT_FALSE(hasLine(p, clock, u"二度目")) << "the user chose to replace it";
  EXPECT_EQ(doc.fileOnDisk(), CSoramiDoc::DiskState::Unchanged);
}

TEST_F(DocumentTest, ADocumentThatHoldsItsFileKeepsOtherWritersOutFromReadToSave) {
  const fs::path p = created("a.mtb");
  test::OtherDocument holder(clock);
  holder.doc.holdLockFromOpen(std::chrono::milliseconds(0));
  ASSERT_TRUE(holder.doc.open(p));
  // Between the holder's read and its save no one else reads to write, nor writes.
  test::OtherDocument second(clock);
  second.doc.holdLockFromOpen(std::chrono::milliseconds(0));
  EXPECT_FALSE(second.doc.open(p));
  EXPECT_TRUE(second.prompts.wasShown(MessageId::FileInUse));
  addLine(doc, u"割り込み");
  EXPECT_FALSE(doc.save());
  addLine(holder.doc, u"保持");
  ASSERT_TRUE(holder.doc.save());
  // Still held after its save, for the next one.
  EXPECT_FALSE(second.doc.open(p));
  addLine(holder.doc, u"保持2");
  ASSERT_TRUE(holder.doc.save());
  holder.doc.deleteContents();
  EXPECT_TRUE(hasLine(p, clock, u"保持2"));
  EXPECT_TRUE(second.doc.open(p));
}

TEST_F(DocumentTest, ABackupThatCannotBeWrittenFailsTheSaveAndReplacesNothing) {
  const fs::path p = created("a.mtb");
  ASSERT_TRUE(doc.open(p));  // a new opening: its first save keeps a backup
  addLine(doc, u"新しい行");
  const auto before = fileBytes(p);
  doc.saveWriteFault = [](const fs::path& f) {
    return f.filename().string().ends_with(".bak~") ? ENOSPC : 0;
  };
  EXPECT_FALSE(doc.save());
  EXPECT_TRUE(prompts.wasShown(MessageId::BackupFailed));
  EXPECT_EQ(fileBytes(p), before);
  EXPECT_FALSE(fs::exists(backupPath(p)));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  // Room again: the save goes through with its backup.
  doc.saveWriteFault = nullptr;
  ASSERT_TRUE(doc.save());
  EXPECT_EQ(fileBytes(backupPath(p)), before);
}

TEST_F(DocumentTest, AReadOnlyFileIsNotReplaced) {
  const fs::path p = created("a.mtb");
  fs::permissions(p, fs::perms(0444));
  addLine(doc, u"行");
  const auto before = fileBytes(p);
  EXPECT_FALSE(doc.save());
  EXPECT_TRUE(prompts.wasShown(MessageId::FileReadOnly));
  EXPECT_EQ(fileBytes(p), before);
  EXPECT_EQ(fs::status(p).permissions() & fs::perms::mask, fs::perms(0444));
}

TEST_F(DocumentTest, ASaveRemovesWhatDeadSavesLeftAndKeepsWhatALiveOneHolds) {
  const fs::path p = created("a.mtb");
  const fs::path dead = file(".a.mtb.Ab12Cd");
  const fs::path deadBackup = file("a.mtb.bak~");
  const fs::path live = file(".a.mtb.Zz99Yy");
  const fs::path unrelated = file(".b.mtb.Ab12Cd");
  for (const fs::path& f : {dead, deadBackup, live, unrelated}) std::ofstream(f) << "partial";
  const int liveFd = ::open(live.c_str(), O_RDONLY);
  ASSERT_GE(liveFd, 0);
  ASSERT_EQ(::flock(liveFd, LOCK_EX), 0);
  addLine(doc, u"行");
  ASSERT_TRUE(doc.save());
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_FALSE(fs::exists(deadBackup));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_TRUE(fs::exists(unrelated));
  ::close(liveFd);
}

TEST_F(DocumentTest, AFileWhoseFirstEntryIsNoHeaderSavesWithItsSettings) {
  const fs::path p = file("v.mtb");
  fs::copy_file(fs::path(SORAMI_FIXTURES) / "first-entry-not-header.mtb", p);
  ASSERT_TRUE(doc.open(p));
  EXPECT_TRUE(doc.lastOpen().budgetsDamaged);
  EXPECT_TRUE(prompts.wasShown(MessageId::BudgetDataDamaged));
  const std::u16string settings = doc.config().toText();
  const size_t entries = doc.entries()->size();
  ASSERT_TRUE(doc.save());
  test::OtherDocument again(clock);
  ASSERT_TRUE(again.doc.open(p));
  EXPECT_EQ(again.doc.config().toText(), settings);
  EXPECT_EQ(again.doc.entries()->size(), entries);
  EXPECT_FALSE(again.doc.lastOpen().budgetsDamaged);
}

TEST(ReadBack, BytesThatWouldNotReadBackWholeAreNamed) {
  CConfig config;
  CHinmeiList store;
  store.addAtEnd({MinDay, ITEM_HEADER, EF_ITEM, u"", config.toText(), 0});
  store.addAtEnd({MinDay, 0, 0x8100, u"食費", u"3", 0});
  store.addAtEnd({dayFromYmd(2024, 4, 1), 0, EF_EXPENSE, u"パン", u"", 100});
  store.addAtEnd({MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0});
  const CBudgetList budgets = CBudgetList::withStandardBudget();
  std::vector<uint8_t> bytes = dataFileBytes(config, store, &budgets);
  EXPECT_EQ(readBackFailure(bytes, store, &budgets), std::nullopt);
  // A store that lost its configuration text, and a cut anywhere in the file.
  CHinmeiList other;
  other.addAtEnd({MinDay, 0, 0x8100, u"食費", u"3", 0});
  for (auto p = std::next(store.begin()); p != store.end(); ++p) other.addAtEnd(*p);
  EXPECT_NE(readBackFailure(dataFileBytes(config, other, &budgets), other, &budgets), std::nullopt);
  for (size_t cut : {bytes.size() - 1, bytes.size() - 20, bytes.size() / 2}) {
    const std::vector<uint8_t> shorter(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    EXPECT_NE(readBackFailure(shorter, store, &budgets), std::nullopt) << cut;
  }
}

}  // namespace
}  // namespace sorami
