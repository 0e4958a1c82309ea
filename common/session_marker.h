// A mark that one process at a time holds in the user's desktop session, and
// that goes with its process however that process ends (exit, crash, kill).
// It stands where a window caption cannot serve: where claiming and checking
// must be one step (only one show starts, however many starts race), and on
// display systems whose clients cannot see each other's windows.
#pragma once

#include <cstdint>
#include <string>

namespace qg {

class SessionMarker {
 public:
  SessionMarker() = default;
  ~SessionMarker() { Release(); }
  SessionMarker(const SessionMarker&) = delete;
  SessionMarker& operator=(const SessionMarker&) = delete;

  // Takes the mark `name` of `session` (a display's name, as SessionOf*
  // gives it) in one step: false when another process holds it, or when it
  // cannot be kept at all. Holding it already counts as taking it.
  bool Claim(const std::string& session, const std::string& name);
  // Gives it up; nothing when not held.
  void Release();
  bool held() const { return handle_ != kNone; }

 private:
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;
};

// True while some process holds the mark. Looking never takes it, so a look
// cannot make a claim of another process fail.
bool SessionMarkerHeld(const std::string& session, const std::string& name);

// The session of an X display ("x11:0" for ":0.0") and of a Wayland display
// ("wayland:wayland-1"); marks of different displays never meet.
std::string SessionOfX11Display(const std::string& display);
std::string SessionOfWaylandDisplay(const std::string& display);

}  // namespace qg
