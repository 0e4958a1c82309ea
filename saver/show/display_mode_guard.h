// Crash safety for the display mode: the renderer switches the display to
// 1024 x 768 and puts it back itself, but a renderer that is killed cannot.
// The run form remembers the mode before the show and, once the renderer has
// ended, puts it back if it was left changed.
#pragma once

#include <memory>

namespace qg::show {

class DisplayModeGuard {
 public:
  virtual ~DisplayModeGuard() = default;
  // Notes the current mode; false when there is nothing to remember (no display mode service).
  virtual bool Remember() = 0;
  // True when the mode differs from the remembered one now.
  virtual bool Changed() = 0;
  // Puts the remembered mode back if it was changed; true when it is (or already was) back.
  virtual bool RestoreIfChanged() = 0;
};

// The platform's guard (XRandR on X11).
std::unique_ptr<DisplayModeGuard> MakeDisplayModeGuard();

}  // namespace qg::show
