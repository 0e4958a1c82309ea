// Quiverglide.scr end to end under Wine on the dummy Xorg, driven as the
// system drives a screensaver: "/s" photographs the desktop, switches the
// display and shows, and Escape puts everything back; "/c" opens the dialog,
// which keeps a second start out and saves in code page 932; "/p" lives in
// the given window and ends with it. Measured in real pixels throughout.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings_bytes.h"
#include "snapshot_path.h"
#include "win_process.h"

namespace {

constexpr DWORD kStartMs = 20000;  // Wine's first windows and GL context are slow
constexpr DWORD kEndMs = 20000;

std::string ScrPath() { return wintest::ProgramDir() + "\\Quiverglide.scr"; }

// The thread's DPI awareness, so that the test measures in real pixels;
// looked up at run time, as Windows before 10 1607 lacks it.
using SetDpiContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
const SetDpiContext SetThreadDpi = reinterpret_cast<SetDpiContext>(
    GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext"));

// A resource of a program file: the manifest (1 of type 24) or the version block.
std::string ManifestOf(const std::string& program) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "<cannot open " + program + ">";
  std::string text = "<no manifest>";
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    HGLOBAL loaded = LoadResource(module, found);
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes) text.assign(bytes, SizeofResource(module, found));
  }
  FreeLibrary(module);
  return text;
}

std::string VersionString(const std::string& program, const char* name) {
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeA(program.c_str(), &ignored), '\0');
  char* value = nullptr;
  UINT length = 0;
  const std::string query = std::string("\\StringFileInfo\\041104B0\\") + name;
  if (block.empty() || !GetFileVersionInfoA(program.c_str(), 0, DWORD(block.size()), &block[0]) ||
      !VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return "<missing>";
  return value;
}

// A window of this test's own, of a class painting red or white.
HWND MakeWindow(bool red, DWORD style, int x, int y, int w, int h) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = red ? "QgRed" : "QgWhite";
  wc.hbrBackground = red ? CreateSolidBrush(RGB(255, 40, 0)) : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassA(&wc);
  return CreateWindowExA(red ? WS_EX_TOPMOST : 0, wc.lpszClassName, wc.lpszClassName, style | WS_VISIBLE, x, y, w,
                         h, nullptr, nullptr, wc.hInstance, nullptr);
}

// Handles this test's own windows' messages for a while.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  } while (GetTickCount() - start < ms);
}

class ScrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!wintest::RunHas("QG_WINE_SHOW_TESTS")) GTEST_SKIP() << "needs the private dummy Xorg of scripts/test-windows.sh";
    before_ = wintest::ProbeDisplaySize();
    ASSERT_GT(before_.width, 0);
    ASSERT_NE(before_.width, 1024) << "the server must start at another size, or the switch is invisible";
    ASSERT_NE(SetThreadDpi, nullptr);
    awareness_ = SetThreadDpi(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  }
  void TearDown() override {
    if (awareness_) SetThreadDpi(awareness_);
  }
  wintest::DisplaySize before_;
  DPI_AWARENESS_CONTEXT awareness_ = nullptr;
};

