#include "archive/Archive.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/CompactText.h"
#include "platform/TextCodec.h"

namespace sorami {

namespace {

constexpr std::string_view kClassNames[kClassCount] = {"CHinmeiList", "CHinmei", "CBudgetList",
                                                       "CBudget"};

const char* kindName(ArchiveErrorKind kind) {
  switch (kind) {
    case ArchiveErrorKind::EndOfFile:
      return "end of file";
    case ArchiveErrorKind::WrongClass:
      return "wrong class";
    case ArchiveErrorKind::BadIndex:
      return "bad index";
    case ArchiveErrorKind::BadSchema:
      return "bad schema";
    case ArchiveErrorKind::BadFormat:
      return "bad format";
    case ArchiveErrorKind::WriteFailed:
      return "write failed";
  }
  return "archive error";
}

}  // namespace

ArchiveError::ArchiveError(ArchiveErrorKind kind, size_t offset, const std::string& what)
    : std::runtime_error(std::string(kindName(kind)) + " at byte " + std::to_string(offset) +
                         (what.empty() ? "" : ": " + what)),
      kind_(kind),
      offset_(offset) {}

std::string_view className(ClassId id) {
  return kClassNames[static_cast<size_t>(id)];
}

Archive::Archive(std::span<const uint8_t> data) : data_(data) {}

Archive::Archive(ByteSource& source, size_t windowBytes)
    : source_(&source), window_(std::max<size_t>(windowBytes, 1), Pages::AtOnce) {
  data_ = {window_.data(), 0};
}

Archive::Archive(ByteSink& sink, size_t bufferSize) : sink_(&sink), buffer_(bufferSize) {}

void Archive::fail(ArchiveErrorKind kind, const std::string& what) const {
  throw ArchiveError(kind, offset(), what);
}

void Archive::failEndOfFile() const {
  fail(ArchiveErrorKind::EndOfFile, "");
}

bool Archive::fill(size_t n) {
  if (source_ == nullptr) return false;
  const size_t held = data_.size() - pos_;
  if (n > window_.size()) {
    LargeBlock larger(std::max(n, window_.size() * 2), Pages::AtOnce);
    std::copy_n(data_.data() + pos_, held, larger.data());
    window_ = std::move(larger);
  } else {
    std::memmove(window_.data(), data_.data() + pos_, held);
  }
  before_ += pos_;
  pos_ = 0;
  size_t filled = held;
  while (filled < n) {
    const size_t got = source_->read(window_.data() + filled, window_.size() - filled);
    if (got == 0) break;
    filled += got;
  }
  data_ = {window_.data(), filled};
  return filled >= n;
}

void Archive::fetch(size_t n) {
  if (!fill(n)) failEndOfFile();
}

std::span<const uint8_t> Archive::peek(size_t n) {
  if (data_.size() - pos_ < n) fill(n);
  return data_.subspan(pos_, std::min(n, data_.size() - pos_));
}

void Archive::requireElements(uint64_t count, size_t minBytesEach) {
  if (count * minBytesEach > remaining()) {
    fail(ArchiveErrorKind::EndOfFile, std::to_string(count) + " elements cannot follow");
  }
}

float Archive::readF32() {
  const uint32_t bits = readU32();
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

uint8_t* Archive::reserve(size_t n) {
  if (pos_ + n > buffer_.size()) {
    flush();
    if (n > buffer_.size()) buffer_.resize(n);
  }
  uint8_t* p = buffer_.data() + pos_;
  pos_ += n;
  return p;
}

void Archive::put(const uint8_t* p, size_t n) {
  if (n > buffer_.size()) {
    flush();
    sink_->write(p, n);
    written_ += n;
    return;
  }
  std::memcpy(reserve(n), p, n);
}

void Archive::writeU8(uint8_t v) {
  *reserve(1) = v;
}

void Archive::writeU16(uint16_t v) {
  uint8_t* p = reserve(2);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void Archive::writeU32(uint32_t v) {
  uint8_t* p = reserve(4);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

void Archive::writeF32(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  writeU32(bits);
}

void Archive::flush() {
  if (!sink_ || pos_ == 0) return;
  sink_->write(buffer_.data(), pos_);
  written_ += pos_;
  pos_ = 0;
}

uint32_t Archive::readCount() {
  const uint16_t w = readU16();
  return w != 0xFFFF ? w : readU32();
}

void Archive::writeCount(uint32_t n) {
  if (n < 0xFFFF) {
    writeU16(static_cast<uint16_t>(n));
  } else {
    writeU16(0xFFFF);
    writeU32(n);
  }
}

void Archive::scramble(std::u16string& text) {
  for (size_t i = 0; i < text.size(); i += 2) text[i] = static_cast<char16_t>(~text[i]);
}

void Archive::scramble(CompactText& text) {
  std::u16string units = text.str();
  scramble(units);
  text = units;
}

std::u16string Archive::readText() {
  std::u16string s;
  readText(s);
  return s;
}

bool Archive::readTextPrefix(uint32_t& len) {
  bool wide = false;
  len = readU8();
  if (len == 0xFF) {
    len = readU16();
    if (len == kWideTextMarker) {
      // Wide text: a second length prefix follows, then UTF-16LE code units.
      wide = true;
      len = readU8();
      if (len == 0xFF) len = readU16();
    }
    if (len == 0xFFFF) len = readU32();
  }
  const size_t bytes = wide ? remaining() / 2 : remaining();
  if (len > bytes) fail(ArchiveErrorKind::EndOfFile, "text runs past the end");
  return wide;
}

void Archive::takeUnits(char16_t* out, uint32_t len) {
  require(size_t{len} * 2);
  const uint8_t* p = data_.data() + pos_;
  if constexpr (std::endian::native == std::endian::little) {
    // The stored code units are already in memory order.
    std::memcpy(out, p, static_cast<size_t>(len) * 2);
  } else {
    for (uint32_t i = 0; i < len; ++i) {
      out[i] = static_cast<char16_t>(p[size_t{2} * i] | (p[size_t{2} * i + 1] << 8));
    }
  }
  pos_ += static_cast<size_t>(len) * 2;
  if (scrambled_) {
    for (uint32_t i = 0; i < len; i += 2) out[i] = static_cast<char16_t>(~out[i]);
  }
}

std::u16string Archive::takeNarrowText(uint32_t len) {
  // Old 8-bit text in the device's code page.
  require(len);
  std::u16string out =
      fromShiftJis(std::string_view(reinterpret_cast<const char*>(data_.data() + pos_), len));
  pos_ += len;
  if (scrambled_) scramble(out);
  return out;
}

void Archive::readText(std::u16string& out) {
  uint32_t len = 0;
  if (readTextPrefix(len)) {
    out.resize(len);
    takeUnits(out.data(), len);
  } else {
    out = takeNarrowText(len);
  }
}

void Archive::readAnyText(CompactText& out) {
  uint32_t len = 0;
  if (readTextPrefix(len)) {
    takeUnits(out.overwrite(len), len);
  } else {
    out = takeNarrowText(len);
  }
}

void Archive::writeText(std::u16string_view text) {
  writeU8(0xFF);
  writeU16(kWideTextMarker);
  const size_t len = text.size();
  if (len <= 254) {
    writeU8(static_cast<uint8_t>(len));
  } else if (len <= 0xFFFD) {
    writeU8(0xFF);
    writeU16(static_cast<uint16_t>(len));
  } else {
    writeU8(0xFF);
    writeU16(0xFFFF);
    writeU32(static_cast<uint32_t>(len));
  }
  uint8_t* p = reserve(len * 2);
  for (size_t i = 0; i < len; ++i) {
    char16_t c = text[i];
    if (scrambled_ && i % 2 == 0) c = static_cast<char16_t>(~c);
    p[2 * i] = static_cast<uint8_t>(c);
    p[2 * i + 1] = static_cast<uint8_t>(c >> 8);
  }
}

void Archive::readClassDescription(ClassId& cls) {
  const uint16_t schema = readU16();
  const uint16_t nameLength = readU16();
  require(nameLength);
  const std::string_view name(reinterpret_cast<const char*>(data_.data() + pos_), nameLength);
  bool known = false;
  for (size_t i = 0; i < kClassCount; ++i) {
    if (kClassNames[i] == name) {
      cls = static_cast<ClassId>(i);
      known = true;
    }
  }
  if (!known) fail(ArchiveErrorKind::WrongClass, "unknown class " + std::string(name));
  pos_ += nameLength;
  if (schema != 0) fail(ArchiveErrorKind::BadSchema, std::string(name));
  uint32_t& index = classIndex_[static_cast<size_t>(cls)];
  if (index != 0) fail(ArchiveErrorKind::BadIndex, "class described twice");
  index = nextIndex_++;
}

bool Archive::readOtherObjectTag(ClassId expected) {
  // An error goes back to the tag and names its offset. Only a tag read across the end of a
  // source's window can have left the window; its offset is named all the same.
  const size_t start = offset();
  const auto failHere = [&](ArchiveErrorKind kind, const std::string& what) {
    if (start >= before_) pos_ = start - before_;
    throw ArchiveError(kind, start, what);
  };
  const uint16_t w = readU16();
  ClassId cls = expected;
  if (w == kNewClassTag) {
    readClassDescription(cls);
  } else {
    const uint32_t tag = w == kBigObjectTag
                             ? readU32()
                             : (static_cast<uint32_t>(w & kClassTag) << 16) | (w & ~kClassTag);
    if (w == kNullTag) return false;
    if ((tag & kBigClassTag) == 0) {
      // A reference to an object read before (or to nothing at all).
      failHere(ArchiveErrorKind::BadIndex, "reference to object " + std::to_string(tag));
    }
    const uint32_t index = tag & ~kBigClassTag;
    bool found = false;
    for (size_t i = 0; i < kClassCount; ++i) {
      if (index != 0 && classIndex_[i] == index) {
        cls = static_cast<ClassId>(i);
        found = true;
      }
    }
    if (!found) {
      failHere(ArchiveErrorKind::BadIndex, "class index " + std::to_string(index));
    }
  }
  if (cls != expected) {
    failHere(ArchiveErrorKind::WrongClass, std::string(className(cls)) + " where " +
                                               std::string(className(expected)) + " belongs");
  }
  ++nextIndex_;
  return true;
}

void Archive::writeObjectTag(ClassId cls) {
  uint32_t& index = classIndex_[static_cast<size_t>(cls)];
  if (index == 0) {
    const std::string_view name = className(cls);
    writeU16(kNewClassTag);
    writeU16(0);  // schema
    writeU16(static_cast<uint16_t>(name.size()));
    put(reinterpret_cast<const uint8_t*>(name.data()), name.size());
    index = nextIndex_++;
  } else if (index < kBigObjectTag) {
    writeU16(static_cast<uint16_t>(kClassTag | index));
  } else {
    writeU16(kBigObjectTag);
    writeU32(kBigClassTag | index);
  }
  ++nextIndex_;
}

}  // namespace sorami
