#pragma once
// "Today" comes from here only, so tests can pin the day.

#include <chrono>

namespace sorami {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::system_clock::time_point now() const = 0;
};

class SystemClock : public Clock {
 public:
  std::chrono::system_clock::time_point now() const override {
    return std::chrono::system_clock::now();
  }
};

}  // namespace sorami
