// Code page 932 through the system's own conversion tables, which are the
// reference for this code page.
#include <windows.h>

#include "settings/code_page.h"
#include "wide_text.h"

namespace qg {
namespace {

constexpr UINT kCodePage = 932;

class Win32Cp932 : public CodePage {
 public:
  bool FromUtf8(const std::string& utf8, std::string& bytes) override {
    bytes.clear();
    if (utf8.empty()) return true;
    const int wn = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                       nullptr, 0);
    if (wn <= 0) return false;
    const std::wstring wide = win32::Utf8ToWide(utf8);
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &lost);
    if (n <= 0 || lost) return false;
    bytes.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &bytes[0], n,
                        nullptr, &lost);
    return !lost;
  }

  bool ToUtf8(const std::string& bytes, std::string& utf8) override {
    utf8.clear();
    if (bytes.empty()) return true;
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                      nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    utf8 = win32::WideToUtf8(wide);
    return true;
  }
};

}  // namespace

CodePage& Cp932() {
  static Win32Cp932 cp;
  return cp;
}

}  // namespace qg
