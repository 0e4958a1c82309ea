// Builds bitmap files in every form the decoder reads, from a picture given
// as RGB bytes, bottom row first (the decoder's own output layout).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bmptest {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // 3 * width * height, bottom row first
};

// A picture with distinct, position-dependent colours.
Picture Gradient(int width, int height);

struct Options {
  int bits = 24;             // 1, 4, 8, 16 (5-5-5), 24, 32
  bool fileHeader = true;    // the 14-byte "BM" header
  bool core = false;         // 12-byte core header instead of the 40-byte one
  bool topDown = false;      // negative height, first stored row is the top one
  uint32_t clrUsed = 0;      // written into the information header
  uint32_t gapBeforePixels = 0;  // bytes between colour table and pixels
  bool bitFields565 = false; // 16 bits as compression 3 with 5-6-5 masks
};

// For 1, 4 and 8 bits `palette` (RGB triples) gives the table and `indices`
// (bottom row first) the pixels; otherwise the picture's colours are used.
std::vector<uint8_t> Encode(const Picture& picture, const Options& options,
                            const std::vector<uint8_t>& palette = {},
                            const std::vector<uint8_t>& indices = {});

void PutU16(std::vector<uint8_t>& b, size_t at, uint16_t v);
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v);

}  // namespace bmptest
