// Installing the Linux sound back end under the music player.
#pragma once

#include <memory>

#include "bgm_platform.h"

namespace Wobblevista_BGM {

// Makes the music player use the Linux back end for the rest of the run.
// Cheap: the sound output opens only when something is first played. Call
// it once, from the thread that runs the music operations.
void UseLinuxAudio();

// A separate back end, for tests and benchmarks that want their own.
std::unique_ptr<BgmPlatform> MakeLinuxAudioPlatform();

}  // namespace Wobblevista_BGM
