// Windows by caption on a Wayland desktop. Its clients cannot see each
// other's windows, so a caption that others must find is also held as a mark
// of the desktop session (session_marker.h) while its window exists; a search
// by caption looks for the mark. The mark goes with its process however that
// ends, as a window would.
#pragma once

#include <string>

#include "session_marker.h"

namespace qg {
namespace wayland {

// The mark a window with a caption holds while it exists. Another window of
// any program holding the same caption keeps it found: the claim then fails
// quietly.
class CaptionMark {
 public:
  void Hold(const std::string& caption);  // gives up any caption held before
  void Drop();

 private:
  SessionMarker marker_;
  std::string caption_;
};

// True while some process of this desktop session holds the caption.
bool CaptionShown(const std::string& caption);

}  // namespace wayland
}  // namespace qg
