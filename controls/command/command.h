// The Command button as a user control of the form layer: the platform side
// of CommandLogic. It paints its face into the control's retained surface, lays
// the caption label LblMsg on top and polls the pointer with TmrMouse. It has no
// keyboard handling at all: Enter and Space do nothing.
#pragma once

#include <cstdint>
#include <string>

#include "command_host.h"
#include "command_logic.h"
#include "face_surface.h"
#include "forms/controls.h"
#include "forms/timer.h"
#include "forms/user_control.h"

namespace Wobblevista {

class Command : public qgf::UserControl, private CommandHost, private FaceSurface {
 public:
  explicit Command(qgf::Canvas& container);
  ~Command() override;

  void Initialize() { logic_.Initialize(); }

  // The control's own properties. Enabled and Visible are the control's
  // (Visible switches the face between opaque and transparent); they hide the
  // widget-level ones of the same name on purpose.
  std::string Caption() const { return logic_.Caption(); }
  void SetCaption(const std::string& text) { logic_.SetCaption(text); }
  qgf::Font Font() const;
  void SetFont(const qgf::Font& font);
  std::uint32_t FontColour() { return logic_.FontColour(); }
  void SetFontColour(std::uint32_t bgr) { logic_.SetFontColour(bgr); }
  bool Enabled() { return logic_.Enabled(); }
  void SetEnabled(bool enabled) { logic_.SetEnabled(enabled); }
  std::uint8_t Visible() { return logic_.Visible(); }
  void SetVisible(std::uint8_t flag) { logic_.SetVisible(flag); }

  const CommandLogic& logic() const { return logic_; }
  qgf::Label& caption_label() { return LblMsg; }

 protected:
  void OnInitProperties() override;
  void OnReadProperties(const qgf::PropertyBag& bag) override { logic_.ReadProperties(bag); }
  void OnWriteProperties(qgf::PropertyBag& bag) override { logic_.WriteProperties(bag); }
  void OnResize() override { logic_.OnResize(); }
  void OnGotFocus() override { logic_.OnFocusGained(); }
  void OnLostFocus() override { logic_.OnFocusLost(); }
  void OnMouseDown(const qgf::MouseArgs& a) override { logic_.OnMouseDown(ButtonOf(a)); }
  void OnMouseMove(const qgf::MouseArgs&) override { logic_.OnMouseMove(); }
  void OnMouseUp(const qgf::MouseArgs& a) override { logic_.OnMouseUp(ButtonOf(a)); }

 private:
  static MouseButton ButtonOf(const qgf::MouseArgs& a);
  bool PointerOver();

  // CommandHost.
  std::string CaptionText() const override;
  void SetCaptionText(const std::string& text) override;
  FontSpec CaptionFont() const override;
  void SetCaptionFont(const FontSpec& font) override;
  std::uint32_t CaptionColour() const override;
  void SetCaptionColour(std::uint32_t bgr) override;
  void SetCaptionEnabled(bool enabled) override;
  void SetFaceOpaque(bool opaque) override;
  void StartMouseTimer() override;
  void RaiseClick() override { qgf::UserControl::RaiseClick(); }
  void PropertyChanged(const std::string& key) override { qgf::UserControl::PropertyChanged(key); }
  FontSpec AmbientFont() const override;

  // FaceSurface.
  int WidthTwips() const override;
  int HeightTwips() const override;
  int WidthPixels() const override;
  int HeightPixels() const override;
  void Clear() override;
  void PaintPicture(Look picture, int dst_x, int dst_y, int dst_w, int dst_h, int src_x, int src_y, int src_w,
                    int src_h) override;
  bool HasPicture(Look picture) const override;
  void FillVerticalGradient(int x0, int y0, int x1, int y1, Colour16 top, Colour16 bottom) override;
  void Refresh() override { qgf::Canvas::Refresh(); }
  int CaptionHeightTwips() const override;
  void PlaceCaption(double top_twips, double left_twips, double width_twips) override;

  qgf::Label LblMsg;
  qgf::Timer TmrMouse;
  bool opaque_ = true;
  CommandLogic logic_;
};

// Whether the pointer lies over the control or its caption, decided at widget
// level (child widgets share their form's native window). Platform-specific.
bool PointerOverCommand(qgf::UserControl& control, qgf::Widget& caption);

// Lets every mouse event on the caption reach the control. Platform-specific.
void PassCaptionMouseThrough(qgf::Label& caption);

// Conversions between the form layer's font and the control's.
FontSpec ToFontSpec(const qgf::Font& f);
qgf::Font ToFormFont(const FontSpec& f);

}  // namespace Wobblevista
