// The preview's host window on Windows: a window handle given on the
// command line, which may be gone by now.
#include "window_probe.h"

#include <windows.h>

namespace qg::show {

bool ProbeWindow(uint64_t id, WindowSize* size) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
  if (id == 0 || !IsWindow(window)) return false;
  RECT rect{};
  if (!GetClientRect(window, &rect)) return false;
  if (size) {
    size->width = rect.right - rect.left;
    size->height = rect.bottom - rect.top;
  }
  return true;
}

}  // namespace qg::show
