// The GDI pieces the form layer's Win32 files share: colours, fonts, DIB
// sections, stretched copies of in-memory images, see-through painting and
// pointers.
#include <cmath>

#include "forms/application.h"
#include "forms/win32/widget_impl_win32.h"
#include "wide_text.h"

namespace qgf {

COLORREF ToColorRef(Colour c) { return RGB(c.r, c.g, c.b); }

HFONT MakeFont(const Font& font) {
  const int dpi = kFormsDpi;
  LOGFONTW lf{};
  lf.lfHeight = -int(std::lround(font.size * dpi / 72.0));
  lf.lfWeight = font.bold ? (font.weight > 700 ? font.weight : 700) : font.weight;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikeout;
  lf.lfCharSet = BYTE(font.charset);
  lf.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = qg::win32::Utf8ToWide(font.name);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

HBITMAP MakeDib(HDC dc, int width, int height, std::uint32_t** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down, as qgf::Image
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  HBITMAP b = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<std::uint32_t*>(p);
  return b;
}

void StretchImage(HDC dc, const Image& image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
  if (image.empty() || dw == 0 || dh == 0 || sw <= 0 || sh <= 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = image.width();
  bi.bmiHeader.biHeight = -image.height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  // Shrunk pictures keep their look (colours averaged, not dropped).
  SetStretchBltMode(dc, COLORONCOLOR);
  // StretchDIBits counts the source's rows from the bottom for top-down bits
  // as well; the image's own height turns the top-based row into that.
  StretchDIBits(dc, dx, dy, dw, dh, sx, image.height() - sy - sh, sw, sh, image.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

void PaintContainerBehind(WidgetImpl* impl, HDC dc) {
  RECT rc;
  GetClientRect(impl->hwnd, &rc);
  Canvas* c = impl->owner ? impl->owner->Container() : nullptr;
  WidgetImpl* ci = c ? c->impl() : nullptr;
  if (ci && ci->is_canvas) {
    ci->EnsureBacking();
    if (ci->mem) {
      POINT p{0, 0};
      MapWindowPoints(impl->hwnd, ci->hwnd, &p, 1);
      // Outside the container's image the background colour shows.
      HBRUSH b = CreateSolidBrush(ToColorRef(ci->back));
      FillRect(dc, &rc, b);
      DeleteObject(b);
      BitBlt(dc, 0, 0, rc.right, rc.bottom, ci->mem, p.x, p.y, SRCCOPY);
      return;
    }
  }
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
}

HCURSOR CursorFor(MousePointer pointer) {
  switch (pointer) {
    case MousePointer::Hourglass: return LoadCursor(nullptr, IDC_WAIT);
    case MousePointer::Hand: return LoadCursor(nullptr, IDC_HAND);
    default: return LoadCursor(nullptr, IDC_ARROW);
  }
}

HCURSOR CursorFromPicture(const Picture& picture, int hot_x, int hot_y) {
  if (picture.isNull()) return nullptr;
  const Image& im = *picture.image();
  HDC screen = GetDC(nullptr);
  std::uint32_t* bits = nullptr;
  HBITMAP colour = MakeDib(screen, im.width(), im.height(), &bits);
  ReleaseDC(nullptr, screen);
  if (!colour || !bits) return nullptr;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) bits[y * im.width() + x] = im.row(y)[x];
  // An all-zero AND mask: every pixel of the picture is drawn.
  std::vector<std::uint8_t> zero(std::size_t((im.width() + 15) / 16 * 2) * im.height(), 0);
  HBITMAP mask = CreateBitmap(im.width(), im.height(), 1, 1, zero.data());
  ICONINFO ii{};
  ii.fIcon = FALSE;
  ii.xHotspot = DWORD(hot_x);
  ii.yHotspot = DWORD(hot_y);
  ii.hbmMask = mask;
  ii.hbmColor = colour;
  HCURSOR c = CreateIconIndirect(&ii);
  DeleteObject(mask);
  DeleteObject(colour);
  return c;
}

}  // namespace qgf
