#include "document/SoramiDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>

#include "archive/Archive.h"
#include "document/ReadAhead.h"
#include "support/DocumentFixture.h"

namespace sorami {
namespace {

namespace fs = std::filesystem;
using test::DocumentTest;
using test::fileBytes;

const Day kApril3 = dayFromYmd(2024, 4, 3);

void addLine(CSoramiDoc& doc, Day day, uint16_t item, uint16_t flags, const char16_t* name,
             int32_t amount) {
  ASSERT_TRUE(doc.entries()->insert(CHinmei(day, item, flags, name, u"", amount)));
}

size_t indexOf(const std::vector<test::ScriptedPrompts::Shown>& shown, MessageId id) {
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i].id == id) return i;
  }
  return shown.size();
}

TEST_F(DocumentTest, NewFileIsWrittenOpenedAndUnmodified) {
  const fs::path p = created("家計.mtb", {12000, true, 8});
  EXPECT_EQ(doc.path(), p);
  EXPECT_EQ(doc.title(), u"家計.mtb");
  EXPECT_EQ(doc.entries()->size(), 85u);
  EXPECT_EQ(doc.entries()->begin()->amount, 12000);
  EXPECT_FALSE(doc.isModified());
  EXPECT_FALSE(fs::exists(backupPath(p)));
  EXPECT_EQ(doc.currentDay(), dayFromYmd(2024, 4, 10));

  test::OtherDocument r(clock);
  ASSERT_TRUE(r.doc.open(p));
  EXPECT_EQ(r.doc.entries()->size(), 85u);
  EXPECT_EQ(r.config.taxRate, 8);
  EXPECT_FALSE(r.doc.isModified());
  EXPECT_TRUE(r.prompts.shown.empty());
}

TEST_F(DocumentTest, NewFileProposesTheTaxRateOfItsDay) {
  struct Case {
    int y, m, d;
    double rate;
  };
  for (const Case c : {Case{1997, 3, 31, 3}, Case{1997, 4, 1, 5}, Case{2014, 3, 31, 5},
                       Case{2014, 4, 1, 8}, Case{2019, 9, 30, 8}, Case{2019, 10, 1, 10}}) {
    clock.set(c.y, c.m, c.d);
    prompts.newFiles = {std::nullopt};  // cancelled: nothing changes
    const CConfig before = live;
    EXPECT_FALSE(doc.newDataFile());
    ASSERT_TRUE(prompts.proposedNewFile);
    EXPECT_EQ(prompts.proposedNewFile->taxRate, c.rate) << c.y;
    EXPECT_EQ(prompts.proposedNewFile->initialCash, 5000);
    EXPECT_EQ(live, before);
  }
}

TEST_F(DocumentTest, NewFileThroughTheDialogs) {
  prompts.newFiles = {NewFileValues{100, false, 10}};
  prompts.savePaths = {file("n.mtb")};
  ASSERT_TRUE(doc.newDataFile());
  ASSERT_EQ(prompts.saveRequests.size(), 1u);
  EXPECT_EQ(prompts.saveRequests[0].title, u"新規データの作成");
  EXPECT_EQ(prompts.saveRequests[0].proposedName, u"出納簿.mtb");
  EXPECT_EQ(doc.entries()->size(), 21u);
  EXPECT_EQ(live.settingsYear, 2024);
}

TEST_F(DocumentTest, CreationThatCannotBeWrittenRestoresTheSettings) {
  const CConfig before = live;
  EXPECT_FALSE(doc.createFile(dir / "missing" / "x.mtb", {0, true, 3}));
  EXPECT_EQ(live, before);
  EXPECT_TRUE(prompts.wasShown(MessageId::InvalidFileName));
  EXPECT_TRUE(prompts.wasShown(MessageId::NoDataLoaded));
  EXPECT_EQ(doc.title(), u"開いたデータ無し");
}

