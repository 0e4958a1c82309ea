// The plain controls the forms use: image, label, combo box and shape.
#pragma once

#include <string>
#include <vector>

#include "widget.h"

namespace qgf {

// An image control: shows a picture; without stretching it takes the
// picture's size.
class ImageControl : public Widget {
 public:
  explicit ImageControl(Canvas& container);
  ~ImageControl() override;
  void SetPicture(const Picture& picture);
  Picture GetPicture() const { return picture_; }
  void SetStretch(bool stretch);
  bool Stretch() const { return stretch_; }

 private:
  Picture picture_;
  bool stretch_ = false;
};

enum class Alignment { Left, Right, Centre };

// A label: one caption, greyed when disabled.
class Label : public Widget {
 public:
  explicit Label(Canvas& container);
  ~Label() override;
  void SetCaption(const std::string& caption);  // UTF-8
  std::string Caption() const;
  void SetFont(const Font& font);
  Font GetFont() const;
  void SetForeColour(Colour c);
  Colour ForeColour() const;
  void SetBackColour(Colour c);
  // A transparent label shows its container's drawing behind the text.
  void SetTransparent(bool transparent);
  void SetAlignment(Alignment alignment);
  void SetBorder(bool single);
  void SetWordWrap(bool wrap);

 private:
  Colour fore_;
};

// A combo box with an edit field and a drop-down list.
class ComboBox : public Widget {
 public:
  explicit ComboBox(Canvas& container);
  ~ComboBox() override;
  void SetText(const std::string& text);
  std::string Text() const;
  void AddItem(const std::string& item);
  void Clear();
  int ListCount() const;
  std::string List(int index) const;
  void SetFont(const Font& font);
};

enum class ShapeKind { Rectangle, Square, Oval, Circle };

// An outline shape drawn on its container.
class Shape : public Widget {
 public:
  explicit Shape(Canvas& container);
  ~Shape() override;
  void SetKind(ShapeKind kind);
  void SetBorderColour(Colour c);
  void SetBorderWidth(int pixels);
  // Filled with the fill colour instead of transparent.
  void SetFilled(bool filled, Colour fill = Colour{});
};

}  // namespace qgf
