// Reading and writing one key of the settings file on Windows through the
// system's profile functions, GetPrivateProfileStringA and
// WritePrivateProfileStringA, with the shared lossless value form on top. The
// value buffer grows until the value fits, so a value longer than the usual
// 256 bytes reads back whole instead of being cut. The A functions carry only
// code page bytes: a value in the escaped form (which starts with bytes the
// code page reads as other characters) and any key of a UTF-8 file go through
// the shared profile layer instead, which writes the same line layout.
#include <windows.h>
#undef WriteProfileString
#undef ReplaceFile

#include <vector>

#include "settings/profile.h"
#include "settings/profile_value.h"
#include "settings/settings_file.h"
#include "wide_text.h"

namespace qg {
namespace {

// The path in the ANSI code page, as the A functions take it. A path with a
// character outside that code page goes by its folder's short name.
bool AnsiPath(const std::string& utf8, std::string& ansi) {
  std::wstring wide = win32::Utf8ToWide(utf8);
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  auto convert = [](const std::wstring& w, std::string& out) {
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return false;
    out.assign(std::size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.c_str(), -1, &out[0], n, nullptr, &lossy);
    out.resize(std::size_t(n - 1));
    return !lossy;
  };
  if (convert(wide, ansi)) return true;
  const std::size_t slash = wide.rfind(L'\\');
  if (slash == std::wstring::npos) return false;
  const std::wstring folder = wide.substr(0, slash);
  std::wstring shorter(MAX_PATH, L'\0');
  const DWORD n = GetShortPathNameW(folder.c_str(), &shorter[0], MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  shorter.resize(n);
  return convert(shorter + wide.substr(slash), ansi);
}

// The escaped form's leading bytes.
bool Escaped(const std::string& bytes) { return profile::HasUtf8Bom(bytes); }

// Whether the file starts with a UTF-8 byte-order mark (its names and values
// are then UTF-8), and whether it is a file the settings may use at all.
bool Inspect(FileSystem& fs, const std::string& path, std::string& text, bool& utf8, bool& missing) {
  const ReadStatus st = fs.ReadFile(path, kMaxSettingsFileBytes, text);
  missing = st == ReadStatus::Missing;
  if (missing) text.clear();
  utf8 = st == ReadStatus::Ok && profile::HasUtf8Bom(text);
  return st == ReadStatus::Ok || missing;
}

void MakeFolders(FileSystem& fs, const std::string& path) {
  for (std::size_t pos = 3; pos <= path.size(); ++pos) {
    if (pos == path.size() || path[pos] == '/' || path[pos] == '\\') fs.MakeFolder(path.substr(0, pos), true);
  }
}

}  // namespace

std::string ReadProfileString(FileSystem& fs, CodePage& cp, const std::string& section, const std::string& key,
                              const std::string& path) {
  bool utf8 = false, missing = false;
  std::string text;
  if (!Inspect(fs, path, text, utf8, missing) || missing) return {};
  std::string sec, k, file;
  if (!EncodeProfileName(section, cp, utf8, sec) || !EncodeProfileName(key, cp, utf8, k)) return {};
  const std::optional<std::string> raw = profile::GetValue(text, sec, k);
  if (!raw) return {};
  if (utf8 || Escaped(*raw)) return DecodeProfileValue(raw->substr(0, raw->find('\0')), cp, utf8);
  if (!AnsiPath(path, file)) return {};
  // A full buffer may mean a cut value: read again with twice the room.
  std::vector<char> value(256);
  for (;;) {
    const DWORD n = GetPrivateProfileStringA(sec.c_str(), k.c_str(), "", value.data(), DWORD(value.size()),
                                             file.c_str());
    if (n + 1 < value.size() || value.size() > kMaxSettingsFileBytes) {
      return DecodeProfileValue(std::string(value.data(), n), cp, utf8);
    }
    value.resize(value.size() * 2);
  }
}

bool WriteProfileString(FileSystem& fs, CodePage& cp, const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  bool utf8 = false, missing = false;
  std::string text;
  // A file too large or unreadable is left as it is.
  if (!Inspect(fs, path, text, utf8, missing)) return false;
  if (missing) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string::npos && slash > 2) MakeFolders(fs, path.substr(0, slash));
  }
  std::string sec, k, file;
  if (!EncodeWrittenNames(section, key, cp, utf8, sec, k)) return false;
  const std::string bytes = EncodeProfileValue(value, cp, utf8);
  if (utf8 || Escaped(bytes)) return fs.ReplaceFile(path, profile::SetValue(text, sec, k, bytes));
  if (!AnsiPath(path, file)) return false;
  return WritePrivateProfileStringA(sec.c_str(), k.c_str(), bytes.c_str(), file.c_str()) != FALSE;
}

}  // namespace qg
