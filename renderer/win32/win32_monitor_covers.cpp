#include "win32_monitor_covers.h"

#include "monitor_cover.h"

namespace {

constexpr const char* kCoverClass = "Quiverglide_Cover";

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<MonitorRect>*>(list)->push_back(
      {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
  return TRUE;
}

LRESULT CALLBACK CoverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A click on a cover must not take the keyboard from the show.
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void Win32MonitorCovers::CoverOtherMonitors() {
  std::vector<MonitorRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (!classRegistered_ && !MonitorsToCover(monitors).empty()) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CoverProcedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = nullptr;  // the show hides the pointer everywhere
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kCoverClass;
    RegisterClassA(&windowClass);
    classRegistered_ = true;
  }
  covers_.Follow(
      monitors,
      [&](const MonitorRect& m) {
        HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, kCoverCaption,
                                     WS_POPUP, m.x, m.y, m.width, m.height, nullptr, nullptr, instance_, nullptr);
        if (cover) {
          ShowWindow(cover, SW_SHOWNOACTIVATE);
          UpdateWindow(cover);
        }
        return cover;
      },
      [](HWND cover) { DestroyWindow(cover); });
}

void Win32MonitorCovers::Uncover() {
  covers_.Clear([](HWND cover) { DestroyWindow(cover); });
  if (classRegistered_) UnregisterClassA(kCoverClass, instance_);
  classRegistered_ = false;
}
