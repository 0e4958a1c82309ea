// Saving the desktop picture as the snapshot file the renderer reads.
#pragma once

#include <string>

#include "desktop_picture.h"

namespace qg::show {

// Writes the picture as a bitmap (bmp_format.h) to a temporary file in the
// same folder and renames it over path once complete, so the renderer never
// sees half a file; the file is readable by its owner only (mode 0600).
// False, with nothing left behind, when any step fails.
bool WriteSnapshotFile(const DesktopPicture& picture, const std::string& path);

// Removes the snapshot once the show is over: it holds the user's screen.
void RemoveSnapshotFile(const std::string& path);

}  // namespace qg::show
