#include "bitmap_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "bmp_writer.h"

using bmptest::Encode;
using bmptest::Gradient;
using bmptest::Options;
using bmptest::Picture;

namespace {

DecodeResult Decode(const std::vector<uint8_t>& file) { return DecodeBitmap(file.data(), file.size()); }

Options Bits(int bits) {
  Options o;
  o.bits = bits;
  return o;
}

// Indices and a palette of distinct colours for an indexed picture.
struct Indexed {
  Picture expected;
  std::vector<uint8_t> palette, indices;
};

Indexed MakeIndexed(int width, int height, int bits) {
  Indexed r;
  const int colours = 1 << bits;
  for (int i = 0; i < colours; ++i) {
    r.palette.push_back(uint8_t(i * 37 + 1));
    r.palette.push_back(uint8_t(255 - i));
    r.palette.push_back(uint8_t(i * 11 + 5));
  }
  r.expected = Picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    const uint8_t idx = uint8_t((i * 7 + i / width) % colours);
    r.indices.push_back(idx);
    r.expected.rgb.insert(r.expected.rgb.end(), &r.palette[idx * 3], &r.palette[idx * 3] + 3);
  }
  return r;
}

}  // namespace

TEST(BitmapDecoder, TwentyFourBitSnapshotGivesPackedRgbBottomRowFirst) {
  const Picture pic = Gradient(1024, 768);
  const DecodeResult r = Decode(Encode(pic, Bits(24)));
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  EXPECT_EQ(r.image.width, 1024);
  EXPECT_EQ(r.image.height, 768);
  ASSERT_EQ(r.image.pixels.size(), 2359296u);
  EXPECT_EQ(r.image.pixels[0], pic.rgb[0]);  // bottom-left red, green, blue
  EXPECT_EQ(r.image.pixels[1], pic.rgb[1]);
  EXPECT_EQ(r.image.pixels[2], pic.rgb[2]);
  EXPECT_EQ(r.image.pixels, pic.rgb);
}

TEST(BitmapDecoder, ThirtyTwoBitAndOddWidthsAreExact) {
  for (int width : {1, 2, 3, 5, 1023}) {
    const Picture pic = Gradient(width, 7);
    for (int bits : {24, 32}) {
      const DecodeResult r = Decode(Encode(pic, Bits(bits)));
      ASSERT_EQ(r.status, DecodeStatus::Ok) << width << "x" << bits;
      EXPECT_EQ(r.image.pixels, pic.rgb) << "width " << width << " bits " << bits;
    }
  }
}

TEST(BitmapDecoder, SixteenBitMatchesTwentyFourUpToChannelPrecision) {
  const Picture pic = Gradient(321, 17);
  const DecodeResult full = Decode(Encode(pic, Bits(24)));
  for (bool masks : {false, true}) {
    Options o = Bits(16);
    o.bitFields565 = masks;
    const DecodeResult r = Decode(Encode(pic, o));
    ASSERT_EQ(r.status, DecodeStatus::Ok);
    ASSERT_EQ(r.image.pixels.size(), full.image.pixels.size());
    for (size_t i = 0; i < r.image.pixels.size(); ++i) {
      ASSERT_NEAR(r.image.pixels[i], full.image.pixels[i], 7) << "byte " << i << " masks " << masks;
    }
  }
  // Full scale stays full scale and zero stays zero.
  Picture ends{2, 1, {255, 255, 255, 0, 0, 0}};
  EXPECT_EQ(Decode(Encode(ends, Bits(16))).image.pixels, ends.rgb);
}

TEST(BitmapDecoder, IndexedFormsGiveTheirTableColours) {
  for (int bits : {1, 4, 8}) {
    for (int width : {1, 13, 37}) {
      const Indexed ix = MakeIndexed(width, 5, bits);
      const DecodeResult r = Decode(Encode(ix.expected, Bits(bits), ix.palette, ix.indices));
      ASSERT_EQ(r.status, DecodeStatus::Ok);
      EXPECT_EQ(r.image.pixels, ix.expected.rgb) << bits << " bits, width " << width;
    }
  }
}

TEST(BitmapDecoder, IndexPastAShortTableIsBlack) {
  Indexed ix = MakeIndexed(4, 1, 8);
  ix.indices = {0, 1, 2, 200};
  Options o = Bits(8);
  o.clrUsed = 3;
  const DecodeResult r = Decode(Encode(ix.expected, o, ix.palette, ix.indices));
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  const std::vector<uint8_t> want = {ix.palette[0], ix.palette[1], ix.palette[2], ix.palette[3],
                                     ix.palette[4], ix.palette[5], ix.palette[6], ix.palette[7],
                                     ix.palette[8], 0, 0, 0};
  EXPECT_EQ(r.image.pixels, want);
}

TEST(BitmapDecoder, CoreHeaderWithThreeByteEntries) {
  const Indexed ix = MakeIndexed(9, 4, 8);
  Options o = Bits(8);
  o.core = true;
  EXPECT_EQ(Decode(Encode(ix.expected, o, ix.palette, ix.indices)).image.pixels, ix.expected.rgb);
  const Picture pic = Gradient(9, 4);
  o = Bits(24);
  o.core = true;
  for (bool fileHeader : {true, false}) {
    o.fileHeader = fileHeader;
    EXPECT_EQ(Decode(Encode(pic, o)).image.pixels, pic.rgb) << fileHeader;
  }
}

