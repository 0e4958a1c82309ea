// DrawFace's order of operations and twips geometry, and the gradient rule.
#include <gtest/gtest.h>

#include "face_painter.h"
#include "fake_command_parts.h"
#include "gradient_colour.h"

using namespace Wobblevista;

namespace {

TEST(FaceGeometry, EightPiecesOfA120By60PixelControl) {
  cmdtest::RecordingSurface s;  // 1800 x 900 twips
  bool reversed = true;
  DrawFace(s, Look::Normal, kStateNormal, reversed);
  EXPECT_FALSE(reversed);
  ASSERT_EQ(s.calls.front(), "clear");
  EXPECT_EQ(s.calls[1], "gradient");
  ASSERT_EQ(s.copies.size(), 8u);
  const int expect[8][8] = {
      {1, 1, 60, 60, 0, 0, 60, 60},          {60, 1, 1680, 60, 60, 1, 840, 60},
      {1740, 1, 60, 60, 900, 1, 60, 60},     {1740, 60, 60, 780, 900, 60, 60, 255},
      {1740, 840, 60, 60, 900, 315, 60, 60}, {60, 840, 1680, 60, 60, 315, 840, 60},
      {1, 840, 60, 60, 0, 315, 60, 60},      {1, 60, 60, 780, 1, 60, 60, 255},
  };
  for (int i = 0; i < 8; ++i) {
    const cmdtest::Copy& c = s.copies[i];
    const int got[8] = {c.dx, c.dy, c.dw, c.dh, c.sx, c.sy, c.sw, c.sh};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(got[k], expect[i][k]) << "piece " << i << " value " << k;
  }
  EXPECT_EQ(s.calls.back(), "refresh");
  // Caption 10 twips above the vertical centre, across the whole width.
  EXPECT_DOUBLE_EQ(s.caption_top, (900 - 195 - 20) / 2.0);
  EXPECT_DOUBLE_EQ(s.caption_left, 0.0);
  EXPECT_DOUBLE_EQ(s.caption_width, 1800.0);
  // The gradient's second vertex is the last pixel.
  EXPECT_EQ(s.gx1, 119);
  EXPECT_EQ(s.gy1, 59);
}

TEST(FaceGeometry, DirectionFollowsTheState) {
  cmdtest::RecordingSurface s;
  bool reversed = false;
  DrawFace(s, Look::HighLight, kStateHighLight, reversed);
  EXPECT_TRUE(reversed);
  EXPECT_EQ(s.top.red, 0xC600);
  EXPECT_EQ(s.top.green, 0xC500);
  EXPECT_EQ(s.top.blue, 0xD700);
  EXPECT_EQ(s.bottom.red, 0xFF00);
  DrawFace(s, Look::Pressed, kStateHighLightSelect, reversed);  // 4 keeps the last direction
  EXPECT_TRUE(reversed);
  DrawFace(s, Look::Selected, kStateSelected, reversed);
  EXPECT_FALSE(reversed);
  DrawFace(s, Look::Pressed, kStateNone, reversed);
  EXPECT_FALSE(reversed);
}

TEST(FaceGeometry, TinyAndHugeControls) {
  cmdtest::RecordingSurface s;
  s.w_twips = 90;  // 6 px: no room for edges, corners still drawn
  s.h_twips = 90;
  bool reversed = false;
  DrawFace(s, Look::Normal, kStateNormal, reversed);
  EXPECT_EQ(s.copies.size(), 4u);
  for (const auto& c : s.copies) {
    EXPECT_GT(c.dw, 0);
    EXPECT_GT(c.dh, 0);
  }
  s.w_twips = 40000;  // wider than a 16-bit twips value: edges still reach the corners
  s.h_twips = 900;
  DrawFace(s, Look::Normal, kStateNormal, reversed);
  ASSERT_EQ(s.copies.size(), 8u);
  EXPECT_EQ(s.copies[1].dw, 40000 - 120);
  EXPECT_EQ(s.copies[2].dx, 40000 - 60);
}

TEST(FaceGeometry, MissingPictureLeavesGradientOnly) {
  cmdtest::RecordingSurface s;
  s.pictures_present = false;
  bool reversed = false;
  DrawFace(s, Look::Normal, kStateNormal, reversed);
  EXPECT_TRUE(s.copies.empty());
  EXPECT_EQ(s.calls[1], "gradient");
}

TEST(GradientColour, ParsesRedGreenBlueHexPairs) {
  auto c = ParseGradientColour("&HC6C5D7");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->red, 0xC600);
  EXPECT_EQ(c->green, 0xC500);
  EXPECT_EQ(c->blue, 0xD700);
  EXPECT_FALSE(ParseGradientColour("C6C5D7"));
  EXPECT_FALSE(ParseGradientColour("&HC6C5G7"));
  EXPECT_FALSE(ParseGradientColour("&HC6C5D"));
}

}  // namespace
