// Asks WGL for the swap interval of the current context where the driver
// offers WGL_EXT_swap_control; nothing happens where it does not.
#pragma once

#include <windows.h>

// Needs the context current. True when the driver took it.
bool ApplySwapInterval(HDC dc, int interval);
