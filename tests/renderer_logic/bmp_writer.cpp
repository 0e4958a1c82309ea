#include "bmp_writer.h"

namespace bmptest {

void PutU16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

Picture Gradient(int width, int height) {
  Picture p{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* px = &p.rgb[(size_t(y) * width + x) * 3];
      px[0] = uint8_t(x * 7 + y);
      px[1] = uint8_t(y * 5 + 3);
      px[2] = uint8_t((x ^ y) * 3);
    }
  return p;
}

std::vector<uint8_t> Encode(const Picture& pic, const Options& o, const std::vector<uint8_t>& palette,
                            const std::vector<uint8_t>& indices) {
  const bool indexed = o.bits <= 8;
  const uint32_t headerSize = o.core ? 12 : 40;
  const uint32_t entrySize = o.core ? 3 : 4;
  uint32_t entries = 0;
  if (indexed) entries = o.clrUsed ? o.clrUsed : (1u << o.bits);
  else if (!o.core) entries = o.clrUsed;
  const uint32_t masks = o.bitFields565 ? 12 : 0;
  const size_t start = o.fileHeader ? 14 : 0;
  const size_t tableAt = start + headerSize + masks;
  const size_t pixelsAt = tableAt + size_t(entries) * entrySize + o.gapBeforePixels;
  const size_t stride = (size_t(pic.width) * o.bits + 31) / 32 * 4;
  std::vector<uint8_t> b(pixelsAt + stride * pic.height, 0);
  // A gap the decoder must skip: it would show if read as pixels.
  for (size_t i = pixelsAt - o.gapBeforePixels; i < pixelsAt; ++i) b[i] = 0xEE;
  if (o.fileHeader) {
    b[0] = 'B', b[1] = 'M';
    PutU32(b, 2, uint32_t(b.size()));
    PutU32(b, 10, uint32_t(pixelsAt));
  }
  PutU32(b, start, headerSize);
  if (o.core) {
    const uint16_t fields[] = {uint16_t(pic.width), uint16_t(pic.height), 1, uint16_t(o.bits)};
    for (int i = 0; i < 4; ++i) PutU16(b, start + 4 + 2 * i, fields[i]);
  } else {
    PutU32(b, start + 4, uint32_t(pic.width));
    PutU32(b, start + 8, uint32_t(o.topDown ? -pic.height : pic.height));
    PutU16(b, start + 12, 1);
    PutU16(b, start + 14, uint16_t(o.bits));
    PutU32(b, start + 16, o.bitFields565 ? 3 : 0);
    PutU32(b, start + 32, o.clrUsed);
  }
  const uint32_t masks565[] = {0xF800, 0x07E0, 0x001F};
  for (int i = 0; o.bitFields565 && i < 3; ++i) PutU32(b, start + headerSize + 4 * i, masks565[i]);
  for (uint32_t i = 0; i < entries && i * 3 + 2 < palette.size(); ++i) {
    uint8_t* e = &b[tableAt + size_t(i) * entrySize];
    e[0] = palette[i * 3 + 2];
    e[1] = palette[i * 3 + 1];
    e[2] = palette[i * 3];
  }
  for (int y = 0; y < pic.height; ++y) {
    const int storedRow = o.topDown ? pic.height - 1 - y : y;
    uint8_t* row = &b[pixelsAt + stride * storedRow];
    for (int x = 0; x < pic.width; ++x) {
      const size_t i = size_t(y) * pic.width + x;
      const uint8_t* c = &pic.rgb[i * 3];
      const uint16_t v16 = o.bitFields565 ? uint16_t(((c[0] >> 3) << 11) | ((c[1] >> 2) << 5) | (c[2] >> 3))
                                          : uint16_t(((c[0] >> 3) << 10) | ((c[1] >> 3) << 5) | (c[2] >> 3));
      switch (o.bits) {
        case 32: row[x * 4] = c[2]; row[x * 4 + 1] = c[1]; row[x * 4 + 2] = c[0]; row[x * 4 + 3] = 0xA5; break;
        case 24: row[x * 3] = c[2]; row[x * 3 + 1] = c[1]; row[x * 3 + 2] = c[0]; break;
        case 16: PutU16(b, pixelsAt + stride * storedRow + x * 2, v16); break;
        case 8: row[x] = indices[i]; break;
        case 4: row[x / 2] |= uint8_t(indices[i] << ((x & 1) ? 0 : 4)); break;
        case 1: row[x / 8] |= uint8_t(indices[i] << (7 - (x & 7))); break;
      }
    }
  }
  return b;
}

}  // namespace bmptest