TEST_F(DocumentTest, SaveModifiedAsksOnlyWhenConfigured) {
  const fs::path p = created();
  struct Case {
    int confirm;
    std::optional<Answer> answer;
    bool proceeds;
    bool saved;
  };
  for (const Case c : {Case{0, {}, true, true}, Case{1, Answer::Yes, true, true},
                       Case{1, Answer::No, true, false}, Case{1, Answer::Cancel, false, false}}) {
    live.confirmSaveAfterChange = c.confirm;
    ASSERT_TRUE(doc.save());
    addLine(doc, kApril3, 4, EF_EXPENSE, u"パン", 100);
    ASSERT_TRUE(doc.isModified());
    prompts.shown.clear();
    if (c.answer) prompts.answers = {*c.answer};
    const auto before = fileBytes(p);
    EXPECT_EQ(doc.saveModified(), c.proceeds);
    EXPECT_EQ(fileBytes(p) != before, c.saved);
    EXPECT_EQ(prompts.wasShown(MessageId::ConfirmSaveChanged), c.confirm == 1);
    EXPECT_EQ(doc.isModified(), !c.saved);
  }
}

TEST_F(DocumentTest, SettingsChangesCountAsModified) {
  created();
  live.closingDay = 25;
  EXPECT_TRUE(doc.isModified());
  ASSERT_TRUE(doc.save());
  EXPECT_FALSE(doc.isModified());
  doc.budgets()->budgetFor(2024, 5);
  doc.budgets()->setModified(true);
  EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, DisplayModeIsSavedOnlyWhenTheSettingSaysSo) {
  const fs::path p = created();
  for (const int saveMode : {0, 1}) {
    live.saveDisplayMode = saveMode;
    live.displayMode = 2;
    ASSERT_TRUE(doc.save());
    test::OtherDocument r(clock);
    ASSERT_TRUE(r.doc.open(p));
    EXPECT_EQ(r.config.displayMode, saveMode == 1 ? 2 : 0);
    live.displayMode = 0;
    ASSERT_TRUE(doc.save());
  }
}

TEST_F(DocumentTest, NulCharactersReadIntoSettingsTextsDoNotSpoilTheSavedFile) {
  const fs::path p = created();
  live.delimiters = std::u16string(u"、。\0,.", 5);
  live.increaseName = std::u16string(u"増\0加", 3);
  ASSERT_TRUE(doc.save());
  test::OtherDocument r(clock);
  ASSERT_TRUE(r.doc.open(p));
  EXPECT_EQ(r.config.delimiters, u"、。,.");
  EXPECT_EQ(r.config.increaseName, u"増加");
}

TEST_F(DocumentTest, FirstSaveOfAnOpeningKeepsTheVersionItReplaces) {
  const fs::path p = created();
  const auto original = fileBytes(p);
  test::OtherDocument r(clock);
  ASSERT_TRUE(r.doc.open(p));
  addLine(r.doc, kApril3, 4, EF_EXPENSE, u"パン", 100);
  ASSERT_TRUE(r.doc.save());
  EXPECT_EQ(fileBytes(backupPath(p)), original);
  addLine(r.doc, kApril3, 4, EF_EXPENSE, u"牛乳", 200);
  ASSERT_TRUE(r.doc.save());
  EXPECT_EQ(fileBytes(backupPath(p)), original);
}

TEST_F(DocumentTest, SaveAsMovesTheOpenFileToTheNewNameAndLeavesTheOldOne) {
  const fs::path old = created("old.mtb");
  const auto oldBytes = fileBytes(old);
  addLine(doc, kApril3, 4, EF_EXPENSE, u"パン", 100);
  ASSERT_TRUE(doc.saveAs(file("new.mtb")));
  EXPECT_EQ(doc.path(), file("new.mtb"));
  EXPECT_EQ(doc.title(), u"new.mtb");
  EXPECT_FALSE(doc.isModified());
  EXPECT_EQ(host.recent.back(), file("new.mtb"));
  EXPECT_EQ(fileBytes(old), oldBytes);
  // Later saves go to the new name.
  addLine(doc, kApril3, 4, EF_EXPENSE, u"牛乳", 200);
  ASSERT_TRUE(doc.save());
  EXPECT_EQ(fileBytes(old), oldBytes);
  test::OtherDocument r(clock);
  ASSERT_TRUE(r.doc.open(file("new.mtb")));
  EXPECT_EQ(r.doc.entries()->size(), doc.entries()->size());

  // A name that cannot be written leaves the open file where it was.
  EXPECT_FALSE(doc.saveAs(dir / "missing" / "x.mtb"));
  EXPECT_EQ(doc.path(), file("new.mtb"));
}

