// Timers over QTimer; ticks are events of the user-interface thread.
#include <QTimer>

#include "forms/timer.h"

namespace qgf {

struct Timer::Impl {
  QTimer timer;
};

Timer::Timer() : d_(std::make_unique<Impl>()) {
  d_->timer.setTimerType(Qt::CoarseTimer);
  QObject::connect(&d_->timer, &QTimer::timeout, [this] { Tick(); });
}

Timer::~Timer() = default;

void Timer::StartTicks(int ms) { d_->timer.start(ms); }  // (re)starts the interval count
void Timer::StopTicks() { d_->timer.stop(); }

}  // namespace qgf
