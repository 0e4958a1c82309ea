// When the show counts as over, decided from what the run form's renderer
// watch can see every tick: whether a window captioned "Wobblevista_VC" is
// there, and whether the renderer process we started still runs.
//
// The renderer needs a moment (X connection, display-mode switch, GL set-up)
// before its window exists, so "no window" alone cannot mean "ended". The rule:
//  - the show has ended once its window has been seen and is gone again, or
//    once the renderer process has exited (with or without a window);
//  - a renderer that could not be started at all ends the run at the first tick;
//  - while the renderer runs and its window has not yet appeared, the show is
//    still starting, but only up to a start limit: a renderer that hangs
//    before its window appears would leave the cursor hidden and the music
//    playing with nothing to take Escape, so after the limit the run form ends
//    it and the run ends as usual.
#pragma once

#include <cstdint>

namespace qg::show {

class RendererWatch {
 public:
  enum class Verdict {
    kRunning,    // window there, or still starting within the limit
    kEnded,      // window gone after being seen, process gone, or never started
    kStartHung,  // still running without a window after the start limit: end it
  };

  static constexpr int64_t kDefaultStartLimitMs = 10000;

  explicit RendererWatch(int64_t startLimitMs = kDefaultStartLimitMs) : limitMs_(startLimitMs) {}

  // The renderer start was attempted at nowMs; started tells whether a process exists.
  void Started(bool started, int64_t nowMs);

  // One tick of the watch.
  Verdict Tick(bool windowPresent, bool processRunning, int64_t nowMs);

  bool WindowSeen() const { return windowSeen_; }

 private:
  int64_t limitMs_;
  int64_t startMs_ = 0;
  bool attempted_ = false;
  bool started_ = false;
  bool windowSeen_ = false;
};

}  // namespace qg::show
