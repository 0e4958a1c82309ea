// What the settings dialog needs beyond the form layer on Win32: its own
// pointing hand (a cursor resource, with its transparent parts) and the text
// of its stored control properties (a resource of the program).
#include "dialog_platform.h"
#include "forms/win32/widget_impl_win32.h"

namespace Wobblevista_P_Platform {

void SetHandPointer(qgf::Widget& widget) {
  qgf::WidgetImpl* impl = widget.impl();
  if (!impl) return;
  HCURSOR hand = LoadCursorA(qgf::ModuleInstance(), "DIALOG_HAND_CUR");
  if (!hand) {
    widget.SetMousePointer(qgf::MousePointer::Hand);
    return;
  }
  impl->custom_cursor = hand;  // shared, never destroyed
  impl->own_custom_cursor = false;
  impl->pointer = qgf::MousePointer::Custom;
}

std::string StoredPropertiesText() {
  HMODULE m = qgf::ModuleInstance();
  HRSRC r = FindResourceA(m, "DIALOG_WOBBLEVISTA_P_PROPS", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL g = r ? LoadResource(m, r) : nullptr;
  const char* p = g ? static_cast<const char*>(LockResource(g)) : nullptr;
  return p ? std::string(p, SizeofResource(m, r)) : std::string();
}

}  // namespace Wobblevista_P_Platform
