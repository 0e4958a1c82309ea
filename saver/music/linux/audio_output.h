// The one sound output of the process: an SDL audio device at 44.1 kHz,
// 16-bit stereo, that mixes the voices of every open MCI device and of the
// sound player. It opens on first need, runs from its first voice on and
// stays open until destroyed.
#pragma once

#include <SDL2/SDL.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace qg::music {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

// Something that makes sound. MixInto runs on the audio thread with the
// output's lock held, so a voice's state may be changed under that lock.
class Voice {
 public:
  virtual ~Voice() = default;
  // Adds `frames` stereo frames (interleaved floats, full scale 1.0) into `mix`.
  virtual void MixInto(float* mix, size_t frames) = 0;
};

class AudioOutput {
 public:
  // Called on the audio thread with each block as it goes to the device.
  using Tap = std::function<void(const int16_t* samples, size_t frames)>;

  AudioOutput() = default;
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens the device if that has not been tried yet; false when there is no
  // usable output (then it is not tried again).
  bool Open();
  // The number of output devices: 0 without a usable output.
  int DeviceCount();

  void Add(const std::shared_ptr<Voice>& voice);
  void Remove(const Voice* voice);
  std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mutex_); }

  void SetTap(Tap tap);

 private:
  static void Callback(void* self, Uint8* stream, int bytes);
  void Render(int16_t* out, size_t frames);

  std::mutex mutex_;  // guards voices_, tap_ and every voice's state
  std::vector<std::shared_ptr<Voice>> voices_;
  std::vector<float> mix_;
  Tap tap_;
  bool tried_ = false;
  bool subsystem_ = false;
  bool started_ = false;
  SDL_AudioDeviceID device_ = 0;
  int device_count_ = 0;
};

}  // namespace qg::music
