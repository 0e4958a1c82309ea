#include "win32_loader_platform.h"

#include <windows.h>
#include <io.h>

#include "snapshot_path.h"

namespace {

// The file, its mapping and its view, released in the reverse order.
struct Win32MappedFile final : MappedFile {
  HANDLE file = INVALID_HANDLE_VALUE;
  HANDLE mapping = nullptr;
  ~Win32MappedFile() override {
    if (data) UnmapViewOfFile(data);
    if (mapping) CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
};

}  // namespace

bool Win32LoaderPlatform::CanOpenForReading(const std::string& path) {
  const int fd = qg::OpenSnapshotForReading(path);
  if (fd < 0) return false;
  _close(fd);
  return true;
}

std::unique_ptr<MappedFile> Win32LoaderPlatform::MapWholeFile(const std::string& path) {
  auto mapped = std::make_unique<Win32MappedFile>();
  mapped->file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mapped->file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(mapped->file, &size) || size.QuadPart <= 0) return nullptr;  // empty: no mapping
  if (static_cast<unsigned long long>(size.QuadPart) > static_cast<size_t>(-1)) return nullptr;
  mapped->mapping = CreateFileMappingA(mapped->file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!mapped->mapping) return nullptr;
  mapped->data = static_cast<const uint8_t*>(MapViewOfFile(mapped->mapping, FILE_MAP_READ, 0, 0, 0));
  if (!mapped->data) return nullptr;
  mapped->size = static_cast<size_t>(size.QuadPart);
  return mapped;
}

void Win32LoaderPlatform::ShowErrorBox(const std::string& text) { ShowWin32ErrorBox(text); }

void ShowWin32ErrorBox(const std::string& text) {
  MessageBoxA(GetFocus(), text.c_str(), "Error", MB_OK);
}
