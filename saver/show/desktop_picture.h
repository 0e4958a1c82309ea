// The desktop as photographed for a show: what the capture hands to the
// snapshot writer and to the run form's picture control.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qg::show {

// Rows top to bottom, 4 bytes a pixel in blue, green, red, unused order (the
// layout X servers and Windows both keep for 24-bit colour), no row padding.
struct DesktopPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bgrx;

  bool empty() const { return width <= 0 || height <= 0; }
  const uint8_t* Row(int32_t y) const { return bgrx.data() + static_cast<size_t>(y) * width * 4; }
};

}  // namespace qg::show
