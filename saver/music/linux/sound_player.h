// The simple sound player: one sound file at a time, played once or looped
// without a gap until stopped.
#pragma once

#include <cstdint>
#include <memory>

#include "audio_output.h"
#include "file_voice.h"

namespace qg::music {

class SoundPlayer {
 public:
  explicit SoundPlayer(AudioOutput& output) : output_(output) {}
  ~SoundPlayer();
  // A null `sound` stops the current sound. Flags as the platform's PlaySound:
  // asynchronous (0x1) returns at once, loop (0x8) repeats until stopped.
  bool Play(const char* sound, uint32_t flags);

 private:
  void StopCurrent();

  AudioOutput& output_;
  std::shared_ptr<FileVoice> voice_;
};

}  // namespace qg::music
