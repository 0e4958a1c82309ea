// Hiding and showing the pointer on X11 with XFixes. The hide lasts while
// the connection is open, so it is made on the host's shared connection.
#pragma once

#include <X11/Xlib.h>

#include "cursor_counter.h"

namespace qg {
namespace x11 {

class XFixesCursorVisibility : public CursorVisibility {
 public:
  explicit XFixesCursorVisibility(Display* display);
  void Hide() override;
  void Show() override;

 private:
  Display* display_;
  bool usable_ = false;
};

// The program's cursor counter, over the shared connection.
CursorCounter& HostCursorCounter();

}  // namespace x11
}  // namespace qg
