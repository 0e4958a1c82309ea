// The own-window show with every other monitor blacked out, on Windows: after
// the primary display's switch, each monitor not at (0, 0) gets a black
// topmost pop-up of ours for as long as the show's window is up. The covers
// never take activation, so the keyboard stays with the show's window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "renderer_platform.h"

class Win32CoveredTarget final : public DrawingTarget {
 public:
  Win32CoveredTarget(DrawingTarget& show, HINSTANCE instance) : show_(show), instance_(instance) {}

  bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) override;
  bool HasPixelFormat() override { return show_.HasPixelFormat(); }
  void ClientSize(int* width, int* height) override { show_.ClientSize(width, height); }
  void MarkPainted() override { show_.MarkPainted(); }
  void HoldOffScreenSaver(bool hold) override { show_.HoldOffScreenSaver(hold); }
  void Close() override;
  bool CreateContext() override { return show_.CreateContext(); }
  void DestroyContext() override { show_.DestroyContext(); }
  void PresentFrame() override { show_.PresentFrame(); }

 private:
  void CoverOtherMonitors();
  void Uncover();

  DrawingTarget& show_;
  HINSTANCE instance_;
  bool classRegistered_ = false;
  std::vector<HWND> covers_;
};
