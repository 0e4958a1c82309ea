// A time source the tests drive by hand.
#pragma once

#include "frame_timer.h"

class FakeClock : public TimeSource {
 public:
  bool hasCounter = true;
  int64_t frequency = 10000000;  // 10 MHz, like a typical performance counter
  int64_t counter = 0;
  uint32_t milliseconds = 0;

  bool QueryFrequency(int64_t* countsPerSecond) override {
    if (!hasCounter) return false;
    *countsPerSecond = frequency;
    return true;
  }
  int64_t ReadCounter() override { return counter; }
  uint32_t ReadMilliseconds() override { return milliseconds; }

  void AdvanceSeconds(double s) {
    counter += static_cast<int64_t>(s * static_cast<double>(frequency) + 0.5);
    milliseconds += static_cast<uint32_t>(s * 1000.0 + 0.5);
  }
};

// Installs a fake clock for one test and restores the default afterwards.
struct ScopedFakeClock {
  FakeClock clock;
  ScopedFakeClock() {
    SetTimeSource(&clock);
    TheFrameTimer.Reset();
  }
  ~ScopedFakeClock() {
    SetTimeSource(nullptr);
    TheFrameTimer.Reset();
  }
};
