// The host's path helpers: whether a file can be read, and the folder part
// of a path. Platform-free.
#pragma once

#include <string>

#include "file_system.h"

namespace qg {

// True when path names a regular file this user can read. A trailing
// separator is dropped first (so a folder never counts). Never blocks.
bool FileExists(FileSystem& fs, const std::string& path);

// The folder part on Linux: the text before the last "/". A file in the root
// folder ("/a.mp3") gives "/", a bare name gives "". ":" and "\" are ordinary
// characters in Linux names.
std::string FolderOfPathPosix(const std::string& path);

// The folder part with drive letters and "\": the text up to the last ":" or
// "\", without a trailing "\" ("C:\a.mp3" gives "C:"). Scans characters:
// with cp932 set, path is code page 932 bytes and a "\" that is the second
// byte of a double-byte character is not a separator; otherwise UTF-8.
std::string FolderOfPathWindows(const std::string& path, bool cp932 = false);

// The folder part with this platform's rule.
std::string FolderOfPath(const std::string& path);

// folder + separator + name.
std::string JoinPath(const std::string& folder, const std::string& name);

// True for a first byte of a code page 932 double-byte character.
inline bool IsCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace qg
