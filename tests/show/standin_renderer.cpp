// A stand-in for Quiverglide.dll in the start-race tests: it records what it
// found at its start, opens its "Wobblevista_VC" window late (or never), keeps
// it for a while and exits. Driven by environment variables that the run
// form passes on unchanged:
//   QG_STANDIN_LOG          file to append events to
//   QG_STANDIN_WINDOW_MS    delay before the window opens; -1: never
//   QG_STANDIN_KEEP_MS      how long the window stays; then it exits
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "snapshot_path.h"

namespace {

void Log(const std::string& line) {
  const char* path = std::getenv("QG_STANDIN_LOG");
  if (!path) return;
  if (FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

int EnvInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v ? std::atoi(v) : fallback;
}

}  // namespace

int main(int argc, char**) {
  Log("pid " + std::to_string(getpid()));
  Log("args " + std::to_string(argc - 1));
  // What a renderer would read at its start: the snapshot must be complete.
  struct stat st;
  const std::string snap = qg::SnapshotFilePath();
  Log("snapshot " + std::to_string(stat(snap.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1LL));
  const int windowMs = EnvInt("QG_STANDIN_WINDOW_MS", 0);
  const int keepMs = EnvInt("QG_STANDIN_KEEP_MS", 1000);
  if (windowMs < 0) {
    Log("hanging");
    for (;;) pause();
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(windowMs));
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return 1;
  Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 320, 240, 0, 0, 0x204060);
  XStoreName(dpy, w, "Wobblevista_VC");
  XMapWindow(dpy, w);
  XSync(dpy, False);
  Log("window");
  std::this_thread::sleep_for(std::chrono::milliseconds(keepMs));
  XDestroyWindow(dpy, w);
  XSync(dpy, False);
  Log("gone");
  XCloseDisplay(dpy);
  return 0;
}
