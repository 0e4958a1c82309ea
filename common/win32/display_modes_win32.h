// Reading and setting the primary display's mode on Windows, for the
// renderer's switch and the host's guard.
#pragma once

#include <windows.h>

namespace qg::win32 {

// The current mode; false when it cannot be read.
bool ReadDisplayMode(DEVMODEA* mode);
// Sets the fields of `mode` that its dmFields name, with the
// ChangeDisplaySettings flags given (CDS_FULLSCREEN: only until the program
// ends or restores). True when the system accepts.
bool SetDisplayMode(const DEVMODEA& mode, DWORD flags);

}  // namespace qg::win32
