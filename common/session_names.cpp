#include "session_marker.h"

namespace qg {

std::string SessionOfX11Display(const std::string& display) {
  // ":0" and ":0.0" are one server: the screen number does not count.
  std::string server = display;
  const size_t colon = server.rfind(':');
  const size_t dot = server.find('.', colon == std::string::npos ? 0 : colon);
  if (colon != std::string::npos && dot != std::string::npos) server.erase(dot);
  return "x11" + server;
}

std::string SessionOfWaylandDisplay(const std::string& display) {
  return "wayland:" + (display.empty() ? std::string("wayland-0") : display);
}

}  // namespace qg
