// Form timers on Windows: thread timers of the user-interface thread, so a
// tick is a message handled between handlers, never inside one.
#include <windows.h>

#include <map>

#include "forms/timer.h"

namespace qgf {

struct Timer::Impl {
  UINT_PTR id = 0;
};

namespace {

// The system names thread timers by id; the ticks find their timer here.
std::map<UINT_PTR, Timer*>& Running() {
  static std::map<UINT_PTR, Timer*> timers;
  return timers;
}

void CALLBACK OnThreadTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Running().find(id);
  if (it != Running().end()) it->second->Tick();
}

void Stop(Timer::Impl& d) {
  if (!d.id) return;
  KillTimer(nullptr, d.id);
  Running().erase(d.id);
  d.id = 0;
}

}  // namespace

Timer::Timer() : d_(std::make_unique<Impl>()) {}

Timer::~Timer() { Stop(*d_); }

void Timer::StartTicks(int ms) {
  // A new system timer each time, so enabling again restarts the count.
  Stop(*d_);
  d_->id = SetTimer(nullptr, 0, static_cast<UINT>(ms), OnThreadTimer);
  if (d_->id) Running()[d_->id] = this;
}

void Timer::StopTicks() { Stop(*d_); }

}  // namespace qgf
