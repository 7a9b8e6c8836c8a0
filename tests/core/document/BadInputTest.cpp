// Every truncation and a sample of single-byte corruptions of a small valid file either open
// with what could be recovered or are refused with a message; nothing crashes, and the file on
// disk stays as it was.

#include <gtest/gtest.h>

#include "support/DocumentFixture.h"

namespace sorami {
namespace {

namespace fs = std::filesystem;
using test::DocumentTest;
using test::fileBytes;

const fs::path kFixture = fs::path(SORAMI_FIXTURES) / "current-minimal.mtb";

// Opens the bytes with a fresh document; the questions take their default answers.
void expectCleanOpen(const fs::path& p, const std::vector<uint8_t>& bytes,
                     const test::FixedClock& clock, const std::string& what) {
  // A new file each time: rewriting one in place makes the file system flush it.
  fs::remove(p);
  test::writeBytes(p, bytes);
  CConfig config;
  test::ScriptedPrompts prompts;
  CSoramiDoc doc(config, prompts, clock);
  const bool opened = doc.open(p);
  if (opened) {
    ASSERT_NE(doc.entries(), nullptr) << what;
    EXPECT_GE(doc.entries()->size(), 3u) << what;
    EXPECT_TRUE(doc.entries()->entries().back().isEndMarker()) << what;
  } else {
    EXPECT_FALSE(prompts.shown.empty()) << what << ": refused without a word";
    EXPECT_EQ(doc.entries(), nullptr) << what;
  }
  EXPECT_EQ(fileBytes(p), bytes) << what;
}

TEST_F(DocumentTest, EveryTruncationOpensOrIsRefusedCleanly) {
  const std::vector<uint8_t> whole = fileBytes(kFixture);
  ASSERT_GT(whole.size(), 100u);
  for (size_t n = 0; n < whole.size(); ++n) {
    expectCleanOpen(file("t.mtb"), {whole.begin(), whole.begin() + static_cast<long>(n)}, clock,
                    "length " + std::to_string(n));
  }
}

TEST_F(DocumentTest, SingleByteCorruptionsOpenOrAreRefusedCleanly) {
  const std::vector<uint8_t> whole = fileBytes(kFixture);
  for (size_t i = 0; i < whole.size(); ++i) {
    for (const uint8_t value : {uint8_t(whole[i] ^ 0xFF), uint8_t(0x00), uint8_t(0x7F)}) {
      if (value == whole[i]) continue;
      std::vector<uint8_t> bytes = whole;
      bytes[i] = value;
      expectCleanOpen(file("c.mtb"), bytes, clock,
                      "byte " + std::to_string(i) + " = " + std::to_string(value));
    }
  }
}

}  // namespace
}  // namespace sorami
