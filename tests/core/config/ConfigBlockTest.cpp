#include <gtest/gtest.h>

#include <algorithm>

#include "archive/Archive.h"
#include "config/Config.h"

namespace sorami {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes writeBlock(CConfig c) {
  VectorSink sink;
  Archive ar(sink, 16);
  c.serialize(ar);
  ar.flush();
  return sink.bytes;
}

CConfig readBlock(const Bytes& bytes, size_t* remaining = nullptr) {
  Archive ar(bytes);
  CConfig c;
  c.serialize(ar);
  if (remaining != nullptr) *remaining = ar.remaining();
  return c;
}

uint32_t le(const Bytes& b, size_t offset, size_t width) {
  uint32_t v = 0;
  for (size_t i = 0; i < width; ++i) v |= static_cast<uint32_t>(b.at(offset + i)) << (8 * i);
  return v;
}

void put16(Bytes& b, size_t offset, uint16_t v) {
  b.at(offset) = static_cast<uint8_t>(v);
  b.at(offset + 1) = static_cast<uint8_t>(v >> 8);
}

bool contains(const Bytes& haystack, const Bytes& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
         haystack.end();
}

CConfig changedRecord() {
  CConfig c;
  c.headerValue = 0x01020304;
  c.reservedByte1 = 0x11;
  c.reservedWord1 = 0x2233;
  c.calculatorTaxState = 2;
  c.taxExpenseItem = 7;
  c.reservedWords2to5 = {1, 2, 3, 4};
  c.decimalPlaces = 2;
  c.entryStoreOption = 0;
  c.reservedGroupFlag = 1;
  c.firstYear = 1990;
  c.lastYear = 2050;
  c.reservedItems = {3, 4, 5, 6};
  c.taxIncomeItem = 20;
  c.reservedWord10 = 0xBEEF;
  c.reservedBytes17to20 = {9, 8, 7, 6};
  c.diaryTitle = u"日記";
  c.reservedRecords[2] = {{1, -2, 3, 4, 5}, {1, 2, 3, 4, 5, 6, 7, 8}, u"記録"};
  c.reservedValue13 = 0xCAFEBABE;
  c.taxName = u"税";
  c.currencySymbol = u"$";
  for (size_t i = 0; i < c.reservedTexts.size(); ++i)
    c.reservedTexts[i] = u"t" + std::u16string(1, u'0' + static_cast<char16_t>(i));
  return c;
}

TEST(ConfigBlock, FieldsSitAtTheirOffsets) {
  const Bytes b = writeBlock(changedRecord());
  struct Field {
    size_t offset, width;
    uint32_t value;
  };
  const Field fields[] = {
      {0, 4, 0x61726F53},  // "Sora"
      {4, 4, 1},           {8, 2, 950},        {10, 2, 0},
      {12, 4, 0x01020304}, {16, 2, 0},         {18, 2, 0xFFFF},
      {20, 2, 4},          {22, 2, 952},       {24, 1, 0x11},
      {26, 2, 0x2233},     {28, 4, 2},         {32, 1, 3},  // C1, C3, C4, C5
      {36, 2, 7},          {38, 1, 1},         {40, 2, 1},
      {46, 2, 4},  // C9, C10, C12, C15
      {48, 2, 2},          {57, 1, 0},         {62, 1, 1},
      {63, 1, 0},  // C16, C22, C27, filler
      {64, 2, 1990},       {66, 2, 2040 + 10}, {68, 2, 3},
      {78, 2, 20},                                                   // C28, C29, C30, C35
      {80, 2, 0},          {86, 2, 0xBEEF},    {88, 4, 0x06070809},  // filler, C39, C40
      {92, 4, 0x02FFFEFF},                                           // C41: wide text of 2
  };
  for (const Field& f : fields)
    EXPECT_EQ(le(b, f.offset, f.width), f.value) << "offset " << f.offset;
  // C52 goes out complemented at its even positions: "t6" -> ~'t', '6'.
  EXPECT_TRUE(contains(b, {0xFF, 0xFE, 0xFF, 2, 0x8B, 0xFF, '6', 0}));
  EXPECT_TRUE(contains(b, {0xFF, 0xFE, 0xFF, 2, 't', 0, '5', 0}));
}

TEST(ConfigBlock, ScrambledFileStoresTheComplementedTextPlain) {
  CConfig c = changedRecord();
  c.scrambleMarker = kScrambleMarker;
  const Bytes b = writeBlock(c);
  EXPECT_EQ(le(b, 10, 2), kScrambleMarker);
  EXPECT_TRUE(contains(b, {0xFF, 0xFE, 0xFF, 2, 't', 0, '6', 0}));
  EXPECT_TRUE(contains(b, {0xFF, 0xFE, 0xFF, 2, 0x8B, 0xFF, '5', 0}));
  EXPECT_EQ(readBlock(b).reservedTexts, c.reservedTexts);
}

TEST(ConfigBlock, ReadsBackEveryField) {
  CConfig c = changedRecord();
  c.dataVersion = 700;  // writing always stores the current versions
  c.blockVersion = 800;
  size_t remaining = 1;
  const CConfig back = readBlock(writeBlock(c), &remaining);
  EXPECT_EQ(remaining, 0u);
  CConfig expected = c;
  expected.dataVersion = 950;
  expected.blockVersion = 952;
  expected.hasBlock = true;
  // Position by position first, so a failure names the field.
  const auto got = back.positions();
  const auto want = expected.positions();
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], want[i]) << got[i].name;
  EXPECT_EQ(back, expected);  // also the values no position names
}

