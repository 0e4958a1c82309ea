// Reading and writing one key of a profile file through the portable profile
// layer, over the file system and the code page.
#include "path_helpers.h"
#include "settings/profile.h"
#include "settings/profile_value.h"
#include "settings/settings_file.h"

namespace qg {

namespace {

// Makes every missing folder level of path (mode 0700 for new levels).
void MakeFolders(FileSystem& fs, const std::string& path) {
  for (std::size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos == path.size() || path[pos] == '/') fs.MakeFolder(path.substr(0, pos), true);
  }
}

}  // namespace

std::string ReadProfileString(FileSystem& fs, CodePage& cp, const std::string& section, const std::string& key,
                              const std::string& path) {
  std::string text;
  if (fs.ReadFile(path, kMaxSettingsFileBytes, text) != ReadStatus::Ok) return {};
  bool utf8 = profile::HasUtf8Bom(text);
  std::string sec, k;
  if (!EncodeProfileName(section, cp, utf8, sec) || !EncodeProfileName(key, cp, utf8, k)) return {};
  std::optional<std::string> raw = profile::GetValue(text, sec, k);
  if (!raw) return {};
  // The platform hands the value over as a C string: up to its first NUL.
  std::string bytes = raw->substr(0, raw->find('\0'));
  return DecodeProfileValue(bytes, cp, utf8);
}

bool WriteProfileString(FileSystem& fs, CodePage& cp, const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  std::string text;
  ReadStatus st = fs.ReadFile(path, kMaxSettingsFileBytes, text);
  if (st == ReadStatus::Missing) {
    text.clear();
    std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeFolders(fs, path.substr(0, slash));
  } else if (st != ReadStatus::Ok) {
    return false;
  }
  bool utf8 = profile::HasUtf8Bom(text);
  std::string sec, k;
  if (!EncodeWrittenNames(section, key, cp, utf8, sec, k)) return false;
  std::string out = profile::SetValue(text, sec, k, EncodeProfileValue(value, cp, utf8));
  return fs.ReplaceFile(path, out);
}

}  // namespace qg
