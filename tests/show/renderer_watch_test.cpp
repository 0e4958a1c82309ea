// The rule that tells a renderer still starting from one that has ended.
#include "renderer_watch.h"

#include <gtest/gtest.h>

namespace {

using qg::show::RendererWatch;
using V = RendererWatch::Verdict;

TEST(RendererWatch, SlowWindowIsStillStartingUntilItAppearsThenEndsWhenItGoes) {
  RendererWatch w(10000);
  w.Started(true, 0);
  // Ticks every 500 ms while the renderer is still setting up: not over.
  for (int t = 500; t <= 4000; t += 500) EXPECT_EQ(w.Tick(false, true, t), V::kRunning) << t;
  EXPECT_FALSE(w.WindowSeen());
  EXPECT_EQ(w.Tick(true, true, 4500), V::kRunning);
  EXPECT_TRUE(w.WindowSeen());
  EXPECT_EQ(w.Tick(true, true, 5000), V::kRunning);
  // Window gone: over, even while the process is still tearing down.
  EXPECT_EQ(w.Tick(false, true, 5500), V::kEnded);
}

TEST(RendererWatch, ProcessThatExitsOrNeverStartedWithoutAWindowEndsTheRun) {
  RendererWatch w(10000);
  w.Started(true, 0);
  EXPECT_EQ(w.Tick(false, true, 500), V::kRunning);
  EXPECT_EQ(w.Tick(false, false, 1000), V::kEnded);
  RendererWatch failed;
  failed.Started(false, 0);
  EXPECT_EQ(failed.Tick(false, false, 500), V::kEnded);
  RendererWatch never;  // load handler never got as far as the start
  EXPECT_EQ(never.Tick(false, false, 500), V::kEnded);
}

TEST(RendererWatch, HangingBeforeTheWindowHitsTheStartLimitButNotBefore) {
  RendererWatch w(10000);
  w.Started(true, 1000);
  EXPECT_EQ(w.Tick(false, true, 10999), V::kRunning);
  EXPECT_EQ(w.Tick(false, true, 11000), V::kStartHung);
  // Once the window was seen, the start limit no longer applies.
  RendererWatch late(10000);
  late.Started(true, 0);
  EXPECT_EQ(late.Tick(true, true, 9500), V::kRunning);
  EXPECT_EQ(late.Tick(true, true, 60000), V::kRunning);
  EXPECT_EQ(late.Tick(false, false, 60500), V::kEnded);
}

}  // namespace

