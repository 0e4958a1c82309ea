// Window search by caption, the window under a point, window rectangles and
// the XFixes cursor counter, against windows made on a private X server.
#include <gtest/gtest.h>
// Xlib's macros (Bool, Status, None) must come after GoogleTest.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <string>
#include <thread>

#include "x11/window_search.h"
#include "x11/x11_cursor.h"

namespace {

// The test's own connection, as another program's windows would be.
struct OtherClient {
  Display* d = XOpenDisplay(nullptr);
  ~OtherClient() {
    if (d) XCloseDisplay(d);
  }
  Window Make(Window parent, int x, int y, int w, int h) {
    Window win = XCreateSimpleWindow(d, parent, x, y, w, h, 0, 0, 0x336699);
    XSync(d, False);
    return win;
  }
  Window TopLevel() { return Make(DefaultRootWindow(d), 0, 0, 40, 30); }
  void NetName(Window w, const std::string& utf8) {
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.data()), int(utf8.size()));
    XSync(d, False);
  }
  void WmState(Window w) {
    long state[2] = {1, 0};
    Atom a = XInternAtom(d, "WM_STATE", False);
    XChangeProperty(d, w, a, a, 32, PropModeReplace, reinterpret_cast<unsigned char*>(state), 2);
    XSync(d, False);
  }
};

TEST(WindowSearch, FindsUnmappedTopLevelsByEitherNameProperty) {
  OtherClient c;
  ASSERT_NE(c.d, nullptr);
  Display* host = qg::x11::SharedDisplay();
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "Wobblevista_Main"), 0u);

  Window run = c.TopLevel();  // never mapped, as the hidden run form
  XStoreName(c.d, run, "Wobblevista_Main");
  XSync(c.d, False);
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "Wobblevista_Main"), run);
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "Wobblevista_Mai"), 0u);  // exact captions only
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "wobblevista_main"), 0u);

  Window dialog = c.TopLevel();
  c.NetName(dialog, "<Quiverglide>");
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "<Quiverglide>"), dialog);
  Window jp = c.TopLevel();
  c.NetName(jp, "設定");
  EXPECT_EQ(qg::x11::WindowCaption(host, jp), "設定");
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "設定"), jp);

  // Latin-1 WM_NAME is compared as UTF-8.
  Window latin = c.TopLevel();
  XStoreName(c.d, latin, "caf\xe9");
  XSync(c.d, False);
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "café"), latin);

  XDestroyWindow(c.d, run);
  XSync(c.d, False);
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "Wobblevista_Main"), 0u);
}

TEST(WindowSearch, ClientsInsideWindowManagerFramesButNotPlainChildren) {
  OtherClient c;
  Display* host = qg::x11::SharedDisplay();
  Window frame = c.TopLevel();
  Window deco = c.Make(frame, 0, 0, 10, 10);
  Window client = c.Make(deco, 0, 5, 30, 20);
  XStoreName(c.d, client, "Wobblevista_VC");
  c.WmState(client);
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "Wobblevista_VC"), client);

  // A child window without WM_STATE is part of some window, not a top level.
  Window plain_parent = c.TopLevel();
  c.WmState(plain_parent);
  Window inner = c.Make(plain_parent, 0, 0, 5, 5);
  XStoreName(c.d, inner, "<Quiverglide>");
  XSync(c.d, False);
  EXPECT_EQ(qg::x11::FindTopLevelByCaption(host, "<Quiverglide>"), 0u);
}

TEST(CursorCounter, XFixesHideAndShowWithoutXErrors) {
  Display* host = qg::x11::SharedDisplay();
  qg::CursorCounter& counter = qg::x11::HostCursorCounter();
  int start = counter.count();
  qg::x11::ErrorTrap trap(host);
  // An unmatched show first: XFixes must not be asked (it would be an error).
  EXPECT_EQ(counter.ShowCursor(1), start + 1);
  EXPECT_EQ(counter.ShowCursor(0), start);
  EXPECT_EQ(counter.ShowCursor(0), start - 1);
  EXPECT_EQ(counter.ShowCursor(0), start - 2);
  EXPECT_EQ(counter.ShowCursor(1), start - 1);
  EXPECT_EQ(counter.ShowCursor(1), start);
  EXPECT_FALSE(trap.error());
}

}  // namespace
