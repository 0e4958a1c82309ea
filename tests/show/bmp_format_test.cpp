// The snapshot's bitmap layout, read back with the renderer's own decoder.
#include "bmp_format.h"

#include <gtest/gtest.h>

#include "bitmap_decoder.h"

namespace {

using qg::show::DesktopPicture;

DesktopPicture Gradient(int w, int h) {
  DesktopPicture p;
  p.width = w;
  p.height = h;
  p.bgrx.resize(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* px = &p.bgrx[(static_cast<size_t>(y) * w + x) * 4];
      px[0] = static_cast<uint8_t>(x * 7 + y);  // blue
      px[1] = static_cast<uint8_t>(y * 3);      // green
      px[2] = static_cast<uint8_t>(x ^ y);      // red
      px[3] = 0xAB;                             // unused, must not matter
    }
  }
  return p;
}

TEST(BmpFormat, RendererDecodesEveryPixelAtTheRightPlace) {
  // 1023 wide: not a multiple of 4, where row handling usually goes wrong.
  for (int w : {1, 3, 1023, 64}) {
    const DesktopPicture p = Gradient(w, 37);
    const std::vector<uint8_t> file = qg::show::EncodeBmp(p);
    ASSERT_EQ(file.size(), 54u + static_cast<size_t>(w) * 37 * 4);
    DecodeResult r = DecodeBitmap(file.data(), file.size());
    ASSERT_EQ(r.status, DecodeStatus::Ok) << w;
    ASSERT_EQ(r.image.width, w);
    ASSERT_EQ(r.image.height, 37);
    // Decoded rows are bottom row first, red green blue.
    for (int y = 0; y < 37; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t* src = &p.bgrx[(static_cast<size_t>(36 - y) * w + x) * 4];
        const uint8_t* got = &r.image.pixels[(static_cast<size_t>(y) * w + x) * 3];
        ASSERT_EQ(got[0], src[2]) << w << " " << x << "," << y;
        ASSERT_EQ(got[1], src[1]);
        ASSERT_EQ(got[2], src[0]);
      }
    }
  }
}

TEST(BmpFormat, HeaderFieldsAreWhatWindowsToolsExpect) {
  const qg::show::BmpHeader h = qg::show::MakeBmpHeader(1920, 1080);
  auto u32 = [&](size_t at) { return h[at] | h[at + 1] << 8 | h[at + 2] << 16 | uint32_t(h[at + 3]) << 24; };
  EXPECT_EQ(h[0], 'B');
  EXPECT_EQ(h[1], 'M');
  EXPECT_EQ(u32(2), 54u + 1920u * 1080u * 4u);
  EXPECT_EQ(u32(10), 54u);
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(u32(18), 1920u);
  EXPECT_EQ(u32(22), 1080u);  // positive: bottom-up, which every reader takes
  EXPECT_EQ(h[28], 32);
  EXPECT_EQ(u32(30), 0u);
}

TEST(BmpFormat, RefusesPicturesItCannotDescribe) {
  EXPECT_FALSE(qg::show::FitsBmp(0, 10));
  EXPECT_FALSE(qg::show::FitsBmp(10, -1));
  EXPECT_FALSE(qg::show::FitsBmp(40000, 40000));  // more than 4 GiB of pixels
  EXPECT_TRUE(qg::show::FitsBmp(7680, 4320));
  DesktopPicture lying;  // claims a size its pixels do not have
  lying.width = 10;
  lying.height = 10;
  lying.bgrx.resize(12);
  EXPECT_TRUE(qg::show::EncodeBmp(lying).empty());
}

}  // namespace
