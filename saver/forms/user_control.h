// A user control: a self-drawn control with its own retained surface, its
// own child controls, and designed properties kept in its host form's
// property bag. The host calls ReadProperties with the stored values after
// building the form (or InitProperties for a fresh instance).
#pragma once

#include <functional>
#include <string>

#include "canvas.h"
#include "property_bag.h"

namespace qgf {

class UserControl : public Canvas {
 public:
  explicit UserControl(Canvas& container);
  ~UserControl() override;

  void InitProperties() { OnInitProperties(); }
  void ReadProperties(const PropertyBag& bag) { OnReadProperties(bag); }
  PropertyBag WriteProperties() {
    PropertyBag bag;
    OnWriteProperties(bag);
    return bag;
  }

  // The host form's font (the ambient font).
  Font AmbientFont() const;
  // The native window of the form that holds this control.
  WindowId HostFormHandle();

  // Called with the property name whenever the control reports a change.
  std::function<void(const std::string&)> onPropertyChanged;

  // Raises the control's Click event to the host (onClick).
  void RaiseClick() {
    if (onClick) onClick();
  }

 protected:
  void PropertyChanged(const std::string& name) {
    if (onPropertyChanged) onPropertyChanged(name);
  }
  virtual void OnInitProperties() {}
  virtual void OnReadProperties(const PropertyBag& bag) { (void)bag; }
  virtual void OnWriteProperties(PropertyBag& bag) { (void)bag; }
  virtual void OnResize() {}
  virtual void OnGotFocus() {}
  virtual void OnLostFocus() {}
  virtual void OnMouseDown(const MouseArgs& args) { (void)args; }
  virtual void OnMouseMove(const MouseArgs& args) { (void)args; }
  virtual void OnMouseUp(const MouseArgs& args) { (void)args; }

 private:
  friend struct WidgetImpl;
  friend class UserControlAccess;
};

}  // namespace qgf
