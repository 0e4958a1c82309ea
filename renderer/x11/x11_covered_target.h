// The own-window show with every other monitor blacked out: the show's window
// goes on the monitor at (0, 0), the one the display mode was switched on, and
// each other active monitor gets a black override-redirect window of ours for
// as long as the show's window is up. The covers take no input, so key
// presses anywhere still reach the show's window through its focus and grab.
// A killed renderer takes its covers with it: the server destroys them with
// the connection.
#pragma once

#include <X11/Xlib.h>
#include <string>
#include <vector>

#include "monitor_cover.h"
#include "renderer_platform.h"
#include "x11_window_target.h"

class X11CoveredTarget final : public DrawingTarget {
 public:
  explicit X11CoveredTarget(X11WindowTarget& show) : show_(show) {}
  void Attach(Display* display) { display_ = display; }

  bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) override;
  bool HasPixelFormat() override { return show_.HasPixelFormat(); }
  void ClientSize(int* width, int* height) override { show_.ClientSize(width, height); }
  void MarkPainted() override { show_.MarkPainted(); }
  void HoldOffScreenSaver(bool hold) override { show_.HoldOffScreenSaver(hold); }
  void Close() override;
  bool CreateContext() override { return show_.CreateContext(); }
  void DestroyContext() override { show_.DestroyContext(); }
  void PresentFrame() override { show_.PresentFrame(); }

  const std::vector<Window>& covers() const { return covers_; }

 private:
  void CoverOtherMonitors();
  void Uncover();

  X11WindowTarget& show_;
  Display* display_ = nullptr;
  std::vector<Window> covers_;
};
