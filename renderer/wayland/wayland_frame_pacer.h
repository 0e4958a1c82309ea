// Frames as fast as the compositor shows them, never waiting on it for ever.
// EGL's own wait for the compositor's frame event (swap interval 1) has no
// end when the surface is not being shown (hidden, its output off), so EGL
// swaps without waiting and the pacing is done here: before each swap, the
// frame event of the previous frame is awaited, for kLongestWaitMs at the
// most and only while no message waits for the show. QG_SWAP_INTERVAL=0
// (swap_interval.h) turns the wait off: frames then follow as fast as they
// are drawn.
#pragma once

#include <functional>

struct wl_callback;
struct wl_surface;
class WaylandConnection;

class WaylandFramePacer {
 public:
  static constexpr int kLongestWaitMs = 200;

  WaylandFramePacer(WaylandConnection& connection, std::function<bool()> messagesWaiting)
      : connection_(connection), messagesWaiting_(std::move(messagesWaiting)) {}
  ~WaylandFramePacer() { Reset(); }
  WaylandFramePacer(const WaylandFramePacer&) = delete;
  WaylandFramePacer& operator=(const WaylandFramePacer&) = delete;

  // Before the swap of a frame on the surface: waits for the previous
  // frame's event and asks for this one's.
  void BeforeSwap(wl_surface* surface);
  // Forgets the frame asked for (its surface is going).
  void Reset();

 private:
  WaylandConnection& connection_;
  std::function<bool()> messagesWaiting_;
  int interval_ = -1;  // read on the first frame
  wl_callback* pending_ = nullptr;
};
