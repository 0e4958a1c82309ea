// Widget on Win32: one window class for forms, canvases and the drawn
// controls, its window procedure (painting, sizing, mouse, focus, pointer,
// closing), and geometry and state over the window.
#include <windowsx.h>

#include <cmath>

#include "forms/application.h"
#include "forms/win32/widget_impl_win32.h"

namespace qgf {
namespace {

WidgetImpl* ImplOf(HWND hwnd) { return reinterpret_cast<WidgetImpl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

int Round(double v) { return int(std::lround(v)); }

MouseArgs ArgsFor(WidgetImpl* impl, WPARAM wp, LPARAM lp) {
  MouseArgs a;
  if (wp & MK_LBUTTON) a.button |= LeftButton;
  if (wp & MK_RBUTTON) a.button |= RightButton;
  if (wp & MK_MBUTTON) a.button |= MiddleButton;
  if (wp & MK_SHIFT) a.shift |= ShiftMask;
  if (wp & MK_CONTROL) a.shift |= CtrlMask;
  if (GetKeyState(VK_MENU) < 0) a.shift |= AltMask;
  const double px = GET_X_LPARAM(lp), py = GET_Y_LPARAM(lp);
  Widget* w = impl->owner;
  const Canvas* unit = impl->is_canvas ? static_cast<const Canvas*>(w) : w->Container();
  a.x = unit ? unit->FromPixels(px) : px;
  a.y = unit ? unit->FromPixels(py) : py;
  return a;
}

// kind: 0 down, 1 move, 2 up; `button` is the button that changed (down/up).
void DeliverMouse(WidgetImpl* impl, int kind, int button, WPARAM wp, LPARAM lp) {
  if (!impl->owner) return;
  Widget* w = impl->owner;
  MouseArgs a = ArgsFor(impl, wp, lp);
  if (kind != 1) a.button = button;
  // A plain click: released over the widget it was pressed on.
  bool inside = false;
  if (kind == 2 && impl->pressed && impl->hwnd) {
    RECT r;
    GetClientRect(impl->hwnd, &r);
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    inside = PtInRect(&r, p) != FALSE;
  }
  DeliverMouseEvent(*w, impl->kind == WidgetKind::UserControl, MouseEventKind(kind), a, inside);
}

void PaintLabel(WidgetImpl* impl, HDC dc, const RECT& rc) {
  if (impl->opaque) {
    HBRUSH b = CreateSolidBrush(ToColorRef(impl->back));
    FillRect(dc, &rc, b);
    DeleteObject(b);
  } else {
    PaintContainerBehind(impl, dc);
  }
  RECT text = rc;
  if (impl->border) {
    FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&text, -1, -1);
  }
  const std::wstring caption = impl->caption;
  SetBkMode(dc, TRANSPARENT);
  const bool enabled = IsWindowEnabled(impl->hwnd);
  SetTextColor(dc, enabled ? ToColorRef(impl->fore) : GetSysColor(COLOR_GRAYTEXT));
  HGDIOBJ old = impl->hfont ? SelectObject(dc, impl->hfont) : nullptr;
  UINT fmt = DT_NOPREFIX | DT_EXPANDTABS | DT_TOP;
  fmt |= impl->align == Alignment::Centre ? DT_CENTER : impl->align == Alignment::Right ? DT_RIGHT : DT_LEFT;
  if (impl->wrap) fmt |= DT_WORDBREAK;
  DrawTextW(dc, caption.c_str(), int(caption.size()), &text, fmt);
  if (old) SelectObject(dc, old);
}

void PaintShape(WidgetImpl* impl, HDC dc, const RECT& rc) {
  PaintContainerBehind(impl, dc);
  RECT r = rc;
  int w = r.right - r.left, h = r.bottom - r.top;
  if (impl->shape == ShapeKind::Square || impl->shape == ShapeKind::Circle) {
    int side = w < h ? w : h;
    r.left += (w - side) / 2;
    r.top += (h - side) / 2;
    r.right = r.left + side;
    r.bottom = r.top + side;
  }
  HPEN pen = CreatePen(PS_INSIDEFRAME, impl->shape_width, ToColorRef(impl->shape_border));
  HBRUSH brush = impl->shape_filled ? CreateSolidBrush(ToColorRef(impl->shape_fill))
                                    : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  HGDIOBJ op = SelectObject(dc, pen), ob = SelectObject(dc, brush);
  if (impl->shape == ShapeKind::Oval || impl->shape == ShapeKind::Circle) Ellipse(dc, r.left, r.top, r.right, r.bottom);
  else Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, op);
  SelectObject(dc, ob);
  DeleteObject(pen);
  if (impl->shape_filled) DeleteObject(brush);
}

void Paint(WidgetImpl* impl, HDC dc) {
  RECT rc;
  GetClientRect(impl->hwnd, &rc);
  switch (impl->kind) {
    case WidgetKind::Image:
      PaintContainerBehind(impl, dc);
      if (!impl->picture.isNull()) {
        const Image& im = *impl->picture.image();
        if (impl->stretch) StretchImage(dc, im, 0, 0, rc.right, rc.bottom, 0, 0, im.width(), im.height());
        else StretchImage(dc, im, 0, 0, im.width(), im.height(), 0, 0, im.width(), im.height());
      }
      return;
    case WidgetKind::Label: PaintLabel(impl, dc, rc); return;
    case WidgetKind::Shape: PaintShape(impl, dc, rc); return;
    default: break;
  }
  impl->EnsureBacking();
  if (impl->mem) BitBlt(dc, 0, 0, impl->bw, impl->bh, impl->mem, 0, 0, SRCCOPY);
  if (impl->kind == WidgetKind::PictureBox && impl->border_style != BorderStyle::None) {
    RECT f = rc;
    DrawEdge(dc, &f, BDR_SUNKENOUTER, BF_RECT);
  }
}

HCURSOR PointerOf(WidgetImpl* impl) {
  for (WidgetImpl* i = impl; i; ) {
    if (i->pointer == MousePointer::Custom && i->custom_cursor) return i->custom_cursor;
    if (i->pointer != MousePointer::Default && i->pointer != MousePointer::Custom) return CursorFor(i->pointer);
    Canvas* c = i->owner ? i->owner->Container() : nullptr;
    i = c ? c->impl() : nullptr;
  }
  return LoadCursor(nullptr, IDC_ARROW);
}

LRESULT CALLBACK WidgetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* impl = static_cast<WidgetImpl*>(cs->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl));
    if (impl) impl->hwnd = hwnd;
  }
  WidgetImpl* impl = ImplOf(hwnd);
  if (!impl) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(impl, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SIZE:
      if (impl->is_canvas) {
        impl->EnsureBacking();
        if (impl->owner && impl->kind == WidgetKind::Form) FormAccess::Resize(*static_cast<Form*>(impl->owner));
        if (impl->owner && impl->kind == WidgetKind::UserControl)
          UserControlAccess::Resize(*static_cast<UserControl*>(impl->owner));
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_NCHITTEST:
      if (impl->mouse_through || impl->kind == WidgetKind::Shape) return HTTRANSPARENT;
      break;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        HCURSOR c = App::OverrideCursor();
        SetCursor(c ? c : PointerOf(impl));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      impl->pressed = true;
      SetCapture(hwnd);
      if (impl->kind == WidgetKind::UserControl && GetFocus() != hwnd) SetFocus(hwnd);
      int b = msg == WM_LBUTTONDOWN ? LeftButton : msg == WM_RBUTTONDOWN ? RightButton : MiddleButton;
      DeliverMouse(impl, 0, b, wp, lp);
      return 0;
    }
    case WM_MOUSEMOVE: DeliverMouse(impl, 1, 0, wp, lp); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      int b = msg == WM_LBUTTONUP ? LeftButton : msg == WM_RBUTTONUP ? RightButton : MiddleButton;
      if (GetCapture() == hwnd) ReleaseCapture();
      DeliverMouse(impl, 2, b, wp, lp);
      impl->pressed = false;
      return 0;
    }
    case WM_SETFOCUS:
      if (impl->owner && impl->kind == WidgetKind::UserControl)
        UserControlAccess::GotFocus(*static_cast<UserControl*>(impl->owner));
      return 0;
    case WM_KILLFOCUS:
      if (impl->owner && impl->kind == WidgetKind::UserControl)
        UserControlAccess::LostFocus(*static_cast<UserControl*>(impl->owner));
      return 0;
    case WM_CLOSE:
      // The window system's close: the form unloads, unless a handler cancels.
      if (impl->kind == WidgetKind::Form && impl->owner) {
        auto* f = static_cast<Form*>(impl->owner);
        if (f->IsLoaded()) f->Unload(UnloadMode::ControlMenu);
        return 0;
      }
      break;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_NCDESTROY:
      impl->hwnd = nullptr;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

