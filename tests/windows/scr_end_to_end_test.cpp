// Quiverglide.scr end to end under Wine on the dummy Xorg, driven as the
// system drives a screensaver: "/s" starts the show (the host's marker, the
// renderer's window, the display at 1024 x 768, the snapshot on disk) and
// Escape ends the show and the host with the display and files put back;
// "/c" opens the settings dialog, which is found by its caption, keeps a
// second instance out and ends the program when closed; "/p" puts the preview
// inside the given window and ends with it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "snapshot_path.h"
#include "win_process.h"

namespace {

constexpr DWORD kStartMs = 20000;  // Wine's first windows and GL context are slow
constexpr DWORD kEndMs = 20000;

std::string ScrPath() { return wintest::ProgramDir() + "\\Quiverglide.scr"; }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Handles this test's own windows' messages for a while.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(20);
  } while (GetTickCount() - start < ms);
}

BOOL CALLBACK CountCombo(HWND child, LPARAM count) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "ComboBox") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The settings dialog's window once it shows, or null.
HWND WaitForShownDialog() {
  HWND dialog = wintest::WaitForWindow("<Quiverglide>", kStartMs);
  const DWORD start = GetTickCount();
  while (dialog && !IsWindowVisible(dialog) && GetTickCount() - start < 5000) Sleep(50);
  return dialog;
}

BOOL CALLBACK FindCombo(HWND child, LPARAM found) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "ComboBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

class ScrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* enabled = std::getenv("QG_WINE_SHOW_TESTS");
    if (!enabled || std::string(enabled) != "1")
      GTEST_SKIP() << "needs the private dummy Xorg of scripts/test-windows.sh";
    before_ = wintest::ProbeDisplaySize();
    ASSERT_GT(before_.width, 0);
    ASSERT_NE(before_.width, 1024) << "the server must start at another size, or the switch is invisible";
  }
  wintest::DisplaySize before_;
};

TEST_F(ScrTest, ShowStartsWithTheDisplaySwitchedAndEscapeEndsShowAndHost) {
  wintest::Program scr(ScrPath(), "/s");
  ASSERT_TRUE(scr.started()) << "cannot start " << ScrPath();
  HWND host = wintest::WaitForWindow("Wobblevista_Main", kStartMs);
  ASSERT_NE(host, nullptr) << "the host's marker window was not found";
  EXPECT_FALSE(IsWindowVisible(host)) << "the run form stays hidden";
  HWND show = wintest::WaitForWindow("Wobblevista_VC", kStartMs);
  ASSERT_NE(show, nullptr) << "the host did not start the renderer";
  EXPECT_TRUE(wintest::WaitForDisplaySize(1024, 768, 10000)) << "the display was not switched to 1024x768";
  EXPECT_TRUE(FileExists(qg::SnapshotFilePath())) << "no snapshot while the show runs";
  DWORD code = 0;
  EXPECT_FALSE(scr.Wait(500, &code)) << "the host ended during the show";

  // Escape from the keyboard, to the renderer's window in front.
  const DWORD start = GetTickCount();
  while (GetForegroundWindow() != show && GetTickCount() - start < 5000) Sleep(50);
  ASSERT_EQ(GetForegroundWindow(), show) << "the renderer's window is not in front";
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);

  code = 1234;
  ASSERT_TRUE(scr.Wait(kEndMs, &code)) << "the host did not end after the show";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindWindowA(nullptr, "Wobblevista_Main"), nullptr);
  EXPECT_TRUE(wintest::WaitForNoWindow("Wobblevista_VC", 5000));
  EXPECT_TRUE(wintest::WaitForDisplaySize(before_.width, before_.height, 5000))
      << "the display did not go back to " << before_.width << "x" << before_.height;
  EXPECT_FALSE(FileExists(qg::SnapshotFilePath())) << "the snapshot of the user's screen was left behind";
}

