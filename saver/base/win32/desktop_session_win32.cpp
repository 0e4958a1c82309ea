// On Windows the session is the logon session the program runs in, which
// the marks' own namespace ("Local\") already is.
#include "desktop_session.h"

namespace qg {

std::string DesktopSession() { return "windows"; }

}  // namespace qg