TEST(BitmapDecoder, PixelOffsetIsHonouredPastALargerColourTable) {
  const Indexed ix = MakeIndexed(6, 3, 4);
  Options o = Bits(4);
  o.gapBeforePixels = 40;
  std::vector<uint8_t> file = Encode(ix.expected, o, ix.palette, ix.indices);
  const size_t gapAt = 14 + 40 + 16 * 4;
  for (size_t i = 0; i < 40; ++i) file[gapAt + i] = 0xEE;  // would show if read as pixels
  EXPECT_EQ(Decode(file).image.pixels, ix.expected.rgb);
}

TEST(BitmapDecoder, BareInformationHeaderWithoutFileHeader) {
  const Picture pic = Gradient(10, 3);
  Options o = Bits(24);
  o.fileHeader = false;
  o.clrUsed = 5;  // a table a 24-bit picture carries but does not use
  EXPECT_EQ(Decode(Encode(pic, o)).image.pixels, pic.rgb);
  const Indexed ix = MakeIndexed(10, 3, 8);
  o = Bits(8);
  o.fileHeader = false;
  EXPECT_EQ(Decode(Encode(ix.expected, o, ix.palette, ix.indices)).image.pixels, ix.expected.rgb);
}

TEST(BitmapDecoder, TopDownPicturesComeOutBottomRowFirst) {
  const Picture pic = Gradient(11, 6);
  Options o = Bits(32);
  o.topDown = true;
  const DecodeResult r = Decode(Encode(pic, o));
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  EXPECT_EQ(r.image.height, 6);
  EXPECT_EQ(r.image.pixels, pic.rgb);
}

TEST(BitmapDecoder, LaterHeaderFormsAreUnknown) {
  std::vector<uint8_t> file = Encode(Gradient(4, 4), Bits(24));
  for (uint32_t size : {108u, 124u, 64u, 16u}) {
    bmptest::PutU32(file, 14, size);
    EXPECT_EQ(Decode(file).status, DecodeStatus::UnknownFormat) << size;
  }
}

TEST(BitmapDecoder, LastRowWithoutPaddingIsAccepted) {
  const Picture pic = Gradient(5, 3);
  std::vector<uint8_t> file = Encode(pic, Bits(24));
  file.resize(file.size() - 1);  // 5 * 3 = 15 bytes per row, padded to 16
  EXPECT_EQ(Decode(file).image.pixels, pic.rgb);
  file.resize(file.size() - 1);  // now the last row itself is short
  EXPECT_EQ(Decode(file).status, DecodeStatus::ConversionError);
}

TEST(BitmapDecoder, LyingHeadersAreRefused) {
  const std::vector<uint8_t> good = Encode(Gradient(8, 8), Bits(24));
  const std::vector<uint8_t> good8 = [] {
    const Indexed ix = MakeIndexed(8, 8, 8);
    return Encode(ix.expected, Bits(8), ix.palette, ix.indices);
  }();
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
  };
  std::vector<Case> cases;
  auto with = [&](const char* what, const std::vector<uint8_t>& base, size_t at, uint32_t v) {
    std::vector<uint8_t> f = base;
    bmptest::PutU32(f, at, v);
    cases.push_back({what, f});
  };
  with("huge width", good, 18, 0x7FFFFFFF);
  with("huge height", good, 22, 0x7FFFFFFF);
  with("most negative height", good, 22, 0x80000000);
  with("negative width", good, 18, uint32_t(-8));
  with("zero width", good, 18, 0);
  with("zero height", good, 22, 0);
  with("width times height overflows 32 bits", good, 18, 65536);
  with("pixel offset past the end", good, 10, 0xFFFFFFF0);
  with("pixel offset near the end", good, 10, uint32_t(good.size() - 10));
  with("colour table that does not fit", good8, 46, 0xFFFF);
  with("run-length compression", good8, 30, 1);
  with("bit fields on 24 bits", good, 30, 3);
  with("unknown compression", good, 30, 0x12345678);
  {
    std::vector<uint8_t> f = good;
    bmptest::PutU16(f, 28, 7);
    cases.push_back({"7 bits per pixel", f});
    bmptest::PutU16(f, 28, 0);
    cases.push_back({"0 bits per pixel", f});
  }
  {
    std::vector<uint8_t> f = good;
    bmptest::PutU32(f, 30, 3);
    bmptest::PutU16(f, 28, 32);
    cases.push_back({"bit fields whose masks lie past the end", std::vector<uint8_t>(f.begin(), f.begin() + 60)});
  }
  {
    std::vector<uint8_t> f = Encode(Gradient(8, 8), [] { Options o; o.bits = 16; o.bitFields565 = true; return o; }());
    bmptest::PutU32(f, 54, 0);  // red mask empty
    cases.push_back({"empty mask", f});
    bmptest::PutU32(f, 54, 0xF0F0);
    cases.push_back({"mask with holes", f});
  }
  cases.push_back({"rows past the end", std::vector<uint8_t>(good.begin(), good.end() - 30)});
  cases.push_back({"truncated information header", std::vector<uint8_t>(good.begin(), good.begin() + 30)});
  cases.push_back({"file header only", std::vector<uint8_t>(good.begin(), good.begin() + 14)});
  cases.push_back({"signature only", {'B', 'M'}});
  cases.push_back({"two bytes", {1, 2}});
  for (const Case& c : cases) {
    const DecodeResult r = Decode(c.file);
    EXPECT_EQ(r.status, DecodeStatus::ConversionError) << c.what;
    EXPECT_TRUE(r.image.pixels.empty()) << c.what;
  }
  EXPECT_EQ(DecodeBitmap(nullptr, 0).status, DecodeStatus::ConversionError);
}
