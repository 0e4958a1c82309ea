// Quiverglide.scr started as a real process on a private X server: the
// instance markers, and the missing-renderer message.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>

#include "host_install.h"
#include "test_xserver.h"
#include "x_client.h"
// Xlib's macros (Bool, Status, None) must come after GoogleTest.
#include <X11/Xlib.h>

#include "x11/window_search.h"

namespace {

using namespace std::chrono_literals;
using hosttest::HostInstall;

// The test's own client, as another program on the same server.
struct Client : qgtest::XClient {
  qgtest::TestXServer server;
  Client() { Connect(server.display()); }
  ~Client() { Disconnect(); }
  Window Find(const std::string& caption) { return qg::x11::FindTopLevelByCaption(display_, caption); }
};

bool IsFolder(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(StartupProcess, AMarkerWindowRefusesEveryFurtherStartAndAMissingRendererIsAMessage) {
  Client c;
  ASSERT_NE(c.display(), nullptr) << c.server.error();
  const std::string display = c.server.display();
  for (const char* marker : {"Wobblevista_Main", "<Quiverglide>"}) {
    Window m = XCreateSimpleWindow(c.display(), DefaultRootWindow(c.display()), 0, 0, 10, 10, 0, 0, 0);
    XStoreName(c.display(), m, marker);
    XSync(c.display(), False);
    // No renderer beside the program: a start that went on would stop at the
    // message box instead of ending.
    HostInstall inst(display, "");
    for (std::vector<std::string> args :
         {std::vector<std::string>{"/s"}, {"/c"}, {"/p", "1234"}, {}, {"/a"}, {"-S"}}) {
      auto rc = inst.Start(args)->Wait(10s);
      ASSERT_TRUE(rc.has_value()) << marker << " did not stop a start with " << (args.empty() ? "" : args[0]);
      EXPECT_EQ(*rc, 0);
    }
    EXPECT_EQ(c.Find("Quiverglide"), 0u);
    EXPECT_FALSE(IsFolder(inst.SnapshotFolder()));  // ended before any step
    XDestroyWindow(c.display(), m);
    XSync(c.display(), False);
  }

  // Without a marker and without a renderer: the message, and the end when it closes.
  for (const char* mode : {"/s", "/c"}) {
    HostInstall inst(display, "");
    auto p = inst.Start({mode});
    Window box = 0;
    qgtest::WaitUntil([&] { return (box = c.Find("Quiverglide")) != 0; }, 10s);
    ASSERT_NE(box, 0u) << "no message box for " << mode;
    EXPECT_TRUE(p->Running());
    EXPECT_TRUE(IsFolder(inst.SnapshotFolder()));  // made before the check
    EXPECT_EQ(c.Find("Wobblevista_Main"), 0u);
    EXPECT_EQ(c.Find("<Quiverglide>"), 0u);
    c.SendDeleteWindow(box);
    auto rc = p->Wait(10s);
    ASSERT_TRUE(rc.has_value()) << "still running after the message closed";
    EXPECT_EQ(*rc, 0);
  }
}

}  // namespace
