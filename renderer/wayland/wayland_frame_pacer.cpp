#include "wayland_frame_pacer.h"

#include <chrono>
#include <wayland-client.h>

#include "swap_interval.h"
#include "wayland_connection.h"

void WaylandFramePacer::BeforeSwap(wl_surface* surface) {
  if (interval_ < 0) interval_ = RequestedSwapInterval();
  if (interval_ == 0 || !surface) return;
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(kLongestWaitMs);
  while (pending_ && !messagesWaiting_()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0 || !connection_.Dispatch(static_cast<int>(left))) break;
  }
  // A frame still unseen keeps its request; one is enough.
  if (pending_) return;
  static const wl_callback_listener kListener = {[](void* data, wl_callback* callback, uint32_t) {
    wl_callback_destroy(callback);
    static_cast<WaylandFramePacer*>(data)->pending_ = nullptr;
  }};
  pending_ = wl_surface_frame(surface);
  wl_callback_add_listener(pending_, &kListener, this);
}

void WaylandFramePacer::Reset() {
  if (pending_) wl_callback_destroy(pending_);
  pending_ = nullptr;
}
