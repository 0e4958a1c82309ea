// The music player's platform on Windows: winmm's media control interface,
// its sound player and its wave-device count, one call each.
#pragma once

#include "bgm_platform.h"

namespace Wobblevista_BGM {

class WinmmBgmPlatform final : public BgmPlatform {
 public:
  ~WinmmBgmPlatform() override;
  int32_t SendMciString(const std::string& command, char* reply, uint32_t capacity) override;
  bool GetMciErrorText(int32_t code, char* text, uint32_t capacity) override;
  bool PlaySound(const char* sound, uint32_t flags) override;
  int32_t WaveOutDeviceCount() override;
};

// Makes the music player use winmm for the rest of the run.
void UseWinmmAudio();

}  // namespace Wobblevista_BGM
