// What the Command control's face drawing needs of the platform: a retained
// surface it can clear, copy stretched picture pieces onto, fill with a
// vertical gradient and show at once.
#pragma once

#include "command_types.h"

namespace Wobblevista {

class FaceSurface {
 public:
  virtual ~FaceSurface() = default;

  virtual int WidthTwips() const = 0;
  virtual int HeightTwips() const = 0;
  virtual int WidthPixels() const = 0;
  virtual int HeightPixels() const = 0;

  virtual void Clear() = 0;
  // Copies the source rectangle of a state picture onto the destination
  // rectangle, stretching when the sizes differ. All values in twips.
  virtual void PaintPicture(Look picture, int dst_x, int dst_y, int dst_w, int dst_h, int src_x,
                            int src_y, int src_w, int src_h) = 0;
  // False when the holder has no picture: the frame is then left undrawn.
  virtual bool HasPicture(Look picture) const = 0;
  // Fills the pixels x0 <= x < x1, y0 <= y < y1 with a linear vertical
  // gradient: `top` along row y0, `bottom` along the bottom edge.
  virtual void FillVerticalGradient(int x0, int y0, int x1, int y1, Colour16 top, Colour16 bottom) = 0;
  virtual void Refresh() = 0;

  // The caption label lying on the face.
  virtual int CaptionHeightTwips() const = 0;
  virtual void PlaceCaption(double top_twips, double left_twips, double width_twips) = 0;
};

}  // namespace Wobblevista
