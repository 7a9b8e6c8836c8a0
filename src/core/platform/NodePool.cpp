#include "platform/NodePool.h"

#include <algorithm>
#include <new>

namespace sorami {

void* NodePool::takeElsewhere(size_t bytes, size_t alignment) {
  if (!pooled(bytes, alignment)) return ::operator new(bytes, std::align_val_t(alignment));
  // What is left of the current chunk is too small: a new one, larger each time.
  const size_t size = classOf(bytes) * kGrain;
  addChunk(std::max(nextChunk_, size), Pages::AsTouched);
  nextChunk_ = std::min(nextChunk_ * 2, kLargestChunk);
  return take(bytes, alignment);
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

}  // namespace sorami
