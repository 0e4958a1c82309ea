// Quiverglide.scr started the way the X11 screensaver daemon starts it, with
// the real renderer: the daemon's screenshot (or, without one, the screen;
// or, when the user says no, nothing) shown in the daemon's window, and every
// way the daemon ends it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <csignal>
#include <dirent.h>
#include <fstream>
#include <thread>
#include <unistd.h>

#include "renderer_run.h"
#include "test_xserver.h"

using namespace std::chrono_literals;
using qgtest::TempDir;
using qgtest::TestXServer;

namespace {

const Rgb kBlue{30, 144, 255};
const Rgb kGreen{40, 200, 60};
const Rgb kWhite{255, 255, 255};

unsigned long Pixel(const Rgb& c) {
  return (static_cast<unsigned long>(c.r) << 16) | (static_cast<unsigned long>(c.g) << 8) | c.b;
}

// Running processes of the command `name` on the test's own X server (their
// DISPLAY names it), ended ones waiting to be reaped left out.
int CountRunning(const std::string& name, const std::string& display) {
  int count = 0;
  DIR* proc = opendir("/proc");
  if (!proc) return -1;
  const std::string marker = "DISPLAY=" + display;
  while (dirent* e = readdir(proc)) {
    const std::string dir = std::string("/proc/") + e->d_name;
    const std::string stat = ReadFile(dir + "/stat");
    const size_t open = stat.find('('), close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close + 2 >= stat.size()) continue;
    if (stat.substr(open + 1, close - open - 1) != name || stat[close + 2] == 'Z') continue;
    const std::string environ = ReadFile(dir + "/environ");
    for (size_t at = 0; at < environ.size();) {
      const size_t end = environ.find('\0', at);
      if (environ.compare(at, (end == std::string::npos ? environ.size() : end) - at, marker) == 0) {
        ++count;
        break;
      }
      if (end == std::string::npos) break;
      at = end + 1;
    }
  }
  closedir(proc);
  return count;
}

class HostedShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<TestXServer>();
    ASSERT_TRUE(server_->ok()) << server_->error();
    probe_ = std::make_unique<X11Probe>(server_->display());
    ASSERT_TRUE(probe_->ok());
    Display* d = probe_->display();
    XSetWindowBackground(d, DefaultRootWindow(d), Pixel(kBlue));
    XClearWindow(d, DefaultRootWindow(d));
    XSync(d, False);
    env_ = {{"DISPLAY", server_->display()}, {"XDG_RUNTIME_DIR", runtime_.path()}, {"HOME", home_.path()},
            {"SDL_AUDIODRIVER", "dummy"}};
  }
  // The daemon's window over the whole screen, and its screenshot of the
  // desktop in a pixmap of one colour named by the property.
  void MakeDaemonWindow(bool withScreenshot) {
    Display* d = probe_->display();
    window_ = MapPlainWindow(*probe_, 0, 0, 1024, 768);
    if (withScreenshot) {
      const Pixmap pixmap = XCreatePixmap(d, window_, 1024, 768, static_cast<unsigned>(DefaultDepth(d, 0)));
      GC gc = XCreateGC(d, pixmap, 0, nullptr);
      XSetForeground(d, gc, Pixel(kGreen));
      XFillRectangle(d, pixmap, gc, 0, 0, 1024, 768);
      XFreeGC(d, gc);
      const unsigned long id = pixmap;
      XChangeProperty(d, window_, XInternAtom(d, "_SCREENSAVER_SCREENSHOT", False), XA_PIXMAP, 32,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(&id), 1);
    }
    XSync(d, False);
    env_["XSCREENSAVER_WINDOW"] = HexWindowId(window_);
  }
  std::unique_ptr<qgtest::Process> StartHost(const std::vector<std::string>& args) {
    qgtest::ProcessOptions options;
    options.argv = {qgtest::BinDir() + "/Quiverglide.scr"};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.env = env_;
    options.stderr_path = runtime_.path() + "/stderr.txt";
    return std::make_unique<qgtest::Process>(options);
  }
  bool Shows(const Rgb& colour) {
    return BlockIs(*probe_, 256, 740, colour) && BlockIs(*probe_, 768, 740, colour) &&
           BlockIs(*probe_, 256, 30, colour);
  }
  bool NoSnapshot() {
    DIR* dir = opendir((runtime_.path() + "/kestrow").c_str());
    if (!dir) return true;
    bool none = true;
    while (dirent* e = readdir(dir)) none = none && std::string(e->d_name).find(".bmp") == std::string::npos;
    closedir(dir);
    return none;
  }
  bool AllGone() {
    return CountRunning("Quiverglide.scr", server_->display()) == 0 &&
           CountRunning("Quiverglide.dll", server_->display()) == 0;
  }

  std::unique_ptr<TestXServer> server_;
  TempDir runtime_, home_;
  std::unique_ptr<X11Probe> probe_;
  Window window_ = 0;
  std::map<std::string, std::string> env_;
};

