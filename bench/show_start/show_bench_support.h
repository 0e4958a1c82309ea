// What the show's start-up benchmarks share: a private dummy-driver Xorg,
// starting and ending programs, and telling the renderer's first frame with
// the desktop on it from what comes before.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace qgbench {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b);
// The program with these arguments in this environment; its pid, or -1.
pid_t Spawn(const std::vector<std::string>& args);
// The same with its standard output to a pipe, whose reading end goes to *out.
pid_t SpawnReading(const std::vector<std::string>& args, int* out);
// Time from t0 until the first output on fd, in ms (-1: none within a minute);
// closes fd.
double UntilLine(int fd, Clock::time_point t0);
// The middle value (the upper one of an even count); 0 for none.
double MedianOf(std::vector<double> v);
// Never with a pid of 0 or below: that would signal a whole group or everything.
void Kill(pid_t pid, int sig);
// Reaps pid within the time; true when it has ended (or was never started).
bool WaitExit(pid_t pid, int timeoutMs);
// A private Xorg with the dummy driver (needs root); its display number, or -1.
int StartXorg(const std::string& conf, pid_t& pid);
// The renderer's first frame with the desktop on it (dark horizon band, the
// desktop's colours below); before it the window is black or absent.
bool FirstDesktopFrame(Display* dpy);
// The bare GLX program's magenta frame.
bool Magenta(Display* dpy);
// Polls until seen() or 20 s; the time from start in ms, or -1.
double TimeUntil(Display* dpy, Clock::time_point start, const std::function<bool(Display*)>& seen);
void PressEscape(Display* dpy);

}  // namespace qgbench