TEST(ConfigBlock, NoneItemReadsBackAs65535) {
  CConfig c;
  c.taxExpenseItem = -1;
  EXPECT_EQ(readBlock(writeBlock(c)).taxExpenseItem, 65535);
}

TEST(ConfigBlock, OldVersionsSkipTheLaterFields) {
  Bytes b = writeBlock(changedRecord());
  put16(b, 8, 830);   // data version: C44 is the last text stored, C16 not yet
  put16(b, 22, 842);  // block version: C3 not yet
  size_t remaining = 0;
  const CConfig c = readBlock(b, &remaining);
  EXPECT_EQ(c.taxName, u"税");
  EXPECT_EQ(c.currencySymbol, u"\\");
  EXPECT_EQ(c.reservedTexts, CConfig().reservedTexts);
  EXPECT_EQ(c.decimalPlaces, 0);
  EXPECT_EQ(c.reservedWord1, 1);
  EXPECT_EQ(c.reservedValue13, 0xCAFEBABE);
  EXPECT_EQ(remaining, 6u + 9u * 8u);  // the unread texts: "$" and nine of two characters
}

TEST(ConfigBlock, ReadValuesAreMadeUsable) {
  struct Case {
    uint16_t firstYear, lastYear, decimals;
    int expectedFirst, expectedLast, expectedDecimals;
  };
  const Case cases[] = {
      {1850, 10000, 9, 1980, 2040, 3},
      {1899, 9999, 3, 1899, 9999, 3},
      {65535, 1898, 0, 1980, 2040, 0},
  };
  for (const Case& k : cases) {
    Bytes b = writeBlock(CConfig());
    put16(b, 64, k.firstYear);
    put16(b, 66, k.lastYear);
    put16(b, 48, k.decimals);
    const CConfig c = readBlock(b);
    EXPECT_EQ(c.firstYear, k.expectedFirst);
    EXPECT_EQ(c.lastYear, k.expectedLast);
    EXPECT_EQ(c.decimalPlaces, k.expectedDecimals);
  }
}

TEST(ConfigBlock, EmptyTaxNameAndCurrencyGetTheirDefaults) {
  CConfig c;
  c.taxName.clear();
  c.currencySymbol.clear();
  const CConfig back = readBlock(writeBlock(c));
  EXPECT_EQ(back.taxName, u"消費税");
  EXPECT_EQ(back.currencySymbol, u"\\");
}

TEST(ConfigBlock, DamagedBlockFailsAndLeavesTheRecord) {
  Bytes wrongMagic = writeBlock(CConfig());
  wrongMagic[0] = 'X';
  Bytes truncated = writeBlock(changedRecord());
  truncated.resize(truncated.size() - 3);
  for (const auto& [bytes, kind] : {std::pair{wrongMagic, ArchiveErrorKind::BadFormat},
                                    std::pair{truncated, ArchiveErrorKind::EndOfFile}}) {
    Archive ar(bytes);
    CConfig c;
    c.closingDay = 5;
    try {
      c.serialize(ar);
      ADD_FAILURE() << "no error";
    } catch (const ArchiveError& e) {
      EXPECT_EQ(e.kind(), kind);
    }
    EXPECT_EQ(c.closingDay, 5);
    EXPECT_FALSE(c.hasBlock);
  }
}

}  // namespace
}  // namespace sorami
