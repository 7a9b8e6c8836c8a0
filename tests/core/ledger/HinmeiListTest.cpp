#include "ledger/HinmeiList.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "support/StoredBytes.h"

namespace sorami {
namespace {

using test::Bytes;
using test::storedBytes;

const Day kDay = dayFromYmd(2024, 3, 5);

void fillSmallLedger(CHinmeiList& list, int lines) {
  list.addAtEnd({MinDay, ITEM_HEADER, EF_ITEM, u"", u"config", 1000});
  list.addAtEnd({MinDay, 0, 0x8100, u"食費", u"3", 0});
  for (int i = 0; i < lines; ++i) list.addAtEnd({kDay + i, 0, EF_EXPENSE, u"パン", u"", 100 + i});
  list.addAtEnd({MaxDay, 0, 0, u"Last Mark", u"", 0});
}

Bytes storedList(const CHinmeiList& list) {
  return storedBytes([&](Archive& ar) { list.write(ar); });
}

TEST(HinmeiList, AddAtEndKeepsOrderAndMarksModified) {
  CHinmeiList list;
  EXPECT_FALSE(list.isModified());
  EXPECT_EQ(list.dataVersion(), 950);
  EXPECT_EQ(list.blockVersion(), 952);
  fillSmallLedger(list, 2);
  EXPECT_TRUE(list.isModified());
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(std::next(list.begin(), 3)->amount, 101);
  EXPECT_EQ(std::prev(list.end())->name, u"Last Mark");
}

TEST(HinmeiList, StoredFormIsCountThenTaggedEntries) {
  CHinmeiList list;
  list.addAtEnd({MaxDay, 0, 0, u"", u"", 0});
  list.addAtEnd({MaxDay, 0, 0, u"", u"", 0});
  const Bytes body{0x04, 0x92, 0x34, 0x4A, 0,    0, 0, 0, 0xFF, 0xFE,
                   0xFF, 0x00, 0xFF, 0xFE, 0xFF, 0, 0, 0, 0,    0};  // MaxDay is 2958465.0f
  Bytes expected{0x02, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C', 'H', 'i', 'n', 'm', 'e', 'i'};
  expected.insert(expected.end(), body.begin(), body.end());
  expected.insert(expected.end(), {0x01, 0x80});  // the class seen before, index 1
  expected.insert(expected.end(), body.begin(), body.end());
  EXPECT_EQ(storedList(list), expected);

  EXPECT_EQ(storedList(CHinmeiList()), (Bytes{0x00, 0x00}));
}

TEST(HinmeiList, ReadsBackWhatWasWrittenWithoutBeingModified) {
  CHinmeiList list;
  fillSmallLedger(list, 3);
  const Bytes bytes = storedList(list);

  CHinmeiList back;
  back.addAtEnd({kDay, 1, 0, u"replaced by reading", u"", 0});
  Archive in(bytes);
  back.serialize(in);
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_FALSE(back.isModified());
  EXPECT_EQ(back.loadState(), kLoadComplete);
  ASSERT_EQ(back.size(), list.size());
  auto a = list.begin();
  for (auto b = back.begin(); b != back.end(); ++a, ++b) {
    EXPECT_EQ(b->date, a->date);
    EXPECT_EQ(b->flags, a->flags);
    EXPECT_EQ(b->name, a->name);
    EXPECT_EQ(b->memo, a->memo);
    EXPECT_EQ(b->amount, a->amount);
  }
}

TEST(HinmeiList, ReadsDatesOfTheStoresVersion) {
  const Bytes bytes = storedBytes([](Archive& ar) {
    ar.writeCount(1);
    ar.writeObjectTag(ClassId::Hinmei);
    ar.writeI32(0x7FFFFFFF);  // seconds since 1970: the end marker
    ar.writeU16(0);
    ar.writeU16(0);
    ar.writeText(u"Last Mark");
    ar.writeText(u"");
    ar.writeI32(0);
  });
  CHinmeiList list;
  list.setDataVersion(800);
  Archive in(bytes);
  list.serialize(in);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.begin()->date, MaxDay);
}

// Records what reading reports, and keeps damaged stores when told to.
struct RecordingHooks : EntryReadHooks {
  void begin(CHinmeiList&, uint32_t count) override { begun = count; }
  void appended(CHinmeiList& list, EntryList::iterator e, uint32_t index) override {
    EXPECT_EQ(std::next(e), list.end());
    indexes.push_back(index);
  }
  bool damaged(CHinmeiList&, const ArchiveError& error, uint32_t count, uint32_t read) override {
    damage = error.kind();
    damagedAt = {count, read};
    return keepDamaged;
  }
  void end(CHinmeiList&, uint32_t count, uint32_t read) override { ended = {count, read}; }

