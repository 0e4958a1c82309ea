#include "frame_timer.h"

#include <gtest/gtest.h>

#include "fake_clock.h"

TEST(FrameTimer, CounterTicksStaySmoothAfterTwentyFourHours) {
  FakeClock clock;
  FrameTimer timer;
  timer.Start();
  EXPECT_TRUE(timer.UsesHighResolution());
  clock.AdvanceSeconds(0.020);
  timer.Tick();
  EXPECT_NEAR(timer.Delta(), 0.020f, 1e-6f);
  clock.AdvanceSeconds(24 * 3600.0 - 0.020);
  timer.Tick();
  // Frames of 1 ms at 1000 frames per second: a 32-bit float clock would give
  // deltas of 0 or 7.8 ms here.
  for (int i = 0; i < 100; ++i) {
    clock.AdvanceSeconds(0.001);
    timer.Tick();
    ASSERT_NEAR(timer.DeltaSeconds(), 0.001, 1e-9);
    ASSERT_NEAR(timer.Delta(), 0.001f, 1e-7f);
  }
  EXPECT_NEAR(timer.ElapsedSeconds(), 86400.1, 1e-6);
}

TEST(FrameTimer, MillisecondFallbackStepsInWholeMillisecondsAndAcrossTheWrap) {
  FakeClock clock;
  clock.hasCounter = false;
  clock.milliseconds = 0xFFFFFFFFu - 9;  // 10 ms before the wrap
  FrameTimer timer;
  timer.Start();
  EXPECT_FALSE(timer.UsesHighResolution());
  clock.milliseconds += 17;
  timer.Tick();
  EXPECT_FLOAT_EQ(timer.Delta(), 0.017f);
  timer.Tick();  // same millisecond
  EXPECT_EQ(timer.Delta(), 0.0f);
  clock.milliseconds += 8;  // wrapped to 15 by now
  timer.Tick();
  EXPECT_FLOAT_EQ(timer.Delta(), 0.008f);
  EXPECT_FLOAT_EQ(timer.Elapsed(), 0.025f);
  // And elapsed keeps counting past 49.7 days of uptime.
  for (int i = 0; i < 3; ++i) {
    clock.milliseconds += 0x80000000u;
    timer.Tick();
  }
  EXPECT_NEAR(timer.ElapsedSeconds(), 3.0 * 2147483.648 + 0.025, 1e-6);
}
