// The snapshot's bitmap layout, read back with the renderer's own decoder.
#include "bmp_format.h"

#include <gtest/gtest.h>

#include "bitmap_decoder.h"

namespace {

using qg::show::DesktopPicture;

DesktopPicture Gradient(int w, int h) {
  DesktopPicture p = DesktopPicture::Allocate(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* px = p.Row(y) + x * 4;
      px[0] = static_cast<uint8_t>(x * 7 + y);  // blue
      px[1] = static_cast<uint8_t>(y * 3);      // green
      px[2] = static_cast<uint8_t>(x ^ y);      // red
      px[3] = 0xAB;                             // unused, must not matter
    }
  }
  return p;
}

TEST(BmpFormat, TheRendererDecodesEveryPixelAtItsPlaceWithoutTheCapturesRowPadding) {
  // A capture may hand over rows with a longer stride than the width needs.
  DesktopPicture wide = DesktopPicture::Allocate(6, 2);
  for (size_t i = 0; i < 6 * 2 * 4; ++i) wide.pixels.get()[i] = static_cast<uint8_t>(i);
  DesktopPicture narrow = wide;
  narrow.width = 5;  // same memory, stride still 24 bytes
  std::vector<uint8_t> file = qg::show::EncodeBmp(narrow);
  ASSERT_EQ(file.size(), 54u + 5 * 2 * 4);
  DecodeResult r = DecodeBitmap(file.data(), file.size());
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  // Bottom row first: the decoded first pixel is the second stored row's first.
  EXPECT_EQ(r.image.pixels[0], 24 + 2);
  EXPECT_EQ(r.image.pixels[2], 24 + 0);
  // Last pixel of the top row: x = 4 of row 0.
  EXPECT_EQ(r.image.pixels[(5 + 4) * 3], 16 + 2);

  // Every pixel at its place; 1023 wide: not a multiple of 4, where row
  // handling usually goes wrong.
  for (int w : {1, 3, 1023, 64}) {
    const DesktopPicture p = Gradient(w, 37);
    file = qg::show::EncodeBmp(p);
    ASSERT_EQ(file.size(), 54u + static_cast<size_t>(w) * 37 * 4);
    r = DecodeBitmap(file.data(), file.size());
    ASSERT_EQ(r.status, DecodeStatus::Ok) << w;
    ASSERT_EQ(r.image.width, w);
    ASSERT_EQ(r.image.height, 37);
    // Decoded rows are bottom row first, red green blue.
    for (int y = 0; y < 37; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t* src = p.Row(36 - y) + x * 4;
        const uint8_t* got = &r.image.pixels[(static_cast<size_t>(y) * w + x) * 3];
        ASSERT_EQ(got[0], src[2]) << w << " " << x << "," << y;
        ASSERT_EQ(got[1], src[1]);
        ASSERT_EQ(got[2], src[0]);
      }
    }
  }
}

}  // namespace
