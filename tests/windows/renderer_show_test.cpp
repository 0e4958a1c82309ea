// Quiverglide.dll end to end under Wine on the dummy Xorg: the display goes to
// 1024x768 and back, the show window is found by its caption, the window
// procedure's table holds for messages sent from another program, and the
// loader's error box appears for a broken snapshot.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "snapshot_path.h"
#include "win_process.h"

namespace {

constexpr const char* kShowCaption = "Wobblevista_VC";
constexpr DWORD kStartMs = 20000;  // Wine's first window and GL context are slow
constexpr DWORD kEndMs = 20000;

std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

BOOL CALLBACK CollectStaticText(HWND child, LPARAM out) {
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0]) reinterpret_cast<std::vector<std::string>*>(out)->push_back(text);
  }
  return TRUE;
}

class RendererShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* enabled = std::getenv("QG_WINE_SHOW_TESTS");
    if (!enabled || std::string(enabled) != "1")
      GTEST_SKIP() << "needs the private dummy Xorg of scripts/test-windows.sh";
    ASSERT_TRUE(qg::EnsureSnapshotFolder());
    before_ = wintest::ProbeDisplaySize();
    ASSERT_GT(before_.width, 0);
    ASSERT_NE(before_.width, 1024) << "the server must start at another size, or the switch is invisible";
  }

  void WriteSnapshot(const std::string& bytes) {
    ASSERT_TRUE(wintest::WriteFileBytes(qg::SnapshotFilePath(), bytes));
  }

  // Starts the renderer and waits for its window.
  HWND StartShow(wintest::Program& program) {
    EXPECT_TRUE(program.started()) << "cannot start " << RendererPath();
    return wintest::WaitForWindow(kShowCaption, kStartMs);
  }

  static std::string RendererPath() { return wintest::BinDir() + "\\Quiverglide.dll"; }

  // The show has ended with code 0, its window is gone, the display is back.
  void ExpectCleanEnd(wintest::Program& program) {
    DWORD code = 1234;
    ASSERT_TRUE(program.Wait(kEndMs, &code)) << "the show did not end";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindWindowA(nullptr, kShowCaption), nullptr);
    EXPECT_TRUE(wintest::WaitForDisplaySize(before_.width, before_.height, 5000))
        << "the display did not go back to " << before_.width << "x" << before_.height;
  }

  wintest::DisplaySize before_;
};

TEST_F(RendererShowTest, ShowSwitchesTheDisplayRefusesOtherInputAndEndsOnEscape) {
  WriteSnapshot(Bytes(bmptest::Encode(bmptest::Gradient(320, 240), {})));
  wintest::Program program(RendererPath());
  HWND show = StartShow(program);
  ASSERT_NE(show, nullptr) << "no window captioned Wobblevista_VC";

  char className[64] = {};
  GetClassNameA(show, className, sizeof className);
  EXPECT_STREQ(className, kShowCaption);
  EXPECT_TRUE(wintest::WaitForDisplaySize(1024, 768, 5000)) << "the display was not switched to 1024x768";
  RECT rect{};
  GetWindowRect(show, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 1024);
  EXPECT_EQ(rect.bottom, 768);
  const LONG style = GetWindowLongA(show, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr) << "a good snapshot raised the loader's box";

  // The system's screensaver command is refused, and keys other than Escape,
  // the mouse and a resize leave the show running.
  EXPECT_EQ(SendMessageA(show, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  PostMessageA(show, WM_KEYDOWN, 'A', 0);
  PostMessageA(show, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageA(show, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  PostMessageA(show, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(show, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
  DWORD code = 0;
  EXPECT_FALSE(program.Wait(1500, &code)) << "the show ended on other input, code " << code;
  EXPECT_EQ(FindWindowA(nullptr, kShowCaption), show);

  PostMessageA(show, WM_KEYDOWN, VK_ESCAPE, 0);
  ExpectCleanEnd(program);
}

TEST_F(RendererShowTest, EscapeFromTheKeyboardEndsTheShow) {
  WriteSnapshot(Bytes(bmptest::Encode(bmptest::Gradient(64, 48), {})));
  wintest::Program program(RendererPath());
  HWND show = StartShow(program);
  ASSERT_NE(show, nullptr);
  // Keys go to the window in front, which the show made itself.
  const DWORD start = GetTickCount();
  while (GetForegroundWindow() != show && GetTickCount() - start < 5000) Sleep(50);
  ASSERT_EQ(GetForegroundWindow(), show);
  INPUT keys[4] = {};
  for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = 'Q';
  keys[1].ki.wVk = 'Q';
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[2].ki.wVk = VK_ESCAPE;
  keys[3].ki.wVk = VK_ESCAPE;
  keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
  DWORD code = 0;
  EXPECT_FALSE(program.Wait(1000, &code)) << "a key other than Escape ended the show";
  ASSERT_EQ(SendInput(2, keys + 2, sizeof(INPUT)), 2u);
  ExpectCleanEnd(program);
}

TEST_F(RendererShowTest, CloseRequestFromAnotherProgramEndsTheShowWithoutASnapshot) {
  DeleteFileA(qg::SnapshotFilePath().c_str());
  wintest::Program program(RendererPath());
  HWND show = StartShow(program);
  ASSERT_NE(show, nullptr);
  DWORD code = 0;
  EXPECT_FALSE(program.Wait(1000, &code));
  EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr) << "a missing snapshot must stay silent";
  PostMessageA(show, WM_CLOSE, 0, 0);
  ExpectCleanEnd(program);
}

TEST_F(RendererShowTest, BrokenSnapshotRaisesTheLoaderBoxAndTheShowGoesOn) {
  std::vector<uint8_t> bytes = bmptest::Encode(bmptest::Gradient(64, 48), {});
  bmptest::PutU32(bytes, 14, 108);  // a later header form, which the loader refuses
  WriteSnapshot(Bytes(bytes));
  wintest::Program program(RendererPath());
  ASSERT_TRUE(program.started());
  HWND box = wintest::WaitForWindow("Error", kStartMs, "#32770");
  ASSERT_NE(box, nullptr) << "no message box captioned Error";
  std::vector<std::string> texts;
  EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), "Unknown DIB file format.");
  EXPECT_EQ(GetWindow(box, GW_OWNER), FindWindowA(nullptr, kShowCaption)) << "the box belongs to the show";

  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND show = wintest::WaitForWindow(kShowCaption, kStartMs);
  ASSERT_NE(show, nullptr);
  ASSERT_TRUE(wintest::WaitForNoWindow("Error", 5000));
  DWORD code = 0;
  EXPECT_FALSE(program.Wait(1000, &code)) << "the show ended after the box";
  PostMessageA(show, WM_KEYDOWN, VK_ESCAPE, 0);
  ExpectCleanEnd(program);
}

}  // namespace
