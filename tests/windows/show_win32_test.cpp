// The show's Win32 services under Wine on the dummy Xorg: the desktop
// photographed with a known window on it, saved as the snapshot the renderer
// reads without complaint, the renderer started and watched as a process,
// and the display mode guard.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "desktop_capture.h"
#include "display_mode_guard.h"
#include "renderer_process.h"
#include "snapshot_path.h"
#include "snapshot_writer.h"
#include "win_process.h"

namespace {

using namespace qg::show;

constexpr COLORREF kMarkColour = RGB(255, 40, 0);

LRESULT CALLBACK PaintRed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(kMarkColour);
    RECT rect;
    GetClientRect(window, &rect);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A plain red square on the desktop at (100, 100), 200 x 200.
class MarkWindow {
 public:
  MarkWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PaintRed;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QgMarkWindow";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(WS_EX_TOPMOST, "QgMarkWindow", "mark", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    UpdateWindow(window_);
    Pump(500);
  }
  ~MarkWindow() {
    if (window_) DestroyWindow(window_);
  }
  HWND handle() const { return window_; }
  static void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(20);
    } while (GetTickCount() - start < ms);
  }

 private:
  HWND window_ = nullptr;
};

bool ShowTestsEnabled() {
  const char* v = std::getenv("QG_WINE_SHOW_TESTS");
  return v && std::string(v) == "1";
}

TEST(ShowWin32, DesktopIsPhotographedSavedAndShownByTheRenderer) {
  if (!ShowTestsEnabled()) GTEST_SKIP() << "needs the private dummy Xorg of scripts/test-windows.sh";
  MarkWindow mark;
  ASSERT_NE(mark.handle(), nullptr);

  DesktopPicture picture;
  ASSERT_TRUE(CaptureDesktop(picture));
  EXPECT_EQ(picture.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(picture.height, GetSystemMetrics(SM_CYSCREEN));
  const uint8_t* inside = picture.Row(200) + 200 * 4;  // blue, green, red
  EXPECT_EQ(inside[2], 255);
  EXPECT_EQ(inside[1], 40);
  EXPECT_EQ(inside[0], 0);
  const uint8_t* outside = picture.Row(50) + 50 * 4;
  EXPECT_FALSE(outside[2] == 255 && outside[1] == 40 && outside[0] == 0) << "the mark is only where its window is";

  // As on a machine that never ran the show: the folder made is the file's.
  const std::string path = qg::SnapshotFilePath();
  DeleteFileA(path.c_str());
  RemoveDirectoryA(qg::SnapshotFolder().c_str());
  ASSERT_TRUE(qg::EnsureSnapshotFolder());
  ASSERT_TRUE(WriteSnapshotFile(picture, path));
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  GetFileSizeEx(file, &size);
  char head[54] = {};
  DWORD got = 0;
  ReadFile(file, head, sizeof head, &got, nullptr);
  CloseHandle(file);
  EXPECT_EQ(size.QuadPart, 54 + int64_t(picture.width) * picture.height * 4);
  EXPECT_EQ(std::string(head, 2), "BM");
  EXPECT_EQ(*reinterpret_cast<int32_t*>(head + 18), picture.width);
  EXPECT_EQ(*reinterpret_cast<int32_t*>(head + 22), picture.height);
  EXPECT_EQ(*reinterpret_cast<uint16_t*>(head + 28), 32);
  mark.Pump(0);

  RendererProcess renderer;
  ASSERT_TRUE(renderer.Start(wintest::BinDir() + "\\Quiverglide.dll"));
  HWND show = wintest::WaitForWindow("Wobblevista_VC", 20000);
  ASSERT_NE(show, nullptr);
  EXPECT_TRUE(renderer.Running());
  EXPECT_FALSE(renderer.WaitEnded(500));
  EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr) << "the renderer refused the host's snapshot";
  PostMessageA(show, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(renderer.WaitEnded(20000));
  EXPECT_FALSE(renderer.Running());
  EXPECT_EQ(FindWindowA(nullptr, "Wobblevista_VC"), nullptr);
}

TEST(ShowWin32, DisplayModeGuardPutsTheDesktopModeBack) {
  if (!ShowTestsEnabled()) GTEST_SKIP() << "needs the private dummy Xorg of scripts/test-windows.sh";
  const wintest::DisplaySize before = wintest::ProbeDisplaySize();
  ASSERT_NE(before.width, 1024);
  std::unique_ptr<DisplayModeGuard> guard = MakeDisplayModeGuard();
  ASSERT_TRUE(guard->Remember());
  EXPECT_FALSE(guard->Changed());
  EXPECT_TRUE(guard->RestoreIfChanged()) << "nothing to do is success";

  // What a renderer killed mid-show leaves behind.
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ASSERT_TRUE(wintest::WaitForDisplaySize(1024, 768, 5000));
  EXPECT_TRUE(guard->Changed());
  EXPECT_TRUE(guard->RestoreIfChanged());
  EXPECT_FALSE(guard->Changed());
  EXPECT_TRUE(wintest::WaitForDisplaySize(before.width, before.height, 5000)) << "the display stayed switched";
}

}  // namespace
