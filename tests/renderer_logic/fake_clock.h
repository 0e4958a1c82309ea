// A time source the tests drive by hand, installed for one test's lifetime.
#pragma once

#include "frame_timer.h"

struct FakeClock : TimeSource {
  bool hasCounter = true;
  int64_t counter = 0;  // at 10 MHz, like a typical performance counter
  uint32_t milliseconds = 0;

  FakeClock() { SetTimeSource(this), TheFrameTimer.Reset(); }
  ~FakeClock() override { SetTimeSource(nullptr), TheFrameTimer.Reset(); }
  bool QueryFrequency(int64_t* countsPerSecond) override {
    *countsPerSecond = 10000000;
    return hasCounter;
  }
  int64_t ReadCounter() override { return counter; }
  uint32_t ReadMilliseconds() override { return milliseconds; }
  void AdvanceSeconds(double s) {
    counter += static_cast<int64_t>(s * 1e7 + 0.5);
    milliseconds += static_cast<uint32_t>(s * 1000.0 + 0.5);
  }
};
