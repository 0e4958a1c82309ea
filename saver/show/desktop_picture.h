// The desktop as photographed for a show: what the capture hands to the
// snapshot writer and to the run form's picture control.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qg::show {

// Rows top to bottom, 4 bytes a pixel in blue, green, red, unused order (the
// layout X servers and Windows both keep for 24-bit colour). The pixels are
// shared and may live in memory the capture got from the platform (a shared
// memory segment, a buffer of the X library), so that a whole screen is never
// copied just to change hands.
struct DesktopPicture {
  int32_t width = 0;
  int32_t height = 0;
  size_t stride = 0;  // bytes from one row to the next, at least width * 4
  std::shared_ptr<uint8_t> pixels;

  bool empty() const { return width <= 0 || height <= 0 || !pixels; }
  uint8_t* Row(int32_t y) const { return pixels.get() + static_cast<size_t>(y) * stride; }

  // A picture of plain heap memory with packed rows; contents undefined.
  // Empty when the size is not positive or the memory cannot be had.
  static DesktopPicture Allocate(int32_t width, int32_t height);
};

}  // namespace qg::show
