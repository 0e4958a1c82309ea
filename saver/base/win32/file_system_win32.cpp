// The host's file-system services on Windows. Paths are UTF-8 in the
// program and go to the wide calls, so no name is lost to the code page.
#include <windows.h>
// windows.h names ReplaceFile as a macro; FileSystem has a method of that name.
#undef ReplaceFile

#include "file_system.h"

#include <algorithm>
#include <vector>

#include "wide_text.h"

namespace qg {
namespace {

using win32::Utf8ToWide;
using win32::WideToUtf8;

class HandleCloser {
 public:
  explicit HandleCloser(HANDLE h) : h_(h) {}
  ~HandleCloser() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

bool IsRegularFileAttributes(DWORD a) {
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_DEVICE);
}

class Win32FileSystem : public FileSystem {
 public:
  bool IsReadableFile(const std::string& path) override {
    return IsRegularFileAttributes(GetFileAttributesW(Utf8ToWide(path).c_str()));
  }

  bool IsWritableFolder(const std::string& path) override {
    const DWORD a = GetFileAttributesW(Utf8ToWide(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Access rights are only known by trying: a file that vanishes on close.
    const std::wstring probe =
        Utf8ToWide(path) + L"\\.qg-write-probe-" + std::to_wstring(GetCurrentProcessId());
    HandleCloser h(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return h.get() != INVALID_HANDLE_VALUE;
  }

  bool MakeFolder(const std::string& path, bool) override {
    return CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr) != FALSE;
  }

  ReadStatus ReadFile(const std::string& path, std::size_t max_bytes, std::string& bytes) override {
    bytes.clear();
    HandleCloser h(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) {
      const DWORD e = GetLastError();
      return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing : ReadStatus::Failed;
    }
    if (GetFileType(h.get()) != FILE_TYPE_DISK) return ReadStatus::Failed;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h.get(), &size) || size.QuadPart < 0) return ReadStatus::Failed;
    if (static_cast<unsigned long long>(size.QuadPart) > max_bytes) return ReadStatus::TooLarge;
    char buffer[65536];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(h.get(), buffer, sizeof buffer, &got, nullptr)) return ReadStatus::Failed;
      if (got == 0) break;
      bytes.append(buffer, got);
      if (bytes.size() > max_bytes) return ReadStatus::TooLarge;  // it grew while read
    }
    return ReadStatus::Ok;
  }

  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    // Written beside the target, then moved over it in one step, so a reader
    // sees the old file or the new one, never half of it.
    const std::wstring target = Utf8ToWide(path);
    const std::wstring temp = target + L".tmp-" + std::to_wstring(GetCurrentProcessId());
    {
      HandleCloser h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
      if (h.get() == INVALID_HANDLE_VALUE) return false;
      std::size_t offset = 0;
      while (offset < bytes.size()) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1 << 20));
        if (!WriteFile(h.get(), bytes.data() + offset, chunk, &wrote, nullptr) || wrote == 0) {
          CloseHandle(h.get());
          DeleteFileW(temp.c_str());
          return false;
        }
        offset += wrote;
      }
      FlushFileBuffers(h.get());
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DeleteFileW(temp.c_str());
      return false;
    }
    return true;
  }

  bool RemoveFile(const std::string& path) override { return DeleteFileW(Utf8ToWide(path).c_str()) != FALSE; }

  std::string Env(const std::string& name) override {
    const std::wstring wide = Utf8ToWide(name);
    const DWORD n = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::vector<wchar_t> value(n + 1, L'\0');
    GetEnvironmentVariableW(wide.c_str(), value.data(), n + 1);
    return WideToUtf8(value.data());
  }

  std::string HomeFolder() override { return Env("USERPROFILE"); }

  std::string ProgramFolder() override {
    std::vector<wchar_t> path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) return {};
      if (n < path.size()) break;
      path.assign(path.size() * 2, L'\0');
    }
    std::wstring full(path.data());
    const std::size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::string() : WideToUtf8(full.substr(0, slash));
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

}  // namespace qg
