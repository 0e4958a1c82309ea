// The WAV file: looped by the sound player, no timer involved.
#include "bgm_player.h"

namespace Wobblevista_BGM {

void WavPlay() {
  BgmPlatform* platform = CurrentPlatform();
  if (platform->WaveOutDeviceCount() <= 0) return;
  platform->PlaySound(BgmFile.c_str(), kSndAsync | kSndLoop);
}

void WavStop() { CurrentPlatform()->PlaySound(nullptr, 0); }

}  // namespace Wobblevista_BGM
