// Quiverglide.scr on a Wayland desktop: a private headless sway, the programs
// started as they are installed, real pointer and key events.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "host_install.h"
#include "session_marker.h"
#include "settings_bytes.h"
#include "test_sway.h"

namespace {

using namespace std::chrono_literals;
using qgtest::RgbPicture;
using qgtest::WaitUntil;

// Pixels of a picture, counted by a test of their red, green, blue.
template <class F>
long Count(const RgbPicture& p, F test) {
  long n = 0;
  for (size_t i = 0; i + 2 < p.rgb.size(); i += 3) n += test(p.rgb[i], p.rgb[i + 1], p.rgb[i + 2]);
  return n;
}
bool Desktop(int r, int g, int b) { return r == 0x30 && g == 0x60 && b == 0xc0; }
bool Black(int r, int g, int b) { return r + g + b == 0; }
// The show: the desktop's colour on much of the sheets, and the dark distance
// between them, which the live desktop has none of, in the output's middle
// (where it lies once the show is scaled to fill the output).
bool ShowsThePhotograph(const RgbPicture& p) {
  const long all = long(p.width) * p.height;
  const unsigned char* middle = p.width > 0 ? p.At(p.width / 2, p.height * 423 / 768) : nullptr;
  return Count(p, [](int r, int g, int b) { return b > 2 * r && b > g + 30; }) * 4 > all &&
         Count(p, [](int r, int g, int b) { return r + g + b < 60; }) * 50 > all && middle[0] + middle[1] + middle[2] < 60;
}
// The rows of a rectangle, to compare one look of it with another.
std::string Area(const RgbPicture& p, int x, int y, int w, int h) {
  std::string bytes;
  for (int row = y; row < y + h; ++row) bytes.append(reinterpret_cast<const char*>(p.At(x, row)), size_t(w) * 3);
  return bytes;
}
// A process running `program` (a zombie runs nothing), else 0.
long Find(const std::string& program) { return std::atol(qgtest::RunCapture({"/usr/bin/pgrep", "-f", "^" + program}, {}).c_str()); }

class WaylandHost : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qgtest::TestSway::Available()) GTEST_SKIP() << "needs root, sway, grim and wtype";
    prctl(PR_SET_CHILD_SUBREAPER, 1);  // what the programs leave behind comes to us
    sway = std::make_unique<qgtest::TestSway>(1024, 768, "#3060c0", "output * bg #3060c0 solid_color\ndefault_floating_border none");
    ASSERT_TRUE(sway->ok()) << sway->error();
    // A pointer for the seat, so that the cursor commands reach the clients.
    qgtest::ProcessOptions o{{QG_VIRTUAL_POINTER}, sway->ClientEnv(), {}, "", dir.path() + "/pointer", ""};
    pointer = std::make_unique<qgtest::Process>(o);
    ASSERT_TRUE(WaitUntil([&] { return qgtest::ReadFile(o.stdout_path) == "ready\n"; }, 10s));
  }
  // A program folder whose programs see only this desktop (Qt's platform set to X11 is overruled).
  std::unique_ptr<hosttest::HostInstall> Install(const std::string& renderer) {
    auto host = std::make_unique<hosttest::HostInstall>("", renderer);
    host->env.erase("DISPLAY");
    host->env["WAYLAND_DISPLAY"] = sway->socket();
    return host;
  }
  RgbPicture Shot(const std::string& output) {
    RgbPicture p;
    EXPECT_TRUE(sway->Screenshot(&p, output));
    return p;
  }
  // One colour but for the pointer's image, which the compositor draws into the picture.
  template <class F>
  bool Plain(const std::string& output, F colour) {
    const RgbPicture p = Shot(output);
    return Count(p, colour) + 32 * 32 >= long(p.width) * p.height;
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

// At an output's scale of 1 and of 2: the same layout in the desktop's
// pixels, drawn at twice the device's pixels.
class WaylandDialog : public WaylandHost, public ::testing::WithParamInterface<int> {};

TEST_P(WaylandDialog, SettingsAreANativeWindowThatSavesByAClickAndRefusesEveryOtherStart) {
  const int k = GetParam();
  if (k != 1) sway->Msg({"output", "HEADLESS-1", "mode", std::to_string(1024 * k) + "x" + std::to_string(768 * k), "scale", std::to_string(k)});
  auto host = Install("/bin/true");
  std::ofstream(host->Folder() + "/Quiverglide.ini", std::ios::binary) << qgtest::SettingsText("0", "7", "");
  auto scr = host->Start({"/c"});
  std::string tree;
  ASSERT_TRUE(WaitUntil([&] { return (tree = sway->Msg({"-t", "get_tree"})).find("\"<Quiverglide>\"") != std::string::npos; }, 15s));
  const size_t at = tree.rfind("\"rect\"", tree.find("\"<Quiverglide>\""));
  const std::string node = tree.substr(at, tree.find("\"shell\"", at) + 30 - at);
  EXPECT_NE(node.find("\"app_id\": \"quiverglide-settings\""), std::string::npos) << node;
  EXPECT_NE(node.find("\"shell\": \"xdg_shell\""), std::string::npos) << node;
  // Floating at its designed size (sway floats a window whose size is fixed).
  int x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(std::sscanf(node.c_str(), "\"rect\": { \"x\": %d, \"y\": %d, \"width\": %d, \"height\": %d", &x, &y, &w, &h), 4);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(496, 246));
  // Its device pixels across its middle and down it, once it is drawn.
  const auto size = [&] {
    const RgbPicture p = Shot("HEADLESS-1");
    int across = 0, down = 0;
    for (int i = 0; i < p.width; ++i) across += !Desktop(p.At(i, k * (y + h / 2))[0], p.At(i, k * (y + h / 2))[1], p.At(i, k * (y + h / 2))[2]);
    for (int i = 0; i < p.height; ++i) down += !Desktop(p.At(k * (x + w / 2), i)[0], p.At(k * (x + w / 2), i)[1], p.At(k * (x + w / 2), i)[2]);
    return std::make_pair(across, down);
  };
  std::pair<int, int> drawn;
  EXPECT_TRUE(WaitUntil([&] { return (drawn = size()) == std::make_pair(496 * k, 246 * k); }, 5s)) << drawn.first << " x " << drawn.second;
  // Its caption is where other programs of the session find the window.
  setenv("XDG_RUNTIME_DIR", host->env["XDG_RUNTIME_DIR"].c_str(), 1);
  const auto shown = [&] { return qg::SessionMarkerHeld(qg::SessionOfWaylandDisplay(sway->socket()), "<Quiverglide>"); };
  EXPECT_TRUE(shown());

  // The open dialog refuses another start of the session, silently (without a
  // renderer beside it a start that went on would stop at its message); a
  // preview has no X window to live in here and ends as quietly.
  for (std::vector<std::string> args : {std::vector<std::string>{"/s"}, {"/p", "1234"}}) {
    const auto rc = Install("")->Start(args, {{"XDG_RUNTIME_DIR", host->env["XDG_RUNTIME_DIR"]}})->Wait(10s);
    EXPECT_EQ(rc, std::optional<int>(0)) << args[0] << " went on beside the open dialog";
  }

  // The pointer over 設定 lights it, also while it rests there; leaving the
  // window (a move Wayland tells us nothing of but the leave) puts it out.
  const int sx = x + 316, sy = y + 200;
  const auto button = [&] { return Area(Shot("HEADLESS-1"), k * sx, k * sy, k * 36, k * 25); };
  const std::string rest = button();
  Pointer(sx + 40, sy + 12);
  std::string lit;
  EXPECT_TRUE(WaitUntil([&] { return (lit = button()) != rest; }, 5s));
  std::this_thread::sleep_for(500ms);  // the button's 100 ms watch has looked since
  EXPECT_EQ(button(), lit) << "put out under the pointer";
  Pointer(x + w + 100, y + h + 100);
  EXPECT_TRUE(WaitUntil([&] { return button() == rest; }, 5s)) << "still lit";

  Click(x + 12 + 44 + 12, y + 16 + 56 + 6);  // the label 音楽CD; the track box keeps its 7
  Click(sx + 40, sy + 12);                   // 設定
  ASSERT_EQ(scr->Wait(10s), 0);
  EXPECT_EQ(qgtest::ReadFile(host->Folder() + "/Quiverglide.ini"), qgtest::SettingsText("1", "7", ""));
  EXPECT_FALSE(shown());
}

