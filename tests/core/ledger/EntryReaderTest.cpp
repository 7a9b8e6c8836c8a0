#include "ledger/EntryReader.h"

#include <gtest/gtest.h>

#include <iterator>
#include <new>
#include <vector>

#include "support/StoredBytes.h"

namespace sorami {
namespace {

const Day kDay = dayFromYmd(2024, 3, 1);

// Header (cash 10000), one item, an account "A" (5000) and a loan "L" (0), then the lines.
void fillHead(CHinmeiList& list) {
  list.addAtEnd({MinDay, ITEM_HEADER, EF_ITEM, u"", u"config", 10000});
  list.addAtEnd({MinDay, 0, 0x8100, u"食費", u"3", 0});
  list.addAtEnd({MinDay, 12, 0x5100, u"A", u"", 5000});
  list.addAtEnd({MinDay, 13, 0x3100, u"L", u"", 0});
}

struct Line {
  uint16_t flags;
  const char16_t* name;
  int32_t amount;
};

test::Bytes storedLedger(const std::vector<Line>& lines) {
  CHinmeiList list;
  fillHead(list);
  Day day = kDay;
  for (const Line& l : lines) list.addAtEnd({day++, 0, l.flags, l.name, u"", l.amount});
  list.addAtEnd({MaxDay, 0, 0, u"Last Mark", u"", 0});
  return test::storedBytes([&](Archive& ar) { list.write(ar); });
}

void readWith(const test::Bytes& bytes, CHinmeiList& list, EntryReader& reader) {
  Archive in(bytes);
  list.serialize(in, reader);
}

int32_t amountOf(const CHinmeiList& list, const std::u16string& name) {
  for (const CHinmei& e : list) {
    if (e.isDefinition() && e.name == name) return e.amount;
  }
  return -1;
}

TEST(EntryReader, UnlimitedReadsEverything) {
  const test::Bytes bytes = storedLedger(std::vector<Line>(50, {EF_EXPENSE, u"x", 1}));
  CHinmeiList list;
  EntryReader reader;
  readWith(bytes, list, reader);
  EXPECT_EQ(list.size(), 55u);
  EXPECT_FALSE(reader.trimReport());
}

TEST(EntryReader, TrimsOldestLinesAndFoldsThemIntoInitialBalances) {
  // 4 head entries + 6 lines + end marker = 11 entries; a limit of 7 keeps 8.
  const std::vector<Line> lines = {
      {EF_EXPENSE, u"パン", 300},            // cash -300
      {EF_INCOME, u"給与", 1000},            // cash +1000
      {EF_EXPENSE | EF_ACCOUNT, u"A", 200},  // into A: cash -200, A +200
      {EF_INCOME | EF_LOAN, u"L", 700},      // borrowing: cash +700, L +700
      {EF_EXPENSE, u"残る", 1},
      {EF_EXPENSE, u"残る", 2},
  };
  CHinmeiList list;
  EntryReader reader(7);
  readWith(storedLedger(lines), list, reader);
  ASSERT_EQ(list.size(), 8u);
  EXPECT_EQ(list.begin()->amount, 10000 - 300 + 1000 - 200);
  EXPECT_EQ(amountOf(list, u"A"), 5200);
  EXPECT_EQ(amountOf(list, u"L"), 0);
  EXPECT_EQ(std::next(list.begin(), 4)->name, u"L");
  ASSERT_TRUE(reader.trimReport());
  EXPECT_EQ(reader.trimReport()->removed, 3u);
  EXPECT_EQ(reader.trimReport()->kept, 8u);
  EXPECT_EQ(reader.trimReport()->lastRemovedDay, kDay + 2);
  EXPECT_EQ(reader.firstKeptDay(), kDay + 3);
}

TEST(EntryReader, FoldsBorrowingIntoTheLoan) {
  CHinmeiList list;
  EntryReader reader(5);
  readWith(storedLedger({{EF_INCOME | EF_LOAN, u"L", 700},
                         {EF_EXPENSE | EF_LOAN, u"L", 200},
                         {EF_INCOME | EF_ACCOUNT, u"A", 50},
                         {EF_EXPENSE, u"x", 1}}),
           list, reader);
  EXPECT_EQ(amountOf(list, u"L"), 500);
  EXPECT_EQ(amountOf(list, u"A"), 4950);
  EXPECT_EQ(list.begin()->amount, 10000 + 700 - 200 + 50);
}

TEST(EntryReader, PairAtTheEdgeGoesTogetherOneReadLater) {
  const std::vector<Line> lines = {
      {EF_EXPENSE | EF_PAIR, u"A", 100},
      {EF_INCOME | EF_PAIR | EF_PAIR_SECOND, u"A", 100},
      {EF_EXPENSE, u"x", 1},
      {EF_EXPENSE, u"y", 2},
  };
  // 4 head + 4 lines + marker = 9 entries. With limit 6 the pair is met at entry 7, pending,
  // and removed with its partner at entry 8; a single line would have gone at entry 7.
  CHinmeiList list;
  EntryReader reader(6);
  readWith(storedLedger(lines), list, reader);
  ASSERT_EQ(list.size(), 7u);
  EXPECT_EQ(std::next(list.begin(), 4)->name, u"x");
  EXPECT_EQ(list.begin()->amount, 10000);  // -100 and +100
  EXPECT_EQ(reader.trimReport()->removed, 2u);
}

TEST(EntryReader, LimitIsLoweredFromWhatFitted) {
  EXPECT_EQ(loweredReadLimit(kReadLimitUnlimited, 100000), 96000u);
  EXPECT_EQ(loweredReadLimit(96000, 50000), 95500u);
  EXPECT_EQ(loweredReadLimit(kReadLimitUnlimited, 3000), kReadLimitFloor);
  EXPECT_EQ(loweredReadLimit(kReadLimitFloor, 10), kReadLimitFloor);
}

// Memory that runs out at the n-th entry.
struct FailingReader : EntryReader {
  using EntryReader::EntryReader;
  void appended(CHinmeiList& list, EntryList::iterator e, uint32_t index) override {
    if (index == 30) throw std::bad_alloc();
    EntryReader::appended(list, e, index);
  }
  bool watchesEachEntry() const override { return true; }
};

TEST(EntryReader, OutOfMemoryLowersTheLimitAndFails) {
  const test::Bytes bytes = storedLedger(std::vector<Line>(50, {EF_EXPENSE, u"x", 1}));
  CHinmeiList list;
  FailingReader reader;
  EXPECT_THROW(readWith(bytes, list, reader), std::bad_alloc);
  EXPECT_EQ(reader.loweredLimit(), kReadLimitFloor);
}

TEST(EntryReader, DamagedStoreIsKeptForTheQuestionFrom86Entries) {
  for (const auto& [lines, kept] : {std::pair{82, true}, std::pair{81, false}}) {
    test::Bytes bytes = storedLedger(std::vector<Line>(lines + 10, {EF_EXPENSE, u"x", 1}));
    // Spoil the tag of entry number 4 + lines (counting from 0): that many stay readable.
    CHinmeiList probe;
    fillHead(probe);
    for (int i = 0; i < lines; ++i) probe.addAtEnd({kDay, 0, EF_EXPENSE, u"x", u"", 1});
    const size_t tag = test::storedBytes([&](Archive& ar) { probe.write(ar); }).size();
    bytes[tag] = bytes[tag + 1] = 0x77;
    CHinmeiList list;
    EntryReader reader;
    Archive in(bytes);
    if (kept) {
      list.serialize(in, reader);
      ASSERT_TRUE(reader.damage());
      EXPECT_EQ(reader.damage()->read, 86u);
      EXPECT_EQ(reader.damage()->count, 97u);
      EXPECT_EQ(list.loadState(), kLoadDamaged);
    } else {
      EXPECT_THROW(list.serialize(in, reader), ArchiveError);
      EXPECT_FALSE(reader.damage());
    }
  }
}

}  // namespace
}  // namespace sorami
