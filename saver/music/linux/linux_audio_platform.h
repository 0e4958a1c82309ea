// The music player's platform on Linux: our own MCI interpreter, the sound
// player and the device count, all over one SDL sound output.
#pragma once

#include <memory>

#include "audio_output.h"
#include "bgm_platform.h"
#include "mci_interpreter.h"
#include "sound_player.h"

namespace qg::music {

class LinuxAudioPlatform final : public Wobblevista_BGM::BgmPlatform {
 public:
  LinuxAudioPlatform();
  ~LinuxAudioPlatform() override;

  int32_t SendMciString(const std::string& command, char* reply, uint32_t capacity) override;
  bool GetMciErrorText(int32_t code, char* text, uint32_t capacity) override;
  bool PlaySound(const char* sound, uint32_t flags) override;
  int32_t WaveOutDeviceCount() override;

  // For tests and benchmarks: sees every block that goes to the device.
  void SetOutputTap(AudioOutput::Tap tap) { output_.SetTap(std::move(tap)); }

 private:
  AudioOutput output_;  // declared first: it outlives every voice below
  MciInterpreter mci_;
  SoundPlayer sounds_;
};

}  // namespace qg::music
