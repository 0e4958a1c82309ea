// Quiverglide.dll on Windows: a windowed program. Only the instance handle
// is used; the command line is ignored.
#include <windows.h>

#include "show_entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunWin32Show(instance); }
