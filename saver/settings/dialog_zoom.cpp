#include "dialog_zoom.h"

#include <cmath>

#include "module_values.h"

namespace Wobblevista_B {

namespace {

constexpr int kZoomSteps = 10;

qgf::PixelRect PointRect() {
  const int x = CursorX, y = CursorY;
  return qgf::PixelRect{x, y, x, y};
}

void Zoom(qgf::WindowId window, bool opening) {
  qgf::PixelRect rect;
  if (!ZoomWindowRect(window, rect) || rect.width() <= 0 || rect.height() <= 0) return;
  AnimateRectangles(opening ? ZoomFrames(PointRect(), rect, kZoomSteps) : ZoomFrames(rect, PointRect(), kZoomSteps));
}

}  // namespace

std::vector<qgf::PixelRect> ZoomFrames(const qgf::PixelRect& from, const qgf::PixelRect& to, int steps) {
  if (steps < 1) steps = 1;
  std::vector<qgf::PixelRect> frames;
  frames.reserve(std::size_t(steps) + 1);
  auto lerp = [](int a, int b, double t) { return int(std::lround(a + (b - a) * t)); };
  for (int i = 0; i <= steps; ++i) {
    const double t = double(i) / steps;
    frames.push_back(qgf::PixelRect{lerp(from.left, to.left, t), lerp(from.top, to.top, t),
                                    lerp(from.right, to.right, t), lerp(from.bottom, to.bottom, t)});
  }
  return frames;
}

void ZoomOpen(qgf::WindowId window) { Zoom(window, true); }
void ZoomClose(qgf::WindowId window) { Zoom(window, false); }

}  // namespace Wobblevista_B
