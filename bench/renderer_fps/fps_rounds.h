// What the frame-rate benchmarks of the show share, whatever the display
// system: frames counted by the wall clock and by the process's CPU time, the
// show on a real platform ended once its frames are counted, the bare loop's
// two textured quadrilaterals, and the alternating rounds with their table.
// Each round times the first FRAMES frames (450: the view has not begun to
// drift), from the first presented frame to the last; rounds alternate which
// side goes first so that drift in the machine's load hits both, and the
// median of their ratios is the result. Both sides draw uncapped
// (QG_SWAP_INTERVAL=0, and vblank_mode=0 for Mesa).
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "renderer_platform.h"

namespace qgbench {

struct Rate {
  double perSecond = 0.0;     // frames per wall-clock second
  double perCpuSecond = 0.0;  // frames per CPU second of the process
};

// The frames of one side of a round, from the first presented to the last.
class FrameCount {
 public:
  explicit FrameCount(long wanted) : wanted_(wanted) {}
  // After each presented frame; true once the wanted frames are counted.
  bool Presented();
  bool done() const { return frames_ >= wanted_; }
  Rate Measured() const;

 private:
  long wanted_;
  long frames_ = 0;
  std::chrono::steady_clock::time_point first_, last_;
  double cpuFirst_ = 0.0, cpuLast_ = 0.0;
};

// The whole show (spine, message pump, clock, scene, swap) on the given real
// platform, ended by a close request once the frames are counted.
Rate RunShow(RendererPlatform& platform, long frames);

// The bare loop's scene: the show's projection for 1024 x 768, its fixed
// state and the snapshot's texture, with the GL context current.
void PrepareBareScene(const std::string& snapshot);
// Clear, the two textured quadrilaterals, and the given swap, until the
// frames are counted; then the texture goes.
Rate RunBareFrames(long frames, const std::function<void()>& swap);

// The table of `rounds` alternating rounds; the process's exit code.
int RunRounds(int rounds, const std::function<Rate()>& show, const std::function<Rate()>& bare);

}  // namespace qgbench
