// The common part of every visible piece of a form: the form itself, picture
// boxes, user controls and plain controls. Geometry is in the unit of the
// container (twips on the screen for a form). Event handlers are plain
// function objects; a form wires its controls' events in its constructor.
#pragma once

#include <functional>

#include "image.h"
#include "types.h"

namespace qgf {

class Canvas;
struct WidgetImpl;  // defined by the platform implementation

class Widget {
 public:
  virtual ~Widget();
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  // Width or height below 0 keeps the current value.
  void Move(double left, double top, double width = -1, double height = -1);
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;

  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetVisible(bool visible);
  bool Visible() const;

  // The native window; created on first use.
  WindowId Handle();
  Canvas* Container() const { return container_; }

  void SetMousePointer(MousePointer pointer);
  // A picture used as the pointer (MousePointer::Custom); hot spot in pixels.
  void SetMouseIcon(const Picture& icon, int hot_x, int hot_y);
  void SetFocus();
  void ZOrderTop();

  std::function<void()> onClick;
  std::function<void(const MouseArgs&)> onMouseDown;
  std::function<void(const MouseArgs&)> onMouseMove;
  std::function<void(const MouseArgs&)> onMouseUp;

  WidgetImpl* impl() const { return impl_; }

 protected:
  Widget(Canvas* container, WidgetImpl* impl);
  WidgetImpl* impl_;
  Canvas* container_;
};

}  // namespace qgf
