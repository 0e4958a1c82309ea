// Recording stand-ins for the platform side of the Command control, for the
// platform-free tests.
#pragma once

#include <string>
#include <vector>

#include "command_host.h"
#include "face_surface.h"

namespace cmdtest {

struct Copy {
  Wobblevista::Look picture;
  int dx, dy, dw, dh, sx, sy, sw, sh;
};

class RecordingSurface : public Wobblevista::FaceSurface {
 public:
  int w_twips = 1800, h_twips = 900;
  bool pictures_present = true;
  std::vector<std::string> calls;
  std::vector<Copy> copies;
  Wobblevista::Colour16 top{}, bottom{};
  int gx1 = 0, gy1 = 0;
  double caption_top = -1, caption_left = -1, caption_width = -1;

  int WidthTwips() const override { return w_twips; }
  int HeightTwips() const override { return h_twips; }
  int WidthPixels() const override { return w_twips / 15; }
  int HeightPixels() const override { return h_twips / 15; }
  void Clear() override { calls.push_back("clear"); copies.clear(); }
  void PaintPicture(Wobblevista::Look p, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) override {
    calls.push_back("copy");
    copies.push_back({p, dx, dy, dw, dh, sx, sy, sw, sh});
  }
  bool HasPicture(Wobblevista::Look) const override { return pictures_present; }
  void FillVerticalGradient(int, int, int x1, int y1, Wobblevista::Colour16 t, Wobblevista::Colour16 b) override {
    calls.push_back("gradient");
    gx1 = x1;
    gy1 = y1;
    top = t;
    bottom = b;
  }
  void Refresh() override { calls.push_back("refresh"); }
  int CaptionHeightTwips() const override { return 195; }
  void PlaceCaption(double t, double l, double w) override {
    caption_top = t;
    caption_left = l;
    caption_width = w;
  }
};

class RecordingHost : public Wobblevista::CommandHost {
 public:
  std::string text = "Command";
  Wobblevista::FontSpec font{"ambient", 8.0, 400, false, false, false, 0};
  std::uint32_t colour = 0;
  bool caption_enabled = true, opaque = true, timer_started = false;
  int clicks = 0;
  std::vector<std::string> changed;

  std::string CaptionText() const override { return text; }
  void SetCaptionText(const std::string& t) override { text = t; }
  Wobblevista::FontSpec CaptionFont() const override { return font; }
  void SetCaptionFont(const Wobblevista::FontSpec& f) override { font = f; }
  std::uint32_t CaptionColour() const override { return colour; }
  void SetCaptionColour(std::uint32_t c) override { colour = c; }
  void SetCaptionEnabled(bool e) override { caption_enabled = e; }
  void SetFaceOpaque(bool o) override { opaque = o; }
  void StartMouseTimer() override { timer_started = true; }
  void RaiseClick() override { ++clicks; }
  void PropertyChanged(const std::string& key) override { changed.push_back(key); }
  Wobblevista::FontSpec AmbientFont() const override { return {"ambient", 8.0, 400, false, false, false, 0}; }
};

}  // namespace cmdtest
