#include "ledger/Hinmei.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "support/StoredBytes.h"

namespace sorami {
namespace {

using test::Bytes;
using test::storedBytes;

const Day kOct12 = dayFromYmd(2002, 10, 12);

void expectSameStored(const CHinmei& a, const CHinmei& b) {
  EXPECT_EQ(a.date, b.date);
  EXPECT_EQ(a.item, b.item);
  EXPECT_EQ(a.flags, b.flags);
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.memo, b.memo);
  EXPECT_EQ(a.amount, b.amount);
}

Bytes followedByMore(const Bytes& bytes) {
  Bytes more = bytes;
  more.insert(more.end(), 64, 0xA5);
  return more;
}

// Read alone, an entry's values are read one by one; followed by more bytes, as in a file, an
// entry of the usual layout is read in one go. Both must give the same entry and end at its end.
CHinmei readBack(const Bytes& bytes, uint16_t version, bool scrambled = false) {
  const Bytes more = followedByMore(bytes);
  Archive inFile(more);
  inFile.setScrambled(scrambled);
  CHinmei inside;
  inside.work = 77;
  inside.serialize(inFile, version);
  EXPECT_EQ(inFile.offset(), bytes.size());
  Archive in(bytes);
  in.setScrambled(scrambled);
  CHinmei e;
  e.work = 77;
  e.serialize(in, version);
  EXPECT_EQ(in.remaining(), 0u);
  expectSameStored(inside, e);
  EXPECT_EQ(inside.work, e.work);
  return e;
}

TEST(Hinmei, DefaultAndFullConstruction) {
  const CHinmei d;
  EXPECT_EQ(d.date, MinDay);
  EXPECT_EQ(d.item, 0);
  EXPECT_EQ(d.flags, 0);
  EXPECT_EQ(d.amount, 0);
  EXPECT_EQ(d.work, 0);
  EXPECT_TRUE(d.name.empty() && d.memo.empty());
  const CHinmei e(kOct12, 3, EF_EXPENSE, u"米", u"5kg", 2480, 9);
  EXPECT_EQ(e.date, kOct12);
  EXPECT_EQ(e.item, 3);
  EXPECT_EQ(e.flags, EF_EXPENSE);
  EXPECT_EQ(e.name, u"米");
  EXPECT_EQ(e.memo, u"5kg");
  EXPECT_EQ(e.amount, 2480);
  EXPECT_EQ(e.work, 9);
}

TEST(Hinmei, StoredBytesOfALedgerLine) {
  const CHinmei e(kOct12, 3, EF_EXPENSE, u"米", u"", -2, 5);
  const Bytes b = storedBytes([&](Archive& ar) { e.write(ar); });
  // 37541.0f is 0x4712A500; then item, flags, two wide texts, the amount; work is not stored.
  const Bytes expected{0x00, 0xA5, 0x12, 0x47, 0x03, 0x00, 0x00, 0x01, 0xFF, 0xFE, 0xFF,
                       0x01, 0x73, 0x7C, 0xFF, 0xFE, 0xFF, 0x00, 0xFE, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(b, expected);
}

// Every kind of entry survives writing and reading back in the current form.
TEST(Hinmei, EveryKindRoundTrips) {
  std::u16string accountMemo(u"");
  accountMemo += u'\0';
  accountMemo += u"3,25";
  accountMemo += u'\0';
  const CHinmei kinds[] = {
      {MinDay, ITEM_HEADER, EF_ITEM, u"pass", u"configuration text", 150000},
      {MinDay, 2, 0x8100, u"食費", u"3", 0},
      {MinDay, 1, 0x1100, u"牛乳", u"", 0},
      {MinDay, 17, 0x5102, u"普通預金", accountMemo, -999999999},
      {MinDay, 18, 0x3100, u"カード", accountMemo, 0},
      {MinDay, ITEM_RULE, 0x1100, u"家賃", u"rule text", 65000},
      {kOct12, 2, EF_EXPENSE | EF_PAIR, u"パン", u"朝食", 250},
      {kOct12, 17, EF_INCOME | EF_ACCOUNT | EF_PAIR | EF_PAIR_SECOND, u"普通預金", u"", 250},
      {kOct12, ITEM_DIARY, 0, u"", u"晴れ", 0},
      {MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0},
      {-1, 5, EF_INCOME, std::u16string(300, u'x'), u"", std::numeric_limits<int32_t>::min()},
  };
  for (const CHinmei& e : kinds) {
    SCOPED_TRACE(std::string(e.name.begin(), e.name.end()).substr(0, 12));
    const CHinmei back = readBack(storedBytes([&](Archive& ar) { e.write(ar); }), 950);
    expectSameStored(back, e);
    EXPECT_EQ(back.work, 0);
  }
}

// Texts on both sides of the length that fits inside an entry, plain and scrambled.
TEST(Hinmei, TextsOfEveryShortLengthRoundTrip) {
  const std::u16string letters = u"日用品ﾃｨｯｼｭ5箱";
  for (const bool scrambled : {false, true}) {
    for (size_t n = 0; n <= 9; ++n) {
      for (size_t m : {size_t{0}, n, size_t{9} - n}) {
        const CHinmei e(kOct12 + static_cast<Day>(n), static_cast<uint16_t>(n), EF_EXPENSE,
                        letters.substr(0, n), letters.substr(letters.size() - m), -7 * int(n));
        SCOPED_TRACE(testing::Message() << n << "+" << m << (scrambled ? " scrambled" : ""));
        const Bytes bytes = storedBytes([&](Archive& ar) {
          ar.setScrambled(scrambled);
          e.write(ar);
        });
        expectSameStored(readBack(bytes, 950, scrambled), e);
      }
    }
  }
}

TEST(Hinmei, EveryWholeDayIsExactAsSinglePrecision) {
  for (Day d = MinDay; d <= MaxDay; ++d) {
    ASSERT_EQ(static_cast<Day>(static_cast<float>(d)), d);
  }
  EXPECT_EQ(static_cast<Day>(static_cast<float>(1 << 24)), 1 << 24);
}

Bytes bodyWithDateBits(uint32_t dateBits) {
  return storedBytes([&](Archive& ar) {
    ar.writeU32(dateBits);
    ar.writeU16(4);
    ar.writeU16(EF_INCOME);
    ar.writeText(u"給料");
    ar.writeText(u"");
    ar.writeI32(250000);
  });
}

uint32_t floatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

TEST(Hinmei, FloatDatesOfFiles) {
  struct Case {
    float value;
    Day day;
  };
  const Case cases[] = {
      {37541.0f, kOct12},
      {37541.75f, kOct12},
      {-1.5f, -1},
      {static_cast<float>(MinDay), MinDay},
      {static_cast<float>(MaxDay), MaxDay},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readBack(bodyWithDateBits(floatBits(c.value)), 870).date, c.day) << c.value;
  }
}

TEST(Hinmei, DamagedBytesAreFormatErrors) {
  const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), static_cast<float>(MaxDay + 1),
                       static_cast<float>(MinDay - 1), 1e30f};
  for (const float f : bad) {
    const Bytes bytes = bodyWithDateBits(floatBits(f));
    for (const Bytes& stored : {bytes, followedByMore(bytes)}) {
      Archive in(stored);
      CHinmei e;
      try {
        e.read(in, 950);
        ADD_FAILURE() << f << " was accepted";
      } catch (const ArchiveError& err) {
        EXPECT_EQ(err.kind(), ArchiveErrorKind::BadFormat) << f;
        EXPECT_EQ(err.offset(), 4u) << f;
      }
    }
  }
  // A body cut anywhere is an end-of-file error.
  const Bytes whole = bodyWithDateBits(floatBits(37541.0f));
  for (size_t n = 0; n < whole.size(); ++n) {
    Archive in(std::span(whole.data(), n));
    CHinmei e;
    try {
      e.read(in, 950);
      ADD_FAILURE() << "cut at " << n << " was accepted";
    } catch (const ArchiveError& err) {
      EXPECT_EQ(err.kind(), ArchiveErrorKind::EndOfFile) << n;
    }
  }
}

