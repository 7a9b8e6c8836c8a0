#pragma once
// The one stopwatch of the benches: the mean time of a step repeated.

#include <chrono>

namespace sorami::bench {

template <typename F>
double microseconds(F&& f, int repeat = 1) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeat; ++i) f();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / repeat;
}

}  // namespace sorami::bench
