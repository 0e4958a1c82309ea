// Quiverglide.scr and Quiverglide.dll end to end under Wine on the dummy
// Xorg, driven as the system drives a screensaver: "/s" photographs the
// desktop, switches the display and shows, and Escape puts everything back;
// "/c" opens the dialog, which keeps a second start out and saves in code
// page 932; "/p" lives in the given window and ends with it. Measured in real
// pixels throughout. Also the host's display mode guard, and the renderer's
// covers in the two-monitor run of scripts/test-windows.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "display_mode_guard.h"
#include "settings_bytes.h"
#include "snapshot_path.h"
#include "win_test.h"

namespace {

constexpr DWORD kStartMs = 20000;  // Wine's first windows and GL context are slow
constexpr DWORD kEndMs = 20000;

std::string BinDir() { return wintest::WindowsPath(QG_TEST_BIN_DIR); }

// The folder the shipped programs are started from: QG_PROGRAM_DIR (a
// Windows path, e.g. where the ZIP was unpacked) when set, else BinDir().
std::string ProgramDir() {
  const char* dir = std::getenv("QG_PROGRAM_DIR");
  return dir && *dir ? std::string(dir) : BinDir();
}

std::string ScrPath() { return ProgramDir() + "\\Quiverglide.scr"; }

// A started program, ended if still running when the object goes; the
// handles close with it.
class Program {
 public:
  explicit Program(const std::string& path, const std::string& arguments = "") {
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    // Wine now and then refuses a start while the program of the previous one
    // is still being let go of; a real failure stays a failure after a few tries.
    for (int attempt = 0; attempt < 5; ++attempt) {
      if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &info_))
        return;
      std::fprintf(stderr, "CreateProcessA(%s) failed with error %lu\n", path.c_str(), GetLastError());
      Sleep(200);
    }
  }
  ~Program() {
    DWORD code;
    if (started() && !Wait(0, &code)) TerminateProcess(info_.hProcess, 99), WaitForSingleObject(info_.hProcess, 5000);
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
  }
  bool started() const { return info_.hProcess != nullptr; }
  // Waits up to `ms`; true with the exit code once the program has ended.
  bool Wait(DWORD ms, DWORD* exitCode) {
    if (!started() || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// A key (or, with 0, the left mouse button) pressed and let go, as a user would.
void Press(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = key ? INPUT_KEYBOARD : INPUT_MOUSE;
  if (key) {
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  } else {
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  }
  SendInput(1, input, sizeof(INPUT));
  Sleep(150);
  SendInput(1, input + 1, sizeof(INPUT));
}

// Polls until a top-level window with this caption exists, up to `ms`.
HWND WaitForWindow(const char* caption, DWORD ms) {
  HWND window = nullptr;
  wintest::WaitUntil([&] { return (window = FindWindowA(nullptr, caption)) != nullptr; }, ms);
  return window;
}

// The display's size as a new process first sees it, in the exit code of
// display_probe.exe. Wine keeps each process's view of the display mode once
// read, so a change made by another program is only seen reliably by a fresh one.
SIZE ProbeDisplaySize() {
  Program probe(BinDir() + "\\..\\tests\\windows\\display_probe.exe");
  DWORD code = 0;  // left at 0 when the probe does not end
  probe.Wait(20000, &code);
  return SIZE{static_cast<LONG>(code / 10000), static_cast<LONG>(code % 10000)};
}

// Probes until the display has this size, up to `ms`.
bool WaitForDisplaySize(int width, int height, DWORD ms) {
  return wintest::WaitUntil([&] {
    const SIZE now = ProbeDisplaySize();
    return now.cx == width && now.cy == height;
  }, ms);
}

// The whole file, or "" when it cannot be read.
std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The thread's DPI awareness, so that the test measures in real pixels;
// looked up at run time, as Windows before 10 1607 lacks it.
using SetDpiContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
const SetDpiContext SetThreadDpi = reinterpret_cast<SetDpiContext>(
    GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext"));

// A program file's manifest (resource 1 of type 24).
std::string ManifestOf(const std::string& program) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "<cannot open " + program + ">";
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  const std::string text = found ? std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                                               SizeofResource(module, found))
                                 : "<no manifest>";
  FreeLibrary(module);
  return text;
}

// A string of a program file's version information, from its Japanese block.
std::string VersionString(const std::string& program, const char* name) {
  std::string block(GetFileVersionInfoSizeA(program.c_str(), nullptr), '\0');
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
    before_ = ProbeDisplaySize();
    ASSERT_GT(before_.cx, 0);
    ASSERT_NE(before_.cx, 1024) << "the server must start at another size, or the switch is invisible";
    ASSERT_NE(SetThreadDpi, nullptr);
    SetThreadDpi(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  }
  SIZE before_{};
};
// The host's display mode guard and the renderer's covers need the same
// private Xorg; each keeps a name of its own.
using ShowWin32 = ScrTest;
using RendererCoverTest = ScrTest;

// Started as Windows may start a screensaver from System32: by its 8.3 short
// path, in another current folder. On a scaled display (one pass of
// scripts/test-windows.sh sets Wine's LogPixels to 144 and says so in
// QG_WINE_DPI) the photograph and the show are still in real pixels.
TEST_F(ScrTest, ShowPhotographsTheDesktopSwitchesTheDisplayAndEscapePutsAllBack) {
  // What each program declares: Windows acts on it; Wine treats every
  // program as per-monitor aware.
  const std::string host = ManifestOf(ScrPath()), renderer = ManifestOf(ProgramDir() + "\\Quiverglide.dll");
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
  Program first(shortPath, "/s"), second(shortPath, "/s");
  ASSERT_TRUE(first.started() && second.started()) << "cannot start " << shortPath;
  DWORD code = 1234;
  ASSERT_TRUE(wintest::WaitUntil([&] { return first.Wait(0, &code) || second.Wait(0, &code); }, kStartMs))
      << "both starts ran on";
  EXPECT_EQ(code, 0u);
  Program& scr = first.Wait(0, &code) ? second : first;
  HWND marker = WaitForWindow("Wobblevista_Main", kStartMs);
  ASSERT_NE(marker, nullptr) << "the host's marker window was not found";
  EXPECT_FALSE(IsWindowVisible(marker)) << "the run form stays hidden";
  HWND show = WaitForWindow("Wobblevista_VC", kStartMs);
  ASSERT_NE(show, nullptr) << "the host did not start the renderer";
  EXPECT_TRUE(WaitForDisplaySize(1024, 768, 10000)) << "the display was not switched to 1024x768";
  RECT r{};
  GetWindowRect(show, &r);
  EXPECT_EQ(r.right - r.left, 1024);
  EXPECT_EQ(r.bottom - r.top, 768);
  EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr) << "the renderer refused the host's snapshot";

  // The snapshot: the screen before the switch in real pixels, bottom row
  // first, the red square where it was and nowhere else.
  const std::string file = ReadFileBytes(qg::SnapshotFilePath());
  ASSERT_GE(file.size(), 54u) << "no snapshot while the show runs";
  auto int32At = [&](size_t at) { return *reinterpret_cast<const std::int32_t*>(file.data() + at); };
  ASSERT_EQ(int32At(18), before_.cx) << "the photograph is not in the screen's real pixels";
  ASSERT_EQ(int32At(22), before_.cy);
  ASSERT_EQ(file.size(), 54u + size_t(before_.cx) * before_.cy * 4);
  auto pixel = [&](int x, int y) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(file.data()) + 54 +
                             (size_t(before_.cy - 1 - y) * before_.cx + x) * 4;
    return RGB(p[2], p[1], p[0]);
  };
  EXPECT_EQ(pixel(150, 120), RGB(255, 40, 0));
  EXPECT_NE(pixel(150, 320), RGB(255, 40, 0));
  EXPECT_FALSE(scr.Wait(500, &code)) << "the host ended during the show";

  // Escape from the keyboard, to the renderer's window in front.
  ASSERT_TRUE(wintest::WaitUntil([&] { return GetForegroundWindow() == show; }, 5000))
      << "the renderer's window is not in front";
  Press(VK_ESCAPE);
  ASSERT_TRUE(scr.Wait(kEndMs, &code)) << "the host did not end after the show";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(wintest::WaitUntil([] { return !FindWindowA(nullptr, "Wobblevista_VC"); }, 5000));
  EXPECT_TRUE(WaitForDisplaySize(before_.cx, before_.cy, 5000))
      << "the display did not go back to " << before_.cx << "x" << before_.cy;
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
  Program scr(ScrPath(), "/c");
  HWND dialog = WaitForWindow("<Quiverglide>", kStartMs);
  ASSERT_NE(dialog, nullptr) << "no window captioned <Quiverglide>";
  Sleep(800);  // the opening zoom
  check(dialog);
  POINT p{x, y};
  ClientToScreen(dialog, &p);
  ASSERT_TRUE(SetCursorPos(p.x, p.y));
  Sleep(500);  // the button's pointer watch sees the pointer arrive
  Press(0);
  DWORD code = 1234;
  ASSERT_TRUE(scr.Wait(kEndMs, &code)) << "the click did not end the dialog";
  EXPECT_EQ(code, 0u);
}

