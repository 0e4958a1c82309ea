// The Win32 covers of the own-window show (covered_target.h): after the
// primary display's switch, each monitor not at (0, 0) gets a black topmost
// pop-up of ours. The covers never take activation, so the keyboard stays
// with the show's window.
#pragma once

#include <windows.h>

#include <vector>

#include "covered_target.h"

class Win32MonitorCovers final : public MonitorCovers {
 public:
  explicit Win32MonitorCovers(HINSTANCE instance) : instance_(instance) {}
  void CoverOtherMonitors() override;
  void Uncover() override;

 private:
  HINSTANCE instance_;
  bool classRegistered_ = false;
  std::vector<HWND> covers_;
};