  bool keepDamaged = false;
  uint32_t begun = 0;
  std::vector<uint32_t> indexes;
  std::optional<ArchiveErrorKind> damage;
  std::pair<uint32_t, uint32_t> damagedAt{}, ended{};
};

TEST(HinmeiList, HooksSeeEveryEntry) {
  CHinmeiList list;
  fillSmallLedger(list, 1);
  const Bytes bytes = storedList(list);
  CHinmeiList back;
  RecordingHooks hooks;
  Archive in(bytes);
  back.serialize(in, hooks);
  EXPECT_EQ(hooks.begun, 4u);
  EXPECT_EQ(hooks.indexes, (std::vector<uint32_t>{0, 1, 2, 3}));
  EXPECT_EQ(hooks.ended, (std::pair<uint32_t, uint32_t>{4, 4}));
  EXPECT_FALSE(hooks.damage);
}

// A store whose third entry is damaged in one way or another.
Bytes damagedStore(const std::function<void(Archive&)>& third) {
  return storedBytes([&](Archive& ar) {
    ar.writeCount(5);
    for (int i = 0; i < 2; ++i) {
      ar.writeObjectTag(ClassId::Hinmei);
      CHinmei(kDay, 0, EF_EXPENSE, u"パン", u"", 100).write(ar);
    }
    third(ar);
    for (int i = 0; i < 4; ++i) ar.writeU32(0);  // room for the count of five
  });
}

TEST(HinmeiList, DamagedEntriesStopReading) {
  struct Case {
    const char* what;
    std::function<void(Archive&)> third;
    ArchiveErrorKind kind;
  };
  const Case cases[] = {
      {"null object", [](Archive& ar) { ar.writeNullObject(); }, ArchiveErrorKind::BadFormat},
      {"budget object", [](Archive& ar) { ar.writeObjectTag(ClassId::Budget); },
       ArchiveErrorKind::WrongClass},
      {"bad date",
       [](Archive& ar) {
         ar.writeObjectTag(ClassId::Hinmei);
         ar.writeF32(1e9f);
       },
       ArchiveErrorKind::BadFormat},
      {"text past the end",
       [](Archive& ar) {
         ar.writeObjectTag(ClassId::Hinmei);
         CHinmei(kDay, 0, EF_EXPENSE, u"パン", u"", 100).write(ar);
         ar.writeObjectTag(ClassId::Hinmei);
         ar.writeF32(0.0f);
         ar.writeU32(0);
         ar.writeU8(200);  // 200 bytes of old text that are not there
       },
       ArchiveErrorKind::EndOfFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes bytes = damagedStore(c.third);
    for (const bool keep : {false, true}) {
      CHinmeiList list;
      RecordingHooks hooks;
      hooks.keepDamaged = keep;
      Archive in(bytes);
      if (keep) {
        list.serialize(in, hooks);
      } else {
        EXPECT_THROW(list.serialize(in, hooks), ArchiveError);
      }
      EXPECT_EQ(hooks.damage, c.kind);
      EXPECT_EQ(list.loadState(), kLoadDamaged);
      // The damaged entry is never kept; the entries before it are.
      EXPECT_EQ(list.size(), hooks.damagedAt.second);
      EXPECT_EQ(hooks.damagedAt.first, 5u);
      for (const CHinmei& e : list) EXPECT_EQ(e.name, u"パン");
    }
  }
}

TEST(HinmeiList, ACountBeyondTheFileIsRefusedBeforeReading) {
  const Bytes bytes = storedBytes([](Archive& ar) {
    ar.writeCount(0xFFFFFFFF);
    ar.writeU32(0);
  });
  CHinmeiList list;
  RecordingHooks hooks;
  Archive in(bytes);
  EXPECT_THROW(list.serialize(in, hooks), ArchiveError);
  EXPECT_EQ(hooks.damage, ArchiveErrorKind::EndOfFile);
  EXPECT_EQ(hooks.begun, 0u);
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace sorami
