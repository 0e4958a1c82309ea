// The show's temporary display-mode switch on Windows: the current mode is
// read, only its size replaced, and the registry's mode restored at the end.
#pragma once

#include <windows.h>

#include "renderer_platform.h"

class Win32DisplayMode final : public DisplayModeControl {
 public:
  // False when the primary display's current mode cannot be read.
  bool ReadCurrent() override;
  // A full-screen (temporary) change to width x height of the mode read.
  bool SwitchTo(int width, int height) override;
  // Back to the mode stored in the registry; nothing when never changed.
  void Restore() override;

 private:
  DEVMODEA mode_{};
  bool read_ = false;
  bool changed_ = false;
};
