// Photographing the desktop on Windows: the screen's device context copied
// into a 32-bit top-down DIB section, which the picture then shares.
#include "desktop_capture.h"

#include <windows.h>

namespace qg::show {

bool CaptureDesktop(DesktopPicture& picture) {
  picture = DesktopPicture{};
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
