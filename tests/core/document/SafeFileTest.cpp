#include "document/SafeFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

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

}  // namespace
}  // namespace sorami