// Started as Windows may start a screensaver from System32: by its 8.3 short
// path, in another current folder. On a scaled display (one pass of
// scripts/test-windows.sh sets Wine's LogPixels to 144 and says so in
// QG_WINE_DPI) the photograph and the show are still in real pixels.
TEST_F(ScrTest, ShowPhotographsTheDesktopSwitchesTheDisplayAndEscapePutsAllBack) {
  // What each program declares: Windows acts on it; Wine treats every
  // program as per-monitor aware.
  const std::string host = ManifestOf(ScrPath()), renderer = ManifestOf(wintest::ProgramDir() + "\\Quiverglide.dll");
  EXPECT_NE(host.find(">false</dpiAware>"), std::string::npos) << host;
  EXPECT_NE(host.find(">unaware</dpiAwareness>"), std::string::npos) << host;
  EXPECT_NE(renderer.find(">true/pm</dpiAware>"), std::string::npos) << renderer;
  EXPECT_NE(renderer.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << renderer;
  EXPECT_EQ(VersionString(ScrPath(), "ProductName"), "Quiverglide (ScreenSaver)");
  EXPECT_EQ(VersionString(ScrPath(), "FileVersion"), "1.00");
  EXPECT_EQ(VersionString(ScrPath(), "OriginalFilename"), "Quiverglide.scr");
  const char* wanted = std::getenv("QG_WINE_DPI");
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), wanted ? std::atoi(wanted) : 96) << "the display's scale";
  ReleaseDC(nullptr, screen);

  char shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(ScrPath().c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortPath).find('~'), std::string::npos) << "no short name to start by: " << shortPath;
  char windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(windows));  // the child inherits it
  HWND mark = MakeWindow(true, WS_POPUP, 100, 100, 200, 200);  // a red square on the desktop
  Pump(500);

  // Two starts at one moment: one shows, the other ends at once, silently.
  wintest::Program first(shortPath, "/s"), second(shortPath, "/s");
  ASSERT_TRUE(first.started() && second.started()) << "cannot start " << shortPath;
  DWORD code = 1234;
  ASSERT_TRUE(wintest::WaitUntil([&] { return first.Wait(0, &code) || second.Wait(0, &code); }, kStartMs))
      << "both starts ran on";
  EXPECT_EQ(code, 0u);
  wintest::Program& scr = first.Wait(0, &code) ? second : first;
  HWND marker = wintest::WaitForWindow("Wobblevista_Main", kStartMs);
  ASSERT_NE(marker, nullptr) << "the host's marker window was not found";
  EXPECT_FALSE(IsWindowVisible(marker)) << "the run form stays hidden";
  HWND show = wintest::WaitForWindow("Wobblevista_VC", kStartMs);
  ASSERT_NE(show, nullptr) << "the host did not start the renderer";
  EXPECT_TRUE(wintest::WaitForDisplaySize(1024, 768, 10000)) << "the display was not switched to 1024x768";
  RECT r{};
  GetWindowRect(show, &r);
  EXPECT_EQ(r.right - r.left, 1024);
  EXPECT_EQ(r.bottom - r.top, 768);
  EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr) << "the renderer refused the host's snapshot";

  // The snapshot: the screen before the switch in real pixels, bottom row
  // first, the red square where it was and nowhere else.
  const std::string file = wintest::ReadFileBytes(qg::SnapshotFilePath());
  ASSERT_GE(file.size(), 54u) << "no snapshot while the show runs";
  auto int32At = [&](size_t at) { return *reinterpret_cast<const std::int32_t*>(file.data() + at); };
  ASSERT_EQ(int32At(18), before_.width) << "the photograph is not in the screen's real pixels";
  ASSERT_EQ(int32At(22), before_.height);
  ASSERT_EQ(file.size(), 54u + size_t(before_.width) * before_.height * 4);
  auto pixel = [&](int x, int y) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(file.data()) + 54 +
                             (size_t(before_.height - 1 - y) * before_.width + x) * 4;
    return RGB(p[2], p[1], p[0]);
  };
  EXPECT_EQ(pixel(150, 120), RGB(255, 40, 0));
  EXPECT_NE(pixel(150, 320), RGB(255, 40, 0));
  EXPECT_FALSE(scr.Wait(500, &code)) << "the host ended during the show";

  // Escape from the keyboard, to the renderer's window in front.
  ASSERT_TRUE(wintest::WaitUntil([&] { return GetForegroundWindow() == show; }, 5000))
      << "the renderer's window is not in front";
  wintest::Press(VK_ESCAPE);
  code = 1234;
  ASSERT_TRUE(scr.Wait(kEndMs, &code)) << "the host did not end after the show";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindWindowA(nullptr, "Wobblevista_Main"), nullptr);
  EXPECT_TRUE(wintest::WaitForNoWindow("Wobblevista_VC", 5000));
  EXPECT_TRUE(wintest::WaitForDisplaySize(before_.width, before_.height, 5000))
      << "the display did not go back to " << before_.width << "x" << before_.height;
  EXPECT_EQ(GetFileAttributesA(qg::SnapshotFilePath().c_str()), INVALID_FILE_ATTRIBUTES) << "the snapshot of the user's screen was left behind";
  DestroyWindow(mark);
}

BOOL CALLBACK FindCombo(HWND child, LPARAM found) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "ComboBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// Opens the dialog and clicks at a point of its inner area with the real
// pointer, as a user does; what the dialog's checks need before, in `check`.
template <class Check>
void ClickDialogAt(int x, int y, Check check) {
  wintest::Program scr(ScrPath(), "/c");
  ASSERT_TRUE(scr.started());
  HWND dialog = wintest::WaitForWindow("<Quiverglide>", kStartMs);
  ASSERT_NE(dialog, nullptr) << "no window captioned <Quiverglide>";
  Sleep(800);  // the opening zoom
  ASSERT_TRUE(IsWindowVisible(dialog));
  check(dialog);
  POINT p{x, y};
  ClientToScreen(dialog, &p);
  ASSERT_TRUE(SetCursorPos(p.x, p.y));
  Sleep(500);  // the button's pointer watch sees the pointer arrive
  wintest::Press(0);
  DWORD code = 1234;
  ASSERT_TRUE(scr.Wait(kEndMs, &code)) << "the click did not end the dialog";
  EXPECT_EQ(code, 0u);
}

