#pragma once
// Memory for large data that lives as long as an open file: the bytes of the file while it is
// read, the nodes of its entries. Blocks of 256 KiB and more are mapped in whole 2 MiB pieces
// that are asked to be backed by huge pages where the system has them, so first touching a large
// store costs one page fault per 2 MiB instead of one per 4 KiB.

#include <cstddef>
#include <cstdint>
#include <span>

namespace sorami {

// Blocks at least this large are mapped from the system directly.
inline constexpr size_t kMappedBlockBytes = size_t{64} << 10;
// The huge page: large mapped blocks are aligned to it and take up whole ones.
inline constexpr size_t kLargePageBytes = size_t{2} << 20;
// Below this a mapped block takes small pages: making a few dozen of them present takes less
// than clearing a whole huge page (measured on a virtual machine: 64 KiB about a quarter of the
// time, 256 KiB about the same).
inline constexpr size_t kHugeBlockBytes = size_t{256} << 10;

// Whether the pages of a large block come as they are first touched, or all when it is made
// (for a block its owner is about to fill from end to end).
enum class Pages : uint8_t { AsTouched, AtOnce };

// A block of at least `bytes` bytes, aligned to at least 16 bytes; throws std::bad_alloc.
void* allocateBlock(size_t bytes, Pages pages = Pages::AsTouched);
// The bytes a block asked for with `bytes` really holds: a mapped block takes whole pages.
size_t blockCapacity(size_t bytes);
// Gives back a block from allocateBlock with the size it was asked for.
void freeBlock(void* block, size_t bytes) noexcept;

// One owned block of bytes.
class LargeBlock {
 public:
  LargeBlock() = default;
  explicit LargeBlock(size_t bytes, Pages pages = Pages::AsTouched)
      : data_(static_cast<uint8_t*>(allocateBlock(bytes, pages))), size_(bytes) {}
  LargeBlock(LargeBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  LargeBlock& operator=(LargeBlock&& other) noexcept {
    if (this != &other) {
      release();
      data_ = other.data_;
      size_ = other.size_;
      other.data_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }
  LargeBlock(const LargeBlock&) = delete;
  LargeBlock& operator=(const LargeBlock&) = delete;
  ~LargeBlock() { release(); }

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void release() noexcept {
    if (data_ != nullptr) freeBlock(data_, size_);
  }
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace sorami
