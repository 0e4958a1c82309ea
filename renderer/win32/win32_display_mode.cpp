#include "win32_display_mode.h"

#include "display_modes_win32.h"

bool Win32DisplayMode::ReadCurrent() {
  read_ = qg::win32::ReadDisplayMode(&mode_);
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
  return qg::win32::SetDisplayMode(wanted, CDS_FULLSCREEN);
}

void Win32DisplayMode::Restore() {
  if (!changed_) return;
  ChangeDisplaySettingsA(nullptr, 0);
  changed_ = false;
}
