#include "bmp_format.h"

namespace qg::show {

namespace {

void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

bool FitsBmp(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  const uint64_t bytes = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u;
  return bytes + kBmpHeaderSize <= 0xFFFFFFFFu;
}

BmpHeader MakeBmpHeader(int32_t width, int32_t height) {
  BmpHeader h{};
  const uint32_t image = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4u;
  h[0] = 'B';
  h[1] = 'M';
  Put32(&h[2], static_cast<uint32_t>(kBmpHeaderSize) + image);  // file size
  Put32(&h[10], static_cast<uint32_t>(kBmpHeaderSize));         // pixel data offset
  uint8_t* info = &h[14];
  Put32(info + 0, 40);
  Put32(info + 4, static_cast<uint32_t>(width));
  Put32(info + 8, static_cast<uint32_t>(height));  // positive: bottom row first
  Put16(info + 12, 1);                             // planes
  Put16(info + 14, 32);                            // bits per pixel
  Put32(info + 16, 0);                             // no compression
  Put32(info + 20, image);
  Put32(info + 24, 3780);  // 96 dots per inch, in dots per metre
  Put32(info + 28, 3780);
  // Colours used and important stay 0: no colour table at 32 bits.
  return h;
}

BmpPieces::BmpPieces(const DesktopPicture& picture) : picture_(picture) {
  if (picture.empty() || !FitsBmp(picture.width, picture.height) ||
      picture.stride < static_cast<size_t>(picture.width) * 4) {
    return;
  }
  header_ = MakeBmpHeader(picture.width, picture.height);
  row_ = static_cast<size_t>(picture.width) * 4;
  count_ = 1 + static_cast<size_t>(picture.height);
}

const uint8_t* BmpPieces::data(size_t piece) const {
  if (piece == 0) return header_.data();
  return picture_.Row(picture_.height - static_cast<int32_t>(piece));  // piece 1 is the bottom row
}

std::vector<uint8_t> EncodeBmp(const DesktopPicture& picture) {
  const BmpPieces pieces(picture);
  std::vector<uint8_t> out;
  if (pieces.count() > 0) out.reserve(kBmpHeaderSize + pieces.size(1) * (pieces.count() - 1));
  for (size_t i = 0; i < pieces.count(); ++i) out.insert(out.end(), pieces.data(i), pieces.data(i) + pieces.size(i));
  return out;
}

}  // namespace qg::show
