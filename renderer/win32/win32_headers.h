// windows.h for the renderer's Win32 files. It names CreateWindow as a
// macro, while the renderer's platform interface uses the plain word as a
// method name, so the macro goes.
#pragma once

#include <windows.h>

#undef CreateWindow