TEST_F(DocumentTest, FailedSaveLeavesThePreviousFileAndTheModifiedState) {
  const fs::path p = created();
  addLine(doc, kApril3, 4, EF_EXPENSE, u"パン", 100);
  const auto before = fileBytes(p);
  doc.saveProgress = [](size_t) { throw std::runtime_error("disk full"); };
  EXPECT_FALSE(doc.save());
  EXPECT_TRUE(prompts.wasShown(MessageId::SaveFailed));
  EXPECT_EQ(fileBytes(p), before);
  EXPECT_TRUE(doc.isModified());
  // Nothing but the file is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(DocumentTest, PasswordIsAskedAndCheckedBeforeTheFileIsShown) {
  const fs::path p = created();
  prompts.newPasswords = {u"秘密の合言葉"};
  ASSERT_TRUE(doc.setPassword());
  EXPECT_TRUE(doc.isModified());
  ASSERT_TRUE(doc.save());
  std::u16string scrambled = u"秘密の合言葉";
  Archive::scramble(scrambled);

  struct Case {
    PasswordReply reply;
    bool opens;
    int exits;
  };
  using A = PasswordReply::Action;
  for (const Case& c : {Case{{A::Ok, u"秘密の合言葉"}, true, 0}, Case{{A::Ok, scrambled}, true, 0},
                        Case{{A::Ok, u"ちがう"}, false, 1}, Case{{A::Exit, u""}, false, 1},
                        Case{{A::Cancel, u""}, false, 0}}) {
    test::OtherDocument r(clock);
    r.prompts.passwords = {c.reply};
    EXPECT_EQ(r.doc.open(p), c.opens);
    EXPECT_EQ(r.host.exits, c.exits);
    EXPECT_EQ(r.prompts.passwordAsked, std::vector<bool>{true});  // no file open: exit offered
    EXPECT_EQ(r.prompts.shown.size(), 1u);                        // the question only
  }
}

