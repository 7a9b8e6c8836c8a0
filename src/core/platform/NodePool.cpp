#include "platform/NodePool.h"

#include <algorithm>
#include <new>

namespace sorami {

void* NodePool::do_allocate(size_t bytes, size_t alignment) {
  if (!pooled(bytes, alignment)) return ::operator new(bytes, std::align_val_t(alignment));
  const size_t sizeClass = (std::max<size_t>(bytes, 1) + kGrain - 1) / kGrain;
  if (FreeBlock* block = free_[sizeClass]) {
    free_[sizeClass] = block->next;
    return block;
  }
  return carve(sizeClass * kGrain);
}

void NodePool::do_deallocate(void* p, size_t bytes, size_t alignment) {
  if (!pooled(bytes, alignment)) {
    ::operator delete(p, std::align_val_t(alignment));
    return;
  }
  const size_t sizeClass = (std::max<size_t>(bytes, 1) + kGrain - 1) / kGrain;
  free_[sizeClass] = new (p) FreeBlock{free_[sizeClass]};
}

void NodePool::reserve(size_t bytes) {
  if (left_ >= bytes) return;
  // All present at once: one call makes the pages ready faster than the faults of the first
  // touches, which would come one by one while the entries are read. The chunk takes the whole
  // of the pages mapped for it.
  addChunk(blockCapacity(bytes), Pages::AtOnce);
}

// What is left of the old chunk is too small for what comes; it stays unused.
void NodePool::addChunk(size_t size, Pages pages) {
  chunks_.reserve(chunks_.size() + 1);
  chunks_.emplace_back(size, pages);
  next_ = chunks_.back().data();
  left_ = size;
  reserved_ += size;
}

void* NodePool::carve(size_t size) {
  if (left_ < size) {
    addChunk(std::max(nextChunk_, size), Pages::AsTouched);
    nextChunk_ = std::min(nextChunk_ * 2, kLargestChunk);
  }
  void* block = next_;
  next_ += size;
  left_ -= size;
  return block;
}

}  // namespace sorami
