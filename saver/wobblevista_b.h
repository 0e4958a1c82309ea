// The start-up module: the program-wide values and procedures shared by the
// host's forms.
#pragma once

#include <cstdint>
#include <string>

#include "settings/settings_module.h"

namespace Wobblevista_B {

// The cursor display counter returned by the hide at "S" start; the run form
// hands it back to the show call at the end of the show.
extern std::int32_t CursorCount;
// The pointer's screen position in pixels when the settings dialog loaded.
extern std::int16_t CursorX;
extern std::int16_t CursorY;

// True when path names a regular file this user can read (never blocks).
bool FileExists(const std::string& path);
// The folder part of a path: before the last "/" on Linux ("/a.mp3" gives
// "/", a bare name ""); before the last ":" or "\" on Windows.
std::string FolderOfPath(const std::string& path);

// Character 2 of the upper-cased command line, read anew on every call; 0
// when the command line is shorter.
char ModeLetter();

// The start-up procedure: instance check, mode letter, dispatch.
void Main();

}  // namespace Wobblevista_B
