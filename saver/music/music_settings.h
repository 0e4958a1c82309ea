// The music settings in memory: filled once by the settings loader, read by the
// run form and the music player, changed and saved by the settings dialog.
#pragma once

#include <cstdint>
#include <string>

namespace Wobblevista_BGM {

extern int16_t BgmKind;    // 0 none, 1 audio CD, 2 sound file; other values play nothing
extern int16_t BgmRepeat;  // CD track to keep playing; 0 = the whole disc
extern std::string BgmFile;    // UTF-8 path of the MP3 or WAV file; empty when none
extern std::string BgmFolder;  // where the file chooser opens; never stored

}  // namespace Wobblevista_BGM