double ToPx(const Widget* w, double v) {
  const Canvas* c = w->Container();
  return c ? c->ToPixels(v) : v / App::TwipsPerPixelX();
}
double FromPx(const Widget* w, double px) {
  const Canvas* c = w->Container();
  return c ? c->FromPixels(px) : px * App::TwipsPerPixelX();
}

// The client rectangle of a widget's window, placed in its parent's client
// coordinates (or on the screen for a top-level form).
RECT ClientPlacement(HWND hwnd) {
  RECT r{0, 0, 0, 0};
  if (!hwnd) return r;
  GetClientRect(hwnd, &r);
  POINT p{0, 0};
  ClientToScreen(hwnd, &p);
  HWND parent = (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
  if (parent) ScreenToClient(parent, &p);
  OffsetRect(&r, p.x, p.y);
  return r;
}

}  // namespace

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

const wchar_t* WidgetClassName() {
  static const wchar_t kName[] = L"QuiverglideWidget";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.style = 0;  // no CS_DBLCLKS: a double click arrives as two presses
    wc.lpfnWndProc = WidgetProc;
    wc.hInstance = ModuleInstance();
    wc.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(1));
    wc.hCursor = nullptr;  // WM_SETCURSOR decides
    wc.lpszClassName = kName;
    registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }
  return kName;
}

