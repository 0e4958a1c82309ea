#include "desktop_picture.h"

#include <new>

namespace qg::show {

DesktopPicture DesktopPicture::Allocate(int32_t width, int32_t height) {
  DesktopPicture p;
  if (width <= 0 || height <= 0) return p;
  const size_t stride = static_cast<size_t>(width) * 4;
  // Not value-initialised: the capture overwrites every byte, and zeroing a
  // whole screen first would cost as much as a copy.
  uint8_t* mem = new (std::nothrow) uint8_t[stride * static_cast<size_t>(height)];
  if (!mem) return p;
  p.width = width;
  p.height = height;
  p.stride = stride;
  p.pixels.reset(mem, std::default_delete<uint8_t[]>());
  return p;
}

}  // namespace qg::show
