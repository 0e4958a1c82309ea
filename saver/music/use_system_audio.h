// Installing the running platform's sound back end under the music player,
// for code that is shared by every platform.
#pragma once

namespace Wobblevista_BGM {

// Makes the music player use this platform's back end for the rest of the
// run. Call it once, from the thread that runs the music operations.
void UseSystemAudio();

}  // namespace Wobblevista_BGM
