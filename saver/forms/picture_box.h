// A picture box: a retained drawing surface inside a form, which may also
// hold controls (they are then placed relative to its interior).
#pragma once

#include "canvas.h"

namespace qgf {

class PictureBox : public Canvas {
 public:
  explicit PictureBox(Canvas& container);
  ~PictureBox() override;
  // None or FixedSingle (a thin sunken frame).
  void SetBorderStyle(BorderStyle style);
  // Without a frame, the box takes the size of a picture given here.
  void SetPicture(const Picture& picture);
  Picture GetPicture() const { return picture_; }

 private:
  Picture picture_;
};

}  // namespace qgf
