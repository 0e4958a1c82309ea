// Saving the snapshot on Windows: the whole file goes to a temporary file in
// the snapshot folder first and is then moved over the old one, so the
// renderer never reads half a picture.
#include "snapshot_writer.h"

#include <windows.h>

#include "bmp_format.h"

namespace qg::show {

namespace {

bool WriteBytes(HANDLE file, const uint8_t* data, size_t size) {
  while (size > 0) {
    DWORD wrote = 0;
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    if (!WriteFile(file, data, chunk, &wrote, nullptr) || wrote == 0) return false;
    data += wrote;
    size -= wrote;
  }
  return true;
}

}  // namespace

bool WriteSnapshotFile(const DesktopPicture& picture, const std::string& path) {
  const BmpPieces pieces(picture);
  if (pieces.count() == 0) return false;
  const size_t slash = path.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  char temp[MAX_PATH] = {};
  if (!GetTempFileNameA(folder.c_str(), "qgs", 0, temp)) return false;
  HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(temp);
    return false;
  }
  // The rows go out straight from the captured picture.
  bool ok = true;
  for (size_t i = 0; ok && i < pieces.count(); ++i) ok = WriteBytes(file, pieces.data(i), pieces.size(i));
  ok = CloseHandle(file) && ok;
  if (ok) ok = MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!ok) DeleteFileA(temp);
  return ok;
}

void RemoveSnapshotFile(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace qg::show
