// A bitmap (BMP/DIB) decoder over a byte buffer: every uncompressed form with
// 1, 4, 8, 16, 24 or 32 bits per pixel, core and information headers, with or
// without the 14-byte file header. Headers that lie are refused; nothing is
// read or written out of bounds and allocations are bounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The decoded picture: red, green, blue bytes, bottom row first, rows packed.
struct ImageData {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // 3 * width * height bytes
};

// The information header in its 40-byte form; a core header is widened to it.
struct BitmapInfoHeader {
  uint32_t size = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t clrUsed = 0;
  uint32_t clrImportant = 0;
};

// Colour-table entries: a non-zero colours-used field of the information form
// (kept to 16 bits), else 2, 16 or 256 for 1, 4 or 8 bits, else 0.
int CountPaletteColors(const BitmapInfoHeader& header);

enum class DecodeStatus {
  Ok,
  UnknownFormat,     // header size other than 12 or 40
  ConversionError,   // anything else the decoder cannot or will not convert
  OutOfMemory,       // an allocation failed
};

struct DecodeResult {
  DecodeStatus status = DecodeStatus::ConversionError;
  ImageData image;  // filled only when status is Ok
};

// Largest width or height accepted; anything bigger is an absurd header.
constexpr int32_t kMaxBitmapDimension = 32768;
// Largest decoded picture accepted, in bytes.
constexpr uint64_t kMaxDecodedBytes = uint64_t{1} << 30;

DecodeResult DecodeBitmap(const uint8_t* data, size_t size);
