#include "bitmap_decoder.h"

#include <cstring>
#include <new>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Rgb {
  uint8_t r, g, b;
};

// One colour channel described by a bit mask: where it sits and how wide it is.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
};

bool MakeChannel(uint32_t mask, Channel* channel) {
  if (mask == 0) return false;
  int shift = 0;
  while (!((mask >> shift) & 1u)) ++shift;
  const uint32_t run = mask >> shift;
  if (run & (run + 1)) return false;  // holes in the mask
  int bits = 0;
  while ((run >> bits) & 1u) {
    ++bits;
    if (bits == 32) break;
  }
  channel->mask = mask;
  channel->shift = shift;
  channel->bits = bits;
  return true;
}

// Widens a channel value to 8 bits by repeating its bits, so full scale stays
// full scale (31 of 5 bits becomes 255).
uint8_t Expand(uint32_t pixel, const Channel& c) {
  const uint32_t v = (pixel & c.mask) >> c.shift;
  if (c.bits >= 8) return static_cast<uint8_t>(v >> (c.bits - 8));
  uint32_t out = 0;
  int filled = 0;
  while (filled < 8) {
    out = (out << c.bits) | v;
    filled += c.bits;
  }
  return static_cast<uint8_t>(out >> (filled - 8));
}

// Row converters: one call per row, each with a single tight loop.

void Row24(const uint8_t* src, uint8_t* dst, int32_t width) {
  for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
    const uint8_t b = src[0], g = src[1], r = src[2];
    dst[0] = r;
    dst[1] = g;
    dst[2] = b;
  }
}

void Row32(const uint8_t* src, uint8_t* dst, int32_t width) {
  for (int32_t x = 0; x < width; ++x, src += 4, dst += 3) {
    const uint32_t p = ReadU32(src);
    dst[0] = static_cast<uint8_t>(p >> 16);
    dst[1] = static_cast<uint8_t>(p >> 8);
    dst[2] = static_cast<uint8_t>(p);
  }
}

void Row32Masks(const uint8_t* src, uint8_t* dst, int32_t width, const Channel* c) {
  for (int32_t x = 0; x < width; ++x, src += 4, dst += 3) {
    const uint32_t p = ReadU32(src);
    dst[0] = Expand(p, c[0]);
    dst[1] = Expand(p, c[1]);
    dst[2] = Expand(p, c[2]);
  }
}

void Row16(const uint8_t* src, uint8_t* dst, int32_t width, const Rgb* table) {
  for (int32_t x = 0; x < width; ++x, src += 2, dst += 3) {
    const Rgb c = table[ReadU16(src)];
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
  }
}

void Row8(const uint8_t* src, uint8_t* dst, int32_t width, const Rgb* palette) {
  for (int32_t x = 0; x < width; ++x, dst += 3) {
    const Rgb c = palette[src[x]];
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
  }
}

void Row4(const uint8_t* src, uint8_t* dst, int32_t width, const Rgb* palette) {
  for (int32_t x = 0; x < width; ++x, dst += 3) {
    const uint8_t byte = src[x >> 1];
    const Rgb c = palette[(x & 1) ? (byte & 0x0F) : (byte >> 4)];
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
  }
}

void Row1(const uint8_t* src, uint8_t* dst, int32_t width, const Rgb* palette) {
  for (int32_t x = 0; x < width; ++x, dst += 3) {
    const Rgb c = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
  }
}

DecodeResult Fail(DecodeStatus status) {
  DecodeResult result;
  result.status = status;
  return result;
}

}  // namespace

