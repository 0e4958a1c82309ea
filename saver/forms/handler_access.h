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

}  // namespace qgf
