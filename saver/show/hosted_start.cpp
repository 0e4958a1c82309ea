#include "hosted_start.h"

#include <cctype>

#include "hosted_window.h"

namespace qg::show {

namespace {

// "-name" and "--name" are the same flag.
bool IsFlag(const std::string& arg, const char* name) {
  const std::string bare = arg.rfind("--", 0) == 0 ? arg.substr(2) : arg.rfind('-', 0) == 0 ? arg.substr(1) : "";
  return !bare.empty() && bare == name;
}

std::string Trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

HostedStart ReadHostedStart(const std::vector<std::string>& args, const char* daemonWindow) {
  HostedStart start;
  bool root = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (IsFlag(args[i], "window-id")) {
      start.kind = HostedStart::Kind::kPreview;
      if (i + 1 >= args.size() || !ParseWindowId(args[i + 1], &start.window)) {
        start.kind = HostedStart::Kind::kNoWindow;
        start.window = 0;
      }
      return start;
    }
    if (IsFlag(args[i], "root")) root = true;
  }
  const bool fromDaemon = daemonWindow && daemonWindow[0] != '\0';
  if (!root && !fromDaemon) return start;
  start.kind = HostedStart::Kind::kShow;
  if (fromDaemon && !ParseWindowId(daemonWindow, &start.window)) {
    start.kind = HostedStart::Kind::kNoWindow;
    start.window = 0;
  }
  return start;
}

bool DesktopImagesAllowed(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const size_t colon = line.find(':');
    if (colon == std::string::npos || Lower(Trimmed(line.substr(0, colon))) != "grabdesktopimages") continue;
    const std::string value = Lower(Trimmed(line.substr(colon + 1)));
    return !(value == "false" || value == "no" || value == "off" || value == "0");
  }
  return true;
}

}  // namespace qg::show
