#include "win32_show_window.h"

namespace {

// The one show window of the process; the procedure finds its object here.
Win32ShowWindow* g_showWindow = nullptr;

}  // namespace

bool Win32ShowWindow::Create(const std::string& title, int x, int y, int width, int height) {
  g_showWindow = this;
  className_ = title;
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &Win32ShowWindow::Procedure;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className_.c_str();
  RegisterClassA(&windowClass);  // a class left registered by a crashed run is still usable

  const DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  RECT rect{x, y, x + width, y + height};
  AdjustWindowRect(&rect, style, FALSE);
  window_ = CreateWindowExA(0, className_.c_str(), title.c_str(), style, x, y, rect.right - rect.left,
                            rect.bottom - rect.top, nullptr, nullptr, instance_, nullptr);
  return window_ != nullptr;
}

void Win32ShowWindow::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

void Win32ShowWindow::Focus() { SetFocus(window_); }

void Win32ShowWindow::ClientSize(int* width, int* height) {
  RECT rect{};
  GetClientRect(window_, &rect);
  *width = rect.right;
  *height = rect.bottom;
}

void Win32ShowWindow::Destroy() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

void Win32ShowWindow::Unregister() {
  if (!className_.empty()) UnregisterClassA(className_.c_str(), instance_);
}

intptr_t Win32ShowWindow::DefaultProc(const RendererMessage& message) {
  // The table speaks of the message being dispatched; its raw form carries
  // the window and the exact parameters the system needs.
  if (current_.message == message.message)
    return DefWindowProcA(current_.window, current_.message, current_.wParam, current_.lParam);
  return DefWindowProcA(window_, message.message, message.wParam, message.lParam);
}

void Win32ShowWindow::Validate() {
  PAINTSTRUCT paint;
  HWND target = current_.window ? current_.window : window_;
  BeginPaint(target, &paint);
  EndPaint(target, &paint);
}

bool Win32ShowWindow::Pump(RendererMessage* quit) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit->message = kMsgQuit;
      quit->wParam = message.wParam;
      quit->lParam = message.lParam;
      return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return false;
}

LRESULT CALLBACK Win32ShowWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32ShowWindow* self = g_showWindow;
  if (!self || !self->table_) return DefWindowProcA(window, message, wParam, lParam);
  const Raw saved = self->current_;
  self->current_ = Raw{window, message, wParam, lParam};
  RendererMessage translated;
  translated.message = message;
  // The low four bits of a system command are the system's own.
  translated.wParam = message == WM_SYSCOMMAND ? (wParam & 0xFFF0) : wParam;
  translated.lParam = lParam;
  const intptr_t result = self->table_(translated);
  self->current_ = saved;
  return result;
}
