// SIGTERM, SIGINT and SIGHUP end the show through its normal teardown, so the
// display mode is restored. Xlib is not async-signal-safe: the handlers only
// set a flag that the message loop turns into a quit request.
#pragma once

// Installs the handlers (once).
void InstallQuitSignalHandlers();
// True once one of the signals has arrived.
bool QuitSignalReceived();
