// The Win32 covers of the own-window show (covered_target.h): after the
// primary display's switch, each monitor not at (0, 0) gets a black topmost
// pop-up of ours, also one plugged in during the show (the system tells of it
// with WM_DISPLAYCHANGE). The covers never take activation, so the keyboard
// stays with the show's window.
#pragma once

#include <windows.h>

#include "covered_target.h"
#include "monitor_cover.h"

class Win32MonitorCovers final : public MonitorCovers {
 public:
  explicit Win32MonitorCovers(HINSTANCE instance) : instance_(instance) {}
  void CoverOtherMonitors() override;
  void Uncover() override;

 private:
  HINSTANCE instance_;
  bool classRegistered_ = false;
  CoverList<HWND> covers_;
};