// Windows may start a screensaver from System32 by its 8.3 short path, in
// another current folder: the host still finds the renderer beside itself.
TEST_F(ScrTest, ShowStartedByTheShortPathFindsTheRendererBesideItself) {
  char shortPath[MAX_PATH] = {};
  const DWORD n = GetShortPathNameA(ScrPath().c_str(), shortPath, MAX_PATH);
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, static_cast<DWORD>(MAX_PATH));
  ASSERT_NE(std::string(shortPath), ScrPath()) << "no short name to start by";
  ASSERT_NE(std::string(shortPath).find('~'), std::string::npos) << shortPath;
  char windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(windows));  // the child inherits it

  wintest::Program scr(shortPath, "/s");
  ASSERT_TRUE(scr.started()) << "cannot start " << shortPath;
  HWND show = wintest::WaitForWindow("Wobblevista_VC", kStartMs);
  EXPECT_EQ(FindWindowA(nullptr, "Quiverglide"), nullptr) << "a message box: the renderer was not found";
  ASSERT_NE(show, nullptr) << "the host did not start the renderer";
  PostMessageA(show, WM_CLOSE, 0, 0);
  DWORD code = 1234;
  ASSERT_TRUE(scr.Wait(kEndMs, &code)) << "the host did not end after the show";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(wintest::WaitForDisplaySize(before_.width, before_.height, 5000));
}

TEST_F(ScrTest, SettingsDialogIsFoundKeepsASecondInstanceOutAndEndsWhenClosed) {
  wintest::Program scr(ScrPath(), "/c");
  ASSERT_TRUE(scr.started());
  HWND dialog = wintest::WaitForWindow("<Quiverglide>", kStartMs);
  ASSERT_NE(dialog, nullptr) << "no window captioned <Quiverglide>";
  const DWORD start = GetTickCount();
  while (!IsWindowVisible(dialog) && GetTickCount() - start < 5000) Sleep(50);
  EXPECT_TRUE(IsWindowVisible(dialog));
  int combos = 0;
  EnumChildWindows(dialog, CountCombo, reinterpret_cast<LPARAM>(&combos));
  EXPECT_EQ(combos, 1) << "the repeat box";
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_GT(client.right, 300);

  // Another start while the dialog is open ends at once, starting nothing.
  wintest::Program second(ScrPath(), "/s");
  DWORD code = 1234;
  ASSERT_TRUE(second.Wait(kEndMs, &code)) << "a second instance ran on";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindWindowA(nullptr, "Wobblevista_VC"), nullptr);

  PostMessageA(dialog, WM_CLOSE, 0, 0);
  code = 1234;
  ASSERT_TRUE(scr.Wait(kEndMs, &code)) << "closing the dialog did not end the program";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindWindowA(nullptr, "<Quiverglide>"), nullptr);
}

// This test's thread measures in real pixels, and the awareness of others'
// windows; looked up at run time, as Windows before 10 1607 lacks them.
struct DpiCalls {
  using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
  using WindowContext = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
  using AwarenessOf = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
  DpiCalls() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    set = reinterpret_cast<SetContext>(GetProcAddress(user32, "SetThreadDpiAwarenessContext"));
    window = reinterpret_cast<WindowContext>(GetProcAddress(user32, "GetWindowDpiAwarenessContext"));
    awareness = reinterpret_cast<AwarenessOf>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext"));
  }
  bool ok() const { return set && window && awareness; }
  DPI_AWARENESS Of(HWND w) const { return awareness(window(w)); }
  SetContext set = nullptr;
  WindowContext window = nullptr;
  AwarenessOf awareness = nullptr;
};

// The program's embedded manifest (resource 1 of type RT_MANIFEST).
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

