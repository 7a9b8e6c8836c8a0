#pragma once
// A document over a scratch folder, a pinned clock and scripted prompts.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "config/Config.h"
#include "document/SoramiDoc.h"
#include "platform/Clock.h"
#include "support/ScriptedPrompts.h"

namespace sorami::test {

// Noon in Tokyo of a calendar day.
class FixedClock : public Clock {
 public:
  explicit FixedClock(int y, int m, int d) { set(y, m, d); }
  void set(int y, int m, int d) {
    const std::chrono::year_month_day ymd{std::chrono::year(y), std::chrono::month(m),
                                          std::chrono::day(d)};
    at = std::chrono::sys_days(ymd) + std::chrono::hours(3);
  }
  std::chrono::system_clock::time_point now() const override { return at; }
  std::chrono::system_clock::time_point at;
};

class RecordingHost : public DocumentHost {
 public:
  void addRecentFile(const std::filesystem::path& path) override { recent.push_back(path); }
  void exitApplication() override { ++exits; }
  std::vector<std::filesystem::path> recent;
  int exits = 0;
};

// A second document, as another start of the program would open a file.
struct OtherDocument {
  explicit OtherDocument(const Clock& clock) : doc(config, prompts, clock, &host) {}
  CConfig config;
  ScriptedPrompts prompts;
  RecordingHost host;
  CSoramiDoc doc;
};

inline std::vector<uint8_t> fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("sorami-doc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::filesystem::path file(const std::string& name) const { return dir / name; }

  // A new file with the default content; the document keeps it open.
  std::filesystem::path created(const std::string& name = "a.mtb", NewFileValues values = {}) {
    const std::filesystem::path p = file(name);
    EXPECT_TRUE(doc.createFile(p, values));
    return p;
  }

  std::filesystem::path dir;
  FixedClock clock{2024, 4, 10};
  CConfig live;
  ScriptedPrompts prompts;
  RecordingHost host;
  CSoramiDoc doc{live, prompts, clock, &host};
};

}  // namespace sorami::test