// Files before the single-precision dates hold seconds since 1970 in local time (Asia/Tokyo in
// the tests).
TEST(Hinmei, OldFilesDates) {
  struct Case {
    uint32_t seconds;
    Day day;
  };
  const uint32_t oct12Jst = 1034348400;  // 2002-10-12 00:00 +09:00
  const Case cases[] = {
      {0, MinDay},
      {0x7FFFFFFF, MaxDay},
      {oct12Jst, kOct12},
      {oct12Jst + 23 * 3600 + 59 * 60, kOct12},
      {oct12Jst - 1, kOct12 - 1},
      {static_cast<uint32_t>(-86400), dayFromYmd(1969, 12, 31)},  // 09:00 local
  };
  for (const Case& c : cases) {
    const CHinmei e = readBack(bodyWithDateBits(c.seconds), 869);
    EXPECT_EQ(e.date, c.day) << c.seconds;
    EXPECT_EQ(e.item, 4);
    EXPECT_EQ(e.flags, EF_INCOME);
    EXPECT_EQ(e.name, u"給料");
    EXPECT_EQ(e.amount, 250000);
  }
}

std::u16string memoOf(std::u16string_view visible, std::u16string_view tail) {
  std::u16string m(visible);
  m += u'\0';
  m += tail;
  m += u'\0';
  return m;
}

TEST(Hinmei, MemoLayout) {
  struct Case {
    std::u16string memo;
    std::u16string visible;
    std::u16string tail;
  };
  const Case cases[] = {
      {u"plain", u"plain", u""},
      {memoOf(u"text", u"tail"), u"text", u"tail"},
      {memoOf(u"", u"tail"), u"", u"tail"},
      {std::u16string(1, u'\0'), std::u16string(1, u'\0'), u""},  // length 1: no tail
      {std::u16string(u"ab") + u'\0', u"ab", u""},  // one NUL closes the visible part only
      {memoOf(u"", u""), u"", u""},
      {u"", u"", u""},
  };
  for (const Case& c : cases) {
    CHinmei e;
    e.memo = c.memo;
    EXPECT_EQ(e.visibleMemo(), c.visible);
    std::u16string tail = u"stale";
    EXPECT_EQ(e.tail(tail), c.tail.size());
    EXPECT_EQ(tail, c.tail);
  }
}

