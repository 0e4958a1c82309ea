// The Command control's two window-system questions on Win32: which window
// lies under the pointer (another program's window on top is a leave), and a
// caption label that lets the mouse through to the button below it.
#include "command.h"
#include "pointer_tracking.h"
#include "forms/win32/widget_impl_win32.h"

namespace Wobblevista {

bool PointerOverCommand(qgf::UserControl& control, qgf::Widget& caption) {
  HWND self = control.impl() ? control.impl()->hwnd : nullptr;
  HWND label = caption.impl() ? caption.impl()->hwnd : nullptr;
  if (!self) return false;
  POINT p;
  if (!GetCursorPos(&p)) return false;
  HWND under = WindowFromPoint(p);
  return !PointerHasLeft(reinterpret_cast<SurfaceId>(under), reinterpret_cast<SurfaceId>(self),
                         reinterpret_cast<SurfaceId>(label), reinterpret_cast<SurfaceId>(GetAncestor(self, GA_ROOT)));
}

void PassCaptionMouseThrough(qgf::Label& caption) {
  if (caption.impl()) caption.impl()->mouse_through = true;
}

}  // namespace Wobblevista
