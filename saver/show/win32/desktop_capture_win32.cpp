// Photographing the desktop on Windows: the screen's device context copied
// into a 32-bit top-down DIB section, which the picture then shares.
#include "desktop_capture.h"

#include <windows.h>

namespace qg::show {

namespace {

// The host runs DPI-unaware for its designed forms; the photograph is taken
// per-monitor aware, so a scaled display gives its real pixels, not the
// system's scaled-down copy. Windows before 10 1607 has no per-thread switch.
class PerMonitorAwareThread {
 public:
  PerMonitorAwareThread() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    set_ = user32 ? reinterpret_cast<SetContext>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")) : nullptr;
    if (set_) before_ = set_(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (set_ && !before_) before_ = set_(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);  // 1607 has no V2
  }
  ~PerMonitorAwareThread() {
    if (set_ && before_) set_(before_);
  }
  PerMonitorAwareThread(const PerMonitorAwareThread&) = delete;
  PerMonitorAwareThread& operator=(const PerMonitorAwareThread&) = delete;

 private:
  using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
  SetContext set_ = nullptr;
  DPI_AWARENESS_CONTEXT before_ = nullptr;
};

}  // namespace

bool CaptureDesktop(DesktopPicture& picture) {
  picture = DesktopPicture{};
  PerMonitorAwareThread aware;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return false;

  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top to bottom, as the picture keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = memory ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  bool ok = section && bits;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, section);
    ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT) != FALSE;
    SelectObject(memory, old);
    GdiFlush();
  }
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!ok) {
    if (section) DeleteObject(section);
    return false;
  }
  picture.width = width;
  picture.height = height;
  picture.stride = static_cast<size_t>(width) * 4;
  // The section lives as long as the picture's pixels do.
  picture.pixels = std::shared_ptr<uint8_t>(static_cast<uint8_t*>(bits), [section](uint8_t*) { DeleteObject(section); });
  return true;
}

}  // namespace qg::show
