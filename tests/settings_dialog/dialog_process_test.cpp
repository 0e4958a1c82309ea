// "/c" end to end: the real Quiverglide.scr under a private Xvfb, driven by
// real pointer and key events through xdotool (XTest).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "process.h"
#include "test_xserver.h"

namespace {

using namespace std::chrono_literals;

using qgtest::ReadFile;

bool Copy(const std::string& from, const std::string& to, bool executable) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
  out.close();
  return in && out && chmod(to.c_str(), executable ? 0755 : 0644) == 0;
}

class SettingsProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(x.ok()) << x.error();
    ASSERT_TRUE(Copy(qgtest::BinDir() + "/Quiverglide.scr", dir.path() + "/Quiverglide.scr", true));
    ASSERT_TRUE(Copy("/bin/true", dir.path() + "/Quiverglide.dll", true));  // a stand-in renderer
    mkdir((dir.path() + "/fontconfig").c_str(), 0755);
    Copy(qgtest::BinDir() + "/fontconfig/quiverglide-fonts.conf", dir.path() + "/fontconfig/quiverglide-fonts.conf",
         false);
    mkdir((dir.path() + "/bin").c_str(), 0755);
    // Our own xdg-open: records what the dialog asks to open.
    std::ofstream(dir.path() + "/bin/xdg-open") << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << dir.path()
                                                << "/opened.txt\"\n";
    chmod((dir.path() + "/bin/xdg-open").c_str(), 0755);
  }

  std::map<std::string, std::string> Env() {
    const char* path = std::getenv("PATH");
    return {{"DISPLAY", x.display()},
            {"HOME", dir.path()},
            {"XDG_CONFIG_HOME", dir.path() + "/config"},
            {"XDG_RUNTIME_DIR", dir.path()},
            {"PATH", dir.path() + "/bin:" + (path ? path : "/usr/bin:/bin")}};
  }

  // Runs xdotool with the arguments; its standard output.
  std::string Xdo(std::vector<std::string> args) {
    qgtest::ProcessOptions o;
    o.argv = {"/usr/bin/xdotool"};
    o.argv.insert(o.argv.end(), args.begin(), args.end());
    o.env = Env();
    o.stdout_path = dir.path() + "/xdo.out";
    qgtest::Process p(o);
    p.Wait(10s);
    return ReadFile(o.stdout_path);
  }

  std::string FindDialog() {
    for (int i = 0; i < 100; ++i) {
      std::string id = Xdo({"search", "--onlyvisible", "--name", "^<Quiverglide>$"});
      if (!id.empty()) return id.substr(0, id.find('\n'));
      std::this_thread::sleep_for(100ms);
    }
    return {};
  }

  void ClickAt(const std::string& window, int x, int y, int button = 1) {
    Xdo({"mousemove", "--window", window, std::to_string(x), std::to_string(y)});
    std::this_thread::sleep_for(150ms);
    Xdo({"mousemove", "--window", window, std::to_string(x + 1), std::to_string(y)});
    std::this_thread::sleep_for(150ms);
    Xdo({"click", std::to_string(button)});
    std::this_thread::sleep_for(200ms);
  }

  std::unique_ptr<qgtest::Process> Start() {
    qgtest::ProcessOptions o;
    o.argv = {dir.path() + "/Quiverglide.scr", "/c"};
    o.env = Env();
    o.cwd = dir.path();
    o.stderr_path = dir.path() + "/stderr.txt";
    return std::make_unique<qgtest::Process>(o);
  }

  qgtest::TestXServer x;
  qgtest::TempDir dir;
};

TEST_F(SettingsProcess, ChoosesAudioCdWithTrack7AndSaves) {
  auto scr = Start();
  const std::string w = FindDialog();
  ASSERT_FALSE(w.empty()) << ReadFile(dir.path() + "/stderr.txt");
  // Centred across, one third down on the 1024 x 768 screen.
  const std::string geometry = Xdo({"getwindowgeometry", w});
  EXPECT_NE(geometry.find("Position: 264,174"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("Geometry: 496x246"), std::string::npos) << geometry;

  ClickAt(w, 12 + 44 + 12, 16 + 56 + 6, 3);  // the label 音楽CD, with the right button
  ClickAt(w, 12 + 112 + 12, 16 + 52 + 10);   // into the track box
  Xdo({"key", "ctrl+a"});
  Xdo({"type", "7"});
  std::this_thread::sleep_for(200ms);
  ClickAt(w, 316 + 40, 200 + 12);  // 設定
  ASSERT_EQ(scr->Wait(10s), 0);
  EXPECT_EQ(ReadFile(dir.path() + "/Quiverglide.ini"),
            "[Section]\r\nBGM\x8b\xe6\x95\xaa=1\r\nBGM\xd8\xcb\xdf\xb0\xc4=7\r\nBGM\xcc\xa7\xb2\xd9=\r\n");
}

TEST_F(SettingsProcess, LinkOpensItsAddressAndCancelSavesNothing) {
  auto scr = Start();
  const std::string w = FindDialog();
  ASSERT_FALSE(w.empty()) << ReadFile(dir.path() + "/stderr.txt");
  ClickAt(w, 12 + 44 + 12, 16 + 56 + 6);  // a change that must not be saved
  Xdo({"key", "Escape"});                 // no key closes the dialog
  Xdo({"key", "Return"});
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(scr->Running());
  ClickAt(w, 12 + 30, 208 + 6);  // lbl_URL
  std::string opened;
  for (int i = 0; i < 50 && opened.empty(); ++i) {
    std::this_thread::sleep_for(100ms);
    opened = ReadFile(dir.path() + "/opened.txt");
  }
  EXPECT_EQ(opened, QG_HOME_ADDRESS);
  ClickAt(w, 400 + 40, 200 + 12);  // ｷｬﾝｾﾙ
  ASSERT_EQ(scr->Wait(10s), 0);
  struct stat st;
  EXPECT_NE(stat((dir.path() + "/Quiverglide.ini").c_str(), &st), 0);
}

}  // namespace
