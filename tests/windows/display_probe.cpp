// Reports the primary display's current size as a new process sees it, in
// its exit code: width * 10000 + height (0 when it cannot be read).
#include <windows.h>

int main() {
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int>(mode.dmPelsWidth * 10000 + mode.dmPelsHeight);
}
