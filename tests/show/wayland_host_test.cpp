// Quiverglide.scr on a Wayland desktop: a private headless sway, the programs
// started as they are installed, real pointer and key events.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "host_install.h"
#include "settings_bytes.h"
#include "test_sway.h"

namespace {

using namespace std::chrono_literals;
using qgtest::RgbPicture;
using qgtest::WaitUntil;

const unsigned char kDesktop[3] = {0x30, 0x60, 0xc0};

class WaylandHost : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qgtest::TestSway::Available()) GTEST_SKIP() << "needs root, sway, grim and wtype";
    prctl(PR_SET_CHILD_SUBREAPER, 1);  // what the programs leave behind comes to us
    sway = std::make_unique<qgtest::TestSway>(1024, 768, "#3060c0", "output * bg #3060c0 solid_color\ndefault_floating_border none");
    ASSERT_TRUE(sway->ok()) << sway->error();
    // A pointer for the seat, so that the cursor commands reach the clients.
    qgtest::ProcessOptions o{{QG_VIRTUAL_POINTER}, sway->ClientEnv(), {}, "", dir.path() + "/pointer"};
    pointer = std::make_unique<qgtest::Process>(o);
    ASSERT_TRUE(WaitUntil([&] { return qgtest::ReadFile(o.stdout_path) == "ready\n"; }, 10s));
  }
  // A program folder whose programs see only this desktop.
  std::unique_ptr<hosttest::HostInstall> Install(const std::string& renderer) {
    auto host = std::make_unique<hosttest::HostInstall>("", renderer);
    host->env.erase("DISPLAY");
    host->env.erase("QT_QPA_PLATFORM");
    host->env["WAYLAND_DISPLAY"] = sway->socket();
    return host;
  }
  RgbPicture Shot(const std::string& output) {
    RgbPicture p;
    EXPECT_TRUE(sway->Screenshot(&p, output));
    return p;
  }
  // The seat's "set" only enters the surface there; the last pixel is a move.
  void Pointer(int x, int y) {
    sway->Msg({"seat", "seat0", "cursor", "set", std::to_string(x - 1), std::to_string(y)});
    sway->Msg({"seat", "seat0", "cursor", "move", "1", "0"});
  }
  void Click(int x, int y) {
    Pointer(x, y);
    std::this_thread::sleep_for(200ms);
    sway->Msg({"seat", "seat0", "cursor", "press", "button1"});
    sway->Msg({"seat", "seat0", "cursor", "release", "button1"});
    std::this_thread::sleep_for(300ms);
  }
  qgtest::TempDir dir;
  std::unique_ptr<qgtest::TestSway> sway;
  std::unique_ptr<qgtest::Process> pointer;
};

// Pixels of a picture, counted by a test of their red, green, blue.
template <class F>
long Count(const RgbPicture& p, F test) {
  long n = 0;
  for (size_t i = 0; i + 2 < p.rgb.size(); i += 3) n += test(p.rgb[i], p.rgb[i + 1], p.rgb[i + 2]);
  return n;
}
bool Desktop(int r, int g, int b) { return r == kDesktop[0] && g == kDesktop[1] && b == kDesktop[2]; }
bool Black(int r, int g, int b) { return r + g + b == 0; }
long Pixels(const RgbPicture& p) { return long(p.width) * p.height; }

// The rows of a rectangle, to compare one look of it with another.
std::string Area(const RgbPicture& p, int x, int y, int w, int h) {
  std::string bytes;
  for (int row = y; row < y + h; ++row) bytes.append(reinterpret_cast<const char*>(p.At(x, row)), size_t(w) * 3);
  return bytes;
}

// A process still there (a zombie of ours is reaped first).
bool Alive(long pid) {
  waitpid(pid_t(pid), nullptr, WNOHANG);
  return pid > 0 && kill(pid_t(pid), 0) == 0;
}
// The first process whose command line starts with `program`, or -1.
long Find(const std::string& program) {
  DIR* d = opendir("/proc");
  long found = -1;
  while (dirent* e = d ? readdir(d) : nullptr) {
    const long pid = std::atol(e->d_name);
    if (pid > 0 && qgtest::ReadFile("/proc/" + std::string(e->d_name) + "/cmdline").rfind(program + '\0', 0) == 0)
      found = pid;
  }
  if (d) closedir(d);
  return found;
}

TEST_F(WaylandHost, SettingsAreANativeWindowThatSavesByAClickAndRefusesEveryOtherStart) {
  auto host = Install("/bin/true");
  std::ofstream(host->Folder() + "/Quiverglide.ini", std::ios::binary) << qgtest::SettingsText("0", "7", "");
  auto scr = host->Start({"/c"});
  std::string tree;
  ASSERT_TRUE(WaitUntil([&] { return (tree = sway->Msg({"-t", "get_tree"})).find("\"<Quiverglide>\"") != std::string::npos; }, 15s));
  const size_t name = tree.find("\"<Quiverglide>\"");
  const std::string node = tree.substr(tree.rfind("\"rect\"", name), tree.find("\"shell\"", name) + 30 - tree.rfind("\"rect\"", name));
  EXPECT_NE(node.find("\"app_id\": \"quiverglide-settings\""), std::string::npos) << node;
  EXPECT_NE(node.find("\"shell\": \"xdg_shell\""), std::string::npos) << node;
  // Floating at its designed size (sway floats a window whose size is fixed).
  int x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(std::sscanf(node.c_str(), "\"rect\": { \"x\": %d, \"y\": %d, \"width\": %d, \"height\": %d", &x, &y, &w, &h), 4);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(496, 246));

  // The open dialog refuses another start of the session, silently (without a
  // renderer beside it a start that went on would stop at its message); a
  // preview has no X window to live in here and ends as quietly.
  auto other = Install("");
  for (std::vector<std::string> args : {std::vector<std::string>{"/s"}, {"/p", "1234"}}) {
    const auto rc = other->Start(args, {{"XDG_RUNTIME_DIR", host->env["XDG_RUNTIME_DIR"]}})->Wait(10s);
    ASSERT_TRUE(rc.has_value()) << args[0] << " went on beside the open dialog";
    EXPECT_EQ(*rc, 0);
  }

  // The pointer over 設定 lights it; leaving the window (a move Wayland tells
  // us nothing of but the leave) puts it back within the button's watch.
  const int sx = x + 316, sy = y + 200;
  const std::string rest = Area(Shot("HEADLESS-1"), sx, sy, 36, 25);
  Pointer(sx + 40, sy + 12);
  std::string lit;
  EXPECT_TRUE(WaitUntil([&] { return (lit = Area(Shot("HEADLESS-1"), sx, sy, 36, 25)) != rest; }, 5s));
  std::this_thread::sleep_for(500ms);  // the watch has looked a few times since
  EXPECT_EQ(Area(Shot("HEADLESS-1"), sx, sy, 36, 25), lit) << "put out under the pointer";
  Pointer(x + w + 100, y + h + 100);
  EXPECT_TRUE(WaitUntil([&] { return Area(Shot("HEADLESS-1"), sx, sy, 36, 25) == rest; }, 5s)) << "still lit";

  Click(x + 12 + 44 + 12, y + 16 + 56 + 6);  // the label 音楽CD; the track box keeps its 7
  Click(sx + 40, sy + 12);                   // 設定
  ASSERT_EQ(scr->Wait(10s), 0);
  EXPECT_EQ(qgtest::ReadFile(host->Folder() + "/Quiverglide.ini"), qgtest::SettingsText("1", "7", ""));
}

}  // namespace
