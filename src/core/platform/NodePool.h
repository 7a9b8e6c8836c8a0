#pragma once
// Where a list of up to millions of entries keeps its nodes: small blocks carved one after the
// other from chunks that grow with the list, kept for reuse when freed, and all given back at
// once with the pool. Each node costs no allocator header, and a large list is laid out in a few
// large blocks instead of millions of small ones.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "platform/LargeBlock.h"

namespace sorami {

class NodePool {
 public:
  NodePool() = default;
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  // Bytes taken from the system so far, for the benchmarks.
  size_t reservedBytes() const { return reserved_; }
  // Makes room for `bytes` more of blocks in one chunk, when their number is known ahead (a
  // file about to be read): one mapping of about the right size instead of a growing series.
  void reserve(size_t bytes);
  // The bytes of a pooled block of `bytes`.
  static constexpr size_t blockBytes(size_t bytes) {
    return (bytes + kGrain - 1) / kGrain * kGrain;
  }

  // A block for a node, inline for a list's allocator: reading a file takes one per entry.
  void* take(size_t bytes, size_t alignment) {
    if (pooled(bytes, alignment)) {
      const size_t sizeClass = classOf(bytes);
      if (FreeBlock* block = free_[sizeClass]) {
        free_[sizeClass] = block->next;
        return block;
      }
      const size_t size = sizeClass * kGrain;
      if (left_ >= size) {
        void* block = next_;
        next_ += size;
        left_ -= size;
        return block;
      }
    }
    return takeElsewhere(bytes, alignment);
  }
  // Gives back a block from take() with the size and alignment it was asked for.
  void give(void* p, size_t bytes, size_t alignment) noexcept {
    if (!pooled(bytes, alignment)) {
      ::operator delete(p, std::align_val_t(alignment));
      return;
    }
    const size_t sizeClass = classOf(bytes);
    free_[sizeClass] = new (p) FreeBlock{free_[sizeClass]};
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

  static bool pooled(size_t bytes, size_t alignment) {
    return bytes <= kMaxPooled && alignment <= kGrain;
  }
  static constexpr size_t classOf(size_t bytes) {
    return (std::max<size_t>(bytes, 1) + kGrain - 1) / kGrain;
  }
  // A block the free blocks and the current chunk cannot give: from the heap, or a new chunk.
  void* takeElsewhere(size_t bytes, size_t alignment);
  void addChunk(size_t size, Pages pages);

  std::array<FreeBlock*, kMaxPooled / kGrain + 1> free_{};
  std::vector<LargeBlock> chunks_;
  uint8_t* next_ = nullptr;
  size_t left_ = 0;
  size_t nextChunk_ = kFirstChunk;
  size_t reserved_ = 0;
};

// The allocator of a list whose nodes live in a pool: the pool's own inline calls, where a
// memory resource would call through a table for every node. Lists over the same pool can pass
// nodes to each other.
template <class T>
class PoolAllocator {
 public:
  using value_type = T;
  // Implicit: a list is made over its pool.
  PoolAllocator(NodePool* pool) noexcept : pool_(pool) {}  // NOLINT(google-explicit-constructor)
  template <class U>
  PoolAllocator(const PoolAllocator<U>& other) noexcept  // NOLINT(google-explicit-constructor)
      : pool_(other.pool()) {}

  T* allocate(size_t n) { return static_cast<T*>(pool_->take(n * sizeof(T), alignof(T))); }
  void deallocate(T* p, size_t n) noexcept { pool_->give(p, n * sizeof(T), alignof(T)); }
  NodePool* pool() const noexcept { return pool_; }

  template <class U>
  bool operator==(const PoolAllocator<U>& other) const noexcept {
    return pool_ == other.pool();
  }

 private:
  NodePool* pool_;
};

}  // namespace sorami
