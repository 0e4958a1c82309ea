#include "show_fixture.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>

#include <fstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace showtest {

void ShowFixture::SetUp() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

void ShowFixture::Prepare(qgtest::TestXServer::Kind kind, const std::string& renderer) {
  server_ = std::make_unique<qgtest::TestXServer>(kind, 1024, 768, 24);
  ASSERT_TRUE(server_->ok()) << server_->error();
  dpy_ = XOpenDisplay(server_->display().c_str());
  ASSERT_NE(dpy_, nullptr);
  host_ = std::make_unique<hosttest::HostInstall>(server_->display(), renderer);
}

void ShowFixture::TearDown() {
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  if (dpy_) XCloseDisplay(dpy_);
  dpy_ = nullptr;
  server_.reset();
}

std::string RealRenderer() { return qgtest::BinDir() + "/Quiverglide.dll"; }

bool ProcessGone(long pid) {
  struct stat st;
  return stat(("/proc/" + std::to_string(pid)).c_str(), &st) != 0;
}

long ChildOf(long parent) {
  std::ifstream kids("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children");
  long pid = -1;
  kids >> pid;
  return pid;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<Window> Children(Display* dpy, Window parent) {
  qg::x11::ErrorTrap trap(dpy);  // the window may go while it is looked at
  Window root_ret, parent_ret, *kids = nullptr;
  unsigned n = 0;
  std::vector<Window> out;
  if (XQueryTree(dpy, parent, &root_ret, &parent_ret, &kids, &n)) {
    out.assign(kids, kids + n);
    if (kids) XFree(kids);
  }
  return out;
}

std::pair<int, int> WindowSize(Display* dpy, Window w) {
  qg::x11::ErrorTrap trap(dpy);
  XWindowAttributes a;
  return XGetWindowAttributes(dpy, w, &a) ? std::make_pair(a.width, a.height) : std::make_pair(0, 0);
}

void PressKey(Display* dpy, unsigned long keysym) {
  const KeyCode code = XKeysymToKeycode(dpy, keysym);
  XTestFakeKeyEvent(dpy, code, True, 0);
  XTestFakeKeyEvent(dpy, code, False, 0);
  XSync(dpy, False);
}

std::pair<int, int> ActiveModeSize(Display* dpy) {
  XRRScreenResources* res = XRRGetScreenResources(dpy, DefaultRootWindow(dpy));
  std::pair<int, int> size{0, 0};
  for (int i = 0; res && i < res->ncrtc; ++i) {
    XRRCrtcInfo* c = XRRGetCrtcInfo(dpy, res, res->crtcs[i]);
    if (c && c->mode != None && size.first == 0) size = {static_cast<int>(c->width), static_cast<int>(c->height)};
    if (c) XRRFreeCrtcInfo(c);
  }
  if (res) XRRFreeScreenResources(res);
  return size;
}

}  // namespace showtest
