#pragma once
// Whole files as bytes, for tests that compare what a command wrote or feed it a file.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace sorami::test {

inline std::string readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace sorami::test
