#include "platform/NodePool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <list>
#include <set>
#include <string>
#include <vector>

#include "platform/LargeBlock.h"

namespace sorami {
namespace {

// Blocks handed out at the same time never overlap and keep what was written into them, across
// the growth of the pool from its first small chunk to huge-page chunks.
TEST(NodePoolTest, LiveBlocksAreDistinctAlignedAndKeepTheirBytes) {
  NodePool pool;
  constexpr size_t kBlocks = 60000;  // about 5.7 MB of 96-byte blocks: several chunk sizes
  std::vector<unsigned char*> blocks;
  for (size_t i = 0; i < kBlocks; ++i) {
    auto* p = static_cast<unsigned char*>(pool.take(96, 8));
    ASSERT_EQ(reinterpret_cast<uintptr_t>(p) % alignof(std::max_align_t), 0u);
    std::memset(p, static_cast<int>(i & 0xFF), 96);
    blocks.push_back(p);
  }
  EXPECT_EQ(std::set<unsigned char*>(blocks.begin(), blocks.end()).size(), kBlocks);
  for (size_t i = 0; i < kBlocks; ++i) {
    ASSERT_EQ(blocks[i][0], static_cast<unsigned char>(i & 0xFF)) << i;
    ASSERT_EQ(blocks[i][95], static_cast<unsigned char>(i & 0xFF)) << i;
  }
  EXPECT_GE(pool.reservedBytes(), kBlocks * 96);
}

TEST(NodePoolTest, FreedBlocksAreReusedBySizeAndOddRequestsGoToTheHeap) {
  NodePool pool;
  void* a = pool.take(96, 8);
  void* b = pool.take(40, 8);
  pool.give(a, 96, 8);
  pool.give(b, 40, 8);
  // The same size comes back from the free blocks, newest first; another size does not take it.
  EXPECT_EQ(pool.take(40, 8), b);
  EXPECT_EQ(pool.take(96, 8), a);
  const size_t reserved = pool.reservedBytes();
  // Large or strictly aligned blocks are not carved from the chunks.
  void* big = pool.take(4096, 8);
  void* aligned = pool.take(64, 64);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(aligned) % 64, 0u);
  EXPECT_EQ(pool.reservedBytes(), reserved);
  pool.give(big, 4096, 8);
  pool.give(aligned, 64, 64);
}

// A list over the pool behaves as any list: erase, clear and refill keep the order and values,
// and nodes pass to another list over the same pool.
TEST(NodePoolTest, ListOverThePoolKeepsItsEntriesThroughEraseAndRefill) {
  NodePool pool;
  using Texts = std::list<std::u16string, PoolAllocator<std::u16string>>;
  Texts list(&pool);
  Texts other(&pool);
  EXPECT_TRUE(list.get_allocator() == other.get_allocator());
  other.push_back(u"残す");
  other.push_back(u"移す");
  list.splice(list.end(), other, std::next(other.begin()));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.front(), u"移す");
  EXPECT_EQ(other.front(), u"残す");
  list.clear();
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 20000; ++i)
      list.push_back(std::u16string(static_cast<size_t>(i % 30), u'あ'));
    for (auto it = list.begin(); it != list.end();)
      it = it->size() % 2 == 0 ? list.erase(it) : std::next(it);
    EXPECT_EQ(list.size(), 10000u);
    size_t expected = 1;
    for (const std::u16string& s : list) {
      ASSERT_EQ(s.size(), expected);
      expected = (expected + 2) % 30;
    }
    list.clear();
  }
}

// Blocks reserved ahead come from one chunk, whatever its size: on the heap for a few, small
// pages for a small book, whole huge pages for a large one; all of it is used before any more.
TEST(NodePoolTest, ReservedBlocksComeFromOneChunk) {
  constexpr size_t kBlockBytes = 64;
  for (const size_t blocks : {size_t{100}, size_t{1500}, size_t{4000}, size_t{50000}}) {
    NodePool pool;
    pool.reserve(blocks * kBlockBytes);
    const size_t reserved = pool.reservedBytes();
    EXPECT_EQ(reserved, blockCapacity(blocks * kBlockBytes)) << blocks;
    std::vector<void*> taken;
    while (taken.size() < reserved / kBlockBytes) {
      taken.push_back(pool.take(kBlockBytes, 16));
      std::memset(taken.back(), 0x5A, kBlockBytes);
    }
    EXPECT_EQ(pool.reservedBytes(), reserved) << blocks;
    for (void* block : taken) pool.give(block, kBlockBytes, 16);
  }
}

// Blocks of every size class, below, between and above the mapping thresholds, can be written
// from their first to their last byte and given back.
TEST(LargeBlockTest, BlocksOfEverySizeAreWholeAndMovable) {
  for (const size_t size : {size_t{1}, kMappedBlockBytes - 1, kMappedBlockBytes,
                            kMappedBlockBytes + 1, kHugeBlockBytes - 1, kHugeBlockBytes,
                            kLargePageBytes - 1, kLargePageBytes, kLargePageBytes * 3 + 5}) {
    LargeBlock block(size, size % 2 == 0 ? Pages::AtOnce : Pages::AsTouched);
    ASSERT_NE(block.data(), nullptr);
    // The whole capacity is there to be written, not only the bytes asked for.
    ASSERT_GE(blockCapacity(size), size);
    std::memset(block.data(), 0x5A, blockCapacity(size));
    LargeBlock moved(std::move(block));
    EXPECT_EQ(block.data(), nullptr);
    EXPECT_EQ(moved.size(), size);
    EXPECT_EQ(moved.data()[size - 1], 0x5A);
    if (size >= kHugeBlockBytes) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(moved.data()) % kLargePageBytes, 0u) << size;
    }
  }
}

}  // namespace
}  // namespace sorami