TEST_F(HostedShowTest, TheDaemonsScreenshotIsShownAndSigtermEndsEverythingWithinASecond) {
  MakeDaemonWindow(true);
  auto host = StartHost({"--root"});
  EXPECT_TRUE(WaitUntil([&] { return Shows(kGreen); }, 10s)) << ToString(probe_->Pixel(256, 740));
  EXPECT_FALSE(NoSnapshot());
  EXPECT_EQ(CountRunning("Quiverglide.dll", server_->display()), 1);
  EXPECT_EQ(probe_->FindWindowByCaption("Wobblevista_VC"), 0u);  // no window of its own
  host->Signal(SIGTERM);
  EXPECT_EQ(host->Wait(1s), std::optional<int>(0));
  EXPECT_TRUE(WaitUntil([&] { return AllGone(); }, 1s));
  EXPECT_TRUE(NoSnapshot());
  EXPECT_EQ(ReadFile(runtime_.path() + "/stderr.txt"), "");
}

TEST_F(HostedShowTest, WithoutAScreenshotTheScreenIsPhotographed) {
  MakeDaemonWindow(false);
  XUnmapWindow(probe_->display(), window_);  // the desktop in view for the photograph
  XSync(probe_->display(), False);
  auto host = StartHost({});  // XSCREENSAVER_WINDOW alone
  const std::string snapshot = runtime_.path() + "/kestrow/Wobblevista-" + std::to_string(window_) + ".bmp";
  std::string bytes;
  EXPECT_TRUE(WaitUntil([&] { return (bytes = ReadFile(snapshot)).size() == 54 + 1024 * 768 * 4; }, 10s))
      << bytes.size();
  // The first pixel (blue, green, red): the screen's blue.
  ASSERT_GE(bytes.size(), 57u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[54]), kBlue.b);
  EXPECT_EQ(static_cast<unsigned char>(bytes[55]), kBlue.g);
  EXPECT_EQ(static_cast<unsigned char>(bytes[56]), kBlue.r);
  host->Signal(SIGTERM);
  EXPECT_EQ(host->Wait(2s), std::optional<int>(0));
  EXPECT_TRUE(NoSnapshot());
}

TEST_F(HostedShowTest, TheUsersNoToDesktopImagesGivesWhiteSheets) {
  std::ofstream(home_.path() + "/.xscreensaver") << "mode:\t\tone\ngrabDesktopImages:\tFalse\n";
  MakeDaemonWindow(true);
  auto host = StartHost({"-root"});
  EXPECT_TRUE(WaitUntil([&] { return Shows(kWhite); }, 10s)) << ToString(probe_->Pixel(256, 740));
  host->Signal(SIGTERM);
  EXPECT_EQ(host->Wait(2s), std::optional<int>(0));
}

TEST_F(HostedShowTest, AHostKilledOutrightTakesTheRendererWithIt) {
  MakeDaemonWindow(true);
  auto host = StartHost({"--root"});
  ASSERT_TRUE(WaitUntil([&] { return Shows(kGreen); }, 10s));
  host->Signal(SIGKILL);
  host->Wait(1s);
  EXPECT_TRUE(WaitUntil([&] { return AllGone(); }, 1s)) << "the renderer outlived its host";
}

TEST_F(HostedShowTest, AWindowIdNamingNoWindowEndsAtOnceAndQuietly) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--window-id", "0x7ffffff"}, {"-window-id", "zebra"}}) {
    auto host = StartHost(args);
    EXPECT_EQ(host->Wait(1s), std::optional<int>(0));
    EXPECT_EQ(ReadFile(runtime_.path() + "/stderr.txt"), "");
  }
  env_["XSCREENSAVER_WINDOW"] = "0x7ffffff";
  auto host = StartHost({"--root"});
  EXPECT_EQ(host->Wait(1s), std::optional<int>(0));
  EXPECT_TRUE(AllGone());
}

}  // namespace
