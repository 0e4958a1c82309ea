#include "music_settings.h"

namespace Wobblevista_BGM {

int16_t BgmKind = 0;
int16_t BgmRepeat = 0;
std::string BgmFile;
std::string BgmFolder;

}  // namespace Wobblevista_BGM
