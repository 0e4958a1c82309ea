// The renderer's one clock: seconds since the show's start and since the
// previous frame, read from a monotonic high-resolution counter, or from a
// millisecond clock where no such counter exists.
#pragma once

#include <cstdint>

// What the clock needs of the platform. Tests inject their own.
class TimeSource {
 public:
  virtual ~TimeSource();
  // Counts per second of ReadCounter; false when there is no such counter.
  virtual bool QueryFrequency(int64_t* countsPerSecond) = 0;
  virtual int64_t ReadCounter() = 0;
  // Milliseconds of some free-running clock; wraps after about 49.7 days.
  virtual uint32_t ReadMilliseconds() = 0;
};

// The portable default: std::chrono::steady_clock in nanoseconds, and the
// same clock in whole milliseconds for the fallback.
TimeSource& DefaultTimeSource();
// Replaces the source the timer reads from; nullptr restores the default.
// Takes effect at the next FrameTimer::Start.
void SetTimeSource(TimeSource* source);
TimeSource& CurrentTimeSource();

class FrameTimer {
 public:
  // Chooses the time source (high resolution if the source has a counter,
  // else milliseconds) and records the start count.
  void Start();
  // Advances elapsed and delta.
  void Tick();

  // Results of the last Tick as 32-bit floats, for the scene and the pieces.
  float Elapsed() const { return static_cast<float>(elapsed_); }
  float Delta() const { return static_cast<float>(delta_); }
  // The same results at full precision; long shows keep their smoothness.
  double ElapsedSeconds() const { return elapsed_; }
  double DeltaSeconds() const { return delta_; }

  // The two time sources: seconds since the start count.
  double HighResolutionNow();
  double MillisecondNow();

  bool UsesHighResolution() const { return highResolution_; }
  // Back to the zero state of program load (tests only).
  void Reset();

 private:
  TimeSource* source_ = nullptr;
  bool highResolution_ = false;
  double base_ = 0.0;
  double previous_ = 0.0;
  double secondsPerCount_ = 0.0;
  int64_t countsPerSecond_ = 0;
  double elapsed_ = 0.0;
  double delta_ = 0.0;
  int64_t startCount_ = 0;
  int64_t currentCount_ = 0;
  // Millisecond fallback: the last raw reading and the 64-bit total of the
  // unsigned 32-bit steps since Start, so a wrap of the clock is just a step.
  uint32_t lastMilliseconds_ = 0;
  int64_t millisecondsSinceStart_ = 0;
};

// The single instance.
extern FrameTimer TheFrameTimer;

// Renderer-wide copies of the last tick (elapsed and delta), for the parts of
// the renderer that do not hold the timer.
extern float ClockNow;
extern float FrameDelta;
// Full-precision copies of the same values.
extern double ClockNowSeconds;
extern double FrameDeltaSeconds;
