// SIGTERM, SIGINT and SIGHUP: what a session's end or a plain `kill` sends.
// Both programs end through their usual teardown when one arrives (the
// renderer restores the display mode, the host stops the music and removes
// the snapshot) instead of simply vanishing. Nothing else is safe inside a
// signal handler, so the handlers only set a flag that the program polls.
#pragma once

namespace qg {

// Installs the handlers; from here on the signals no longer end the process.
void WatchTerminationSignals();
// True once one of the signals has arrived.
bool TerminationRequested();

}  // namespace qg
