// The settings dialog's zoom animations: a rectangle grows from the pointer
// point taken at load to the dialog window, and shrinks back to it at close.
#pragma once

#include <vector>

#include "forms/types.h"

namespace Wobblevista_B {

// Both take the dialog's native window and use CursorX/CursorY.
void ZoomOpen(qgf::WindowId window);
void ZoomClose(qgf::WindowId window);

// The rectangles the animation shows, from `from` to `to` inclusive, evenly
// interpolated over `steps` steps (at least 1).
std::vector<qgf::PixelRect> ZoomFrames(const qgf::PixelRect& from, const qgf::PixelRect& to, int steps);

// Platform part: the window's rectangle on the screen, including a position
// given to a window not yet shown; and drawing the frames one after another.
bool ZoomWindowRect(qgf::WindowId window, qgf::PixelRect& rect);
void AnimateRectangles(const std::vector<qgf::PixelRect>& frames);

}  // namespace Wobblevista_B
