// A picture held in memory: 32-bit pixels, rows top-down, 0x00RRGGBB each.
// The layout matches both a Qt RGB32 image and a top-down Windows 32-bit DIB,
// so either implementation can draw into it without conversion.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "types.h"

namespace qgf {

class Image {
 public:
  Image() = default;
  Image(int width, int height, Colour fill = Colour{});
  // An image over pixels held elsewhere (width * height packed pixels, top
  // row first), shared rather than copied: a screen-sized picture changes
  // hands without a second copy. Copies of such an image hold their own pixels.
  static Image Sharing(int width, int height, std::shared_ptr<std::uint32_t> pixels);
  Image(const Image& other);
  Image& operator=(const Image& other);
  Image(Image&&) noexcept = default;
  Image& operator=(Image&&) noexcept = default;

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  std::uint32_t* row(int y) { return data() + std::size_t(y) * std::size_t(width_); }
  const std::uint32_t* row(int y) const { return data() + std::size_t(y) * std::size_t(width_); }
  std::uint32_t* data() { return shared_ ? shared_.get() : pixels_.data(); }
  const std::uint32_t* data() const { return shared_ ? shared_.get() : pixels_.data(); }

  Colour Pixel(int x, int y) const;
  void SetPixel(int x, int y, Colour c);
  void Fill(Colour c);

  static std::uint32_t Pack(Colour c) { return (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b; }
  static Colour Unpack(std::uint32_t p) {
    return Colour{std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)};
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::shared_ptr<std::uint32_t> shared_;  // set instead of pixels_ by Sharing
};


// A shared, read-only picture as controls hold it (image controls, form and
// control backgrounds, mouse icons). A default Picture is "no picture".
class Picture {
 public:
  Picture() = default;
  explicit Picture(Image image) : image_(std::make_shared<const Image>(std::move(image))) {}
  bool isNull() const { return !image_ || image_->empty(); }
  int width() const { return image_ ? image_->width() : 0; }
  int height() const { return image_ ? image_->height() : 0; }
  const Image* image() const { return image_.get(); }
  bool operator==(const Picture& o) const { return image_ == o.image_; }

 private:
  std::shared_ptr<const Image> image_;
};

// Loads a picture file (BMP, JPEG, PNG, GIF) or a built-in resource name
// (":/..." with the Qt implementation). A null Picture when it cannot be read.
Picture LoadPicture(const std::string& path);

}  // namespace qgf
