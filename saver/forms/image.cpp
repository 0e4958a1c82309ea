#include "forms/image.h"

#include <cstdio>

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

namespace {
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}
}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Image& image) {
  if (image.empty()) return {};
  const std::size_t w = std::size_t(image.width()), h = std::size_t(image.height());
  const std::size_t stride = (w * 3 + 3) & ~std::size_t(3);
  const std::size_t data_size = stride * h;
  const std::size_t total = 54 + data_size;
  if (total > 0xFFFFFFFFull) return {};
  std::vector<std::uint8_t> b(total, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, std::uint32_t(total));
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, std::uint32_t(w));
  Put32(b, 22, std::uint32_t(h));  // positive: rows bottom-up
  Put16(b, 26, 1);
  Put16(b, 28, 24);
  Put32(b, 30, 0);
  Put32(b, 34, std::uint32_t(data_size));
  Put32(b, 38, 3780);  // 96 dots per inch
  Put32(b, 42, 3780);
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint32_t* src = image.row(int(h - 1 - y));
    std::uint8_t* dst = b.data() + 54 + y * stride;
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t p = src[x];
      dst[3 * x] = std::uint8_t(p);
      dst[3 * x + 1] = std::uint8_t(p >> 8);
      dst[3 * x + 2] = std::uint8_t(p >> 16);
    }
  }
  return b;
}

bool SaveBmpFile(const Image& image, const std::string& path) {
  std::vector<std::uint8_t> bytes = EncodeBmp24(image);
  if (bytes.empty()) return false;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

}  // namespace qgf
