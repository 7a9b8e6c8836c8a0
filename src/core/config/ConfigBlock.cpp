// The configuration block: the first bytes of a data file, before the entry store.

#include <algorithm>

#include "archive/Archive.h"
#include "config/Config.h"
#include "config/ConfigFields.h"

namespace sorami {

using namespace config_fields;

namespace {

constexpr char kMagic[4] = {'S', 'o', 'r', 'a'};
constexpr uint32_t kBlockFormat = 1;
constexpr uint16_t kReservedWordA = 0;
constexpr uint16_t kReservedWordB = 0xFFFF;
constexpr size_t kReservedWord1Index = 2;   // C3
constexpr size_t kDecimalPlacesIndex = 15;  // C16
constexpr size_t kFillerByteAfter = 26;     // a byte follows C27
constexpr size_t kFillerWordAfter = 34;     // a 16-bit word follows C35
constexpr size_t kComplementedText = 8;     // C52
// The data version from which each of the texts C44 to C54 is stored.
constexpr int kTextSince[11] = {
    kDataVersionTaxName,        kDataVersionDecimals,       kDataVersionReservedGroup1,
    kDataVersionReservedGroup1, kDataVersionReservedGroup2, kDataVersionReservedGroup2,
    kDataVersionLaterTexts,     kDataVersionLaterTexts,     kDataVersionLaterTexts,
    kDataVersionLaterTexts,     kDataVersionLaterTexts};
constexpr int kMinYear = 1899;
constexpr int kMaxYear = 9999;
constexpr int kFallbackFirstYear = 1980;
constexpr int kFallbackLastYear = 2040;

void writeWidth(Archive& ar, uint8_t width, int64_t value) {
  if (width == 8) {
    ar.writeU8(static_cast<uint8_t>(value));
  } else if (width == 16) {
    ar.writeU16(static_cast<uint16_t>(value));
  } else {
    ar.writeU32(static_cast<uint32_t>(value));
  }
}

uint32_t readWidth(Archive& ar, uint8_t width) {
  if (width == 8) return ar.readU8();
  if (width == 16) return ar.readU16();
  return ar.readU32();
}

void serializeRecord(Archive& ar, ConfigRecord& r) {
  if (ar.isStoring()) {
    for (int32_t v : r.values) ar.writeI32(v);
    for (uint8_t b : r.bytes) ar.writeU8(b);
    ar.writeText(r.text);
  } else {
    for (int32_t& v : r.values) v = ar.readI32();
    for (uint8_t& b : r.bytes) b = ar.readU8();
    ar.readText(r.text);
  }
}

void storeBlock(Archive& ar, CConfig& c) {
  for (char ch : kMagic) ar.writeU8(static_cast<uint8_t>(ch));
  ar.writeU32(kBlockFormat);
  ar.writeU16(kDataVersionCurrent);
  ar.writeU16(c.scrambleMarker);
  ar.setScrambled(c.scrambleMarker == kScrambleMarker);
  ar.writeU32(c.headerValue);
  ar.writeU16(kReservedWordA);
  ar.writeU16(kReservedWordB);
  ar.writeU16(kBlockSubVersionCurrent);
  ar.writeU16(kBlockVersionCurrent);
  const auto scalars = blockScalars(c);
  for (size_t i = 0; i < scalars.size(); ++i) {
    writeWidth(ar, scalars[i].width, intValue(scalars[i].slot));
    if (i == kFillerByteAfter) ar.writeU8(0);
    if (i == kFillerWordAfter) ar.writeU16(0);
  }
  for (uint8_t b : c.reservedBytes17to20) ar.writeU8(b);
  ar.writeText(c.diaryTitle);
  for (ConfigRecord& r : c.reservedRecords) serializeRecord(ar, r);
  ar.writeU32(c.reservedValue13);
  for (size_t i = 0; i < std::size(kTextSince); ++i) {
    std::u16string text = c.blockText(i);
    if (i == kComplementedText) Archive::scramble(text);
    ar.writeText(text);
  }
}

void loadBlock(Archive& ar, CConfig& c) {
  for (char ch : kMagic) {
    if (ar.readU8() != static_cast<uint8_t>(ch)) {
      ar.fail(ArchiveErrorKind::BadFormat, "the configuration block does not begin with its mark");
    }
  }
  ar.readU32();
  c.dataVersion = ar.readU16();
  c.scrambleMarker = ar.readU16() == kScrambleMarker ? kScrambleMarker : 0;
  ar.setScrambled(c.scrambleMarker == kScrambleMarker);
  c.headerValue = ar.readU32();
  ar.readU16();
  ar.readU16();
  c.blockSubVersion = ar.readU16();
  c.blockVersion = ar.readU16();
  const auto scalars = blockScalars(c);
  for (size_t i = 0; i < scalars.size(); ++i) {
    const uint32_t raw = readWidth(ar, scalars[i].width);
    const bool stored =
        (i != kReservedWord1Index || c.blockVersion >= kBlockVersionReservedWord1) &&
        (i != kDecimalPlacesIndex || c.dataVersion >= kDataVersionDecimals);
    if (stored) setRaw(scalars[i].slot, raw);
    if (i == kFillerByteAfter) ar.readU8();
    if (i == kFillerWordAfter) ar.readU16();
  }
  for (uint8_t& b : c.reservedBytes17to20) b = ar.readU8();
  ar.readText(c.diaryTitle);
  for (ConfigRecord& r : c.reservedRecords) serializeRecord(ar, r);
  c.reservedValue13 = ar.readU32();
  for (size_t i = 0; i < std::size(kTextSince); ++i) {
    if (c.dataVersion < kTextSince[i]) continue;
    std::u16string& text = c.blockText(i);
    ar.readText(text);
    if (i == kComplementedText) Archive::scramble(text);
  }
  if (c.taxName.empty()) c.taxName = u"消費税";
  if (c.currencySymbol.empty()) c.currencySymbol = u"\\";
  if (c.firstYear < kMinYear || c.firstYear > kMaxYear) c.firstYear = kFallbackFirstYear;
  if (c.lastYear < kMinYear || c.lastYear > kMaxYear) c.lastYear = kFallbackLastYear;
  c.hasBlock = true;
}

}  // namespace

void CConfig::serialize(Archive& ar) {
  if (ar.isStoring()) {
    storeBlock(ar, *this);
    return;
  }
  // Read into a copy so that a damaged block leaves the record as it was.
  CConfig read = *this;
  loadBlock(ar, read);
  read.clampUntrustedValues();
  *this = std::move(read);
}

}  // namespace sorami
