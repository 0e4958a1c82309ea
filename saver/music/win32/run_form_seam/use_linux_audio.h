// The run form installs its sound back end by this header's name. In the
// Windows build this folder comes first on the include path, so the same call
// installs winmm instead.
#pragma once

#include "winmm_bgm_platform.h"

namespace Wobblevista_BGM {

inline void UseLinuxAudio() { UseWinmmAudio(); }

}  // namespace Wobblevista_BGM
