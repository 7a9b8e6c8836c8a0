#pragma once
// Where a list of up to millions of entries keeps its nodes: small blocks carved one after the
// other from chunks that grow with the list, kept for reuse when freed, and all given back at
// once with the pool. Each node costs no allocator header, and a large list is laid out in a few
// large blocks instead of millions of small ones.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

#include "platform/LargeBlock.h"

namespace sorami {

class NodePool : public std::pmr::memory_resource {
 public:
  NodePool() = default;
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;
  ~NodePool() override = default;

  // Bytes taken from the system so far, for the benchmarks.
  size_t reservedBytes() const { return reserved_; }
  // Makes room for `bytes` more of blocks in one chunk, when their number is known ahead (a
  // file about to be read): one mapping of about the right size instead of a growing series.
  void reserve(size_t bytes);
  // The bytes of a pooled block of `bytes`.
  static constexpr size_t blockBytes(size_t bytes) {
    return (bytes + kGrain - 1) / kGrain * kGrain;
  }

 private:
  // Blocks are handed out in multiples of this, which is also their alignment.
  static constexpr size_t kGrain = alignof(std::max_align_t);
  // Larger blocks (or stricter alignments) go to the general heap.
  static constexpr size_t kMaxPooled = 256;
  // One huge page: the first touch of a store costs one page fault, and its nodes stay warm.
  static constexpr size_t kFirstChunk = kLargePageBytes;
  static constexpr size_t kLargestChunk = size_t{64} << 20;

  struct FreeBlock {
    FreeBlock* next;
  };

  void* do_allocate(size_t bytes, size_t alignment) override;
  void do_deallocate(void* p, size_t bytes, size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }
  static bool pooled(size_t bytes, size_t alignment) {
    return bytes <= kMaxPooled && alignment <= kGrain;
  }
  void* carve(size_t size);
  void addChunk(size_t size, Pages pages);

  std::array<FreeBlock*, kMaxPooled / kGrain + 1> free_{};
  std::vector<LargeBlock> chunks_;
  uint8_t* next_ = nullptr;
  size_t left_ = 0;
  size_t nextChunk_ = kFirstChunk;
  size_t reserved_ = 0;
};

}  // namespace sorami
