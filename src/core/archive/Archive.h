#pragma once
// The byte stream every stored class writes itself into and reads itself from: little-endian
// integers, counts, texts and stored objects with class descriptions and indexes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CompactText.h"
#include "platform/LargeBlock.h"

namespace sorami {

enum class ArchiveErrorKind {
  EndOfFile,    // the data ended before a value was complete
  WrongClass,   // a stored object of another class than the one expected here
  BadIndex,     // an object or class index that does not name what is expected
  BadSchema,    // a class description with another schema number
  BadFormat,    // any other value that cannot be right (a date outside the calendar, ...)
  WriteFailed,  // the file could not be written
};

class ArchiveError : public std::runtime_error {
 public:
  ArchiveError(ArchiveErrorKind kind, size_t offset, const std::string& what);
  ArchiveErrorKind kind() const { return kind_; }
  // Byte offset in the file at which the failing value starts.
  size_t offset() const { return offset_; }

 private:
  ArchiveErrorKind kind_;
  size_t offset_;
};

// Where a storing archive puts its bytes. A sink reports failure by throwing ArchiveError.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(const uint8_t* data, size_t size) = 0;
};

class VectorSink : public ByteSink {
 public:
  void write(const uint8_t* data, size_t size) override {
    bytes.insert(bytes.end(), data, data + size);
  }
  std::vector<uint8_t> bytes;
};

// Where a reading archive takes further bytes from once it has read those it holds.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Puts up to `size` further bytes at `out` and returns how many; 0 only at the end.
  virtual size_t read(uint8_t* out, size_t size) = 0;
  // The bytes still to come as far as is known now, for judging counts and lengths; a source
  // that ends sooner ends the data there.
  virtual uint64_t left() const = 0;
};

// The classes that are stored as objects in a data file.
enum class ClassId : uint8_t { HinmeiList, Hinmei, BudgetList, Budget };
inline constexpr size_t kClassCount = 4;
std::string_view className(ClassId id);

class Archive {
 public:
  // A reading archive over bytes that outlive it.
  explicit Archive(std::span<const uint8_t> data);
  // A reading archive that takes its bytes from `source` as it reads, through a window of
  // `windowBytes` (larger only while one value needs more).
  Archive(ByteSource& source, size_t windowBytes);
  // A writing archive; bytes reach the sink in blocks and at flush().
  explicit Archive(ByteSink& sink, size_t bufferSize = size_t{64} * 1024);
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  bool isLoading() const { return sink_ == nullptr; }
  bool isStoring() const { return sink_ != nullptr; }

  // While set, every text is read and written with its even-position characters complemented.
  void setScrambled(bool on) { scrambled_ = on; }
  bool scrambled() const { return scrambled_; }

