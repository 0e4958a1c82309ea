// The X11 covers of the own-window show (covered_target.h): each active
// monitor not showing (0, 0) gets a black override-redirect window of ours,
// also one plugged in during the show.
// The covers take no input, so key presses anywhere still reach the show's
// window through its focus and grab. A killed renderer takes its covers with
// it: the server destroys them with the connection.
#pragma once

#include <X11/Xlib.h>

#include "covered_target.h"
#include "monitor_cover.h"

class X11MonitorCovers final : public MonitorCovers {
 public:
  void Attach(Display* display) { display_ = display; }
  void CoverOtherMonitors() override;
  void Uncover() override;

 private:
  Display* display_ = nullptr;
  CoverList<Window> covers_;
};
