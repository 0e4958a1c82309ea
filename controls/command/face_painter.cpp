#include "face_painter.h"

#include <algorithm>
#include <cmath>

#include "gradient_colour.h"

namespace Wobblevista {

std::array<FacePiece, 8> FramePieces(int w, int h) {
  using G = FaceGeometry;
  // Inner sizes are kept in 32 bits: a wide control still gets edges that
  // reach its corners instead of a stale stretch from an earlier paint.
  const int iw = std::max(0, static_cast<int>(std::lround(static_cast<double>(w) - 2 * G::kBorder)));
  const int ih = std::max(0, static_cast<int>(std::lround(static_cast<double>(h) - 2 * G::kBorder)));
  const int b = G::kBorder;
  const int right_src = G::kPictureWidth - b;    // 900
  const int bottom_src = G::kPictureHeight - b;  // 315
  return {{
      {1, 1, b, b, 0, 0, b, b},                                       // top-left corner
      {b, 1, iw, b, b, 1, G::kEdgeLength, b},                         // top edge
      {w - b, 1, b, b, right_src, 1, b, b},                           // top-right corner
      {w - b, b, b, ih, right_src, b, b, G::kSideLength},             // right edge
      {w - b, h - b, b, b, right_src, bottom_src, b, b},              // bottom-right corner
      {b, h - b, iw, b, b, bottom_src, G::kEdgeLength, b},            // bottom edge
      {1, h - b, b, b, 0, bottom_src, b, b},                          // bottom-left corner
      {1, b, b, ih, 1, b, b, G::kSideLength},                         // left edge
  }};
}

void DrawGradient(FaceSurface& surface, bool gradient_reversed) {
  const int x1 = static_cast<int>(std::lround(static_cast<double>(surface.WidthPixels()) - 1));
  const int y1 = static_cast<int>(std::lround(static_cast<double>(surface.HeightPixels()) - 1));
  const GradientEnds ends = GradientEndsFor(gradient_reversed);
  surface.FillVerticalGradient(0, 0, x1, y1, ends.top, ends.bottom);
  surface.Refresh();
}

void DrawFace(FaceSurface& surface, Look picture, std::uint8_t button_state, bool& gradient_reversed) {
  gradient_reversed = NextGradientReversed(button_state, gradient_reversed);
  const int w = surface.WidthTwips();
  const int h = surface.HeightTwips();
  surface.Clear();
  DrawGradient(surface, gradient_reversed);
  if (surface.HasPicture(picture)) {
    for (const FacePiece& p : FramePieces(w, h)) {
      if (p.dst_w <= 0 || p.dst_h <= 0) continue;
      surface.PaintPicture(picture, p.dst_x, p.dst_y, p.dst_w, p.dst_h, p.src_x, p.src_y, p.src_w, p.src_h);
    }
  }
  surface.Refresh();
  const double top = (static_cast<double>(h) - surface.CaptionHeightTwips() - FaceGeometry::kCaptionOffset) / 2.0;
  surface.PlaceCaption(top, 0.0, static_cast<double>(w));
}

}  // namespace Wobblevista
