// What the Command control's logic needs of its platform side besides the
// face surface: the caption label, the face style, the pointer timer, the
// Click event and the host form's property services.
#pragma once

#include <cstdint>
#include <string>

#include "command_types.h"

namespace Wobblevista {

class CommandHost {
 public:
  virtual ~CommandHost() = default;

  // The caption label LblMsg.
  virtual std::string CaptionText() const = 0;
  virtual void SetCaptionText(const std::string& text) = 0;
  virtual FontSpec CaptionFont() const = 0;
  virtual void SetCaptionFont(const FontSpec& font) = 0;
  virtual std::uint32_t CaptionColour() const = 0;  // &HBBGGRR
  virtual void SetCaptionColour(std::uint32_t bgr) = 0;
  virtual void SetCaptionEnabled(bool enabled) = 0;

  // Face style 1 (opaque) or 0 (transparent: gradient and frame not shown).
  virtual void SetFaceOpaque(bool opaque) = 0;
  // Starts TmrMouse (100 ms); ticks come back through CommandLogic::OnMouseTimer.
  virtual void StartMouseTimer() = 0;
  virtual void RaiseClick() = 0;

  // The host form's services.
  virtual void PropertyChanged(const std::string& key) = 0;
  virtual FontSpec AmbientFont() const = 0;
};

}  // namespace Wobblevista
