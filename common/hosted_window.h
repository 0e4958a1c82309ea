// A show drawn into a window another program hands over (the X11 screensaver
// daemon's window, or its settings dialog's preview): the host names that
// window to the renderer in the environment, and both programs then keep a
// snapshot of their own for it, since the daemon runs one host per monitor.
#pragma once

#include <cstdlib>
#include <string>

namespace qg {

// Set by the host for the renderer it starts: the window to draw in.
inline constexpr const char kHostedWindowEnv[] = "QUIVERGLIDE_TARGET_WINDOW";
// And its own process id: a renderer whose parent is another by the time it
// runs was orphaned while it started (a session's manager, not only init,
// takes orphans in), so its host has gone and so must it.
inline constexpr const char kHostPidEnv[] = "QUIVERGLIDE_HOST_PID";

// A window id as the daemon writes it ("0x1a00007") or in decimal. False for
// anything else, for trailing text and for 0.
inline bool ParseWindowId(const std::string& text, unsigned long* id) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (!end || *end != '\0' || value == 0 || value > 0xFFFFFFFFul) return false;
  *id = value;
  return true;
}

// The hosted window named in this process's environment; 0 when none.
inline unsigned long HostedWindowFromEnvironment() {
  const char* text = std::getenv(kHostedWindowEnv);
  unsigned long id = 0;
  return text && ParseWindowId(text, &id) ? id : 0;
}

}  // namespace qg
