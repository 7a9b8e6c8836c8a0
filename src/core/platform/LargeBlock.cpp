#include "platform/LargeBlock.h"

#include <sys/mman.h>

#include <new>

namespace sorami {

namespace {

constexpr size_t kSmallPageBytes = 4096;

size_t roundUp(size_t bytes, size_t unit) {
  return (bytes + unit - 1) / unit * unit;
}

size_t mappedSize(size_t bytes) {
  return roundUp(bytes, bytes < kHugeBlockBytes ? kSmallPageBytes : kLargePageBytes);
}

// Maps a little more than needed and trims both ends, so the block starts on a huge page.
void* mapAligned(size_t size) {
  const size_t span = size + kLargePageBytes;
  void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  // Offsets into the mapping rather than numbers turned back into pointers.
  const auto start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (start + kLargePageBytes - 1) & ~(uintptr_t{kLargePageBytes} - 1);
  const size_t lead = aligned - start;
  if (lead > 0) ::munmap(raw, lead);
  char* block = static_cast<char*>(raw) + lead;
  if (span > lead + size) ::munmap(block + size, span - lead - size);
#ifdef MADV_HUGEPAGE
  // Only advice: where huge pages are off, the block works with ordinary pages.
  ::madvise(block, size, MADV_HUGEPAGE);
#endif
  return block;
}

void* mapSmall(size_t size) {
  void* block = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
  return block;
}

}  // namespace

void* allocateBlock(size_t bytes, Pages pages) {
  if (bytes < kMappedBlockBytes) return ::operator new(bytes == 0 ? 1 : bytes);
  const size_t size = mappedSize(bytes);
  void* block = bytes < kHugeBlockBytes ? mapSmall(size) : mapAligned(size);
#ifdef MADV_POPULATE_WRITE
  // Only advice as well: where it is not known, the pages come as they are touched.
  if (pages == Pages::AtOnce) ::madvise(block, size, MADV_POPULATE_WRITE);
#else
  (void)pages;
#endif
  return block;
}

size_t blockCapacity(size_t bytes) {
  return bytes < kMappedBlockBytes ? bytes : mappedSize(bytes);
}

void freeBlock(void* block, size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes < kMappedBlockBytes) {
    ::operator delete(block);
  } else {
    ::munmap(block, mappedSize(bytes));
  }
}

}  // namespace sorami
