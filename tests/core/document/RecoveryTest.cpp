// The recovery copy: a program killed after typing lines leaves them where the next start
// finds them, and the file itself stays as it was last saved.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "document/Recovery.h"
#include "rules/Calendar.h"
#include "support/DocumentFixture.h"

namespace sorami::test {
namespace {

namespace fs = std::filesystem;

bool holdsLine(CSoramiDoc& d, std::u16string_view name) {
  return std::any_of(d.entries()->begin(), d.entries()->end(),
                     [&](const CHinmei& e) { return e.name == name; });
}

class RecoveryTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    ::setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_STATE_HOME");
    DocumentTest::TearDown();
  }
};

TEST_F(RecoveryTest, LinesTypedBeforeAKillAreFoundAtTheNextStart) {
  const fs::path p = created();
  const std::vector<uint8_t> saved = fileBytes(p);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The program of the evening: lines typed, the copy written, then killed mid-way.
    for (int i = 0; i < 30; ++i) {
      doc.entries()->insert(
          CHinmei(dayFromYmd(2024, 4, 10), 1, EF_EXPENSE, u"夕食", u"", 1000 + i));
    }
    doc.entries()->insert(CHinmei(dayFromYmd(2024, 4, 10), 1, EF_EXPENSE, u"夜食", u"", 500));
    writeRecoveryCopy(recoveryPathFor(p), doc.recoveryBytes());
    ::kill(::getpid(), SIGKILL);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  const fs::path copy = newerRecoveryCopy(p);
  ASSERT_FALSE(copy.empty());
  EXPECT_EQ(copy.parent_path(), dir / "state" / "sorami");
  OtherDocument next(clock);
  ASSERT_TRUE(next.doc.openRecovered(p, copy));
  EXPECT_TRUE(holdsLine(next.doc, u"夜食"));
  EXPECT_EQ(next.doc.path(), p);
  EXPECT_TRUE(next.doc.isModified());
  EXPECT_EQ(fileBytes(p), saved) << "the file waits for the user's save";
  // Which version of the file the lost session had opened is not known: the save asks first.
  next.prompts.answers = {Answer::Yes};
  ASSERT_TRUE(next.doc.save());
  ASSERT_FALSE(next.prompts.shown.empty());
  EXPECT_EQ(next.prompts.shown.back().id, MessageId::FileChangedAskSave);
  removeRecoveryCopy(p);
  EXPECT_TRUE(newerRecoveryCopy(p).empty());
  OtherDocument reread(clock);
  ASSERT_TRUE(reread.doc.open(p));
  EXPECT_TRUE(holdsLine(reread.doc, u"夜食"));
}

TEST_F(RecoveryTest, ACopyOlderThanTheFileIsNotOffered) {
  const fs::path p = created();
  ASSERT_TRUE(writeRecoveryCopy(recoveryPathFor(p), doc.recoveryBytes()));
  EXPECT_FALSE(newerRecoveryCopy(p).empty());
  fs::last_write_time(p, fs::last_write_time(recoveryPathFor(p)) + std::chrono::seconds(5));
  EXPECT_TRUE(newerRecoveryCopy(p).empty());
  // Files of one name in two folders keep copies of their own.
  EXPECT_NE(recoveryPathFor(dir / "x" / "a.mtb"), recoveryPathFor(dir / "y" / "a.mtb"));
}

}  // namespace
}  // namespace sorami::test
