#pragma once
// The one stopwatch of the benches: the mean time of a step repeated, or the fastest of a few runs.

#include <algorithm>
#include <chrono>

namespace sorami::bench {

template <typename F>
double microseconds(F&& f, int repeat = 1) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeat; ++i) f();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / repeat;
}

// The fastest of `runs` runs of a step, in milliseconds: the figure least moved by other work on
// the machine.
template <typename F>
double fastestMilliseconds(F&& f, int runs = 5) {
  double best = 1e18;
  for (int i = 0; i < runs; ++i) best = std::min(best, microseconds(f));
  return best / 1000;
}

}  // namespace sorami::bench
