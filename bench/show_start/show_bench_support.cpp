// What the show's start-up benchmarks share: a private dummy-driver Xorg,
// starting and ending programs, and telling the renderer's first frame with
// the desktop on it from what comes before.
#include "show_bench_support.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace qgbench {

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

pid_t SpawnReading(const std::vector<std::string>& args, int* out) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return -1;
  }
  *out = fds[0];
  return pid;
}

double UntilLine(int fd, Clock::time_point t0) {
  struct pollfd p = {fd, POLLIN, 0};
  char buf[16];
  const double ms = poll(&p, 1, 60000) > 0 && read(fd, buf, sizeof buf) > 0 ? Ms(t0, Clock::now()) : -1;
  close(fd);
  return ms;
}

double MedianOf(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void Kill(pid_t pid, int sig) {
  if (pid > 0) kill(pid, sig);
}

bool WaitExit(pid_t pid, int timeoutMs) {
  if (pid <= 0) return true;
  for (int i = 0; i < timeoutMs; i += 5) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

int StartXorg(const std::string& conf, pid_t& pid) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid = fork();
  if (pid == 0) {
    close(fds[0]);
    int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    dup2(devnull, 2);
    std::string fd = std::to_string(fds[1]);
    execl("/usr/lib/xorg/Xorg", "Xorg", "-displayfd", fd.c_str(), "-config", conf.c_str(), "-noreset", "-nolisten",
          "tcp", "-logfile", "/tmp/qg-show-bench-xorg.log", "-novtswitch", "-sharevts", (char*)nullptr);
    execlp("Xorg", "Xorg", "-displayfd", fd.c_str(), "-config", conf.c_str(), "-noreset", "-nolisten", "tcp",
           "-logfile", "/tmp/qg-show-bench-xorg.log", "-novtswitch", "-sharevts", (char*)nullptr);
    _exit(127);
  }
  close(fds[1]);
  std::string got;
  struct pollfd p = {fds[0], POLLIN, 0};
  while (got.find('\n') == std::string::npos && poll(&p, 1, 20000) > 0) {
    char buf[16];
    ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
  }
  close(fds[0]);
  return got.find('\n') == std::string::npos ? -1 : std::atoi(got.c_str());
}

namespace {
bool Saturated(unsigned long p) {
  const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
  return std::max({r, g, b}) - std::min({r, g, b}) > 100;
}
}  // namespace

// The renderer's first frame with the desktop on it: the dark band of the
// horizon across the middle and the desktop's colours on the sheets below.
// Before it, the window is black (no colours) or absent (no dark band over
// the desktop), and white sheets would mean no texture.
bool FirstDesktopFrame(Display* dpy) {
  Window root = DefaultRootWindow(dpy);
  XImage* mid = XGetImage(dpy, root, 512, 370, 1, 110, AllPlanes, ZPixmap);
  if (!mid) return false;
  bool dark = false;
  for (int y = 0; y < 110 && !dark; ++y) dark = (XGetPixel(mid, 0, y) & 0xF0F0F0) == 0;
  XDestroyImage(mid);
  if (!dark) return false;
  int colourful = 0;
  for (int x : {200, 400, 624, 824}) {
    XImage* low = XGetImage(dpy, root, x, 690, 1, 1, AllPlanes, ZPixmap);
    if (!low) return false;
    colourful += Saturated(XGetPixel(low, 0, 0));
    XDestroyImage(low);
  }
  return colourful >= 3;
}

bool Magenta(Display* dpy) {
  XImage* img = XGetImage(dpy, DefaultRootWindow(dpy), 300, 690, 1, 1, AllPlanes, ZPixmap);
  if (!img) return false;
  const bool m = (XGetPixel(img, 0, 0) & 0xFFFFFF) == 0xFF00FF;
  XDestroyImage(img);
  return m;
}

double TimeUntil(Display* dpy, Clock::time_point start, const std::function<bool(Display*)>& seen) {
  while (Ms(start, Clock::now()) < 20000) {
    if (seen(dpy)) return Ms(start, Clock::now());
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  return -1;
}

void PressEscape(Display* dpy) {
  const KeyCode code = XKeysymToKeycode(dpy, XK_Escape);
  XTestFakeKeyEvent(dpy, code, True, 0);
  XTestFakeKeyEvent(dpy, code, False, 0);
  XSync(dpy, False);
}

}  // namespace qgbench
