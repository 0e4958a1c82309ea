// "/c" end to end: the real Quiverglide.scr under a private Xvfb, driven by
// real pointer and key events through xdotool (XTest), at the desktop's scale;
// and the starts its marker windows refuse.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "host_install.h"
#include "process.h"
#include "settings_bytes.h"
#include "test_xserver.h"
#include "x_client.h"

namespace {

using namespace std::chrono_literals;
using hosttest::HostInstall;
using qgtest::ReadFile;

class SettingsProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(x.ok()) << x.error();
    // Our own xdg-open first on the path: records what the dialog asks to open.
    const std::string bin = host.Scratch() + "/bin";
    mkdir(bin.c_str(), 0755);
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << Opened() << "\"\n";
    chmod((bin + "/xdg-open").c_str(), 0755);
    const char* path = std::getenv("PATH");
    host.env["PATH"] = bin + ":" + (path ? path : "/usr/bin:/bin");
  }

  std::string Opened() const { return host.Scratch() + "/opened.txt"; }
  std::string Ini() const { return host.Folder() + "/Quiverglide.ini"; }

  // Runs xdotool with the arguments; its standard output.
  std::string Xdo(std::vector<std::string> args) {
    qgtest::ProcessOptions o;
    o.argv = {"/usr/bin/xdotool"};
    o.argv.insert(o.argv.end(), args.begin(), args.end());
    o.env = host.env;
    o.stdout_path = host.Scratch() + "/xdo.out";
    qgtest::Process(o).Wait(10s);
    return ReadFile(o.stdout_path);
  }

  std::string FindDialog() {
    std::string id;
    qgtest::WaitUntil([&] { return !(id = Xdo({"search", "--onlyvisible", "--name", "^<Quiverglide>$"})).empty(); },
                      10s);
    return id.substr(0, id.find('\n'));
  }

  // Every kind of start ends at once beside a marker window (without a
  // renderer beside it, one that went on would stop at its message instead).
  void ExpectEveryStartRefused(const std::string& marker) {
    HostInstall other(x.display(), "");
    for (std::vector<std::string> args :
         {std::vector<std::string>{"/s"}, {"/c"}, {"/p", "1234"}, {}, {"/a"}, {"-S"}}) {
      const auto rc = other.Start(args)->Wait(10s);
      ASSERT_TRUE(rc.has_value()) << "a start with " << (args.empty() ? "nothing" : args[0]) << " went on beside "
                                  << marker;
      EXPECT_EQ(*rc, 0);
    }
  }

  // A design pixel is `scale` device pixels.
  int Scaled(double design) const { return int(std::lround(design * scale)); }

  // To a point of the design (its pixels at 100 %), in two steps: a move the program sees.
  void MoveTo(const std::string& window, double x, double y) {
    Xdo({"mousemove", "--window", window, std::to_string(Scaled(x)), std::to_string(Scaled(y))});
    std::this_thread::sleep_for(150ms);
    Xdo({"mousemove", "--window", window, std::to_string(Scaled(x + 1)), std::to_string(Scaled(y))});
    std::this_thread::sleep_for(150ms);
  }
  void ClickAt(const std::string& window, int x, int y, int button = 1) {
    MoveTo(window, x, y);
    Xdo({"click", std::to_string(button)});
    std::this_thread::sleep_for(200ms);
  }

  double scale = 1;
  qgtest::TestXServer x;
  qgtest::XClient xc{x.display()};
  HostInstall host{x.display(), "/bin/true"};  // a stand-in renderer
};

