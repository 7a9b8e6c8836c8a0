#pragma once
// Writes through a storing archive and hands back the bytes, for tests of stored forms.

#include <cstdint>
#include <functional>
#include <vector>

#include "archive/Archive.h"

namespace sorami::test {

using Bytes = std::vector<uint8_t>;

inline Bytes storedBytes(const std::function<void(Archive&)>& write) {
  VectorSink sink;
  Archive ar(sink, 64);
  write(ar);
  ar.flush();
  return sink.bytes;
}

}  // namespace sorami::test
