// DrawFace and DrawGradient: a full repaint of the Command control's face from
// one state picture, in the twips geometry of a stretchable frame.
#pragma once

#include <array>
#include <cstdint>

#include "face_surface.h"

namespace Wobblevista {

// Geometry of the state pictures and the frame, in twips.
struct FaceGeometry {
  static constexpr int kBorder = 60;          // frame column width and row height
  static constexpr int kPictureWidth = 960;   // 64 px
  static constexpr int kPictureHeight = 375;  // 25 px
  static constexpr int kEdgeLength = kPictureWidth - 2 * kBorder;   // 840
  static constexpr int kSideLength = kPictureHeight - 2 * kBorder;  // 255
  static constexpr int kCaptionOffset = 20;
};

// One picture copy: destination x, y, w, h and source x, y, w, h in twips.
struct FacePiece {
  int dst_x, dst_y, dst_w, dst_h;
  int src_x, src_y, src_w, src_h;
};

// The eight frame pieces for a face of w x h twips, in drawing order (corners
// at natural size, edges stretched). The inner sizes are clamped at 0 for a
// face narrower or lower than the frame, so no piece ever gets a negative size.
std::array<FacePiece, 8> FramePieces(int w_twips, int h_twips);

// Paints the face; `gradient_reversed` is updated by the state rule first.
void DrawFace(FaceSurface& surface, Look picture, std::uint8_t button_state, bool& gradient_reversed);

// Fills the whole surface with the two-colour gradient in the given direction.
void DrawGradient(FaceSurface& surface, bool gradient_reversed);

}  // namespace Wobblevista