TEST(Hinmei, SettingMemoParts) {
  CHinmei e;
  e.memo = u"old";
  e.setVisibleMemo(u"new");
  EXPECT_EQ(e.memo, u"new");  // no tail: the text alone, without NUL

  e.setTail(u"3,25");
  EXPECT_EQ(e.memo, memoOf(u"new", u"3,25"));
  e.setVisibleMemo(u"changed");
  EXPECT_EQ(e.memo, memoOf(u"changed", u"3,25"));
  e.setTail(u"4");
  EXPECT_EQ(e.memo, memoOf(u"changed", u"4"));

  // An empty tail is not kept when the visible part changes.
  e.memo = memoOf(u"a", u"");
  e.setVisibleMemo(u"b");
  EXPECT_EQ(e.memo, u"b");

  // A NUL typed into the visible part would make it read back as a tail.
  e.memo = u"";
  e.setVisibleMemo(std::u16string(u"x") + u'\0');
  EXPECT_EQ(e.memo, u"x");
}

TEST(Hinmei, ItemOptions) {
  struct Case {
    std::u16string memo;
    int bit0, bit1;
  };
  const Case cases[] = {{u"3", 1, 1}, {u"2", 0, 1}, {u"0", 0, 0},    {u"", 0, 0},
                        {u"x", 0, 0}, {u"5", 1, 0}, {u" 7abc", 1, 1}};
  for (const Case& c : cases) {
    CHinmei e(MinDay, 2, 0x8100, u"食費", c.memo, 0);
    EXPECT_EQ(e.itemOption(0), c.bit0) << std::string(c.memo.begin(), c.memo.end());
    EXPECT_EQ(e.itemOption(1), c.bit1) << std::string(c.memo.begin(), c.memo.end());
  }
  CHinmei e(MinDay, 2, 0x8100, u"食費", u"2", 0);
  e.setItemOption(0, true);
  EXPECT_EQ(e.memo, u"3");
  e.setItemOption(1, false);
  EXPECT_EQ(e.memo, u"1");
  e.memo = u"13";
  e.setItemOption(0, false);
  EXPECT_EQ(e.memo, u"12");  // other bits of the number are kept
}

TEST(Hinmei, Kinds) {
  const CHinmei header(MinDay, ITEM_HEADER, EF_ITEM, u"", u"", 0);
  const CHinmei item(MinDay, 2, 0x8100, u"食費", u"3", 0);
  const CHinmei rule(MinDay, ITEM_RULE, 0x1100, u"", u"", 0);
  const CHinmei first(kOct12, 2, EF_EXPENSE | EF_PAIR, u"", u"", 1);
  const CHinmei second(kOct12, 17, EF_INCOME | EF_ACCOUNT | EF_PAIR_MASK, u"", u"", 1);
  const CHinmei diary(kOct12, ITEM_DIARY, 0, u"", u"晴れ", 0);
  const CHinmei end(MaxDay, 0, 0, u"Last Mark", u"", 0);
  EXPECT_TRUE(header.isHeader() && header.isDefinition() && !header.isItemDefinition());
  EXPECT_TRUE(item.isItemDefinition() && !item.isDated());
  EXPECT_TRUE(rule.isRule() && rule.isDefinition());
  EXPECT_TRUE(first.isPairFirst() && !first.isPairSecond() && !first.isTransfer());
  EXPECT_TRUE(second.isPairSecond() && !second.isPairFirst() && second.isTransfer());
  EXPECT_TRUE(diary.isDiary() && diary.isDated());
  EXPECT_TRUE(end.isEndMarker() && !diary.isEndMarker());
}

TEST(Hinmei, Version870Correction) {
  EXPECT_EQ(version870Correction(), 0);  // one consistent local-time conversion here

  struct Case {
    CHinmei entry;
    bool moves;
  };
  const Case cases[] = {
      {{kOct12, 2, EF_EXPENSE, u"", u"", 1}, true},
      {{kOct12, 17, EF_INCOME | EF_ACCOUNT | EF_PAIR_MASK, u"", u"", 1}, true},
      {{kOct12, ITEM_DIARY, 0, u"", u"", 0}, false},
      {{MinDay, ITEM_HEADER, EF_ITEM, u"", u"", 0}, false},
      {{MinDay, 1, 0x1100, u"", u"", 0}, false},
      {{MaxDay, 0, 0, u"Last Mark", u"", 0}, false},
  };
  for (const Case& c : cases) {
    CHinmei e = c.entry;
    applyVersion870Correction(e, 1);
    EXPECT_EQ(e.date, c.entry.date + (c.moves ? 1 : 0)) << c.entry.flags;
  }
}

}  // namespace
}  // namespace sorami
