// On Linux the session is the display the programs show on: the Wayland
// compositor's when one answers, else the X server's (display_system.h).
#include "desktop_session.h"

#include "display_system.h"

namespace qg {

std::string DesktopSession() { return CurrentSession(); }

}  // namespace qg
