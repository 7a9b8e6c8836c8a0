#include "archive/Archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/TextCodec.h"

namespace sorami {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes store(const std::function<void(Archive&)>& write) {
  VectorSink sink;
  Archive ar(sink, 16);  // a small buffer so the block flushing is exercised too
  write(ar);
  ar.flush();
  return sink.bytes;
}

Bytes textBytes(size_t prefixSize, const Bytes& prefix, size_t chars) {
  Bytes b(prefix.begin(), prefix.begin() + static_cast<long>(prefixSize));
  for (size_t i = 0; i < chars; ++i) {
    b.push_back('a');
    b.push_back(0);
  }
  return b;
}

TEST(Archive, IntegersAreLittleEndian) {
  const Bytes b = store([](Archive& ar) {
    ar.writeU8(0x12);
    ar.writeU16(0xBEEF);
    ar.writeU32(0x01020304);
    ar.writeI32(-2);
  });
  EXPECT_EQ(b, (Bytes{0x12, 0xEF, 0xBE, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF}));
  Archive in(b);
  EXPECT_EQ(in.readU8(), 0x12);
  EXPECT_EQ(in.readU16(), 0xBEEF);  // no sign extension
  EXPECT_EQ(in.readU32(), 0x01020304u);
  EXPECT_EQ(in.readI32(), -2);
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(Archive, CountForms) {
  struct Case {
    uint32_t count;
    Bytes bytes;
  };
  const Case cases[] = {
      {0, {0x00, 0x00}},
      {0xFFFE, {0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {1000000, {0xFF, 0xFF, 0x40, 0x42, 0x0F, 0x00}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store([&](Archive& ar) { ar.writeCount(c.count); }), c.bytes) << c.count;
    Archive in(c.bytes);
    EXPECT_EQ(in.readCount(), c.count);
  }
}

TEST(Archive, WideTextLengthForms) {
  struct Case {
    size_t chars;
    Bytes prefix;
  };
  const Case cases[] = {
      {0, {0xFF, 0xFE, 0xFF, 0x00}},
      {254, {0xFF, 0xFE, 0xFF, 0xFE}},
      {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
      {300, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}},
      {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
  };
  for (const Case& c : cases) {
    const std::u16string text(c.chars, u'a');
    const Bytes expected = textBytes(c.prefix.size(), c.prefix, c.chars);
    EXPECT_EQ(store([&](Archive& ar) { ar.writeText(text); }), expected) << c.chars;
    Archive in(expected);
    EXPECT_EQ(in.readText(), text) << c.chars;
    EXPECT_EQ(in.remaining(), 0u);
  }
}

TEST(Archive, EightBitTextIsShiftJis) {
  // "食費" in Shift-JIS behind a one-byte length, as very old files store it.
  const Bytes b = {0x04, 0x90, 0x48, 0x94, 0xEF, 0x03, 'a', 'b', 'c'};
  Archive in(b);
  EXPECT_EQ(in.readText(), u"食費");
  EXPECT_EQ(in.readText(), u"abc");
}

TEST(Archive, ScrambledTextComplementsEvenPositions) {
  const Bytes b = store([](Archive& ar) {
    ar.setScrambled(true);
    ar.writeText(u"abc");
  });
  EXPECT_EQ(b, (Bytes{0xFF, 0xFE, 0xFF, 0x03, 0x9E, 0xFF, 'b', 0x00, 0x9C, 0xFF}));
  Archive in(b);
  in.setScrambled(true);
  EXPECT_EQ(in.readText(), u"abc");
}

TEST(Archive, TruncatedValuesAreEndOfFile) {
  const Bytes cases[] = {
      {0x01},                            // a 16-bit value cut short
      {0xFF, 0xFE, 0xFF, 0x05, 'a', 0},  // a wide text shorter than its length
      {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},  // a 2 GB text claim
      {0x09, 'a'},                                                   // an 8-bit text cut short
  };
  for (const Bytes& b : cases) {
    Archive in(b);
    try {
      if (b.size() == 1) {
        in.readU16();
      } else {
        in.readText();
      }
      FAIL() << "no error";
    } catch (const ArchiveError& e) {
      EXPECT_EQ(e.kind(), ArchiveErrorKind::EndOfFile);
    }
  }
}

TEST(Archive, ObjectTagsFollowOneIndexSequence) {
  const Bytes b = store([](Archive& ar) {
    ar.writeObjectTag(ClassId::HinmeiList);  // class 1, object 2
    ar.writeObjectTag(ClassId::Hinmei);      // class 3, object 4
    ar.writeObjectTag(ClassId::Hinmei);      // object 5
    ar.writeNullObject();
  });
  const Bytes expected = {0xFF, 0xFF, 0x00, 0x00, 0x0B, 0x00, 'C',  'H',  'i',  'n',  'm',  'e',
                          'i',  'L',  'i',  's',  't',  0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C',
                          'H',  'i',  'n',  'm',  'e',  'i',  0x03, 0x80, 0x00, 0x00};
  EXPECT_EQ(b, expected);
  Archive in(b);
  EXPECT_TRUE(in.readObjectTag(ClassId::HinmeiList));
  EXPECT_TRUE(in.readObjectTag(ClassId::Hinmei));
  EXPECT_TRUE(in.readObjectTag(ClassId::Hinmei));
  EXPECT_FALSE(in.readObjectTag(ClassId::Budget));
}

TEST(Archive, ClassIndexAbove32766UsesTheLongForm) {
  const Bytes b = store([](Archive& ar) {
    ar.writeObjectTag(ClassId::HinmeiList);
    for (int i = 0; i < 40000; ++i) ar.writeObjectTag(ClassId::Hinmei);
    ar.writeObjectTag(ClassId::Budget);  // class index 40004
    ar.writeObjectTag(ClassId::Budget);
  });
  const Bytes tail(b.end() - 6, b.end());
  EXPECT_EQ(tail, (Bytes{0xFF, 0x7F, 0x44, 0x9C, 0x00, 0x80}));
  Archive in(b);
  EXPECT_TRUE(in.readObjectTag(ClassId::HinmeiList));
  for (int i = 0; i < 40000; ++i) in.readObjectTag(ClassId::Hinmei);
  EXPECT_TRUE(in.readObjectTag(ClassId::Budget));
  EXPECT_TRUE(in.readObjectTag(ClassId::Budget));
}

TEST(Archive, BadObjectTagsAreTheirOwnErrors) {
  struct Case {
    Bytes bytes;
    ArchiveErrorKind kind;
  };
  const Bytes desc = {0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C', 'H', 'i', 'n', 'm', 'e', 'i'};
  auto with = [&](Bytes tail) {
    Bytes b = desc;
    // One byte at a time: GCC 12 at -O3 sees a range insert here as out of bounds.
    for (const uint8_t byte : tail) b.push_back(byte);
    return b;
  };
  const Case cases[] = {
      {with({0x02, 0x00}), ArchiveErrorKind::BadIndex},  // back-reference to the entry read
      {with({0x09, 0x80}), ArchiveErrorKind::BadIndex},  // class index never described
      {with({0x07, 0x00}), ArchiveErrorKind::BadIndex},  // object index beyond those seen
      {{0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'H', 'i', 'n', 'm', 'e', 'i'},
       ArchiveErrorKind::BadSchema},
      {{0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C', 'B', 'u', 'd', 'g', 'e', 't'},
       ArchiveErrorKind::WrongClass},
      {{0xFF, 0xFF, 0x00, 0x00, 0x03, 0x00, 'X', 'Y', 'Z'}, ArchiveErrorKind::WrongClass},
      {{0xFF, 0xFF, 0x00, 0x00, 0x40, 0x00, 'C'}, ArchiveErrorKind::EndOfFile},
  };
  for (const Case& c : cases) {
    Archive in(c.bytes);
    try {
      while (true) in.readObjectTag(ClassId::Hinmei);
    } catch (const ArchiveError& e) {
      EXPECT_EQ(e.kind(), c.kind) << e.what();
    }
  }
}

// Hands out at most `step` bytes a call, as a file read in pieces would.
class PieceSource : public ByteSource {
 public:
  PieceSource(const Bytes& bytes, size_t step) : bytes_(bytes), step_(step) {}
  size_t read(uint8_t* out, size_t size) override {
    const size_t n = std::min({size, step_, bytes_.size() - at_});
    std::copy_n(bytes_.begin() + static_cast<ptrdiff_t>(at_), n, out);
    at_ += n;
    return n;
  }
  uint64_t left() const override { return bytes_.size() - at_; }

 private:
  const Bytes& bytes_;
  size_t step_;
  size_t at_ = 0;
};

// What one pass over the values of `bytes` reads, offsets included, and the error that ends it.
std::vector<std::string> readAll(Archive& in) {
  std::vector<std::string> seen;
  const auto note = [&](const std::string& what) {
    seen.push_back(what + "@" + std::to_string(in.offset()));
  };
  try {
    note("head " + std::to_string(in.peek(3).size()));
    while (true) {
      note("tag " + std::to_string(static_cast<int>(in.readObjectTag(ClassId::Hinmei))));
      note("count " + std::to_string(in.readCount()));
      CompactText short1;
      in.readText(short1);
      note("text " + toUtf8(short1.view()));
      note("text " + toUtf8(in.readText()));
      in.setScrambled(true);
      in.readText(short1);
      in.setScrambled(false);
      note("scrambled " + toUtf8(short1.view()));
      note("u32 " + std::to_string(in.readU32()) + " left " + std::to_string(in.remaining()));
    }
  } catch (const ArchiveError& e) {
    seen.emplace_back(e.what());
  }
  return seen;
}

TEST(Archive, ReadingFromASourceReadsWhatTheWholeBytesHold) {
  const std::u16string longText(40, u'長');
  Bytes bytes = store([&](Archive& ar) {
    for (int i = 0; i < 3; ++i) {
      ar.writeObjectTag(ClassId::Hinmei);
      ar.writeCount(i == 1 ? 70000 : 7);
      ar.writeText(i == 0 ? u"昼食" : u"1234567");
      ar.writeText(i == 2 ? std::u16string_view(longText) : u"");
      ar.setScrambled(true);
      ar.writeText(u"秘密");
      ar.setScrambled(false);
      ar.writeU32(0x01020304u * static_cast<uint32_t>(i));
    }
  });
  // Then a tag, a count, old 8-bit text and a text cut short.
  const Bytes tail = {0x01, 0x80, 0x00, 0x00, 0x02, 'a', 'b', 0x01};
  for (const uint8_t b : tail) bytes.push_back(b);
  Archive whole(bytes);
  const std::vector<std::string> expected = readAll(whole);
  ASSERT_GT(expected.size(), 20u);
  EXPECT_NE(expected.back().find("end of file"), std::string::npos) << expected.back();
  for (const size_t window : {1, 2, 3, 7, 20, 64, 4096}) {
    for (const size_t step : {1, 5, 1000}) {
      PieceSource source(bytes, step);
      Archive in(source, window);
      EXPECT_EQ(readAll(in), expected) << "window " << window << ", pieces of " << step;
    }
  }
}

TEST(Archive, SinkFailureSurfacesAsWriteFailed) {
  struct FailingSink : ByteSink {
    void write(const uint8_t*, size_t) override {
      throw ArchiveError(ArchiveErrorKind::WriteFailed, 0, "disk full");
    }
  } sink;
  Archive ar(sink, 8);
  EXPECT_THROW(
      {
        for (int i = 0; i < 10; ++i) ar.writeU32(1);
      },
      ArchiveError);
}

}  // namespace
}  // namespace sorami
