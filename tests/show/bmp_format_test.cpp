// The snapshot's bitmap layout, read back with the renderer's own decoder.
#include "bmp_format.h"

#include <gtest/gtest.h>

#include "bitmap_decoder.h"

namespace {

TEST(BmpFormat, TheRendererDecodesEveryPixelAtItsPlaceWithoutTheCapturesRowPadding) {
  // A capture may hand over rows longer than the width needs: 1023 pixels
  // wide in rows of 1024, the unused byte of each pixel set.
  qg::show::DesktopPicture p = qg::show::DesktopPicture::Allocate(1024, 37);
  for (int y = 0; y < 37; ++y) {
    for (int x = 0; x < 1024; ++x) {
      uint8_t* px = p.Row(y) + x * 4;
      px[0] = static_cast<uint8_t>(x * 7 + y), px[1] = static_cast<uint8_t>(y * 3), px[2] = static_cast<uint8_t>(x ^ y);
      px[3] = 0xAB;
    }
  }
  p.width = 1023;
  const std::vector<uint8_t> file = qg::show::EncodeBmp(p);
  ASSERT_EQ(file.size(), 54u + 1023 * 37 * 4);
  const DecodeResult r = DecodeBitmap(file.data(), file.size());
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  ASSERT_EQ(r.image.width, 1023);
  ASSERT_EQ(r.image.height, 37);
  // Decoded rows are bottom row first, red green blue.
  for (int y = 0; y < 37; ++y) {
    for (int x = 0; x < 1023; ++x) {
      const uint8_t* src = p.Row(36 - y) + x * 4;
      const uint8_t* got = &r.image.pixels[(static_cast<size_t>(y) * 1023 + x) * 3];
      ASSERT_EQ(std::vector<int>({got[0], got[1], got[2]}), std::vector<int>({src[2], src[1], src[0]})) << x << "," << y;
    }
  }
}

}  // namespace
