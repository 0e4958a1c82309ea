#include "wide_text.h"

#include <windows.h>

#include <cstring>

namespace qg {
namespace win32 {

std::wstring Utf8ToWide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
  return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], n, nullptr, nullptr);
  return utf8;
}

std::string WideToUtf8(const wchar_t* wide) { return wide ? WideToUtf8(std::wstring(wide)) : std::string(); }

void CopyCut(const std::string& utf8, char* area, uint32_t capacity) {
  if (!area || capacity == 0) return;
  size_t length = utf8.size() < capacity - 1 ? utf8.size() : capacity - 1;
  // Back up over continuation bytes so no character is split.
  if (length < utf8.size())
    while (length > 0 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80) --length;
  std::memcpy(area, utf8.data(), length);
  area[length] = '\0';
}

}  // namespace win32
}  // namespace qg
