// The desktop session this program runs in, as the session marks name it
// (session_marker.h): starts in one session see each other's marks, starts in
// another do not. Each display system says which session it is.
#pragma once

#include <string>

namespace qg {

std::string DesktopSession();

}  // namespace qg
