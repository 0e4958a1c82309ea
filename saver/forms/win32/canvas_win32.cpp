// Canvas on Win32: the retained image is a 32-bit DIB section selected into
// a memory DC; drawing goes into it with GDI and WM_PAINT copies it out.
#include <vector>

#include "forms/application.h"
#include "forms/win32/widget_impl_win32.h"

namespace qgf {
namespace {

int R(double v) { return int(v < 0 ? v - 0.5 : v + 0.5); }

void FillBackground(WidgetImpl* i) {
  GdiFlush();
  const std::uint32_t px = Image::Pack(i->back);
  for (std::size_t n = 0, total = std::size_t(i->bw) * i->bh; n < total; ++n) i->bits[n] = px;
  if (!i->back_picture.isNull()) {
    const Image& im = *i->back_picture.image();
    StretchImage(i->mem, im, 0, 0, im.width(), im.height(), 0, 0, im.width(), im.height());
  }
}

}  // namespace

WidgetImpl::~WidgetImpl() {
  FreeBacking();
  if (hfont) DeleteObject(hfont);
  if (own_custom_cursor && custom_cursor) DestroyCursor(custom_cursor);
  if (icon) DestroyIcon(icon);
}

void WidgetImpl::FreeBacking() {
  if (mem) {
    SelectObject(mem, old_bitmap);
    DeleteDC(mem);
  }
  if (bitmap) DeleteObject(bitmap);
  mem = nullptr;
  bitmap = nullptr;
  bits = nullptr;
  bw = bh = 0;
}

void WidgetImpl::EnsureBacking() {
  if (!hwnd || !is_canvas) return;
  RECT r;
  GetClientRect(hwnd, &r);
  const int w = r.right > 0 ? r.right : 0, h = r.bottom > 0 ? r.bottom : 0;
  if (mem && w == bw && h == bh) return;
  HDC screen = GetDC(nullptr);
  HDC next_dc = CreateCompatibleDC(screen);
  std::uint32_t* next_bits = nullptr;
  HBITMAP next = (w > 0 && h > 0) ? MakeDib(screen, w, h, &next_bits) : nullptr;
  ReleaseDC(nullptr, screen);
  if (!next || !next_bits) {
    if (next) DeleteObject(next);
    DeleteDC(next_dc);
    FreeBacking();
    return;
  }
  HGDIOBJ next_old = SelectObject(next_dc, next);
  HDC old_mem = mem;
  HBITMAP old_bmp = bitmap;
  HGDIOBJ old_sel = old_bitmap;
  const int ow = bw, oh = bh;
  mem = next_dc;
  bitmap = next;
  old_bitmap = next_old;
  bits = next_bits;
  bw = w;
  bh = h;
  FillBackground(this);
  // What was drawn stays where it was.
  if (old_mem) {
    BitBlt(mem, 0, 0, ow, oh, old_mem, 0, 0, SRCCOPY);
    SelectObject(old_mem, old_sel);
    DeleteDC(old_mem);
    DeleteObject(old_bmp);
  }
}

void WidgetImpl::ResetBacking() {
  EnsureBacking();
  if (mem) FillBackground(this);
}

Canvas::Canvas(Canvas* container, WidgetImpl* impl) : Widget(container, impl) { impl->is_canvas = true; }

void Canvas::SetScaleMode(ScaleMode mode) { scale_mode_ = mode; }

double Canvas::ToPixels(double v) const { return scale_mode_ == ScaleMode::Pixels ? v : v / App::TwipsPerPixelX(); }
double Canvas::FromPixels(double px) const {
  return scale_mode_ == ScaleMode::Pixels ? px : px * App::TwipsPerPixelX();
}

// The system enlarges the whole program on a scaled desktop (it is marked as
// knowing nothing of scaling): a surface's pixels are the device's to us.
double Canvas::DeviceScale() const { return 1.0; }

double Canvas::ScaleWidth() const {
  RECT r{0, 0, 0, 0};
  if (impl_->hwnd) GetClientRect(impl_->hwnd, &r);
  return FromPixels(r.right);
}
double Canvas::ScaleHeight() const {
  RECT r{0, 0, 0, 0};
  if (impl_->hwnd) GetClientRect(impl_->hwnd, &r);
  return FromPixels(r.bottom);
}

void Canvas::SetBackColour(Colour c) {
  impl_->back = c;
  impl_->ResetBacking();
  impl_->Invalidate();
}
Colour Canvas::BackColour() const { return impl_->back; }

void Canvas::SetBackPicture(const Picture& picture) {
  impl_->back_picture = picture;
  impl_->ResetBacking();
  impl_->Invalidate();
}

void Canvas::SetFont(const Font& font) {
  impl_->font = font;
  if (impl_->hfont) DeleteObject(impl_->hfont);
  impl_->hfont = MakeFont(font);
}
Font Canvas::GetFont() const { return impl_->font; }

void Canvas::Cls() {
  impl_->ResetBacking();
  impl_->Invalidate();
}

void Canvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  impl_->EnsureBacking();
  if (!impl_->mem) return;
  const int ax = R(ToPixels(x1)), ay = R(ToPixels(y1)), bx = R(ToPixels(x2)), by = R(ToPixels(y2));
  if (ax == bx && ay == by) return;
  HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(colour));
  HGDIOBJ old = SelectObject(impl_->mem, pen);
  MoveToEx(impl_->mem, ax, ay, nullptr);
  LineTo(impl_->mem, bx, by);
  // GDI leaves the last point out; the line reaches it here.
  SetPixel(impl_->mem, bx, by, ToColorRef(colour));
  SelectObject(impl_->mem, old);
  DeleteObject(pen);
  impl_->Invalidate();
}