TEST_F(ScrTest, SettingsDialogAtItsDesignedSizeKeepsOthersOutAndSavesCodePage932Bytes) {
  if (!wintest::RunHas("QG_WINE_JA")) GTEST_SKIP() << "needs code page 932 (scripts/test-windows.sh)";
  ASSERT_EQ(GetACP(), 932u) << "the ja_JP.UTF-8 locale is not in effect";
  const std::string ini = ProgramDir() + "\\Quiverglide.ini";
  // The values the dialog saves back, without a file key yet.
  const std::string saved = qgtest::SettingsText("1", "7", "");
  const std::string before = saved.substr(0, saved.rfind(qgtest::kFileKey));
  ASSERT_TRUE(std::ofstream(ini, std::ios::binary) << before);

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
    Program second(ScrPath(), "/s");
    DWORD code = 1234;
    ASSERT_TRUE(second.Wait(kEndMs, &code)) << "a second instance ran on";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Wobblevista_VC"), nullptr);
  });
  EXPECT_EQ(ReadFileBytes(ini), before);

  // 設定 (316, 200): the dialog's values, written back as the system's
  // profile functions write and read them in code page 932.
  ClickDialogAt(356, 212, [](HWND) {});
  EXPECT_EQ(ReadFileBytes(ini), saved);
  char value[64] = {};
  GetPrivateProfileStringA("Section", qgtest::kRepeatKey.c_str(), "", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "7");
  DeleteFileA(ini.c_str());
}

