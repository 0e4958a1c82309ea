// The run form's display-mode guard on Windows: the desktop's mode before
// the show, put back if a renderer that was killed left its own behind.
#include "display_mode_guard.h"

#include <windows.h>

#include "display_modes_win32.h"

namespace qg::show {

namespace {

bool SameMode(const DEVMODEA& a, const DEVMODEA& b) {
  return a.dmPelsWidth == b.dmPelsWidth && a.dmPelsHeight == b.dmPelsHeight && a.dmBitsPerPel == b.dmBitsPerPel;
}

class Win32DisplayModeGuard : public DisplayModeGuard {
 public:
  bool Remember() override {
    remembered_ = win32::ReadDisplayMode(&mode_);
    return remembered_;
  }

  bool Changed() override {
    DEVMODEA now;
    return remembered_ && win32::ReadDisplayMode(&now) && !SameMode(now, mode_);
  }

  bool RestoreIfChanged() override {
    if (!remembered_) return false;
    if (!Changed()) return true;
    DEVMODEA wanted = mode_;
    wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return win32::SetDisplayMode(wanted, 0) && !Changed();
  }

 private:
  DEVMODEA mode_{};
  bool remembered_ = false;
};

}  // namespace

std::unique_ptr<DisplayModeGuard> MakeDisplayModeGuard() { return std::make_unique<Win32DisplayModeGuard>(); }

}  // namespace qg::show