TEST_F(ScrTest, SettingsDialogAtItsDesignedSizeKeepsOthersOutAndSavesCodePage932Bytes) {
  if (!wintest::RunHas("QG_WINE_JA")) GTEST_SKIP() << "needs code page 932 (scripts/test-windows.sh)";
  ASSERT_EQ(GetACP(), 932u) << "the ja_JP.UTF-8 locale is not in effect";
  const std::string ini = wintest::ProgramDir() + "\\Quiverglide.ini";
  // The values the dialog saves back, without a file key yet.
  const std::string saved = qgtest::SettingsText("1", "7", "");
  const std::string before = saved.substr(0, saved.rfind(qgtest::kFileKey));
  ASSERT_TRUE(wintest::WriteFileBytes(ini, before));

  // ｷｬﾝｾﾙ (designed at 400, 200, 81 x 25) writes nothing.
  ClickDialogAt(440, 212, [](HWND dialog) {
    // Laid out at 96 dots per inch whatever the display's scale: Windows
    // stretches the unaware program's pixels; Wine shows them as they are.
    RECT client{}, box{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 496);
    EXPECT_EQ(client.bottom, 246);
    HWND combo = nullptr;
    EnumChildWindows(dialog, FindCombo, reinterpret_cast<LPARAM>(&combo));
    ASSERT_NE(combo, nullptr) << "no repeat box";
    GetWindowRect(combo, &box);
    EXPECT_LE(box.bottom - box.top, 24) << "the dialog's font follows the display's scale";
    // The open dialog is a marker: another start ends at once, starting nothing.
    wintest::Program second(ScrPath(), "/s");
    DWORD code = 1234;
    ASSERT_TRUE(second.Wait(kEndMs, &code)) << "a second instance ran on";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Wobblevista_VC"), nullptr);
  });
  EXPECT_EQ(wintest::ReadFileBytes(ini), before);

  // 設定 (316, 200): the dialog's values, written back as the system's
  // profile functions write and read them in code page 932.
  ClickDialogAt(356, 212, [](HWND) {});
  EXPECT_EQ(wintest::ReadFileBytes(ini), saved);
  char value[64] = {};
  GetPrivateProfileStringA("Section", qgtest::kRepeatKey.c_str(), "", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "7");
  DeleteFileA(ini.c_str());
}

TEST_F(ScrTest, PreviewLivesInsideTheGivenWindowAndEndsWithIt) {
  HWND box = MakeWindow(false, WS_POPUP | WS_CLIPCHILDREN, 40, 40, 152, 112);
  ASSERT_NE(box, nullptr);
  Pump(200);
  wintest::Program scr(ScrPath(), "/p " + std::to_string(reinterpret_cast<std::uintptr_t>(box)));
  ASSERT_TRUE(scr.started());
  HWND preview = nullptr;
  ASSERT_TRUE(wintest::WaitUntil([&] {
    Pump(0);
    return (preview = FindWindowExA(box, nullptr, nullptr, "Preview Window")) != nullptr;
  }, kStartMs)) << "no preview inside the host window";
  EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(GetWindowLongA(preview, GWL_STYLE) & WS_CAPTION);
  Pump(500);
  RECT placed{};
  GetWindowRect(preview, &placed);
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.top, 40);
  EXPECT_EQ(placed.right - placed.left, 152);
  EXPECT_EQ(placed.bottom - placed.top, 112);
  // (Wine draws no child window into another process's window, so what it
  // shows is not read back from the screen.)
  EXPECT_TRUE(IsWindowVisible(preview));
  DWORD code = 1234;
  EXPECT_FALSE(scr.Wait(300, &code)) << "the preview ended with its host still there";
  DestroyWindow(box);
  ASSERT_TRUE(scr.Wait(5000, &code)) << "the preview outlived its host";
  EXPECT_EQ(code, 0u);

  // A window id that is no window: the preview ends at once.
  wintest::Program orphan(ScrPath(), "/p 123456");
  ASSERT_TRUE(orphan.Wait(kEndMs, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
