#include "frame_timer.h"

#include <chrono>

namespace {

class SteadyClockSource final : public TimeSource {
 public:
  bool QueryFrequency(int64_t* countsPerSecond) override {
    *countsPerSecond = 1000000000;
    return true;
  }
  int64_t ReadCounter() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  uint32_t ReadMilliseconds() override {
    // Truncation to 32 bits is the clock's wrap.
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
};

TimeSource* g_source = nullptr;

}  // namespace

TimeSource::~TimeSource() = default;

TimeSource& DefaultTimeSource() {
  static SteadyClockSource source;
  return source;
}

void SetTimeSource(TimeSource* source) { g_source = source; }

TimeSource& CurrentTimeSource() { return g_source ? *g_source : DefaultTimeSource(); }

FrameTimer TheFrameTimer;
float ClockNow = 0.0f;
float FrameDelta = 0.0f;
double ClockNowSeconds = 0.0;
double FrameDeltaSeconds = 0.0;

void FrameTimer::Start() {
  source_ = &CurrentTimeSource();
  int64_t frequency = 0;
  if (source_->QueryFrequency(&frequency) && frequency > 0) {
    highResolution_ = true;
    countsPerSecond_ = frequency;
    secondsPerCount_ = 1.0 / static_cast<double>(frequency);
    startCount_ = source_->ReadCounter();
    currentCount_ = startCount_;
  } else {
    highResolution_ = false;
    countsPerSecond_ = 1000;
    secondsPerCount_ = 0.001;
    lastMilliseconds_ = source_->ReadMilliseconds();
    startCount_ = lastMilliseconds_;
    millisecondsSinceStart_ = 0;
  }
}

double FrameTimer::HighResolutionNow() {
  currentCount_ = source_->ReadCounter();
  const int64_t counts = currentCount_ - startCount_;
  // Whole seconds and the remainder apart, so the result stays exact to the
  // count however long the show has run.
  const int64_t whole = counts / countsPerSecond_;
  const int64_t rest = counts % countsPerSecond_;
  return static_cast<double>(whole) + static_cast<double>(rest) * secondsPerCount_;
}

double FrameTimer::MillisecondNow() {
  const uint32_t now = source_->ReadMilliseconds();
  // An unsigned 32-bit step is right across a wrap of the clock.
  millisecondsSinceStart_ += static_cast<uint32_t>(now - lastMilliseconds_);
  lastMilliseconds_ = now;
  return static_cast<double>(millisecondsSinceStart_) * secondsPerCount_;
}

void FrameTimer::Tick() {
  if (!source_) Start();  // a tick before Start behaves as a start then a tick
  const double now = highResolution_ ? HighResolutionNow() : MillisecondNow();
  elapsed_ = now - base_;
  delta_ = elapsed_ - previous_;
  previous_ = elapsed_;
}

void FrameTimer::Reset() { *this = FrameTimer(); }
