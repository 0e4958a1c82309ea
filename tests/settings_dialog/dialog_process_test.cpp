// "/c" end to end: the real Quiverglide.scr under a private Xvfb, driven by
// real pointer and key events through xdotool (XTest).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "host_install.h"
#include "process.h"
#include "settings_bytes.h"
#include "test_xserver.h"

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

  void ClickAt(const std::string& window, int x, int y, int button = 1) {
    Xdo({"mousemove", "--window", window, std::to_string(x), std::to_string(y)});
    std::this_thread::sleep_for(150ms);
    Xdo({"mousemove", "--window", window, std::to_string(x + 1), std::to_string(y)});
    std::this_thread::sleep_for(150ms);
    Xdo({"click", std::to_string(button)});
    std::this_thread::sleep_for(200ms);
  }

  qgtest::TestXServer x;
  HostInstall host{x.display(), "/bin/true"};  // a stand-in renderer
};

TEST_F(SettingsProcess, ChoosesAudioCdWithTrack7AndSavesThenCancelSavesNothing) {
  auto scr = host.Start({"/c"});
  std::string w = FindDialog();
  ASSERT_FALSE(w.empty()) << "no settings dialog";
  // Centred across, one third down on the 1024 x 768 screen.
  const std::string geometry = Xdo({"getwindowgeometry", w});
  EXPECT_NE(geometry.find("Position: 264,174"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("Geometry: 496x246"), std::string::npos) << geometry;
  // The open dialog is a marker itself: a second start of any kind ends at once
  // (without a renderer beside it, one that went on would stop at its message).
  HostInstall other(x.display(), "");
  const auto second = other.Start({"/s"})->Wait(10s);
  ASSERT_TRUE(second.has_value()) << "a second start went on beside the open dialog";
  EXPECT_EQ(*second, 0);

  ClickAt(w, 12 + 44 + 12, 16 + 56 + 6, 3);  // the label 音楽CD, with the right button
  ClickAt(w, 12 + 112 + 12, 16 + 52 + 10);   // into the track box
  Xdo({"key", "ctrl+a"});
  Xdo({"type", "7"});
  std::this_thread::sleep_for(200ms);
  ClickAt(w, 316 + 40, 200 + 12);  // 設定
  ASSERT_EQ(scr->Wait(10s), 0);
  const std::string saved = qgtest::SettingsText("1", "7", "");
  EXPECT_EQ(ReadFile(Ini()), saved);

  scr = host.Start({"/c"});
  w = FindDialog();
  ASSERT_FALSE(w.empty()) << "no settings dialog the second time";
  ClickAt(w, 12 + 44 + 12, 16 + 76 + 6);  // なし: a change that must not be saved
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
}

}  // namespace
