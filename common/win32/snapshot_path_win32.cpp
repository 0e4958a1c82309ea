// The snapshot location on Windows: a fixed folder on drive C that the host
// creates and the renderer reads from. Windows paths ignore case, so the
// host's spelling of the folder and the renderer's of the file meet.
#include "snapshot_path.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace qg {

namespace {

// A junction or symbolic link in place of the folder or the file would send
// the snapshot somewhere else; such entries count as missing.
bool IsPlainEntry(DWORD attributes, bool wantFolder) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return false;
  return ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == wantFolder;
}

}  // namespace

std::string SnapshotFolder() { return "C:\\kestrow"; }

std::string SnapshotFilePath() { return "c:\\kestrow\\Wobblevista.bmp"; }

bool EnsureSnapshotFolder() {
  const std::string folder = SnapshotFolder();
  if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  return IsPlainEntry(GetFileAttributesA(folder.c_str()), true);
}

int OpenSnapshotForReading(const std::string& path) {
  if (!IsPlainEntry(GetFileAttributesA(path.c_str()), false)) return -1;
  return _open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

}  // namespace qg
