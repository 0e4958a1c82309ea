// How every implementation of the form layer calls the forms' and user
// controls' protected handlers: so that a failure inside one ends that handler
// only, and the program goes on with the next event, as with continue-on-error.
#pragma once

#include "form.h"
#include "user_control.h"

namespace qgf {

template <class F>
void Guarded(F&& handler) {
  try {
    handler();
  } catch (...) {
  }
}

// Reaches the protected handlers of forms and user controls.
class FormAccess {
 public:
  static void Load(Form& f) { Guarded([&] { f.OnLoad(); }); }
  static void Resize(Form& f) { Guarded([&] { f.OnResize(); }); }
  // The query-unload handler, then the unload handler; false when one cancels.
  static bool UnloadHandlers(Form& f, UnloadMode mode) {
    int cancel = 0;
    Guarded([&] { f.OnQueryUnload(cancel, mode); });
    if (cancel == 0) Guarded([&] { f.OnUnload(cancel); });
    return cancel == 0;
  }
};
class UserControlAccess {
 public:
  static void Resize(UserControl& u) { Guarded([&] { u.OnResize(); }); }
  static void GotFocus(UserControl& u) { Guarded([&] { u.OnGotFocus(); }); }
  static void LostFocus(UserControl& u) { Guarded([&] { u.OnLostFocus(); }); }
  static void MouseDown(UserControl& u, const MouseArgs& a) { Guarded([&] { u.OnMouseDown(a); }); }
  static void MouseMove(UserControl& u, const MouseArgs& a) { Guarded([&] { u.OnMouseMove(a); }); }
  static void MouseUp(UserControl& u, const MouseArgs& a) { Guarded([&] { u.OnMouseUp(a); }); }
};

enum class MouseEventKind { Down, Move, Up };

// Delivers a mouse event with its arguments in the widget's unit: a user
// control's own handler first, then the widget's event. A release over the
// widget it was pressed on is a click; user controls raise their own.
inline void DeliverMouseEvent(Widget& w, bool user_control, MouseEventKind kind, const MouseArgs& a,
                              bool released_inside) {
  if (user_control) {
    auto& u = static_cast<UserControl&>(w);
    if (kind == MouseEventKind::Down) UserControlAccess::MouseDown(u, a);
    if (kind == MouseEventKind::Move) UserControlAccess::MouseMove(u, a);
    if (kind == MouseEventKind::Up) UserControlAccess::MouseUp(u, a);
  }
  if (kind == MouseEventKind::Down && w.onMouseDown) Guarded([&] { w.onMouseDown(a); });
  if (kind == MouseEventKind::Move && w.onMouseMove) Guarded([&] { w.onMouseMove(a); });
  if (kind == MouseEventKind::Up && w.onMouseUp) Guarded([&] { w.onMouseUp(a); });
  if (kind == MouseEventKind::Up && !user_control && released_inside && w.onClick) Guarded([&] { w.onClick(); });
}

}  // namespace qgf