// On a scaled display (one pass of scripts/test-windows.sh sets Wine's
// LogPixels to 144 and says so in QG_WINE_DPI) the photograph still has the
// screen's real pixels and the renderer's window is 1024 x 768 real pixels,
// both programs being DPI-aware where it matters; the dialog runs unaware and
// keeps its designed size, which the system scales. Measured in real pixels.
TEST_F(ScrTest, ScaledDisplayKeepsRealPixelsForTheShowAndTheDesignedDialog) {
  // What each program declares: Windows acts on it; Wine 8 treats every
  // program as per-monitor aware and scales nothing.
  const std::string hostManifest = ManifestOf(ScrPath());
  EXPECT_NE(hostManifest.find(">false</dpiAware>"), std::string::npos) << hostManifest;
  EXPECT_NE(hostManifest.find(">unaware</dpiAwareness>"), std::string::npos) << hostManifest;
  const std::string rendererManifest = ManifestOf(wintest::ProgramDir() + "\\Quiverglide.dll");
  EXPECT_NE(rendererManifest.find(">true/pm</dpiAware>"), std::string::npos) << rendererManifest;
  EXPECT_NE(rendererManifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos)
      << rendererManifest;

  DpiCalls dpi;
  ASSERT_TRUE(dpi.ok());
  const DPI_AWARENESS_CONTEXT before = dpi.set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const char* wanted = std::getenv("QG_WINE_DPI");
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), wanted ? std::atoi(wanted) : 96) << "the display's scale";
  ReleaseDC(nullptr, screen);

  {
    wintest::Program scr(ScrPath(), "/s");
    ASSERT_TRUE(scr.started());
    HWND show = wintest::WaitForWindow("Wobblevista_VC", kStartMs);
    ASSERT_NE(show, nullptr) << "the host did not start the renderer";
    EXPECT_EQ(dpi.Of(show), DPI_AWARENESS_PER_MONITOR_AWARE) << "the renderer's manifest";
    EXPECT_TRUE(wintest::WaitForDisplaySize(1024, 768, 10000));
    RECT r{};
    GetWindowRect(show, &r);
    EXPECT_EQ(r.right - r.left, 1024);
    EXPECT_EQ(r.bottom - r.top, 768);
    // The photograph's bitmap header: the size of the screen before the switch.
    std::FILE* f = std::fopen(qg::SnapshotFilePath().c_str(), "rb");
    ASSERT_NE(f, nullptr) << "no snapshot while the show runs";
    unsigned char header[26] = {};
    const std::size_t got = std::fread(header, 1, sizeof header, f);
    std::fclose(f);
    ASSERT_EQ(got, sizeof header);
    auto int32_at = [&](int at) {
      return static_cast<std::int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                       static_cast<std::uint32_t>(header[at + 3]) << 24);
    };
    EXPECT_EQ(int32_at(18), before_.width) << "the photograph is not in the screen's real pixels";
    EXPECT_EQ(std::abs(int32_at(22)), before_.height);
    PostMessageA(show, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(scr.Wait(kEndMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(wintest::WaitForDisplaySize(before_.width, before_.height, 5000));
  }
  {
    wintest::Program scr(ScrPath(), "/c");
    ASSERT_TRUE(scr.started());
    HWND dialog = WaitForShownDialog();
    ASSERT_NE(dialog, nullptr);
    // Laid out at 96 dots per inch whatever the display's scale, so its
    // pixels are the designed ones: Windows stretches them for the unaware
    // program; Wine, which stretches nothing, shows them as they are.
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 496);
    EXPECT_EQ(client.bottom, 246);
    // The repeat box is as tall as its 9.75-point font makes it at 96 dpi
    // (13-pixel letters), not at the display's 144 (20-pixel letters).
    HWND combo = nullptr;
    EnumChildWindows(dialog, FindCombo, reinterpret_cast<LPARAM>(&combo));
    ASSERT_NE(combo, nullptr);
    RECT box{};
    GetWindowRect(combo, &box);
    EXPECT_LE(box.bottom - box.top, 24) << "the dialog's font follows the display's scale";
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(scr.Wait(kEndMs, &code));
    EXPECT_EQ(code, 0u);
  }
  dpi.set(before);
}

// The settings file beside the program, kept and put back around a test.
class SettingsFileGuard {
 public:
  SettingsFileGuard() : path_(wintest::ProgramDir() + "\\Quiverglide.ini") {
    std::FILE* f = std::fopen(path_.c_str(), "rb");
    if (!f) return;
    had_ = true;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) saved_.append(buf, n);
    std::fclose(f);
  }
  ~SettingsFileGuard() {
    if (had_) wintest::WriteFileBytes(path_, saved_);
    else DeleteFileA(path_.c_str());
  }
  const std::string& path() const { return path_; }
  std::string Bytes() const {
    std::string bytes;
    std::FILE* f = std::fopen(path_.c_str(), "rb");
    if (!f) return bytes;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    std::fclose(f);
    return bytes;
  }

 private:
  std::string path_, saved_;
  bool had_ = false;
};

