// On X11 the session is the X server named by $DISPLAY.
#include "desktop_session.h"

#include <cstdlib>

#include "session_marker.h"

namespace qg {

std::string DesktopSession() {
  const char* display = std::getenv("DISPLAY");
  return SessionOfX11Display(display ? display : "");
}

}  // namespace qg
