// The form layer over Qt on a private X server: the window search by
// caption, timers, the dialog's font. (What a held picture costs is measured
// by the big-desktop benchmark; the programs never read one back.)
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QFont>
#include <QFontInfo>
#include <string>

#include "forms/application.h"
#include "forms/timer.h"
#include "qt_wait.h"
#include "test_xserver.h"
// Xlib's macros (Bool, Status, None) must come after Qt and GoogleTest.
#include <X11/Xlib.h>

#include "x11/window_search.h"

namespace {

using qttest::WaitFor;

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
  // The real hidden run form is found so by the whole show's test.
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

TEST(Forms, TimersTickWhileEnabledAndRestartWhenEnabledAgain) {
  qgf::Timer timer;
  int ticks = 0;
  timer.onTick = [&] { ++ticks; };
  timer.SetInterval(30);
  WaitFor([] { return false; }, 150);
  EXPECT_EQ(ticks, 0);  // not enabled yet
  timer.SetEnabled(true);
  EXPECT_TRUE(WaitFor([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  int stopped_at = ticks;
  WaitFor([] { return false; }, 150);
  EXPECT_EQ(ticks, stopped_at);
  timer.SetInterval(0);
  timer.SetEnabled(true);  // interval 0 never ticks
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(ticks, stopped_at);
}

TEST(App, TheDialogsJapaneseFontResolvesToIpaPGothic) {
  QFont designed(QString::fromUtf8("ＭＳ Ｐゴシック"));
  designed.setPointSizeF(9.75);
  EXPECT_EQ(QFontInfo(designed).family().toStdString(), "IPAPGothic");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no X server.
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]).find("gtest_list_tests") != std::string::npos) return RUN_ALL_TESTS();
  qgtest::TestXServer server;
  if (!server.ok()) {
    fprintf(stderr, "no X server: %s\n", server.error().c_str());
    return 1;
  }
  setenv("DISPLAY", server.display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  static char arg0[] = "saver_x11_tests", a1[] = "/s", a2[] = "1234";
  static char* app_argv[] = {arg0, a1, a2, nullptr};
  static int app_argc = 3;
  qgf::App::Init(app_argc, app_argv);
  return RUN_ALL_TESTS();
}
