// Where the host leaves the desktop snapshot and the renderer finds it.
// Both programs call these, so they always agree on one location.
#pragma once

#include <string>

namespace qg {

// The snapshot folder. On Linux: $XDG_RUNTIME_DIR/kestrow when XDG_RUNTIME_DIR
// is an absolute path; otherwise /tmp/kestrow-<uid>. The file inside it is
// "Wobblevista.bmp", or "Wobblevista-<window>.bmp" for a show drawn into a
// handed-over window (hosted_window.h).
std::string SnapshotFolder();
std::string SnapshotFilePath();

// Creates the folder (mode 0700) when missing and checks that it is a real
// folder (not a link) owned by this user, setting the mode of our own folder
// to 0700 if it is not (closed to others, open to us). False when the folder
// cannot be made or belongs to someone else: nothing must then be written
// there.
bool EnsureSnapshotFolder();

// Opens the snapshot for reading without following a symbolic link; a file
// that is not a regular file owned by this user counts as missing (-1).
// Returns a file descriptor the caller closes.
int OpenSnapshotForReading(const std::string& path);

}  // namespace qg
