// A request from outside to end the run: what a session's end or a plain
// `kill` sends (SIGTERM, SIGHUP, SIGINT on Linux). The run form polls it on
// its renderer watch and then ends the run through its usual unload path, so
// the music is stopped, the cursor given back and the snapshot removed,
// instead of the process simply vanishing.
#pragma once

namespace qg::show {

// Starts noting end requests (from here on they no longer kill the process).
void WatchEndRequests();
// True once a request has come.
bool EndRequested();

}  // namespace qg::show
