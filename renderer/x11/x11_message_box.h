// The renderer's own modal message box: a caption, the text, one OK button.
// It stands above the show (transient for it), shows a pointer over itself
// and holds the keyboard until a click on OK, Enter, Space or Escape closes
// it; a box hidden under a full-screen window with the keyboard grabbed would
// hang the show with no way out.
#pragma once

#include <X11/Xlib.h>
#include <functional>
#include <string>

// Shows the box and returns once it is dismissed, or once stop() is true
// (a termination signal arrived). owner may be 0.
void ShowX11MessageBox(Display* display, Window owner, const std::string& caption, const std::string& text,
                       const std::function<bool()>& stop);
