// Runs one show on Windows and returns the exit code; the entry point's
// whole work, kept apart from windows.h.
#pragma once

int RunWin32Show(void* instance);
