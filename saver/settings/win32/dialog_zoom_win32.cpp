// The settings dialog's zoom on Win32: the system's own animated rectangles
// (DrawAnimatedRects with IDANI_CAPTION), from the first frame to the last.
#include "dialog_zoom.h"
#include "forms/statements.h"
#include "forms/win32/widget_impl_win32.h"

namespace Wobblevista_B {

bool ZoomWindowRect(qgf::WindowId window, qgf::PixelRect& rect) { return qgf::WindowRect(window, rect); }

void AnimateRectangles(const std::vector<qgf::PixelRect>& frames) {
  if (frames.empty()) return;
  const qgf::PixelRect& a = frames.front();
  const qgf::PixelRect& b = frames.back();
  RECT from{a.left, a.top, a.right, a.bottom};
  RECT to{b.left, b.top, b.right, b.bottom};
  DrawAnimatedRects(nullptr, IDANI_CAPTION, &from, &to);
}

}  // namespace Wobblevista_B