// Opens the settings dialog and clicks at a point of its inner area with the
// real pointer, as a user does.
void ClickDialogAt(int x, int y, DWORD* exit_code) {
  wintest::Program scr(ScrPath(), "/c");
  ASSERT_TRUE(scr.started());
  HWND dialog = WaitForShownDialog();
  ASSERT_NE(dialog, nullptr);
  Sleep(800);  // the opening zoom
  POINT p{x, y};
  ClientToScreen(dialog, &p);
  ASSERT_TRUE(SetCursorPos(p.x, p.y));
  Sleep(500);  // the button's pointer watch sees the pointer arrive
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(1, press, sizeof(INPUT)), 1u);
  Sleep(150);
  ASSERT_EQ(SendInput(1, press + 1, sizeof(INPUT)), 1u);
  ASSERT_TRUE(scr.Wait(kEndMs, exit_code)) << "the click did not end the dialog";
}

// The keys in code page 932 bytes.
const std::string kKind = "BGM\x8b\xe6\x95\xaa";
const std::string kRepeat = "BGM\xd8\xcb\xdf\xb0\xc4";
const std::string kFile = "BGM\xcc\xa7\xb2\xd9";

TEST_F(ScrTest, SettingsDialogSavesCodePage932BytesAndCancelLeavesTheFile) {
  const char* ja = std::getenv("QG_WINE_JA");
  if (!ja || std::string(ja) != "1") GTEST_SKIP() << "needs code page 932 (scripts/test-windows.sh)";
  ASSERT_EQ(GetACP(), 932u) << "the ja_JP.UTF-8 locale is not in effect";
  SettingsFileGuard guard;
  const std::string before = "[Section]\r\n" + kKind + "=1\r\n" + kRepeat + "=7\r\n";
  ASSERT_TRUE(wintest::WriteFileBytes(guard.path(), before));

  // Cancel (designed at 400, 200, 81 x 25): nothing is written.
  DWORD code = 1234;
  ClickDialogAt(440, 212, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(guard.Bytes(), before);

  // Save (316, 200): the dialog's values, read from the file, written back
  // by the system's profile functions in code page 932.
  code = 1234;
  ClickDialogAt(356, 212, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(guard.Bytes(), "[Section]\r\n" + kKind + "=1\r\n" + kRepeat + "=7\r\n" + kFile + "=\r\n");
  char value[64] = {};
  GetPrivateProfileStringA("Section", kRepeat.c_str(), "", value, sizeof value, guard.path().c_str());
  EXPECT_STREQ(value, "7");
}

TEST_F(ScrTest, PreviewLivesInsideTheGivenWindowAndEndsWithIt) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QgPreviewHost";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassA(&wc);
  HWND box = CreateWindowExA(0, wc.lpszClassName, "QG preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 152, 112,
                             nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(box, nullptr);
  Pump(200);

  wintest::Program scr(ScrPath(), "/p " + std::to_string(reinterpret_cast<std::uintptr_t>(box)));
  ASSERT_TRUE(scr.started());
  HWND preview = nullptr;
  const DWORD start = GetTickCount();
  while (!preview && GetTickCount() - start < kStartMs) {
    Pump(50);
    preview = FindWindowExA(box, nullptr, nullptr, "Preview Window");
  }
  ASSERT_NE(preview, nullptr) << "no preview inside the host window";
  EXPECT_EQ(GetParent(preview), box);
  EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(GetWindowLongA(preview, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(FindWindowA(nullptr, "Preview Window"), nullptr) << "the preview is no top-level window";
  Pump(500);
  RECT inner{};
  GetClientRect(preview, &inner);
  EXPECT_EQ(inner.right, 152);
  EXPECT_EQ(inner.bottom, 112);
  RECT placed{};
  GetWindowRect(preview, &placed);
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.top, 40);
  // Shown inside the host. (Wine draws no child window into another
  // process's window, so what it shows is not read back from the screen.)
  EXPECT_TRUE(IsWindowVisible(preview));
  DWORD code = 1234;
  EXPECT_FALSE(scr.Wait(300, &code)) << "the preview ended with its host still there";

  DestroyWindow(box);
  code = 1234;
  ASSERT_TRUE(scr.Wait(5000, &code)) << "the preview outlived its host";
  EXPECT_EQ(code, 0u);

  // A window id that is no window: the preview ends at once.
  wintest::Program orphan(ScrPath(), "/p 123456");
  code = 1234;
  ASSERT_TRUE(orphan.Wait(kEndMs, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