  // The reads of numbers are inline: a file of a million entries reads several million of them.
  uint8_t readU8() {
    require(1);
    return data_[pos_++];
  }
  uint16_t readU16() {
    require(2);
    const auto v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t readU32() {
    require(4);
    const uint32_t v = static_cast<uint32_t>(data_[pos_]) |
                       (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                       (static_cast<uint32_t>(data_[pos_ + 2]) << 16) |
                       (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
  }
  int32_t readI32() { return static_cast<int32_t>(readU32()); }
  float readF32();
  void writeU8(uint8_t v);
  void writeU16(uint16_t v);
  void writeU32(uint32_t v);
  void writeI32(int32_t v) { writeU32(static_cast<uint32_t>(v)); }
  void writeF32(float v);

  // Counts of the elements that follow; 16 bits below 0xFFFF, else 0xFFFF and 32 bits.
  uint32_t readCount();
  void writeCount(uint32_t n);
  // Fails unless at least count elements of at least minBytesEach bytes can still follow, so a
  // damaged count never makes the reader allocate beyond the file's size.
  void requireElements(uint64_t count, size_t minBytesEach);

  std::u16string readText();
  void readText(std::u16string& out);
  // Copies the stored code units straight into `out`. Inline for the text nearly every entry
  // holds: in the layout every save writes (the wide marker, a one-byte length) and short
  // enough to live inside the value, with 16 bytes to spare after its prefix.
  void readText(CompactText& out) {
    if (const uint8_t* p = unchecked(4 + 16)) {
      if (const int len = shortTextUnits(p); len >= 0) {
        out.assignStored(p + 4, static_cast<size_t>(len));
        pos_ += 4 + size_t{2} * static_cast<size_t>(len);
        return;
      }
    }
    readAnyText(out);
  }
  // The stored bytes from the current position on, for a reader of a fixed layout that checks
  // nothing per value: null unless `n` bytes are in the window and the texts are not scrambled.
  // The reader takes what it used with skip().
  const uint8_t* unchecked(size_t n) const {
    return !scrambled_ && data_.size() - pos_ >= n ? data_.data() + pos_ : nullptr;
  }
  void skip(size_t n) { pos_ += n; }
  // The code units of the text stored at `p` when it is in the short layout every save writes
  // (the wide marker, a one-byte length) and fits inside a CompactText; else -1. Its units start
  // at p + 4, and 16 bytes from there must be readable.
  static int shortTextUnits(const uint8_t* p) {
    static_assert(CompactText::kInlineCapacity == 7);
    const uint32_t prefix = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                            (static_cast<uint32_t>(p[2]) << 16) |
                            (static_cast<uint32_t>(p[3]) << 24);
    // 0xFF and the marker, then a length of 0 to 7: one test of the bits that must be as they are.
    constexpr uint32_t kShortPrefix = 0xFFu | (uint32_t{kWideTextMarker} << 8);
    if (((prefix ^ kShortPrefix) & 0xF8FFFFFFu) != 0) return -1;
    return static_cast<int>(prefix >> 24);
  }
  void writeText(std::u16string_view text);

  // Reads the tag of a stored object that must be of class `expected`. Returns false for the
  // null object; otherwise the object's body follows. A reference to an object read before is
  // damage here: every object of a data file is stored once. Inline for the tag nearly every
  // entry has, one that names the class expected (class indexes are unique).
  bool readObjectTag(ClassId expected) {
    if (data_.size() - pos_ >= 2) {
      const auto w = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
      const uint32_t index = w & ~kClassTag & 0xFFFFu;
      if ((w & kClassTag) != 0 && w != kNewClassTag && index != 0 &&
          classIndex_[static_cast<size_t>(expected)] == index) {
        pos_ += 2;
        ++nextIndex_;
        return true;
      }
    }
    return readOtherObjectTag(expected);
  }
  // Writes the tag that introduces a new object of class `cls`; its body must follow.
  void writeObjectTag(ClassId cls);
  void writeNullObject() { writeU16(0); }

  size_t offset() const { return isLoading() ? before_ + pos_ : written_ + pos_; }
  size_t remaining() const {
    if (!isLoading()) return 0;
    return data_.size() - pos_ + (source_ != nullptr ? source_->left() : 0);
  }
  // Makes n more bytes readable at the current position, or fails at the end of the data.
  void require(size_t n) {
    if (data_.size() - pos_ < n) fetch(n);
  }
  // Up to n bytes from the current position on, fewer only where the data ends; nothing is
  // taken.
  std::span<const uint8_t> peek(size_t n);
  void flush();

  [[noreturn]] void fail(ArchiveErrorKind kind, const std::string& what) const;

  static void scramble(std::u16string& text);
  static void scramble(CompactText& text);

 private:
  static constexpr uint16_t kNullTag = 0x0000;
  static constexpr uint16_t kNewClassTag = 0xFFFF;
  static constexpr uint16_t kClassTag = 0x8000;
  static constexpr uint16_t kBigObjectTag = 0x7FFF;
  static constexpr uint32_t kBigClassTag = 0x80000000u;
  static constexpr uint16_t kWideTextMarker = 0xFFFE;

  bool readOtherObjectTag(ClassId expected);
  void readAnyText(CompactText& out);
  // Reads a text's length prefix and returns true when that many UTF-16 code units follow (and
  // are there), false for 8-bit text.
  bool readTextPrefix(uint32_t& len);
  // Takes `len` code units into `out`, unscrambled when the archive is.
  void takeUnits(char16_t* out, uint32_t len);
  // Takes `len` bytes of 8-bit text, converted and unscrambled.
  std::u16string takeNarrowText(uint32_t len);
  [[noreturn]] void failEndOfFile() const;
  // Brings n bytes into the window from the source; false when the source ends first.
  bool fill(size_t n);
  void fetch(size_t n);
  void put(const uint8_t* p, size_t n);
  uint8_t* reserve(size_t n);
  void readClassDescription(ClassId& cls);

  std::span<const uint8_t> data_;
  ByteSource* source_ = nullptr;
  LargeBlock window_;  // holds data_ while reading from a source
  size_t before_ = 0;  // bytes of the source before the window
  ByteSink* sink_ = nullptr;
  std::vector<uint8_t> buffer_;
  size_t pos_ = 0;
  size_t written_ = 0;
  bool scrambled_ = false;
  // One index sequence for classes and objects, counting from 1 (0 is the null object).
  uint32_t nextIndex_ = 1;
  uint32_t classIndex_[kClassCount] = {0, 0, 0, 0};
};

}  // namespace sorami
