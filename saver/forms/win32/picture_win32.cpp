// Picture files on Win32 through OLE's picture loader (BMP, JPEG, GIF, ICO),
// from a file or from the program's own resources: ":/show/x.jpg" names the
// resource SHOW_X_JPG.
#include <ole2.h>
#include <olectl.h>

#include <cctype>

#include "file_system.h"
#include "forms/win32/widget_impl_win32.h"

namespace qgf {
namespace {

// Larger files are not pictures the forms use; refused before decoding.
constexpr std::size_t kMaxPictureBytes = 64u << 20;

std::string ResourceName(const std::string& path) {
  std::string name;
  for (std::size_t i = 2; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    name += std::isalnum(c) ? char(std::toupper(c)) : '_';
  }
  return name;
}

bool ResourceBytes(const std::string& path, std::string& bytes) {
  HRSRC r = FindResourceA(ModuleInstance(), ResourceName(path).c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!r) return false;
  HGLOBAL g = LoadResource(ModuleInstance(), r);
  const void* p = g ? LockResource(g) : nullptr;
  if (!p) return false;
  bytes.assign(static_cast<const char*>(p), SizeofResource(ModuleInstance(), r));
  return true;
}

Picture Decode(const std::string& bytes) {
  if (bytes.empty()) return Picture();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!g) return Picture();
  void* p = GlobalLock(g);
  memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(g);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(g, TRUE, &stream))) {
    GlobalFree(g);
    return Picture();
  }
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  IPicture* pic = nullptr;
  Picture out;
  if (SUCCEEDED(OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&pic))) &&
      pic) {
    OLE_XSIZE_HIMETRIC hw = 0;
    OLE_YSIZE_HIMETRIC hh = 0;
    pic->get_Width(&hw);
    pic->get_Height(&hh);
    HDC screen = GetDC(nullptr);
    const int w = MulDiv(hw, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int h = MulDiv(hh, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    if (w > 0 && h > 0 && w <= 16384 && h <= 16384) {
      HDC dc = CreateCompatibleDC(screen);
      std::uint32_t* bits = nullptr;
      HBITMAP dib = MakeDib(screen, w, h, &bits);
      if (dib && bits) {
        HGDIOBJ old = SelectObject(dc, dib);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        // IPicture draws bottom-up in HIMETRIC: from the last row upwards.
        pic->Render(dc, 0, 0, w, h, 0, hh, hw, -hh, nullptr);
        GdiFlush();
        Image image(w, h);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) image.row(y)[x] = bits[std::size_t(y) * w + x] & 0x00FFFFFFu;
        out = Picture(std::move(image));
        SelectObject(dc, old);
      }
      if (dib) DeleteObject(dib);
      DeleteDC(dc);
    }
    ReleaseDC(nullptr, screen);
    pic->Release();
  }
  stream->Release();
  if (com) CoUninitialize();
  return out;
}

}  // namespace

Picture LoadPicture(const std::string& path) {
  std::string bytes;
  if (path.rfind(":/", 0) == 0) {
    if (!ResourceBytes(path, bytes)) return Picture();
  } else if (qg::DefaultFileSystem().ReadFile(path, kMaxPictureBytes, bytes) != qg::ReadStatus::Ok) {
    return Picture();
  }
  return Decode(bytes);
}

}  // namespace qgf