TEST_F(DocumentTest, FileWithTooFewEntriesLeavesThePreviousOneOpenQuietly) {
  const fs::path p = created();
  CHinmeiList tiny;
  tiny.addAtEnd(CHinmei(MinDay, ITEM_HEADER, EF_ITEM, u"", live.toText(), 0));
  tiny.addAtEnd(CHinmei(MaxDay, 0, 0, u"Last Mark", u"", 0));
  CConfig config;
  test::writeBytes(file("tiny.mtb"), dataFileBytes(config, tiny, nullptr));
  prompts.shown.clear();
  EXPECT_FALSE(doc.open(file("tiny.mtb")));
  EXPECT_EQ(doc.path(), p);
  EXPECT_EQ(doc.entries()->size(), 85u);
  EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(DocumentTest, UnreadableAndNewerFilesAreRefusedWithTheirMessage) {
  struct Case {
    const char* fixture;
    MessageId message;
  };
  for (const Case c : {Case{"version-951.mtb", MessageId::NewerVersionRequired},
                       Case{"missing.mtb", MessageId::FileOpenFailed},
                       Case{"unreadable-config-text.mtb", MessageId::FileOpenFailed}}) {
    prompts.shown.clear();
    EXPECT_FALSE(doc.open(fs::path(SORAMI_FIXTURES) / c.fixture)) << c.fixture;
    EXPECT_TRUE(prompts.wasShown(c.message)) << c.fixture;
    EXPECT_EQ(doc.title(), u"開いたデータ無し");
  }
}

TEST_F(DocumentTest, OlderVersionIsUpgradedAndCountsAsModified) {
  ASSERT_TRUE(doc.open(fs::path(SORAMI_FIXTURES) / "version-900.mtb"));
  EXPECT_TRUE(doc.lastOpen().upgraded);
  EXPECT_EQ(doc.lastOpen().dataVersion, 900);
  EXPECT_EQ(doc.entries()->dataVersion(), 950);
  EXPECT_EQ(live.dataVersion, 950);
  EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, TrimmedReadIsReportedAfterThePasswordAndKeepsBalances) {
  const fs::path p = created("big.mtb", {10000, false, 10});
  for (int i = 0; i < 30; ++i) addLine(doc, kApril3 - 30 + i, 4, EF_EXPENSE, u"パン", 100);
  prompts.newPasswords = {u"pw"};
  ASSERT_TRUE(doc.setPassword());
  ASSERT_TRUE(doc.save());
  doc.entries()->computeToDay(kApril3 + 1, true);
  const int64_t cash = doc.entries()->cashBalance();

  test::OtherDocument r(clock);
  r.prompts.passwords = {{PasswordReply::Action::Ok, u"pw"}};
  r.doc.setReadLimit(40);
  ASSERT_TRUE(r.doc.open(p));
  EXPECT_LT(indexOf(r.prompts.shown, MessageId::PasswordRequired),
            indexOf(r.prompts.shown, MessageId::ReadLimitTrimmed));
  EXPECT_EQ(r.doc.entries()->size(), 41u);
  EXPECT_EQ(r.doc.readLimit(), kReadLimitUnlimited);
  r.doc.entries()->computeToDay(kApril3 + 1, true);
  EXPECT_EQ(r.doc.entries()->cashBalance(), cash);
  EXPECT_TRUE(r.doc.isModified());
}

TEST_F(DocumentTest, RunningOutOfMemoryOffersTheRecentEntries) {
  const fs::path p = created("big.mtb", {10000, false, 10});
  for (int i = 0; i < 6000; ++i) addLine(doc, kApril3 - 6000 + i, 4, EF_EXPENSE, u"パン", 1);
  ASSERT_TRUE(doc.save());
  struct Case {
    Answer answer;
    bool opens;
  };
  for (const Case c : {Case{Answer::No, false}, Case{Answer::Yes, true}}) {
    test::OtherDocument r(clock);
    r.prompts.answers = {c.answer};
    std::vector<uint32_t> limits;
    // Memory runs out at entry 5000 while nothing is trimmed.
    r.doc.readProgress = [&limits](uint32_t index, uint32_t limit) {
      if (index == 0) limits.push_back(limit);
      if (index == 5000 && limit == kReadLimitUnlimited) throw std::bad_alloc();
    };
    EXPECT_EQ(r.doc.open(p), c.opens);
    EXPECT_TRUE(r.prompts.wasShown(MessageId::ReadLimitExceeded));
    EXPECT_EQ(r.doc.readLimit(), kReadLimitUnlimited);
    if (c.opens) {
      EXPECT_EQ(limits, (std::vector<uint32_t>{kReadLimitUnlimited, 1000}));
      EXPECT_EQ(r.doc.entries()->size(), 1001u);
      EXPECT_TRUE(r.prompts.wasShown(MessageId::ReadLimitTrimmed));
      EXPECT_EQ(r.doc.entries()->begin()->amount, 10000 - 5020);
    }
  }
}

// 20 definitions and 70 lines; the tag of the line at `spoiled` is broken.
fs::path damagedFile(const fs::path& p, CSoramiDoc& doc, size_t spoiled) {
  for (int i = 0; i < 70; ++i) {
    doc.entries()->insert(CHinmei(kApril3, 4, EF_EXPENSE, u"パン", u"", 100));
  }
  EXPECT_TRUE(doc.save());
  CHinmeiList head;
  auto it = doc.entries()->begin();
  for (size_t i = 0; i < spoiled; ++i, ++it) head.addAtEnd(*it);
  CConfig copy = doc.config();
  std::vector<uint8_t> prefix = dataFileBytes(copy, head, nullptr);
  std::vector<uint8_t> bytes = fileBytes(p);
  // The prefix ends with the null budget tag; the entry count differs in value only.
  const size_t tag = prefix.size() - 2;
  bytes[tag] = bytes[tag + 1] = 0x77;
  test::writeBytes(p, bytes);
  return p;
}

TEST_F(DocumentTest, DamagedFileIsKeptInPartOnlyWhenTheUserSaysSo) {
  const fs::path p = damagedFile(created("d.mtb", {0, false, 10}), doc, 88);
  struct Case {
    Answer answer;
    bool opens;
  };
  for (const Case c : {Case{Answer::Yes, true}, Case{Answer::No, false}}) {
    test::OtherDocument r(clock);
    r.prompts.answers = {c.answer};
    EXPECT_EQ(r.doc.open(p), c.opens);
    EXPECT_TRUE(r.prompts.wasShown(MessageId::FilePartlyBroken));
    EXPECT_EQ(r.prompts.wasShown(MessageId::FileBroken), !c.opens);
    if (c.opens) {
      EXPECT_TRUE(r.doc.lastOpen().damaged);
      EXPECT_EQ(r.doc.entries()->size(), 89u);  // what was read and a new end marker
      EXPECT_TRUE(r.doc.entries()->entries().back().isEndMarker());
      EXPECT_TRUE(r.doc.isModified());
    }
  }
}

TEST_F(DocumentTest, DamagedFileWithTooLittleReadableIsRefused) {
  const fs::path p = damagedFile(created("d.mtb", {0, false, 10}), doc, 85);
  test::OtherDocument r(clock);
  EXPECT_FALSE(r.doc.open(p));
  EXPECT_TRUE(r.prompts.wasShown(MessageId::FileBroken));
  EXPECT_FALSE(r.prompts.wasShown(MessageId::FilePartlyBroken));
}

// The first open may take a read made ahead on another thread: it then ends as an open that
// reads the file itself, and a file changed since is read again.
TEST_F(DocumentTest, AReadAheadOpensTheFileAsItsOwnReadWould) {
  const fs::path p = created("a.mtb");
  addLine(doc, kApril3, 4, EF_EXPENSE, u"パン", 120);
  addLine(doc, kApril3, 5, EF_INCOME, u"給料", 2000);
  ASSERT_TRUE(doc.save());
  test::OtherDocument plain(clock);
  ASSERT_TRUE(plain.doc.open(p));

  ReadAhead ahead(p);
  std::optional<LoadedFile> early = ahead.take(p, std::u16string(kDefaultDiaryTitle));
  ASSERT_TRUE(early.has_value());
  EXPECT_EQ(early->ledger.entries->size(), loadDataFile(p, prompts).ledger.entries->size());
  EXPECT_FALSE(ahead.take(p, std::u16string(kDefaultDiaryTitle))) << "taken twice";

  test::OtherDocument r(clock);
  r.doc.setReadAhead(std::make_unique<ReadAhead>(p));
  ASSERT_TRUE(r.doc.open(p));
  EXPECT_EQ(r.doc.recoveryBytes(), plain.doc.recoveryBytes());
  EXPECT_EQ(r.doc.entries()->cashBalance(), plain.doc.entries()->cashBalance());
  EXPECT_EQ(r.doc.config(), plain.doc.config());
  EXPECT_EQ(r.doc.fileOnDisk(), CSoramiDoc::DiskState::Unchanged);
  EXPECT_FALSE(r.doc.isModified());
  EXPECT_TRUE(r.prompts.shown.empty());

  // Changed after the read ahead: saved over, or only touched.
  auto readThenSave = [&] {
    auto a = std::make_unique<ReadAhead>(p);
    a->wait();
    addLine(doc, kApril3, 4, EF_EXPENSE, u"牛乳", 180);
    EXPECT_TRUE(doc.save());
    return a;
  };
  test::OtherDocument changed(clock);
  changed.doc.setReadAhead(readThenSave());
  ASSERT_TRUE(changed.doc.open(p));
  EXPECT_EQ(changed.doc.entries()->size(), doc.entries()->size());
  EXPECT_EQ(changed.doc.fileOnDisk(), CSoramiDoc::DiskState::Unchanged);

  ReadAhead touched(p);
  touched.wait();
  fs::last_write_time(p, fs::last_write_time(p) + std::chrono::seconds(1));
  EXPECT_FALSE(touched.take(p, std::u16string(kDefaultDiaryTitle)));
  ReadAhead other(p);
  EXPECT_FALSE(other.take(file("b.mtb"), std::u16string(kDefaultDiaryTitle)));
}

// What the read ahead would have to tell or ask leaves it without a result: the open reads the
// file itself, with the same questions as ever.
TEST_F(DocumentTest, AReadAheadOfAFileThatNeedsAWordIsReadAgain) {
  const fs::path p = damagedFile(created("d.mtb", {0, false, 10}), doc, 88);
  EXPECT_FALSE(ReadAhead(p).take(p, std::u16string(kDefaultDiaryTitle)));
  test::OtherDocument r(clock);
  r.prompts.answers = {Answer::Yes};
  r.doc.setReadAhead(std::make_unique<ReadAhead>(p));
  ASSERT_TRUE(r.doc.open(p));
  EXPECT_TRUE(r.prompts.wasShown(MessageId::FilePartlyBroken));
  EXPECT_TRUE(r.doc.lastOpen().damaged);

  // A file without the configuration block takes the diary title of the open.
  const fs::path old = file("old.mtb");
  fs::copy_file(fs::path(SORAMI_FIXTURES) / "no-block.mtb", old);
  EXPECT_TRUE(ReadAhead(old, u"日記").take(old, u"日記"));
  EXPECT_FALSE(ReadAhead(old, u"日記").take(old, u"予定"));
}

TEST_F(DocumentTest, StartOfPeriodMovesBalancesIntoANewFile) {
  const fs::path old = created("2023.mtb", {10000, false, 10});
  const uint16_t deposit = 12;  // 貯蓄入
  addLine(doc, kApril3 - 5, 4, EF_EXPENSE, u"パン", 300);
  ASSERT_TRUE(doc.entries()->registerAccount(u"普通預金", kKindAccount, -1, 0));
  addLine(doc, kApril3 - 4, deposit, EF_EXPENSE | EF_ACCOUNT, u"普通預金", 2000);
  addLine(doc, kApril3 + 2, 4, EF_EXPENSE, u"牛乳", 200);
  ASSERT_TRUE(doc.save());
  const auto oldBytes = fileBytes(old);

  EXPECT_FALSE(doc.closePeriod(kApril3, old));
  EXPECT_TRUE(prompts.wasShown(MessageId::PeriodNeedsOtherFile));

  ASSERT_TRUE(doc.closePeriod(kApril3, file("2024.mtb")));
  EXPECT_EQ(doc.path(), file("2024.mtb"));
  EXPECT_EQ(fileBytes(old), oldBytes);
  EXPECT_FALSE(doc.isModified());
  EXPECT_EQ(doc.currentDay(), kApril3 + 1);

  test::OtherDocument r(clock);
  ASSERT_TRUE(r.doc.open(file("2024.mtb")));
  CHinmeiList& e = *r.doc.entries();
  EXPECT_EQ(e.begin()->amount, 10000 - 300 - 2000);
  std::vector<std::u16string> dated;
  for (const CHinmei& x : e) {
    if (x.isDated()) dated.push_back(x.name.str());
    if (x.name == u"普通預金" && x.isDefinition()) {
      EXPECT_EQ(x.amount, 2000);
    }
  }
  EXPECT_EQ(dated, (std::vector<std::u16string>{u"牛乳", u"Last Mark"}));
}

TEST_F(DocumentTest, StartOfPeriodStopsWhenItsFirstSaveFails) {
  created("2023.mtb");
  addLine(doc, kApril3 - 5, 4, EF_EXPENSE, u"パン", 300);
  const size_t size = doc.entries()->size();
  EXPECT_FALSE(doc.closePeriod(kApril3, dir / "missing" / "new.mtb"));
  EXPECT_EQ(doc.entries()->size(), size);
  EXPECT_EQ(doc.path(), file("2023.mtb"));
}

}  // namespace
}  // namespace sorami
