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
// The whole file in memory (header, then rows bottom-up); empty when it cannot fit.
std::vector<uint8_t> EncodeBmp(const DesktopPicture& picture);

}  // namespace qg::show
