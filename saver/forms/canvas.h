// A widget with a retained drawing surface that can also hold child
// controls: forms, picture boxes and user controls. What is drawn stays in a
// backing image that survives while the widget is hidden or covered, and is
// what GetImage() gives.
#pragma once

#include <string>

#include "types.h"
#include "widget.h"

namespace qgf {

class Canvas : public Widget {
 public:
  // Unit of the children's geometry and of drawing (default twips).
  void SetScaleMode(ScaleMode mode);
  ScaleMode GetScaleMode() const { return scale_mode_; }
  // Inner (client) area in this canvas' own unit.
  double ScaleWidth() const;
  double ScaleHeight() const;
  // Converts between this canvas' unit and pixels.
  double ToPixels(double v) const;
  double FromPixels(double px) const;
  // Device pixels per pixel: above 1 where the form follows a scaled desktop
  // (1.5, 2). The surface keeps that finer resolution: drawing at fractions
  // of a pixel reaches it, and pictures painted in are enlarged smoothly.
  double DeviceScale() const;

  // Kept for fidelity with the designed forms; drawing is always retained here.
  void SetAutoRedraw(bool on) { auto_redraw_ = on; }
  bool AutoRedraw() const { return auto_redraw_; }

  void SetBackColour(Colour c);
  Colour BackColour() const;
  // A picture drawn at the top-left corner of the background.
  void SetBackPicture(const Picture& picture);
  void SetFont(const Font& font);
  Font GetFont() const;

  // Drawing, in this canvas' unit; nothing happens outside the surface.
  void Cls();  // background colour, then the background picture
  void Line(double x1, double y1, double x2, double y2, Colour colour);
  void FillRect(double x, double y, double w, double h, Colour colour);
  // Copies a source rectangle of a picture onto (dx, dy), stretched to dw x dh.
  // A size below 0 means: the destination takes the source size; the source
  // takes the whole picture.
  void PaintPicture(const Picture& picture, double dx, double dy, double dw = -1, double dh = -1, double sx = 0,
                    double sy = 0, double sw = -1, double sh = -1);
  // Sizes the surface to the picture and makes the picture its retained
  // image, where the toolkit can without copying it (drawing on it afterwards
  // copies it first; the picture never changes). Otherwise it is painted in.
  void HoldPicture(const Picture& picture);
  // The same with another canvas' retained image as the source (pixel units).
  void CopyFrom(const Canvas& source, int dx, int dy, int w, int h, int sx = 0, int sy = 0);
  // A vertical two-colour gradient over a pixel rectangle (top colour to bottom).
  void GradientFillVertical(int x, int y, int w, int h, Colour top, Colour bottom);
  // Copies a rectangle of the whole screen (pixels) into the surface at (dx, dy).
  bool CopyFromScreen(int dx, int dy, int w, int h, int sx = 0, int sy = 0);
  // Shows what was drawn now.
  void Refresh();

  // The retained image, in device pixels (the inner area's pixel size times
  // DeviceScale()).
  Image GetImage() const;

 protected:
  Canvas(Canvas* container, WidgetImpl* impl);
  ScaleMode scale_mode_ = ScaleMode::Twips;
  bool auto_redraw_ = true;
};

}  // namespace qgf
