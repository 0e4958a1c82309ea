// The start-up module's program-wide values and helpers that the host's
// forms share. They sit below every form so that a form reaches them
// without reaching up into start-up.
#pragma once

#include <cstdint>
#include <string>

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

}  // namespace Wobblevista_B
