#include "command_logic.h"

#include "face_painter.h"

namespace Wobblevista {

const char kDefaultCaptionRead[] = "Command1";
const char kDefaultCaptionWrite[] = "Command";

void CommandLogic::Initialize() {
  button_state_ = kStateNormal;
  host_.StartMouseTimer();
}

std::string CommandLogic::Caption() const { return host_.CaptionText(); }

void CommandLogic::SetCaption(const std::string& text) {
  host_.SetCaptionText(text);
  host_.PropertyChanged("Caption");
}

FontSpec CommandLogic::Font() const { return host_.CaptionFont(); }

void CommandLogic::SetFont(const FontSpec& font) {
  host_.SetCaptionFont(font);
  host_.PropertyChanged("Font");
}

std::uint32_t CommandLogic::FontColour() {
  std::uint32_t c = host_.CaptionColour();
  RefreshLook();
  return c;
}

void CommandLogic::SetFontColour(std::uint32_t bgr) {
  host_.SetCaptionColour(bgr);
  RefreshLook();
  host_.PropertyChanged("FontColour");
}

bool CommandLogic::Enabled() {
  // First placement: a control never loaded from a store becomes enabled on
  // the first read.
  if (first_run_ == 0) {
    RefreshLook();
    first_run_ = 1;
    enabled_ = true;
  }
  bool result = enabled_;
  ApplyEnabledLook();
  return result;
}

void CommandLogic::SetEnabled(bool enabled) {
  enabled_ = enabled;
  host_.PropertyChanged("Enabled");
  ApplyEnabledLook();
}

std::uint8_t CommandLogic::Visible() {
  if (face_style_ != 0) {
    RefreshLook();
    return 255;
  }
  return 0;
}

void CommandLogic::SetVisible(std::uint8_t flag) {
  if (flag != 0) {
    face_style_ = 1;
    host_.SetFaceOpaque(true);
    RefreshLook();
  } else {
    face_style_ = 0;
    host_.SetFaceOpaque(false);
  }
  host_.PropertyChanged("Visible");
}

void CommandLogic::ReadProperties(const qgf::PropertyBag& bag) {
  // A value of the wrong kind leaves its field as it was.
  if (auto v = qgf::AsBool(bag.Read("Enabled", true))) enabled_ = *v;
  if (auto v = qgf::AsText(bag.Read("Caption", std::string(kDefaultCaptionRead)))) host_.SetCaptionText(*v);
  if (auto v = qgf::AsFont(bag.Read("Font", host_.AmbientFont()))) host_.SetCaptionFont(*v);
  if (auto v = qgf::AsByte(bag.Read("FirstRun", std::string("1")))) first_run_ = *v;
  if (auto v = qgf::AsInt32(bag.Read("FontColour", std::string("0"))))
    host_.SetCaptionColour(static_cast<std::uint32_t>(*v));
  if (auto v = qgf::AsInt16(bag.Read("Visible", std::string("1")))) {
    face_style_ = *v != 0 ? 1 : 0;
    host_.SetFaceOpaque(face_style_ != 0);
  }
  RefreshLook();
}

void CommandLogic::WriteProperties(qgf::PropertyBag& bag) {
  bag.Write("Enabled", enabled_, true);
  bag.Write("Caption", host_.CaptionText(), std::string(kDefaultCaptionWrite));
  bag.Write("FirstRun", first_run_, std::string("1"));
  bag.Write("Font", host_.CaptionFont(), host_.AmbientFont());
  bag.Write("FontColour", static_cast<std::int32_t>(host_.CaptionColour()), std::string("0"));
  bag.Write("Visible", face_style_, std::string("1"));
  RefreshLook();
}

void CommandLogic::OnResize() { ApplyEnabledLook(); }

void CommandLogic::OnFocusGained() {
  if (!enabled_) return;
  if (button_state_ != kStateHighLight) {
    button_state_ = kStateSelected;
    DrawFace(Look::Selected);
  } else {
    button_state_ = kStateHighLightSelect;
    DrawFace(Look::Pressed);
  }
}

void CommandLogic::OnFocusLost() {
  if (!enabled_) return;
  if (button_state_ != kStateNormal) {
    button_state_ = kStateNormal;
    DrawFace(Look::Normal);
  }
}

void CommandLogic::OnMouseDown(MouseButton button) {
  if (!enabled_ || button != MouseButton::Left) return;
  mouse_held_ = true;
  DrawFace(Look::Pressed);
}

void CommandLogic::OnMouseMove() {
  if (!enabled_) return;
  if (button_state_ == kStateNormal) {
    button_state_ = kStateHighLight;
    DrawFace(Look::HighLight);
  }
  if (button_state_ == kStateSelected && !mouse_held_) {
    button_state_ = kStateHighLightSelect;
    DrawFace(Look::HighLightSelect);
  }
}

void CommandLogic::OnMouseUp(MouseButton button) {
  if (!enabled_) return;
  if (button == MouseButton::Left) {
    mouse_held_ = false;
    if (button_state_ == kStateHighLight)
      DrawFace(Look::Normal);
    else if (button_state_ == kStateHighLightSelect)
      DrawFace(Look::HighLightSelect);
  }
  // A press dragged off a focused control (state 3) is cancelled.
  if (button_state_ != kStateSelected) host_.RaiseClick();
}

void CommandLogic::OnMouseTimer(bool pointer_over) {
  if (!pointer_over) PointerLeft();
}

void CommandLogic::PointerLeft() {
  if (!enabled_) return;
  if (button_state_ == kStateHighLight) {
    button_state_ = kStateNormal;
    DrawFace(Look::Normal);
  } else if (button_state_ == kStateHighLightSelect) {
    button_state_ = kStateSelected;
    DrawFace(Look::Selected);
  }
}

void CommandLogic::DrawFace(Look picture) {
  last_look_ = picture;
  ++paint_count_;
  Wobblevista::DrawFace(surface_, picture, button_state_, gradient_reversed_);
}

void CommandLogic::ApplyEnabledLook() {
  if (enabled_) {
    DrawFace(Look::Normal);
    host_.SetCaptionEnabled(true);
  } else {
    DrawFace(Look::Disable);
    host_.SetCaptionEnabled(false);
  }
}

void CommandLogic::RefreshLook() {
  if (!enabled_) return;
  host_.SetCaptionEnabled(true);
  if (first_run_ == 0) host_.SetCaptionColour(0);
  DrawFace(Look::Normal);
}

}  // namespace Wobblevista
