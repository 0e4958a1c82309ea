// UTF-8 (the program's text in memory) to and from UTF-16 (the wide Win32
// calls), so that file names outside the ANSI code page still work.
#pragma once

#include <cstdint>
#include <string>

namespace qg {
namespace win32 {

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
std::string WideToUtf8(const wchar_t* wide);

// Copies `utf8` into a NUL-terminated area of `capacity` bytes, cut to fit
// at a character boundary. Nothing when capacity is 0.
void CopyCut(const std::string& utf8, char* area, uint32_t capacity);

}  // namespace win32
}  // namespace qg
