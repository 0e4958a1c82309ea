// What a form timer does whatever ticks it: when it runs, and a tick's
// handler guarded like every other.
#include "forms/handler_access.h"
#include "forms/timer.h"

namespace qgf {

void Timer::SetInterval(int ms) {
  interval_ = ms < 0 ? 0 : ms;
  Apply();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void Timer::Apply() {
  if (enabled_ && interval_ > 0) {
    StartTicks(interval_);
  } else {
    StopTicks();
  }
}

void Timer::Tick() {
  // A failing handler ends only itself; the timer keeps ticking.
  if (onTick) Guarded([this] { onTick(); });
}

}  // namespace qgf