HWND CreateChild(WidgetImpl* impl, Canvas& container, const wchar_t* cls, DWORD style, DWORD ex_style) {
  HWND parent = container.impl() ? container.impl()->hwnd : nullptr;
  HWND h = CreateWindowExW(ex_style, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                           nullptr, ModuleInstance(), impl);
  if (h) {
    impl->hwnd = h;
    // Later controls lie over earlier ones, as the forms were designed.
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return h;
}

Widget::Widget(Canvas* container, WidgetImpl* impl) : impl_(impl), container_(container) { impl_->owner = this; }

Widget::~Widget() {
  if (impl_) {
    impl_->owner = nullptr;
    if (impl_->hwnd) {
      SetWindowLongPtrW(impl_->hwnd, GWLP_USERDATA, 0);
      DestroyWindow(impl_->hwnd);
    }
    delete impl_;
  }
}

void Widget::Move(double left, double top, double width, double height) {
  HWND h = impl_->hwnd;
  if (!h) return;
  RECT cur = ClientPlacement(h);
  int x = Round(ToPx(this, left)), y = Round(ToPx(this, top));
  int wd = width < 0 ? cur.right - cur.left : Round(ToPx(this, width));
  int ht = height < 0 ? cur.bottom - cur.top : Round(ToPx(this, height));
  if (wd < 0) wd = 0;
  if (ht < 0) ht = 0;
  if (impl_->kind == WidgetKind::Form) {
    // The outer corner goes to (x, y); the inner area gets the size.
    RECT r{0, 0, wd, ht};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongW(h, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(h, GWL_EXSTYLE)));
    SetWindowPos(h, nullptr, x, y, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  if (impl_->kind == WidgetKind::Combo) {
    // A combo box's window also holds its drop-down list.
    SetWindowPos(h, nullptr, x, y, wd, ht + 200, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  SetWindowPos(h, nullptr, x, y, wd, ht, SWP_NOZORDER | SWP_NOACTIVATE);
}

double Widget::Left() const { return impl_->hwnd ? FromPx(this, ClientPlacement(impl_->hwnd).left) : 0; }
double Widget::Top() const { return impl_->hwnd ? FromPx(this, ClientPlacement(impl_->hwnd).top) : 0; }
double Widget::Width() const {
  if (!impl_->hwnd) return 0;
  RECT r;
  if (impl_->kind == WidgetKind::Combo) {
    GetWindowRect(impl_->hwnd, &r);
    return FromPx(this, r.right - r.left);
  }
  GetClientRect(impl_->hwnd, &r);
  return FromPx(this, r.right);
}
double Widget::Height() const {
  if (!impl_->hwnd) return 0;
  RECT r;
  if (impl_->kind == WidgetKind::Combo) {
    GetWindowRect(impl_->hwnd, &r);  // the closed box only
    return FromPx(this, r.bottom - r.top);
  }
  GetClientRect(impl_->hwnd, &r);
  return FromPx(this, r.bottom);
}

void Widget::SetEnabled(bool enabled) {
  if (impl_->hwnd) {
    EnableWindow(impl_->hwnd, enabled);
    impl_->Invalidate();
  }
}
bool Widget::Enabled() const { return impl_->hwnd && IsWindowEnabled(impl_->hwnd); }

void Widget::SetVisible(bool visible) {
  if (!impl_->hwnd) return;
  // A form shows through Show(); for controls visibility is their own flag.
  if (impl_->kind == WidgetKind::Form) {
    if (!visible) ShowWindow(impl_->hwnd, SW_HIDE);
    return;
  }
  ShowWindow(impl_->hwnd, visible ? SW_SHOWNA : SW_HIDE);
}
bool Widget::Visible() const {
  return impl_->hwnd && (GetWindowLongW(impl_->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

WindowId Widget::Handle() { return WindowId(impl_->hwnd); }

void Widget::SetMousePointer(MousePointer pointer) { impl_->pointer = pointer; }

void Widget::SetMouseIcon(const Picture& icon, int hot_x, int hot_y) {
  if (icon.isNull()) return;
  HCURSOR c = CursorFromPicture(icon, hot_x, hot_y);
  if (!c) return;
  if (impl_->own_custom_cursor && impl_->custom_cursor) DestroyCursor(impl_->custom_cursor);
  impl_->custom_cursor = c;
  impl_->own_custom_cursor = true;
  impl_->pointer = MousePointer::Custom;
}

void Widget::SetFocus() {
  if (impl_->hwnd) ::SetFocus(impl_->hwnd);
}

void Widget::ZOrderTop() {
  if (impl_->hwnd) SetWindowPos(impl_->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace qgf
