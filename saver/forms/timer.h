// A form timer: ticks on the user-interface thread every Interval ms while
// enabled and the interval is above 0. A tick never interrupts a handler.
#pragma once

#include <functional>
#include <memory>

namespace qgf {

class Timer {
 public:
  Timer();
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetInterval(int ms);
  int Interval() const { return interval_; }
  // Enabling (again) restarts the count of the interval.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  std::function<void()> onTick;
  // Runs onTick; the toolkit's timer calls it at each tick.
  void Tick();

  struct Impl;

 private:
  void Apply();
  // The toolkit's part: (re)starts the count of `ms`, or stops the ticks.
  void StartTicks(int ms);
  void StopTicks();
  int interval_ = 0;
  bool enabled_ = false;
  std::unique_ptr<Impl> d_;
};

}  // namespace qgf
