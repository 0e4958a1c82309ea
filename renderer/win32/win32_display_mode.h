// The show's temporary display-mode switch on Windows: the current mode is
// read, only its size replaced, and the registry's mode restored at the end.
#pragma once

#include "win32_headers.h"

class Win32DisplayMode {
 public:
  // False when the primary display's current mode cannot be read.
  bool ReadCurrent();
  // A full-screen (temporary) change to width x height of the mode read.
  bool Change(int width, int height);
  // Back to the mode stored in the registry; nothing when never changed.
  void Restore();

 private:
  DEVMODEA mode_{};
  bool read_ = false;
  bool changed_ = false;
};
