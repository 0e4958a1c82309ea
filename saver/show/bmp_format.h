// The snapshot file's layout: a 32-bit uncompressed Windows bitmap with the
// 14-byte file header and the 40-byte information header, rows bottom-up.
// The renderer's loader reads this form directly; 32 bits keep each row a
// plain copy of the captured row, so writing needs no pixel conversion.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "desktop_picture.h"

namespace qg::show {

constexpr size_t kBmpHeaderSize = 14 + 40;
using BmpHeader = std::array<uint8_t, kBmpHeaderSize>;

// False when the picture is empty or too large for the format's 32-bit sizes.
bool FitsBmp(int32_t width, int32_t height);
// Header for a width x height picture at 32 bits a pixel (caller checks FitsBmp).
BmpHeader MakeBmpHeader(int32_t width, int32_t height);

// The file in pieces straight from the picture, with no copy of its pixels:
// the header, then the rows bottom-up. Every writer of the file hands these
// pieces to its file system in order.
class BmpPieces {
 public:
  explicit BmpPieces(const DesktopPicture& picture);
  // Pieces of the file; 0 when the picture is empty, too large for the
  // format or its rows are shorter than its width.
  size_t count() const { return count_; }
  const uint8_t* data(size_t piece) const;
  size_t size(size_t piece) const { return piece == 0 ? header_.size() : row_; }

 private:
  const DesktopPicture& picture_;
  BmpHeader header_{};
  size_t row_ = 0;
  size_t count_ = 0;
};

// The whole file in memory (header, then rows bottom-up); empty when it cannot fit.
std::vector<uint8_t> EncodeBmp(const DesktopPicture& picture);

}  // namespace qg::show
