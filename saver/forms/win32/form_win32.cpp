// Forms on Win32: a top-level window made with the form (hidden), whose
// caption is set when the form loads; modeless and modal showing; the window
// hidden and without caption at unload; embedding into a foreign window.
#include "forms/application.h"
#include "forms/toolkit_calls.h"
#include "forms/win32/widget_impl_win32.h"
#include "wide_text.h"

namespace qgf {
namespace {

DWORD StyleFor(BorderStyle style) {
  switch (style) {
    case BorderStyle::None: return WS_POPUP;
    case BorderStyle::FixedSingle:
    case BorderStyle::FixedDialog: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    case BorderStyle::Sizable: break;
  }
  return WS_OVERLAPPEDWINDOW;
}

WidgetImpl* NewFormImpl() {
  auto* impl = new WidgetImpl;
  impl->kind = WidgetKind::Form;
  impl->is_canvas = true;
  CreateWindowExW(0, WidgetClassName(), L"", StyleFor(impl->border_style) | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                  nullptr, ModuleInstance(), impl);
  return impl;
}

}  // namespace

// Wakes App::Run's loop so it sees that no form is left.
void Toolkit::LastFormUnloaded() { PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0); }

void EnableOtherForms(Form* except, bool enable) {
  for (Form* f : LoadedForms())
    if (f != except && f->impl()->hwnd) EnableWindow(f->impl()->hwnd, enable);
}

Form::Form() : Canvas(nullptr, NewFormImpl()) {}

void Form::SetCaption(const std::string& caption) {
  impl_->caption = qg::win32::Utf8ToWide(caption);
  // Others find a form by its caption only once it is loaded.
  if (loaded_ && impl_->hwnd) SetWindowTextW(impl_->hwnd, impl_->caption.c_str());
}

std::string Form::Caption() const { return qg::win32::WideToUtf8(impl_->caption); }

void Form::SetBorderStyle(BorderStyle style) {
  impl_->border_style = style;
  HWND h = impl_->hwnd;
  if (!h || impl_->embedded) return;
  RECT r;
  GetClientRect(h, &r);
  RECT outer;
  GetWindowRect(h, &outer);
  const DWORD keep = DWORD(GetWindowLongW(h, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
  SetWindowLongW(h, GWL_STYLE, LONG(StyleFor(style) | WS_CLIPCHILDREN | keep));
  // The inner size stays as it was.
  RECT a{0, 0, r.right, r.bottom};
  AdjustWindowRectEx(&a, DWORD(GetWindowLongW(h, GWL_STYLE)), FALSE, 0);
  SetWindowPos(h, nullptr, outer.left, outer.top, a.right - a.left, a.bottom - a.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::SetIcon(const Picture& icon) {
  if (!impl_->hwnd || icon.isNull()) return;
  HICON h = CursorFromPicture(icon, 0, 0);
  if (!h) return;
  // An icon, not a pointer: made again with the icon flag.
  ICONINFO ii{};
  if (GetIconInfo(h, &ii)) {
    ii.fIcon = TRUE;
    HICON i = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmMask);
    DeleteObject(ii.hbmColor);
    DestroyCursor(h);
    h = i;
  }
  if (!h) return;
  SendMessageW(impl_->hwnd, WM_SETICON, ICON_BIG, LPARAM(h));
  SendMessageW(impl_->hwnd, WM_SETICON, ICON_SMALL, LPARAM(h));
  if (impl_->icon) DestroyIcon(impl_->icon);
  impl_->icon = h;
}

void Form::OpenNativeWindow() {
  if (impl_->hwnd) SetWindowTextW(impl_->hwnd, impl_->caption.c_str());
}

void Form::Show() {
  Load();
  if (loaded_ && impl_->hwnd) {
    ShowWindow(impl_->hwnd, SW_SHOW);
    UpdateWindow(impl_->hwnd);
  }
}

void Form::ShowModal() {
  Load();
  if (!loaded_ || !impl_->hwnd) return;
  EnableOtherForms(this, false);
  ShowWindow(impl_->hwnd, SW_SHOW);
  SetForegroundWindow(impl_->hwnd);
  UpdateWindow(impl_->hwnd);
  impl_->modal_running = true;
  MSG msg;
  while (loaded_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(int(msg.wParam));  // for the outer loop
      break;
    }
    if (got < 0) break;
    if (impl_->hwnd && IsDialogMessageW(impl_->hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  impl_->modal_running = false;
  EnableOtherForms(this, true);
}

void Form::Hide() {
  if (impl_->hwnd) ShowWindow(impl_->hwnd, SW_HIDE);
}

void Form::CloseNativeWindow() {
  if (impl_->hwnd) {
    ShowWindow(impl_->hwnd, SW_HIDE);
    SetWindowTextW(impl_->hwnd, L"");
  }
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);  // ends a modal loop waiting for messages
}

void Form::EmbedInto(WindowId host) {
  HWND h = impl_->hwnd;
  if (!h || host == 0 || !IsWindow(HWND(host))) return;
  impl_->embedded = true;
  // A child of the host: no frame, clipped to it, moving with it.
  const LONG style = GetWindowLongA(h, GWL_STYLE);
  SetWindowLongA(h, GWL_STYLE, LONG((DWORD(style) & ~(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU)) | WS_CHILD));
  SetParent(h, HWND(host));
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

}  // namespace qgf
