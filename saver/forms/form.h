// A top-level form. Derive from it, build the controls as members (they are
// created hidden with the form), set the designed properties in the
// constructor and override the handlers. Load() creates the native window at
// once, with its caption, so even a form that is never shown exists as a
// window that others can find by caption. An exception escaping a handler
// ends that handler only; the program goes on.
#pragma once

#include <string>

#include "canvas.h"

namespace qgf {

class Form : public Canvas {
 public:
  Form();
  ~Form() override;

  void SetCaption(const std::string& caption);  // UTF-8
  std::string Caption() const;
  void SetBorderStyle(BorderStyle style);
  void SetIcon(const Picture& icon);

  // Loads without showing: native window created, then OnLoad runs (once).
  void Load();
  bool IsLoaded() const { return loaded_; }
  // Shows modeless (loads first when needed).
  void Show();
  // Shows modally; returns after the form has unloaded.
  void ShowModal();
  void Hide();
  // OnQueryUnload, then OnUnload; either may cancel (returns false). After an
  // unload the window is gone; when no form is left loaded, App::Run returns.
  bool Unload(UnloadMode mode = UnloadMode::Code);

  // Makes the form a child window of a foreign native window (a preview box).
  void EmbedInto(WindowId host);

  // Form geometry is always in screen twips, whatever the scale mode. Move
  // places the window's outer top-left corner and sets its inner (client)
  // size, so forms come out the same with any window manager's frame.
  using Widget::Move;

 protected:
  virtual void OnLoad() {}
  virtual void OnResize() {}
  virtual void OnQueryUnload(int& cancel, UnloadMode mode) { (void)cancel, (void)mode; }
  virtual void OnUnload(int& cancel) { (void)cancel; }

 private:
  friend struct WidgetImpl;
  friend class FormAccess;
  // The toolkit's part of Load and Unload: from Load on the native window
  // exists and carries the caption (so a hidden form can be found); at Unload
  // it is hidden, found by caption no longer, and a modal loop on it ends.
  void OpenNativeWindow();
  void CloseNativeWindow();
  bool loaded_ = false;
  bool unloading_ = false;
};

}  // namespace qgf
