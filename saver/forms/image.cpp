#include "forms/image.h"

namespace qgf {

Image::Image(int width, int height, Colour fill) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(std::size_t(width) * std::size_t(height), Pack(fill));
}

Colour Image::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Colour{};
  return Unpack(row(y)[x]);
}

void Image::SetPixel(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  row(y)[x] = Pack(c);
}

void Image::Fill(Colour c) {
  for (auto& p : pixels_) p = Pack(c);
}

}  // namespace qgf
