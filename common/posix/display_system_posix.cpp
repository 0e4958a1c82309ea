// The compositor is asked at its socket, the way its clients reach it: a name
// relative to $XDG_RUNTIME_DIR or a full path. A socket left behind by a
// compositor that has gone refuses the connection, and X11 is used.
#include "display_system.h"

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "session_marker.h"

namespace qg {

namespace {

std::string WaylandSocketPath() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (!name || !*name) return {};
  if (name[0] == '/') return name;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || runtime[0] != '/') return {};
  return std::string(runtime) + "/" + name;
}

bool Answers(const std::string& path) {
  struct sockaddr_un address = {};
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return ok;
}

}  // namespace

DisplaySystem ChooseDisplaySystem() {
  static const DisplaySystem chosen = Answers(WaylandSocketPath()) ? DisplaySystem::kWayland : DisplaySystem::kX11;
  return chosen;
}

std::string CurrentSession() {
  if (ChooseDisplaySystem() == DisplaySystem::kWayland) return SessionOfWaylandDisplay(WaylandSocketPath());
  const char* display = std::getenv("DISPLAY");
  return SessionOfX11Display(display ? display : "");
}

}  // namespace qg
