// The show hosted by the X11 screensaver daemon, start to end, without the
// run form: the daemon's picture of the desktop as the snapshot, the renderer
// drawing into the daemon's window, the music once per session (never in the
// preview), and on SIGTERM the renderer ended, the music stopped and the
// snapshot removed. The daemon holds the grabs and hides the pointer, so
// nothing here touches them, the display mode or the cursor.
#pragma once

#include "hosted_start.h"

namespace qg::show {

// Runs the show for a start that is the daemon's (kind other than kNone) and
// returns the exit code.
int RunHostedShow(const HostedStart& start);

}  // namespace qg::show
