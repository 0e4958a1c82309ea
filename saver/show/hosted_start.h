// Starts by the X11 screensaver daemon: its usual command line carries
// "--root" (or "-root") with the window to draw in in XSCREENSAVER_WINDOW;
// its settings dialog's preview appends "--window-id 0x..." (or
// "-window-id"), which wins over "--root". Any start with XSCREENSAVER_WINDOW
// set is the daemon's. Such starts bypass the mode-letter dispatch, where
// these arguments end quietly anyway.
#pragma once

#include <string>
#include <vector>

namespace qg::show {

struct HostedStart {
  enum class Kind {
    kNone,      // not the daemon's: the usual dispatch
    kShow,      // the show in the daemon's window (or the root window)
    kPreview,   // the settings dialog's preview: the show without music
    kNoWindow,  // a window named that cannot be one: end at once, quietly
  };
  Kind kind = Kind::kNone;
  // The window named; 0 with kShow means the root window ("--root" alone).
  unsigned long window = 0;
};

// args: the arguments after the program name. daemonWindow: the value of
// XSCREENSAVER_WINDOW, or null when unset.
HostedStart ReadHostedStart(const std::vector<std::string>& args, const char* daemonWindow);

// The user's "grabDesktopImages" choice in the daemon's settings file (the
// text of ~/.xscreensaver): false only when it says False (or no, off, 0);
// true when the line is missing, as the daemon's default is.
bool DesktopImagesAllowed(const std::string& daemonSettingsText);

}  // namespace qg::show
