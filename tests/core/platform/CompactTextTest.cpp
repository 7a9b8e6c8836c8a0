#include "platform/CompactText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "archive/Archive.h"

namespace sorami {
namespace {

using namespace std::string_view_literals;

// Texts on both sides of the inline limit and of each half of the value, with NULs inside and
// at the end: every copy, move and read keeps every code unit.
const std::vector<std::u16string_view> kTexts = {
    u""sv,
    u"a"sv,
    u"昼食"sv,
    u"4321"sv,
    u"65432\0"sv,
    u"1234567"sv,
    u"12345678"sv,
    u"a\0b"sv,
    u"text\0tail\0"sv,
    u"\0\0\0\0\0\0\0"sv,
    u"クリーニング代金など"sv,
};

TEST(CompactTextTest, KeepsEveryCodeUnitInsideAndOnTheHeap) {
  for (const std::u16string_view text : kTexts) {
    SCOPED_TRACE(std::u16string(text).size());
    const CompactText t(text);
    EXPECT_EQ(t.size(), text.size());
    EXPECT_EQ(t.empty(), text.empty());
    EXPECT_EQ(std::u16string_view(t), text);
    EXPECT_EQ(t.str(), std::u16string(text));
    EXPECT_EQ(std::u16string(t.begin(), t.end()), std::u16string(text));
    EXPECT_EQ(t.heapBytes(), text.size() > CompactText::kInlineCapacity ? text.size() * 2 : 0);
    if (!text.empty()) {
      EXPECT_EQ(t.back(), text.back());
      EXPECT_EQ(t[0], text[0]);
    }

    CompactText copy(t);
    CompactText moved(std::move(copy));
    EXPECT_EQ(moved, t);
    EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a moved-from text is empty
    CompactText assigned(u"other text, long enough"sv);
    assigned = moved;
    EXPECT_EQ(assigned, text);
    const CompactText& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned, text);
    assigned = assigned.view().substr(assigned.size() / 2);  // a part of itself
    EXPECT_EQ(assigned, text.substr(text.size() / 2));
    CompactText other(u"x"sv);
    swap(other, moved);
    EXPECT_EQ(other, text);
    EXPECT_EQ(moved, u"x");
  }
}

TEST(CompactTextTest, ComparesAsItsCodeUnits) {
  for (const std::u16string_view a : kTexts) {
    for (const std::u16string_view b : kTexts) {
      const CompactText ta(a);
      const CompactText tb(b);
      EXPECT_EQ(ta == tb, a == b);
      EXPECT_EQ(ta <=> tb, a <=> b);
      EXPECT_EQ(ta <=> b, a <=> b);
      EXPECT_EQ(std::u16string(b) == ta, a == b);
    }
  }
}

TEST(CompactTextTest, ReadsStraightFromTheArchiveScrambledOrNot) {
  for (const bool scrambled : {false, true}) {
    VectorSink sink;
    Archive out(sink);
    out.setScrambled(scrambled);
    for (const std::u16string_view text : kTexts) out.writeText(text);
    out.flush();
    Archive in(sink.bytes);
    in.setScrambled(scrambled);
    CompactText t(u"an old value on the heap"sv);
    for (const std::u16string_view text : kTexts) {
      in.readText(t);
      EXPECT_EQ(t, text);
    }
    EXPECT_EQ(in.remaining(), 0u);
    // A length that runs past the end fails and leaves the value as it was.
    const std::vector<uint8_t> cut(sink.bytes.begin(), sink.bytes.end() - 2);
    Archive damaged(cut);
    damaged.setScrambled(scrambled);
    for (size_t i = 0; i + 1 < kTexts.size(); ++i) damaged.readText(t);
    EXPECT_THROW(damaged.readText(t), ArchiveError);
    EXPECT_EQ(t, kTexts[kTexts.size() - 2]);
  }
}

}  // namespace
}  // namespace sorami
