// The frame timer's clock on Windows: the performance counter, and the
// multimedia millisecond clock where the system has no such counter.
#pragma once

#include "frame_timer.h"

class Win32TimeSource final : public TimeSource {
 public:
  bool QueryFrequency(int64_t* countsPerSecond) override;
  int64_t ReadCounter() override;
  uint32_t ReadMilliseconds() override;
};
