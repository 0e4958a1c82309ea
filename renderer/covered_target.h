// The own-window show with every other monitor blacked out: a drawing target
// that wraps the show's own window target and, for as long as that window is
// up, has the platform's covers over the monitors the show is not on (see
// monitor_cover.h). The covers are made after the display mode's switch,
// which comes before the target is opened.
#pragma once

#include <string>

#include "renderer_platform.h"

// The black windows over the other monitors, as each platform makes them.
class MonitorCovers {
 public:
  virtual ~MonitorCovers() = default;
  // Covers every monitor the show is not on, as the monitors are now: one
  // plugged in since the last call gets a cover, one gone loses its own.
  virtual void CoverOtherMonitors() = 0;
  // Takes every cover down; nothing when there is none.
  virtual void Uncover() = 0;
};

class CoveredTarget final : public DrawingTarget {
 public:
  CoveredTarget(DrawingTarget& show, MonitorCovers& covers) : show_(show), covers_(covers) {}

  bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) override {
    if (!show_.Open(title, width, height, format)) return false;
    covers_.CoverOtherMonitors();
    open_ = true;
    return true;
  }
  bool HasPixelFormat() override { return show_.HasPixelFormat(); }
  void ClientSize(int* width, int* height) override { show_.ClientSize(width, height); }
  bool FollowsSize() override { return show_.FollowsSize(); }
  void MarkPainted() override { show_.MarkPainted(); }
  void HoldOffScreenSaver(bool hold) override { show_.HoldOffScreenSaver(hold); }
  void DisplayChanged() override {
    if (open_) covers_.CoverOtherMonitors();
  }
  void Close() override {
    open_ = false;
    covers_.Uncover();
    show_.Close();
  }
  bool CreateContext() override { return show_.CreateContext(); }
  void DestroyContext() override { show_.DestroyContext(); }
  void PresentFrame() override { show_.PresentFrame(); }

 private:
  DrawingTarget& show_;
  MonitorCovers& covers_;
  bool open_ = false;
};
