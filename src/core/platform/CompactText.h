#pragma once
// A UTF-16 text in 16 bytes, for the texts of the entries: a store holds millions of them and
// nearly all are a few characters long. Up to seven code units live inside the value itself;
// a longer text takes one block of the heap that holds exactly its code units. The length is
// kept apart from the code units, so a text may hold NULs anywhere (a memo's hidden tail
// does).

#include <algorithm>
#include <bit>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sorami {

class CompactText {
 public:
  // The longest text kept inside the value.
  static constexpr size_t kInlineCapacity = 7;

  CompactText() = default;
  explicit CompactText(std::u16string_view text) { place(text); }
  CompactText(const CompactText& other) { place(other.view()); }
  CompactText(CompactText&& other) noexcept : units_(other.units_) { other.units_ = {}; }
  ~CompactText() { release(); }

  CompactText& operator=(const CompactText& other) { return *this = other.view(); }
  CompactText& operator=(CompactText&& other) noexcept {
    if (this != &other) {
      release();
      units_ = other.units_;
      other.units_ = {};
    }
    return *this;
  }
  // The text may be a part of this one's own: it is copied before the old block goes.
  CompactText& operator=(std::u16string_view text) {
    CompactText next(text);
    swap(next);
    return *this;
  }
  CompactText& operator=(const std::u16string& text) { return *this = std::u16string_view(text); }
  CompactText& operator=(const char16_t* text) { return *this = std::u16string_view(text); }

  void swap(CompactText& other) noexcept { std::swap(units_, other.units_); }
  friend void swap(CompactText& a, CompactText& b) noexcept { a.swap(b); }

  // Makes the text `size` code units long and returns them to be written, all of them: the
  // old text is gone.
  char16_t* overwrite(size_t size) {
    release();
    units_ = {};
    if (size <= kInlineCapacity) {
      units_.unit[kTagUnit] = static_cast<char16_t>(size);
      return units_.unit;
    }
    if (size > UINT32_MAX) throw std::length_error("text too long");
    auto* block = new char16_t[size];
    setBlock(block, size);
    return block;
  }
  void clear() {
    release();
    units_ = {};
  }
  // Becomes a text of at most kInlineCapacity code units stored little-endian at `bytes`.
  // All 16 bytes from `bytes` on must be readable: they are taken in two words, and what follows
  // the text is masked off.
  void assignStored(const uint8_t* bytes, size_t size) {
    if constexpr (std::endian::native != std::endian::little) {
      char16_t* out = overwrite(size);
      for (size_t i = 0; i < size; ++i) {
        out[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
      }
      return;
    }
    release();
    uint64_t low = 0;
    uint64_t high = 0;
    std::memcpy(&low, bytes, sizeof low);
    std::memcpy(&high, bytes + sizeof low, sizeof high);
    const size_t n = size * 2;
    if (n < 8) low &= (uint64_t{1} << (8 * n)) - 1;
    high = n <= 8 ? 0 : high & ((uint64_t{1} << (8 * (n - 8))) - 1);
    // The length goes in the last unit, the top 16 bits of the second word.
    high |= uint64_t{size} << 48;
    std::memcpy(units_.unit, &low, sizeof low);
    std::memcpy(units_.unit + 4, &high, sizeof high);
  }

  size_t size() const {
    const char16_t tag = units_.unit[kTagUnit];
    return tag == kOnHeap ? blockSize() : tag;
  }
  bool empty() const { return size() == 0; }
  const char16_t* data() const { return onHeap() ? block() : units_.unit; }
  const char16_t* begin() const { return data(); }
  const char16_t* end() const { return data() + size(); }
  char16_t operator[](size_t i) const { return data()[i]; }
  char16_t back() const { return data()[size() - 1]; }

  std::u16string_view view() const {
    if (onHeap()) return {block(), blockSize()};
    return {units_.unit, units_.unit[kTagUnit]};
  }
  operator std::u16string_view() const { return view(); }
  std::u16string str() const { return std::u16string(view()); }

  // Bytes this text holds on the heap besides itself.
  size_t heapBytes() const { return onHeap() ? blockSize() * sizeof(char16_t) : 0; }

  friend bool operator==(const CompactText& a, const CompactText& b) {
    return a.view() == b.view();
  }
  friend bool operator==(const CompactText& a, std::u16string_view b) { return a.view() == b; }
  friend std::strong_ordering operator<=>(const CompactText& a, const CompactText& b) {
    return a.view() <=> b.view();
  }
  friend std::strong_ordering operator<=>(const CompactText& a, std::u16string_view b) {
    return a.view() <=> b;
  }

  // A text joined with another, built by appending.
  friend std::u16string operator+(std::u16string_view a, const CompactText& b) {
    return joined(a, b.view());
  }
  friend std::u16string operator+(const CompactText& a, std::u16string_view b) {
    return joined(a.view(), b);
  }
  friend std::u16string operator+(const CompactText& a, const CompactText& b) {
    return joined(a.view(), b.view());
  }

 private:
  // Eight code units: the text itself in the first seven and its length in the last, or a
  // pointer to the block in the first four, its length in the next two, and kOnHeap last.
  // Pointer and length go in and out by memcpy, so the value never reads one member of a
  // union as another.
  struct Units {
    alignas(8) char16_t unit[8] = {};
  };
  static constexpr size_t kTagUnit = 7;
  static constexpr char16_t kOnHeap = 0xFFFF;

  static std::u16string joined(std::u16string_view a, std::u16string_view b) {
    std::u16string out;
    out.reserve(a.size() + b.size());
    out.append(a).append(b);
    return out;
  }
  bool onHeap() const { return units_.unit[kTagUnit] == kOnHeap; }
  char16_t* block() const {
    char16_t* p = nullptr;
    std::memcpy(&p, units_.unit, sizeof p);
    return p;
  }
  size_t blockSize() const {
    uint32_t n = 0;
    std::memcpy(&n, units_.unit + 4, sizeof n);
    return n;
  }
  void setBlock(char16_t* p, size_t size) {
    const auto n = static_cast<uint32_t>(size);
    std::memcpy(units_.unit, &p, sizeof p);
    std::memcpy(units_.unit + 4, &n, sizeof n);
    units_.unit[kTagUnit] = kOnHeap;
  }
  // Out of line: inlined into an assignment of a short literal, GCC 12 at -O3 warns about the
  // copy of the heap branch that such a text never takes.
  void place(std::u16string_view text);
  void release() {
    if (onHeap()) delete[] block();
  }

  Units units_;
};

static_assert(sizeof(CompactText) == 16);

}  // namespace sorami
