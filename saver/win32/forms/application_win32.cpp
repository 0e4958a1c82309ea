// The application services on Win32: the message loop over the loaded forms,
// the screen in twips, the application-wide pointer and the immediate end.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "file_system.h"
#include "forms/application.h"
#include "win32/forms/widget_impl_win32.h"

namespace qgf {
namespace App {
namespace {

std::string g_command;
MousePointer g_pointer = MousePointer::Default;
bool g_running = false;

int Tpp(int dpi) {
  if (dpi <= 0) return 15;
  int t = int(std::lround(1440.0 / dpi));
  return t > 0 ? t : 15;
}

}  // namespace

void Init(int& argc, char** argv) {
  g_command.clear();
  for (int i = 1; i < argc; ++i) {
    if (i > 1) g_command += ' ';
    g_command += argv[i];
  }
  // The forms measure in device pixels, as they were designed.
  SetProcessDPIAware();
  WidgetClassName();
}

int Run() {
  if (LoadedFormCount() == 0) return 0;
  g_running = true;
  MSG msg;
  int rc = 0;
  while (LoadedFormCount() > 0) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      rc = int(msg.wParam);
      break;
    }
    if (got < 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  g_running = false;
  return rc;
}

bool Running() { return g_running; }

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

void End(int exit_code) {
  std::fflush(nullptr);
  // No unload handlers and no clean-up of static objects: the process ends here.
  std::_Exit(exit_code);
}

std::string Command() { return g_command; }
std::string Path() { return qg::DefaultFileSystem().ProgramFolder(); }
std::string Title() { return "Quiverglide"; }
std::uintptr_t InstanceHandle() { return std::uintptr_t(ModuleInstance()); }

double ScreenWidth() { return double(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX(); }
double ScreenHeight() { return double(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY(); }
int TwipsPerPixelX() { return Tpp(kFormsDpi); }
int TwipsPerPixelY() { return Tpp(kFormsDpi); }

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