TEST_F(ScrTest, PreviewLivesInsideTheGivenWindowAndEndsWithIt) {
  HWND box = MakeWindow(false, WS_POPUP | WS_CLIPCHILDREN, 40, 40, 152, 112);
  ASSERT_NE(box, nullptr);
  Pump(200);
  Program scr(ScrPath(), "/p " + std::to_string(reinterpret_cast<std::uintptr_t>(box)));
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
  Program orphan(ScrPath(), "/p 123456");
  ASSERT_TRUE(orphan.Wait(kEndMs, &code));
  EXPECT_EQ(code, 0u);
}

// What a renderer killed mid-show leaves behind, the host's guard puts back.
TEST_F(ShowWin32, DisplayModeGuardPutsTheDesktopModeBack) {
  std::unique_ptr<qg::show::DisplayModeGuard> guard = qg::show::MakeDisplayModeGuard();
  ASSERT_TRUE(guard->Remember());
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ASSERT_TRUE(WaitForDisplaySize(1024, 768, 5000));
  EXPECT_TRUE(guard->RestoreIfChanged());
  EXPECT_TRUE(WaitForDisplaySize(before_.cx, before_.cy, 5000)) << "the display stayed switched";
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
  return TRUE;
}

// Quiverglide.dll with a second output on: the show on the primary monitor, a
// black cover of another caption over the other one that goes and comes with
// that monitor, Escape from the keyboard ending the show with the pointer on
// the cover, and no cover left afterwards. No snapshot is needed: the sheets
// are white without one.
TEST_F(RendererCoverTest, TheOtherMonitorIsCoveredWhileTheShowRunsAndEscapeEndsItFromThere) {
  if (!wintest::RunHas("QG_WINE_TWO_MONITORS")) GTEST_SKIP() << "needs the two-monitor run of scripts/test-windows.sh";
  constexpr const char* kShowCaption = "Wobblevista_VC";
  constexpr const char* kCoverCaption = "Quiverglide cover";
  std::vector<RECT> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.size() < 2) GTEST_SKIP() << "Wine reports " << monitors.size() << " monitor(s)";
  RECT second{};
  for (const RECT& m : monitors)
    if (m.left != 0 || m.top != 0) second = m;
  ASSERT_NE(second.right, 0) << "no monitor away from (0, 0)";

  Program program(BinDir() + "\\Quiverglide.dll");
  HWND show = WaitForWindow(kShowCaption, kStartMs);
  ASSERT_NE(show, nullptr);
  HWND cover = WaitForWindow(kCoverCaption, 5000);
  ASSERT_NE(cover, nullptr) << "the other monitor is not covered";
  // The whole other monitor. Wine lays the monitors side by side again once
  // the primary one is 1024 wide, so the cover may start left of where that
  // monitor was before the show, though never over the show.
  RECT rect{}, shown{};
  GetWindowRect(cover, &rect);
  GetWindowRect(show, &shown);
  EXPECT_EQ(rect.right - rect.left, second.right - second.left);
  EXPECT_EQ(rect.bottom - rect.top, second.bottom - second.top);
  EXPECT_EQ(rect.top, second.top);
  EXPECT_GE(rect.left, shown.right);
  EXPECT_LE(rect.left, second.left);
  EXPECT_TRUE(GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(cover));
  // The show keeps the keyboard.
  EXPECT_TRUE(wintest::WaitUntil([&] { return GetForegroundWindow() == show; }, 5000));

  // The other monitor unplugged and plugged in again during the show, as the
  // system tells the show's window (WM_DISPLAYCHANGE): its cover goes and comes.
  MONITORINFOEXA info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(cover, MONITOR_DEFAULTTONEAREST), &info));
  DEVMODEA attached{};
  attached.dmSize = sizeof attached;
  ASSERT_TRUE(EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &attached));
  attached.dmFields |= DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
  DEVMODEA detached = attached;
  detached.dmPelsWidth = detached.dmPelsHeight = 0;
  for (DEVMODEA* mode : {&detached, &attached}) {
    ASSERT_EQ(ChangeDisplaySettingsExA(info.szDevice, mode, nullptr, CDS_UPDATEREGISTRY | CDS_NORESET, nullptr), 0);
    ASSERT_EQ(ChangeDisplaySettingsExA(nullptr, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_TRUE(wintest::WaitUntil([&] { return (FindWindowA(nullptr, kCoverCaption) != nullptr) == (mode == &attached); }, 5000))
        << (mode == &attached ? "no cover for the monitor plugged in" : "a cover over a monitor gone");
  }

  // The pointer on the covered monitor, then Escape.
  SetCursorPos((second.left + second.right) / 2, (second.top + second.bottom) / 2);
  Sleep(200);
  Press(VK_ESCAPE);
  DWORD code = 1234;
  ASSERT_TRUE(program.Wait(kEndMs, &code)) << "Escape did not end the show";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(wintest::WaitUntil([&] { return !FindWindowA(nullptr, kCoverCaption); }, 2000))
      << "a cover was left behind";
}

}  // namespace
