// The Command control: its fields, properties, stored properties, the
// Initialize method and the state machine that picks the face picture as the
// pointer, the mouse buttons and the keyboard focus come and go.
#pragma once

#include <cstdint>
#include <string>

#include "command_host.h"
#include "command_types.h"
#include "face_surface.h"
#include "forms/property_bag.h"

namespace Wobblevista {

class CommandLogic {
 public:
  CommandLogic(CommandHost& host, FaceSurface& surface) : host_(host), surface_(surface) {}

  // Method offered to the host form.
  void Initialize();

  // Properties. Reads and writes have the side effects the host relies on
  // (reading Enabled repaints, reading FontColour refreshes the look, ...).
  std::string Caption() const;
  void SetCaption(const std::string& text);
  FontSpec Font() const;
  void SetFont(const FontSpec& font);
  std::uint32_t FontColour();
  void SetFontColour(std::uint32_t bgr);
  bool Enabled();
  void SetEnabled(bool enabled);
  std::uint8_t Visible();
  void SetVisible(std::uint8_t flag);

  // The form's property bag for this control.
  void ReadProperties(const qgf::PropertyBag& bag);
  void WriteProperties(qgf::PropertyBag& bag);

  // Notifications from the platform.
  void OnResize();
  void OnFocusGained();
  void OnFocusLost();
  void OnMouseDown(MouseButton button);
  void OnMouseMove();
  void OnMouseUp(MouseButton button);
  // One tick of TmrMouse; `pointer_over` is false when the pointer is neither
  // over the control nor over its caption.
  void OnMouseTimer(bool pointer_over);

  // Internal routines, public for the platform side and tests.
  void DrawFace(Look picture);
  void PointerLeft();
  void ApplyEnabledLook();
  void RefreshLook();

  // Field inspection without the side effects of the properties.
  std::uint8_t button_state() const { return button_state_; }
  bool enabled_field() const { return enabled_; }
  std::uint8_t first_run() const { return first_run_; }
  bool mouse_held() const { return mouse_held_; }
  bool gradient_reversed() const { return gradient_reversed_; }
  std::int16_t face_style() const { return face_style_; }
  Look last_look() const { return last_look_; }
  int paint_count() const { return paint_count_; }

 private:
  CommandHost& host_;
  FaceSurface& surface_;
  std::uint8_t button_state_ = kStateNone;
  bool enabled_ = false;
  std::uint8_t first_run_ = 0;
  bool mouse_held_ = false;
  bool gradient_reversed_ = false;
  std::int16_t face_style_ = 1;
  Look last_look_ = Look::Normal;
  int paint_count_ = 0;
};

// Keys and defaults of the stored properties.
extern const char kDefaultCaptionRead[];   // "Command1"
extern const char kDefaultCaptionWrite[];  // "Command"

}  // namespace Wobblevista
