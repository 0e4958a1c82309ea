// Looking at a test X server from the outside, as a user or another program would.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "process.h"

namespace showtest {

// A top-level window (any depth below the root, mapped or not) whose
// WM_NAME is caption; 0 when none.
Window FindByCaption(Display* dpy, const std::string& caption);
std::vector<Window> Children(Display* dpy, Window parent);
// Width and height of a window; {0, 0} when it does not exist.
std::pair<int, int> WindowSize(Display* dpy, Window w);
// Presses and releases a key through XTest.
void PressKey(Display* dpy, unsigned long keysym);
// Size of the first active CRTC (the mode shown); {0, 0} without RandR.
std::pair<int, int> ActiveModeSize(Display* dpy);
// Polls pred until it is true (true) or timeoutMs passes (false).
inline bool WaitFor(const std::function<bool()>& pred, int timeoutMs) {
  return qgtest::WaitUntil(pred, std::chrono::milliseconds(timeoutMs));
}

}  // namespace showtest
