// The application services on Win32: the message loop over the loaded forms,
// the screen in twips and the application-wide pointer.
#include "forms/application.h"
#include "forms/toolkit_calls.h"
#include "forms/win32/widget_impl_win32.h"

namespace qgf {
namespace {

MousePointer g_pointer = MousePointer::Default;

}  // namespace

// Both choices of scale are the system's on Windows: the manifest makes the
// host a program that knows nothing of scaling, which Windows draws enlarged.
void Toolkit::Init(int&, char**, App::DesktopScale) {
  // The forms measure in device pixels, as they were designed.
  SetProcessDPIAware();
  WidgetClassName();
}

int Toolkit::RunEventLoop() {
  MSG msg;
  int rc = 0;
  while (App::LoadedFormCount() > 0) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      rc = int(msg.wParam);
      break;
    }
    if (got < 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return rc;
}

namespace App {

void DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::uintptr_t InstanceHandle() { return std::uintptr_t(ModuleInstance()); }

double ScreenWidth() { return double(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX(); }
double ScreenHeight() { return double(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY(); }
int TwipsPerPixelX() { return TwipsPerPixelAt(kFormsDpi); }
int TwipsPerPixelY() { return TwipsPerPixelAt(kFormsDpi); }

void SetMousePointer(MousePointer pointer) {
  g_pointer = pointer;
  // Shown at once under the pointer, not only on its next move.
  POINT p;
  if (GetCursorPos(&p)) {
    HWND under = ::WindowFromPoint(p);
    DWORD pid = 0;
    if (under) GetWindowThreadProcessId(under, &pid);
    if (pid == GetCurrentProcessId()) {
      if (HCURSOR c = OverrideCursor()) SetCursor(c);
      else SendMessageW(under, WM_SETCURSOR, WPARAM(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
  }
}

MousePointer GetMousePointer() { return g_pointer; }

HCURSOR OverrideCursor() { return g_pointer == MousePointer::Default ? nullptr : CursorFor(g_pointer); }

}  // namespace App
}  // namespace qgf
