#include "wayland/wayland_mode_guard.h"

namespace qg::show {

namespace {

class NothingToGuard final : public DisplayModeGuard {
 public:
  bool Remember() override { return false; }
  bool Changed() override { return false; }
  bool RestoreIfChanged() override { return true; }
};

}  // namespace

std::unique_ptr<DisplayModeGuard> MakeWaylandModeGuard() { return std::make_unique<NothingToGuard>(); }

}  // namespace qg::show