int CountPaletteColors(const BitmapInfoHeader& header) {
  if (header.size == kInfoHeaderSize && header.clrUsed != 0) {
    return static_cast<uint16_t>(header.clrUsed);
  }
  switch (header.bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

DecodeResult DecodeBitmap(const uint8_t* data, size_t size) {
  if (!data) return Fail(DecodeStatus::ConversionError);

  // The file header is optional: without the signature the information
  // header starts the buffer.
  const bool hasFileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
  size_t headerStart = 0;
  uint64_t pixelOffset = 0;
  if (hasFileHeader) {
    if (size < kFileHeaderSize) return Fail(DecodeStatus::ConversionError);
    pixelOffset = ReadU32(data + 10);
    headerStart = kFileHeaderSize;
  }
  if (size - headerStart < 4) return Fail(DecodeStatus::ConversionError);

  BitmapInfoHeader info;
  info.size = ReadU32(data + headerStart);
  if (info.size != kCoreHeaderSize && info.size != kInfoHeaderSize) {
    return Fail(DecodeStatus::UnknownFormat);
  }
  if (size - headerStart < info.size) return Fail(DecodeStatus::ConversionError);
  const uint8_t* h = data + headerStart;
  if (info.size == kCoreHeaderSize) {
    info.width = ReadU16(h + 4);
    info.height = ReadU16(h + 6);
    info.planes = ReadU16(h + 8);
    info.bitCount = ReadU16(h + 10);
  } else {
    info.width = static_cast<int32_t>(ReadU32(h + 4));
    info.height = static_cast<int32_t>(ReadU32(h + 8));
    info.planes = ReadU16(h + 12);
    info.bitCount = ReadU16(h + 14);
    info.compression = ReadU32(h + 16);
    info.sizeImage = ReadU32(h + 20);
    info.xPelsPerMeter = static_cast<int32_t>(ReadU32(h + 24));
    info.yPelsPerMeter = static_cast<int32_t>(ReadU32(h + 28));
    info.clrUsed = ReadU32(h + 32);
    info.clrImportant = ReadU32(h + 36);
  }

  const int32_t width = info.width;
  // Negative heights are pictures stored top-down; they are read, and given
  // back bottom row first like every other picture.
  const bool topDown = info.height < 0;
  if (width <= 0 || info.height == 0 || width > kMaxBitmapDimension ||
      info.height < -kMaxBitmapDimension || info.height > kMaxBitmapDimension) {
    return Fail(DecodeStatus::ConversionError);
  }
  const int32_t height = topDown ? -info.height : info.height;
  const int bits = info.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Fail(DecodeStatus::ConversionError);
  }
  const bool bitFields = info.compression == kCompressionBitFields;
  if (info.compression != kCompressionNone && !(bitFields && (bits == 16 || bits == 32))) {
    return Fail(DecodeStatus::ConversionError);  // run-length forms are not read
  }

  // The colour table (and the masks of the bit-field form) must lie in the file.
  const uint64_t entries = static_cast<uint64_t>(CountPaletteColors(info));
  const uint64_t entrySize = info.size == kCoreHeaderSize ? 3 : 4;
  const uint64_t tableStart = headerStart + info.size;
  const uint64_t maskBytes = bitFields ? 12 : 0;
  const uint64_t tableEnd = tableStart + maskBytes + entries * entrySize;
  if (tableEnd > size) return Fail(DecodeStatus::ConversionError);
  if (!hasFileHeader) pixelOffset = tableEnd;

  // Every row must lie in the file; the last one needs no padding.
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 7) / 8;
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  const uint64_t needed = stride * static_cast<uint64_t>(height - 1) + rowBytes;
  if (pixelOffset > size || needed > size - pixelOffset) {
    return Fail(DecodeStatus::ConversionError);
  }
  const uint64_t outBytes = uint64_t{3} * static_cast<uint64_t>(width) * height;
  if (outBytes > kMaxDecodedBytes) return Fail(DecodeStatus::ConversionError);

  // Palette with every index a byte can hold; indices past the table are black.
  Rgb palette[256];
  std::memset(palette, 0, sizeof palette);
  const uint64_t usable = entries < 256 ? entries : 256;
  for (uint64_t i = 0; i < usable; ++i) {
    const uint8_t* e = data + tableStart + maskBytes + i * entrySize;
    palette[i] = Rgb{e[2], e[1], e[0]};
  }

  Channel channels[3];
  bool plain32 = bits == 32;
  std::vector<Rgb> table16;
  if (bitFields) {
    const uint8_t* m = data + tableStart;
    for (int i = 0; i < 3; ++i) {
      if (!MakeChannel(ReadU32(m + 4 * i), &channels[i])) {
        return Fail(DecodeStatus::ConversionError);
      }
      if (bits == 16 && (channels[i].mask >> 16) != 0) return Fail(DecodeStatus::ConversionError);
    }
    plain32 = bits == 32 && channels[0].mask == 0x00FF0000u && channels[1].mask == 0x0000FF00u &&
              channels[2].mask == 0x000000FFu;
  } else if (bits == 16) {
    MakeChannel(0x7C00u, &channels[0]);
    MakeChannel(0x03E0u, &channels[1]);
    MakeChannel(0x001Fu, &channels[2]);
  }

  DecodeResult result;
  try {
    if (bits == 16) {
      table16.resize(65536);
      for (uint32_t p = 0; p < 65536; ++p) {
        table16[p] = Rgb{Expand(p, channels[0]), Expand(p, channels[1]), Expand(p, channels[2])};
      }
    }
    result.image.pixels.resize(static_cast<size_t>(outBytes));
  } catch (const std::bad_alloc&) {
    return Fail(DecodeStatus::OutOfMemory);
  }

  const uint8_t* pixels = data + pixelOffset;
  uint8_t* out = result.image.pixels.data();
  const size_t outStride = static_cast<size_t>(width) * 3;
  for (int32_t row = 0; row < height; ++row) {
    const int32_t sourceRow = topDown ? height - 1 - row : row;
    const uint8_t* src = pixels + static_cast<size_t>(stride) * sourceRow;
    uint8_t* dst = out + outStride * row;
    switch (bits) {
      case 24: Row24(src, dst, width); break;
      case 32:
        if (plain32) {
          Row32(src, dst, width);
        } else {
          Row32Masks(src, dst, width, channels);
        }
        break;
      case 16: Row16(src, dst, width, table16.data()); break;
      case 8: Row8(src, dst, width, palette); break;
      case 4: Row4(src, dst, width, palette); break;
      default: Row1(src, dst, width, palette); break;
    }
  }
  result.image.width = width;
  result.image.height = height;
  result.status = DecodeStatus::Ok;
  return result;
}