// At 100 %, 200 % and 150 % (Xft.dpi 96, 192, 144) the dialog is its design
// drawn larger: found and clicked at the scaled places, saving as at 100 %.
TEST_F(SettingsProcess, AtEveryDesktopScaleChoosesAudioCdWithTrack7AndSavesThenCancelSavesNothing) {
  const struct {
    int dpi;
    double scale;
    int left, top;  // centred across, one third down on the 1024 x 768 screen
    const char* size;
  } scales[] = {{96, 1, 264, 174, "496x246"}, {192, 2, 16, 92, "992x492"}, {144, 1.5, 140, 134, "744x369"}};
  const std::string saved = qgtest::SettingsText("1", "7", "");
  std::vector<int> shown[2];  // the dialog read back at 100 % and at 200 %
  std::unique_ptr<qgtest::Process> scr;
  std::string w;
  for (const auto& s : scales) {
    SCOPED_TRACE("Xft.dpi " + std::to_string(s.dpi));
    scale = s.scale;
    xc.SetDesktopDpi(s.dpi);
    std::remove(Ini().c_str());
    Xdo({"mousemove", "900", "700"});  // off the dialog at every scale
    XSelectInput(xc.display(), DefaultRootWindow(xc.display()), SubstructureNotifyMask);
    XSync(xc.display(), False);
    scr = host.Start({"/c"});
    w = FindDialog();
    ASSERT_FALSE(w.empty()) << "no settings dialog";
    const std::string geometry = Xdo({"getwindowgeometry", w});
    const std::string place = std::to_string(s.left) + "," + std::to_string(s.top);
    EXPECT_NE(geometry.find("Position: " + place), std::string::npos) << geometry;
    EXPECT_NE(geometry.find(std::string("Geometry: ") + s.size), std::string::npos) << geometry;
    // The opening zoom grows from the pointer: its first outline is there (to
    // the pixel: 700 is 466.67 of Qt's pixels at 150 %).
    bool zoom_from_pointer = false;
    for (XEvent e; XPending(xc.display());) {
      XNextEvent(xc.display(), &e);
      const XCreateWindowEvent& c = e.xcreatewindow;
      zoom_from_pointer |= e.type == CreateNotify && c.override_redirect && std::abs(c.x - 900) <= 1 &&
                           std::abs(c.y - 700) <= 1 && c.width == Scaled(4) && c.height == Scaled(4);
    }
    EXPECT_TRUE(zoom_from_pointer);
    XSelectInput(xc.display(), DefaultRootWindow(xc.display()), NoEventMask);
    if (s.scale != 1.5) {
      std::vector<int>& pixels = shown[s.scale == 2];
      qgtest::WaitUntil([&] {  // until drawn: two read-backs alike
        std::vector<int> now;
        xc.ReadScreen(s.left, s.top, Scaled(496), Scaled(246),
                      [&](int r, int g, int b) { now.insert(now.end(), {r, g, b}); });
        return std::exchange(pixels, now) == now;
      }, 5s);
    }
    ExpectEveryStartRefused("the open dialog");

    // Under the pointer ｷｬﾝｾﾙ lights up (its frame's band turns orange); the
    // 100 ms look-out finds the pointer gone and puts its face back.
    auto band_blue = [&] {
      int blue = 0;
      xc.ReadScreen(s.left + Scaled(440), s.top + Scaled(203), 1, 1, [&](int, int, int b) { blue = b; });
      return blue;
    };
    MoveTo(w, 440, 212);
    EXPECT_TRUE(qgtest::WaitUntil([&] { return band_blue() < 0xB0; }, 2s)) << "no hover look";
    MoveTo(w, 440, 236);
    EXPECT_TRUE(qgtest::WaitUntil([&] { return band_blue() > 0xE0; }, 2s)) << "the hover look stays";

    ClickAt(w, 12 + 44 + 12, 16 + 56 + 6, 3);  // the label 音楽CD, with the right button
    ClickAt(w, 12 + 112 + 12, 16 + 52 + 10);   // into the track box
    Xdo({"key", "ctrl+a"});
    Xdo({"type", "7"});
    std::this_thread::sleep_for(200ms);
    ClickAt(w, 316 + 40, 200 + 12);  // 設定
    ASSERT_EQ(scr->Wait(10s), 0);
    EXPECT_EQ(ReadFile(Ini()), saved);
  }
  // 200 % against 100 % scaled by two: close, and drawn at the device's
  // resolution (most 2 x 2 squares hold more than one colour).
  ASSERT_EQ(shown[1].size(), shown[0].size() * 4);
  auto at200 = [&](int x, int y, int c) { return shown[1][(y * 992 + x) * 3 + c]; };
  long difference = 0, squares = 0, mixed = 0;
  for (int y = 0; y < 492; y += 2)
    for (int x = 0; x < 992; x += 2, ++squares) {
      bool one_colour = true;
      for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 4; ++k) {
          difference += std::abs(at200(x + k % 2, y + k / 2, c) - shown[0][(y / 2 * 496 + x / 2) * 3 + c]);
          one_colour &= at200(x + k % 2, y + k / 2, c) == at200(x, y, c);
        }
      mixed += !one_colour;
    }
  EXPECT_LT(difference / double(squares * 12), 8.0) << "200 % does not look like 100 % scaled by two";
  EXPECT_GT(mixed * 3, squares * 2) << "200 % is blocky: 100 % enlarged";

  // Then, still at 150 %, changes that must not be saved.
  scr = host.Start({"/c"});
  w = FindDialog();
  ASSERT_FALSE(w.empty()) << "no settings dialog the second time";
  ClickAt(w, 12 + 44 + 12, 16 + 76 + 6);  // なし
  Xdo({"key", "Escape"});                 // no key closes the dialog
  Xdo({"key", "Return"});
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(scr->Running());
  ClickAt(w, 12 + 30, 208 + 6);  // lbl_URL
  std::string opened;
  qgtest::WaitUntil([&] { return !(opened = ReadFile(Opened())).empty(); }, 5s);
  EXPECT_EQ(opened, QG_HOME_ADDRESS);
  ClickAt(w, 400 + 40, 200 + 12);  // ｷｬﾝｾﾙ
  ASSERT_EQ(scr->Wait(10s), 0);
  EXPECT_EQ(ReadFile(Ini()), saved);
  // And the window manager's close button.
  scr = host.Start({"/c"});
  w = FindDialog();
  ASSERT_FALSE(w.empty()) << "no settings dialog the third time";
  ClickAt(w, 12 + 44 + 12, 16 + 76 + 6);  // なし
  xc.SendDeleteWindow(std::stoul(w));
  ASSERT_EQ(scr->Wait(10s), 0);
  EXPECT_EQ(ReadFile(Ini()), saved);

  // The hidden run form's caption is the show's marker.
  const Window run = XCreateSimpleWindow(xc.display(), DefaultRootWindow(xc.display()), 0, 0, 10, 10, 0, 0, 0);
  XStoreName(xc.display(), run, "Wobblevista_Main");
  XSync(xc.display(), False);
  ExpectEveryStartRefused("the run form");
  XDestroyWindow(xc.display(), run);
  XSync(xc.display(), False);
  // With no marker and no renderer: the message, and the end once it is closed.
  HostInstall bare(x.display(), "");
  scr = bare.Start({"/s"});
  const Window box = xc.WaitForWindow("Quiverglide", 10s);
  ASSERT_NE(box, 0u) << "no message that the renderer is missing";
  EXPECT_TRUE(scr->Running());
  xc.SendDeleteWindow(box);
  EXPECT_EQ(scr->Wait(10s), 0);
}

}  // namespace
