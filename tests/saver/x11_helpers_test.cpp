// Window search by caption, against windows made on a private X server.
#include <gtest/gtest.h>
// Xlib's macros (Bool, Status, None) must come after GoogleTest.
#include <X11/Xlib.h>

#include <string>

#include "x11/window_search.h"

namespace {

// The test's own connection, as another program's windows would be.
struct OtherClient {
  Display* d = XOpenDisplay(nullptr);
  ~OtherClient() {
    if (d) XCloseDisplay(d);
  }
  Window Make(Window parent = 0, const char* wmName = nullptr) {
    Window win = XCreateSimpleWindow(d, parent ? parent : DefaultRootWindow(d), 0, 0, 40, 30, 0, 0, 0x336699);
    if (wmName) XStoreName(d, win, wmName);
    XSync(d, False);
    return win;
  }
  void Property(Window w, const char* name, const char* type, int format, const void* data, int n) {
    XChangeProperty(d, w, XInternAtom(d, name, False), XInternAtom(d, type, False), format, PropModeReplace,
                    static_cast<const unsigned char*>(data), n);
    XSync(d, False);
  }
  void NetName(Window w, const std::string& utf8) {
    Property(w, "_NET_WM_NAME", "UTF8_STRING", 8, utf8.data(), int(utf8.size()));
  }
  void WmState(Window w) {
    const long state[2] = {1, 0};
    Property(w, "WM_STATE", "WM_STATE", 32, state, 2);
  }
};

TEST(WindowSearch, FindsTopLevelsAndWindowManagerClientsByEitherNameExactly) {
  OtherClient c;
  ASSERT_NE(c.d, nullptr);
  Display* host = qg::x11::SharedDisplay();
  ASSERT_NE(host, nullptr);
  auto find = [&](const std::string& caption) { return qg::x11::FindTopLevelByCaption(host, caption); };
  EXPECT_EQ(find("Wobblevista_Main"), 0u);
  const Window run = c.Make(0, "Wobblevista_Main");  // never mapped, as the hidden run form
  EXPECT_EQ(find("Wobblevista_Main"), run);
  EXPECT_EQ(find("Wobblevista_Mai"), 0u);
  EXPECT_EQ(find("wobblevista_main"), 0u);
  const Window dialog = c.Make(), jp = c.Make();
  c.NetName(dialog, "<Quiverglide>");
  c.NetName(jp, "設定");
  EXPECT_EQ(find("<Quiverglide>"), dialog);
  EXPECT_EQ(qg::x11::WindowCaption(host, jp), "設定");
  EXPECT_EQ(find("設定"), jp);
  EXPECT_EQ(find("café"), c.Make(0, "caf\xe9"));  // Latin-1 WM_NAME is compared as UTF-8
  XDestroyWindow(c.d, run);
  XSync(c.d, False);
  EXPECT_EQ(find("Wobblevista_Main"), 0u);

  // A client inside a window manager's frame counts; a plain child, without
  // WM_STATE, is part of some window and does not.
  const Window client = c.Make(c.Make(c.Make()), "Wobblevista_VC");
  c.WmState(client);
  EXPECT_EQ(find("Wobblevista_VC"), client);
  const Window framed = c.Make();
  c.WmState(framed);
  c.Make(framed, "Renderer");
  EXPECT_EQ(find("Renderer"), 0u);
}

}  // namespace
