#include "win32_display_mode.h"

bool Win32DisplayMode::ReadCurrent() {
  mode_ = DEVMODEA{};
  mode_.dmSize = sizeof(mode_);
  read_ = EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode_) != FALSE;
  return read_;
}

bool Win32DisplayMode::SwitchTo(int width, int height) {
  if (!read_) return false;
  DEVMODEA wanted = mode_;  // depth, refresh rate and the rest stay as read
  wanted.dmPelsWidth = static_cast<DWORD>(width);
  wanted.dmPelsHeight = static_cast<DWORD>(height);
  wanted.dmFields |= DM_PELSWIDTH | DM_PELSHEIGHT;
  // Even a refused change may have touched the mode, so the end restores it.
  changed_ = true;
  return ChangeDisplaySettingsA(&wanted, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void Win32DisplayMode::Restore() {
  if (!changed_) return;
  ChangeDisplaySettingsA(nullptr, 0);
  changed_ = false;
}
