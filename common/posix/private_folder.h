// The user's private folders for what the two programs leave each other at
// run time: under $XDG_RUNTIME_DIR when it is an absolute path, else in /tmp
// with the user's id in the name.
#pragma once

#include <string>

namespace qg {

// "$XDG_RUNTIME_DIR/<name>", or "/tmp/<name>-<uid>".
std::string PrivateRuntimeFolder(const std::string& name);

// Creates the folder (mode 0700) when missing and checks that it is a real
// folder (not a link) owned by this user, setting the mode of our own folder
// to 0700 if it is not. False when it cannot be made or belongs
// to someone else: nothing must then be written there.
bool EnsurePrivateFolder(const std::string& folder);

}  // namespace qg
