// The form layer's platform-free parts: bitmap files and the property store.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "forms/image.h"
#include "forms/property_bag.h"
#include "process.h"

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

TEST(Bmp, TwentyFourBitBottomUpWithPaddedRows) {
  qgf::Image img(3, 2, qgf::Colour::Rgb(1, 2, 3));
  img.SetPixel(0, 0, qgf::Colour::Rgb(255, 0, 0));  // top-left red
  img.SetPixel(2, 1, qgf::Colour::Rgb(0, 0, 255));  // bottom-right blue
  auto b = qgf::EncodeBmp24(img);
  const std::size_t stride = 12;  // 9 bytes padded to 12
  ASSERT_EQ(b.size(), 54 + stride * 2);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b, 2), b.size());
  EXPECT_EQ(U32(b, 10), 54u);
  EXPECT_EQ(U32(b, 14), 40u);
  EXPECT_EQ(U32(b, 18), 3u);
  EXPECT_EQ(U32(b, 22), 2u);
  EXPECT_EQ(b[28], 24);
  // The first stored row is the bottom one: blue last, as B, G, R.
  EXPECT_EQ(b[54 + 6], 255);
  EXPECT_EQ(b[54 + 7], 0);
  EXPECT_EQ(b[54 + 8], 0);
  EXPECT_EQ(b[54 + 9], 0);  // padding
  // The top row: red first.
  EXPECT_EQ(b[54 + stride + 0], 0);
  EXPECT_EQ(b[54 + stride + 2], 255);
  EXPECT_EQ(b[54 + stride + 3], 3);  // (1, 2, 3) as B, G, R
  EXPECT_EQ(b[54 + stride + 5], 1);
  EXPECT_TRUE(qgf::EncodeBmp24(qgf::Image()).empty());
}

TEST(Bmp, SaveWritesTheFileAndReportsFailure) {
  qgtest::TempDir dir;
  qgf::Image img(5, 5, qgf::Colour::Rgb(9, 8, 7));
  std::string path = dir.path() + "/shot.bmp";
  ASSERT_TRUE(qgf::SaveBmpFile(img, path));
  std::ifstream f(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes.size(), 54u + 16u * 5u);
  EXPECT_FALSE(qgf::SaveBmpFile(img, dir.path() + "/no/such/folder/shot.bmp"));
  EXPECT_FALSE(qgf::SaveBmpFile(qgf::Image(), dir.path() + "/empty.bmp"));
}

TEST(PropertyBag, DefaultsAreNotStoredAndComeBackWhenAbsent) {
  qgf::PropertyBag bag;
  bag.Write("Caption", std::string("Command"), std::string("Command"));
  EXPECT_FALSE(bag.Contains("Caption"));
  EXPECT_EQ(std::get<std::string>(bag.Read("Caption", std::string("dflt"))), "dflt");
  bag.Write("Caption", std::string("設定"), std::string("Command"));
  EXPECT_EQ(std::get<std::string>(bag.Read("Caption", std::string("dflt"))), "設定");
  bag.Write("FontColour", std::int32_t(0xFF), std::string("0"));
  EXPECT_EQ(qgf::AsInt32(bag.Read("FontColour", std::string("0"))), 255);
  EXPECT_EQ(qgf::AsInt32(std::string("0")), 0);
  EXPECT_EQ(qgf::AsBool(std::string("True")), true);
  EXPECT_EQ(qgf::AsBool(std::int16_t(0)), false);
  // Writing the default again removes the stored value.
  bag.Write("Caption", std::string("Command"), std::string("Command"));
  EXPECT_FALSE(bag.Contains("Caption"));
  EXPECT_EQ(bag.size(), 1u);
}

}  // namespace
