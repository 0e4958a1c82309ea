#include "path_helpers.h"

namespace qg {

namespace {
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif
}  // namespace

bool FileExists(FileSystem& fs, const std::string& path) {
  std::string p = path;
  if (!p.empty() && p.back() == kSeparator) p.pop_back();
  if (p.empty()) return false;
  return fs.IsReadableFile(p);
}

std::string FolderOfPathPosix(const std::string& path) {
  std::size_t pos = path.rfind('/');
  if (pos == std::string::npos) return {};
  if (pos == 0) return "/";
  return path.substr(0, pos);
}

std::string FolderOfPathWindows(const std::string& path, bool cp932) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (cp932 && IsCp932LeadByte(c) && i + 1 < path.size()) {
      ++i;  // the trail byte may be 0x5C and is part of this character
      continue;
    }
    if (c == ':' || c == '\\') last = i;
  }
  if (last == std::string::npos) return {};
  std::string head = path.substr(0, last + 1);
  if (head.back() == '\\') head.pop_back();
  return head;
}

std::string FolderOfPath(const std::string& path) {
#ifdef _WIN32
  return FolderOfPathWindows(path);
#else
  return FolderOfPathPosix(path);
#endif
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == kSeparator) return folder + name;
  return folder + kSeparator + name;
}

}  // namespace qg
