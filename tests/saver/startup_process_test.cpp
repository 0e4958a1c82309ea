// Quiverglide.scr started as a real process on a private X server, once per
// command line: the instance markers, the missing-renderer message, the
// quiet end of an unknown switch, the settings dialog and the preview.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "process.h"
#include "test_xserver.h"
// Xlib's macros (Bool, Status, None) must come after GoogleTest.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "x11/window_search.h"

namespace {

using namespace std::chrono_literals;

std::string g_display;

// A copy of the program in a folder of its own, with or without a stand-in
// renderer beside it, and private runtime, config and home folders.
struct Install {
  qgtest::TempDir dir, runtime, home;
  std::string scr;
  explicit Install(bool renderer) {
    scr = dir.path() + "/Quiverglide.scr";
    std::filesystem::copy_file(qgtest::BinDir() + "/Quiverglide.scr", scr);
    if (renderer) std::filesystem::copy_file("/bin/true", dir.path() + "/Quiverglide.dll");
    chmod(runtime.path().c_str(), 0700);
  }
  qgtest::ProcessOptions Options(const std::vector<std::string>& args) const {
    qgtest::ProcessOptions o;
    o.argv = {scr};
    o.argv.insert(o.argv.end(), args.begin(), args.end());
    o.env = {{"DISPLAY", g_display},           {"XDG_RUNTIME_DIR", runtime.path()},
             {"XDG_CONFIG_HOME", home.path()}, {"HOME", home.path()},
             {"QT_QPA_PLATFORM", "xcb"}};
    o.unset_env = {"WAYLAND_DISPLAY", "SESSION_MANAGER"};
    o.stderr_path = dir.path() + "/stderr.txt";
    return o;
  }
  std::string ini() const { return dir.path() + "/Quiverglide.ini"; }
  std::string snapshot_folder() const { return runtime.path() + "/kestrow"; }
};

struct Client {
  Display* d = XOpenDisplay(g_display.c_str());
  ~Client() {
    if (d) XCloseDisplay(d);
  }
  Window Find(const std::string& caption) { return qg::x11::FindTopLevelByCaption(d, caption); }
  Window WaitFor(const std::string& caption, std::chrono::milliseconds timeout = 10s) {
    Window w = 0;
    qgtest::WaitUntil([&] { return (w = Find(caption)) != 0; }, timeout);
    return w;
  }
  // What the window system's close button sends.
  void RequestClose(Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XSync(d, False);
  }
  Window Marker(const std::string& caption) {
    Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
    XStoreName(d, w, caption.c_str());
    XSync(d, False);
    return w;
  }
};

bool IsFolder(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Sets the file's access time well before its change time, so that any read
// moves it forward (relatime updates an access time older than the change).
void BackdateAccess(const std::string& path) {
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  struct timeval tv[2] = {{st.st_mtime - 100000, 0}, {st.st_mtime, 0}};
  ASSERT_EQ(utimes(path.c_str(), tv), 0);
}
bool WasReadSince(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && st.st_atime >= st.st_mtime;
}
// Whether reads move access times on this file system at all (not with noatime).
bool AccessTimesWork(const std::string& path) {
  BackdateAccess(path);
  { std::ifstream(path).get(); }
  bool works = WasReadSince(path);
  BackdateAccess(path);
  return works;
}

TEST(StartupProcess, AMarkerWindowRefusesEveryFurtherStart) {
  Client c;
  ASSERT_NE(c.d, nullptr);
  for (const char* marker : {"Wobblevista_Main", "<Quiverglide>"}) {
    Window m = c.Marker(marker);
    // No renderer beside the program: a start that went on would stop at the
    // message box instead of ending.
    Install inst(false);
    for (std::vector<std::string> args :
         {std::vector<std::string>{"/s"}, {"/c"}, {"/p", "1234"}, {}, {"/a"}, {"-S"}}) {
      qgtest::Process p(inst.Options(args));
      auto rc = p.Wait(10s);
      ASSERT_TRUE(rc.has_value()) << marker << " did not stop a start with " << (args.empty() ? "" : args[0]);
      EXPECT_EQ(*rc, 0);
    }
    EXPECT_EQ(c.Find("Quiverglide"), 0u);
    EXPECT_FALSE(IsFolder(inst.snapshot_folder()));  // ended before any step
    XDestroyWindow(c.d, m);
    XSync(c.d, False);
  }
}

TEST(StartupProcess, MissingRendererShowsTheMessageAndEndsWhenItCloses) {
  Client c;
  for (std::vector<std::string> args : {std::vector<std::string>{"/s"}, {"/c"}}) {
    Install inst(false);
    qgtest::Process p(inst.Options(args));
    Window box = c.WaitFor("Quiverglide");
    ASSERT_NE(box, 0u) << "no message box";
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(IsFolder(inst.snapshot_folder()));  // made before the check
    EXPECT_EQ(c.Find("Wobblevista_Main"), 0u);
    EXPECT_EQ(c.Find("<Quiverglide>"), 0u);
    c.RequestClose(box);
    auto rc = p.Wait(10s);
    ASSERT_TRUE(rc.has_value()) << "still running after the message closed";
    EXPECT_EQ(*rc, 0);
  }
}

TEST(StartupProcess, SettingsModeShowsTheDialogWhichIsAMarkerItself) {
  Client c;
  Install inst(true);
  qgtest::Process p(inst.Options({"/c"}));
  Window dialog = c.WaitFor("<Quiverglide>");
  ASSERT_NE(dialog, 0u);
  // A second start of any kind ends at once while the dialog is open.
  Install other(false);  // a start that went on would stop at the message box
  qgtest::Process second(other.Options({"/s"}));
  auto rc2 = second.Wait(10s);
  ASSERT_TRUE(rc2.has_value());
  EXPECT_EQ(*rc2, 0);
  EXPECT_EQ(c.Find("Wobblevista_Main"), 0u);
  c.RequestClose(dialog);
  auto rc = p.Wait(15s);
  ASSERT_TRUE(rc.has_value()) << "the program did not end after its dialog closed";
  EXPECT_EQ(*rc, 0);
}

Window ChildCaptioned(Display* d, Window parent, const std::string& caption) {
  Window root = 0, up = 0, *kids = nullptr;
  unsigned n = 0;
  Window found = 0;
  if (XQueryTree(d, parent, &root, &up, &kids, &n)) {
    for (unsigned i = 0; i < n && !found; ++i)
      if (qg::x11::WindowCaption(d, kids[i]) == caption) found = kids[i];
  }
  if (kids) XFree(kids);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]).find("gtest_list_tests") != std::string::npos) return RUN_ALL_TESTS();
  qgtest::TestXServer server;
  if (!server.ok()) {
    fprintf(stderr, "no X server: %s\n", server.error().c_str());
    return 1;
  }
  g_display = server.display();
  setenv("DISPLAY", g_display.c_str(), 1);
  return RUN_ALL_TESTS();
}