INSTANTIATE_TEST_SUITE_P(AtScale, WaylandDialog, ::testing::Values(1, 2));

// The show scaled from its 1024 x 768 over a larger first output, the other
// outputs black (one added during the show too), the session's mark and the
// compositor's idle timers held, only Escape ending it; then a renderer on
// the full-screen toplevel instead of the layer shell, killed outright; then
// a show the idle daemon starts, ended by SIGTERM to the host.
TEST_F(WaylandHost, ShowFillsTheFirstOutputCoversTheOthersAndEndsWithEscapeItsRendererOrSigterm) {
  sway->Msg({"output", "HEADLESS-1", "mode", "1280x960"});
  sway->Msg({"create_output"});  // HEADLESS-2, right of the first
  auto host = Install(qgtest::BinDir() + "/Quiverglide.dll");
  const std::string renderer = host->Folder() + "/Quiverglide.dll";
  setenv("XDG_RUNTIME_DIR", host->env["XDG_RUNTIME_DIR"].c_str(), 1);  // where the marks are looked for
  const auto marked = [&] { return qg::SessionMarkerHeld(qg::SessionOfWaylandDisplay(sway->socket()), "Wobblevista_VC"); };
  auto scr = host->Start({"/s"});
  RgbPicture first;
  ASSERT_TRUE(WaitUntil([&] { return ShowsThePhotograph(first = Shot("HEADLESS-1")); }, 20s)) << "no show";
  const auto up = std::chrono::steady_clock::now();  // the renderer has started by now
  EXPECT_TRUE(WaitUntil([&] { return Shot("HEADLESS-1").rgb != first.rgb; }, 5s)) << "the picture stands still";
  EXPECT_TRUE(WaitUntil([&] { return Plain("HEADLESS-2", Black); }, 10s));
  EXPECT_TRUE(marked());
  sway->Msg({"create_output"});  // HEADLESS-3 during the show
  EXPECT_TRUE(WaitUntil([&] { return Plain("HEADLESS-3", Black); }, 10s));
  // However idle the user, the compositor's idle timers wait for the show.
  const std::string idled = dir.path() + "/idled";
  qgtest::Process idle({{"/usr/bin/swayidle", "-w", "timeout", "1", "touch " + idled}, host->env, {"DISPLAY"}, "", "", ""});
  sway->PressKey("a");
  // A second show of the session refuses to run beside this one.
  const auto second = Install("")->Start({"/s"}, {{"XDG_RUNTIME_DIR", host->env["XDG_RUNTIME_DIR"]}})->Wait(10s);
  EXPECT_EQ(second, std::optional<int>(0));
  // Past the renderer's start limit too: the host has seen the show's window.
  std::this_thread::sleep_until(std::max(up + 10500ms, std::chrono::steady_clock::now() + 2500ms));
  EXPECT_NE(access(idled.c_str(), F_OK), 0) << "idle during the show";
  EXPECT_TRUE(scr->Running()) << "the show ended on another key or at the start limit";

  Pointer(1800, 300);  // over the second output: Escape still ends the show
  ASSERT_TRUE(sway->PressKey("Escape"));
  ASSERT_EQ(scr->Wait(10s), 0);
  for (const char* output : {"HEADLESS-1", "HEADLESS-2", "HEADLESS-3"})
    EXPECT_TRUE(WaitUntil([&] { return Plain(output, Desktop); }, 5s)) << output;
  EXPECT_EQ(Find(renderer), 0);
  EXPECT_FALSE(marked());
  EXPECT_NE(access(host->SnapshotPath().c_str(), F_OK), 0) << "the snapshot outlived the show";
  EXPECT_TRUE(WaitUntil([&] { return access(idled.c_str(), F_OK) == 0; }, 5s));

  // A renderer killed outright ends the show as well, and leaves nothing on the screen.
  scr = host->Start({"/s"}, {{"QG_WAYLAND_SHELL", "xdg"}});
  ASSERT_TRUE(WaitUntil([&] { return ShowsThePhotograph(Shot("HEADLESS-1")); }, 20s));
  EXPECT_NE(sway->Msg({"-t", "get_tree"}).find("\"Wobblevista_VC\""), std::string::npos);  // a window's title
  const long killed = Find(renderer);
  ASSERT_GT(killed, 0);
  kill(pid_t(killed), SIGKILL);
  EXPECT_EQ(scr->Wait(3s), 0);
  EXPECT_FALSE(marked());
  EXPECT_TRUE(WaitUntil([&] { return Plain("HEADLESS-1", Desktop); }, 5s));

  // Started by the idle daemon after two idle seconds, as a session would;
  // SIGTERM to the host ends all.
  const std::string program = host->Folder() + "/Quiverglide.scr";
  qgtest::Process starter({{"/usr/bin/swayidle", "-w", "timeout", "2", program + " /s"}, host->env, {"DISPLAY"}, "", "", ""});
  ASSERT_TRUE(WaitUntil([&] { return ShowsThePhotograph(Shot("HEADLESS-1")); }, 30s)) << "no show after 2 idle seconds";
  const long pid = Find(program);
  ASSERT_GT(pid, 0);
  ASSERT_GT(Find(renderer), 0);
  kill(pid_t(pid), SIGTERM);
  EXPECT_TRUE(WaitUntil([&] { return Find(program) == 0 && Find(renderer) == 0; }, 3s));
  EXPECT_TRUE(WaitUntil([&] { return Plain("HEADLESS-1", Desktop); }, 5s));
}

}  // namespace
