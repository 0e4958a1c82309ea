// Timers over QTimer; ticks are events of the user-interface thread.
#include <QTimer>

#include "forms/timer.h"
#include "qt/widget_impl.h"

namespace qgf {

struct Timer::Impl {
  QTimer timer;
};

Timer::Timer() : d_(std::make_unique<Impl>()) {
  d_->timer.setTimerType(Qt::CoarseTimer);
  QObject::connect(&d_->timer, &QTimer::timeout, [this] {
    if (onTick) Guarded([this] { onTick(); });
  });
}

Timer::~Timer() = default;

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
    d_->timer.start(interval_);  // (re)starts the interval count
  } else {
    d_->timer.stop();
  }
}

}  // namespace qgf