void Canvas::FillRect(double x, double y, double w, double h, Colour colour) {
  impl_->EnsureBacking();
  if (!impl_->mem) return;
  RECT r{R(ToPixels(x)), R(ToPixels(y)), 0, 0};
  r.right = r.left + R(ToPixels(w));
  r.bottom = r.top + R(ToPixels(h));
  HBRUSH b = CreateSolidBrush(ToColorRef(colour));
  ::FillRect(impl_->mem, &r, b);
  DeleteObject(b);
  impl_->Invalidate();
}

void Canvas::PaintPicture(const Picture& picture, double dx, double dy, double dw, double dh, double sx, double sy,
                          double sw, double sh) {
  if (picture.isNull()) return;
  impl_->EnsureBacking();
  if (!impl_->mem) return;
  // The source rectangle is in the picture's pixels, the destination in ours.
  const int isx = R(sx), isy = R(sy);
  const int isw = sw < 0 ? picture.width() : R(sw), ish = sh < 0 ? picture.height() : R(sh);
  const int w = dw < 0 ? isw : R(ToPixels(dw)), h = dh < 0 ? ish : R(ToPixels(dh));
  StretchImage(impl_->mem, *picture.image(), R(ToPixels(dx)), R(ToPixels(dy)), w, h, isx, isy, isw, ish);
  impl_->Invalidate();
}

void Canvas::HoldPicture(const Picture& picture) {
  // A DIB section cannot take memory it did not allocate: the picture is copied in.
  if (picture.isNull()) return;
  if (impl_->hwnd) SetWindowPos(impl_->hwnd, nullptr, 0, 0, picture.width(), picture.height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  impl_->EnsureBacking();
  if (!impl_->mem) return;
  StretchImage(impl_->mem, *picture.image(), 0, 0, picture.width(), picture.height(), 0, 0, picture.width(),
               picture.height());
  impl_->Invalidate();
}

void Canvas::CopyFrom(const Canvas& source, int dx, int dy, int w, int h, int sx, int sy) {
  source.impl_->EnsureBacking();
  impl_->EnsureBacking();
  if (!impl_->mem || !source.impl_->mem) return;
  BitBlt(impl_->mem, dx, dy, w, h, source.impl_->mem, sx, sy, SRCCOPY);
  impl_->Invalidate();
}

void Canvas::GradientFillVertical(int x, int y, int w, int h, Colour top, Colour bottom) {
  impl_->EnsureBacking();
  if (!impl_->mem || w <= 0 || h <= 0) return;
  TRIVERTEX v[2] = {};
  v[0].x = x;
  v[0].y = y;
  v[0].Red = COLOR16(top.r << 8);
  v[0].Green = COLOR16(top.g << 8);
  v[0].Blue = COLOR16(top.b << 8);
  v[1].x = x + w;
  v[1].y = y + h;
  v[1].Red = COLOR16(bottom.r << 8);
  v[1].Green = COLOR16(bottom.g << 8);
  v[1].Blue = COLOR16(bottom.b << 8);
  GRADIENT_RECT g{0, 1};
  ::GradientFill(impl_->mem, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
  impl_->Invalidate();
}

bool Canvas::CopyFromScreen(int dx, int dy, int w, int h, int sx, int sy) {
  impl_->EnsureBacking();
  if (!impl_->mem) return false;
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  const bool ok = BitBlt(impl_->mem, dx, dy, w, h, screen, sx, sy, SRCCOPY | CAPTUREBLT) != 0;
  ReleaseDC(nullptr, screen);
  impl_->Invalidate();
  return ok;
}

void Canvas::Refresh() {
  if (impl_->hwnd) {
    InvalidateRect(impl_->hwnd, nullptr, FALSE);
    UpdateWindow(impl_->hwnd);
  }
}

Image Canvas::GetImage() const {
  impl_->EnsureBacking();
  if (!impl_->mem) return Image();
  GdiFlush();
  Image out(impl_->bw, impl_->bh);
  for (int y = 0; y < impl_->bh; ++y) {
    const std::uint32_t* src = impl_->bits + std::size_t(y) * impl_->bw;
    std::uint32_t* dst = out.row(y);
    for (int x = 0; x < impl_->bw; ++x) dst[x] = src[x] & 0x00FFFFFFu;
  }
  return out;
}

}  // namespace qgf
