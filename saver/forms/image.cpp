#include "forms/image.h"

namespace qgf {

Image::Image(int width, int height, Colour fill) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(std::size_t(width) * std::size_t(height), Pack(fill));
}

Image Image::Sharing(int width, int height, std::shared_ptr<std::uint32_t> pixels) {
  Image image;
  if (width <= 0 || height <= 0 || !pixels) return image;
  image.width_ = width;
  image.height_ = height;
  image.shared_ = std::move(pixels);
  return image;
}

Image::Image(const Image& other) : width_(other.width_), height_(other.height_) {
  if (other.shared_) {
    pixels_.assign(other.data(), other.data() + std::size_t(width_) * std::size_t(height_));
  } else {
    pixels_ = other.pixels_;
  }
}

Image& Image::operator=(const Image& other) {
  if (this != &other) *this = Image(other);
  return *this;
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
  std::uint32_t* p = data();
  const std::size_t n = empty() ? 0 : std::size_t(width_) * std::size_t(height_);
  for (std::size_t i = 0; i < n; ++i) p[i] = Pack(c);
}

}  // namespace qgf
