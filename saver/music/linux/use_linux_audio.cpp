#include "use_linux_audio.h"

#include "bgm_player.h"
#include "linux_audio_platform.h"
#include "use_system_audio.h"

namespace Wobblevista_BGM {

void UseLinuxAudio() {
  // Lives until the program ends; its destructor stops the sound and the CD thread.
  static std::unique_ptr<BgmPlatform> platform = MakeLinuxAudioPlatform();
  SetPlatform(platform.get());
}

void UseSystemAudio() { UseLinuxAudio(); }

std::unique_ptr<BgmPlatform> MakeLinuxAudioPlatform() { return std::make_unique<qg::music::LinuxAudioPlatform>(); }

}  // namespace Wobblevista_BGM
